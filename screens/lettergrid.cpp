// The letter grid of the new-player popup: a controller has no keys to type
// with, so while one is in use a small grid of letters below the popup types
// the name, one focused letter at a time (the mouse can click it too).
#include "screens/lettergrid.h"

#include "app/focus.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/sound.h"
#include "app/ui.h"
#include "screens/playermanager.h"
#include "screens/popuptext.h"

namespace {

constexpr int kColumns = 10;
constexpr int kCellW = 40, kCellH = 40;
constexpr int kTop = 570; // centre of the first row
// A..Z, then space, hyphen and the delete key (code 8).
constexpr int kCodes[] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O',
                          'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', ' ', '-', 8};
constexpr int kKeys = static_cast<int>(std::size(kCodes));

std::string labelOf(int code) {
    if (code == 8) return "<";
    if (code == ' ') return "_";
    return std::string(1, static_cast<char>(code));
}

} // namespace

void letterGridPlace(int index, int& x, int& y) {
    const int row = index / kColumns, col = index % kColumns;
    x = 512 + (col - kColumns / 2) * kCellW + kCellW / 2;
    y = kTop + row * kCellH;
}

int letterGridKeys() { return kKeys; }

int letterGridCode(int index) { return index >= 0 && index < kKeys ? kCodes[index] : 0; }

void letterGrid(std::string& name, bool answers) {
    // The small panel, flattened, as the grid's backdrop.
    TBild& panel = gPopupPanels[0];
    if (panel.isLoaded == 1) {
        const float rows = (kKeys + kColumns - 1) / kColumns;
        SetDrawScale((kColumns * kCellW + 60) / panel.W, (rows * kCellH + 50) / panel.H);
        panel.PaintXY(512, kTop + (rows - 1) * kCellH / 2);
        SetDrawScale(1, 1);
    }
    for (int i = 0; i < kKeys; ++i) {
        int x, y;
        letterGridPlace(i, x, y);
        const bool over = gMouseX > x - kCellW / 2 && gMouseX < x + kCellW / 2 && gMouseY > y - kCellH / 2 &&
                          gMouseY < y + kCellH / 2;
        const std::string label = labelOf(kCodes[i]);
        const int top = y - gFontText.GetFontHeight() / 2;
        for (int pass = 0; pass < (over && answers ? 2 : 1); ++pass) drawTextCentredOn(gFontText, label, x, top);
        if (!answers) continue;
        focusTarget(x, y, kCellW - 4, kCellH - 4);
        if (over && gMouseHit == 1) {
            gMouseHit = 0;
            if (applyTypedChar(name, kCodes[i])) playSfx(13, x);
        }
    }
}
