#include "screens/popuptext.h"

#include "app/focus.h"
#include "app/globals.h"
#include "bitmapfont/bitmapfont.h"

void drawCentredText(TBitmapFont& font, const std::string& text, int y) {
    font.DrawText(text, static_cast<float>(512 - font.GetTxtWidth(text) / 2), static_cast<float>(y), 1, 0);
}

void drawTextLeft(TBitmapFont& font, const std::string& text, int x, int y) {
    font.DrawText(text, static_cast<float>(x), static_cast<float>(y), 1, 0);
}

void drawTextRight(TBitmapFont& font, const std::string& text, int x, int y) {
    font.DrawText(text, static_cast<float>(x - font.GetTxtWidth(text)), static_cast<float>(y), 1, 0);
}

void drawTextCentredOn(TBitmapFont& font, const std::string& text, int x, int y) {
    font.DrawText(text, static_cast<float>(x - font.GetTxtWidth(text) / 2), static_cast<float>(y), 1, 0);
}

bool popupConfirmed(int buttonState) {
    if (gRunPopup != 16) return false;
    // While the focus steers the presses, Enter presses the focused button instead.
    return buttonState == 3 || gKeyEsc > 0 || (gKeyEnter > 0 && !focusSteersPresses());
}

void closePopup() {
    gPopupDir = 2;
}

void handOverPopup(int id) {
    gStatePopup = id;
}
