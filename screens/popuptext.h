// Small text and close helpers shared by the popups of the player, options,
// credits, exit, help and champions dialogs.
#pragma once
#include <string>

class TBitmapFont;

// Draws a text from the text table left-aligned at x = 512 - width / 2 (the
// screen's centre), with the font's own blend modes.
void drawCentredText(TBitmapFont& font, const std::string& text, int y);
// Draws a text left-aligned at x, or ending at x (right-aligned), or centred on
// x by its own width, with the font's own blend modes.
void drawTextLeft(TBitmapFont& font, const std::string& text, int x, int y);
void drawTextRight(TBitmapFont& font, const std::string& text, int x, int y);
void drawTextCentredOn(TBitmapFont& font, const std::string& text, int x, int y);
// The usual way a simple popup is left: its button clicked (state 3), Escape
// pressed or Enter held (unless the focus steers the presses: then Enter
// presses the focused button), all only while the popup is fully open.
bool popupConfirmed(int buttonState);
// Starts closing the open popup.
void closePopup();
// Hands the fully open popup over to another id without the opening delay.
void handOverPopup(int id);
