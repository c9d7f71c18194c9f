// The player manager (popup 103), the new-player popup (105) and the delete
// question (106).
#pragma once
#include <string>

// gNewPlayerFirst and gPrevCurPl live with the UI kit.
#include "app/ui.h"

constexpr int kMaxNameChars = 12;
constexpr int kMaxNameWidth = 140; // pixels in the text font
// The player list picture is drawn at (512, kManagerListY) by its handle.
constexpr int kManagerListY = 364;

// Forgets characters typed before the name popup opens.
void newPlayerResetInput();
// Applies one typed character code to a name: 8 removes the last character,
// codes 1..255 are appended while the name is shorter than 12 characters and
// narrower than 140 pixels in the text font. Returns true when the name changed.
bool applyTypedChar(std::string& name, int code);
// The confirmed form of a typed name: trimmed, or the "noname" text when empty.
std::string checkedPlayerName(const std::string& name);
// The number of rows the manager lists (slots with a name).
int countNamedPlayers();
// The lowest slot 1..9 with a name, -1 when there is none.
int firstNamedSlot();
// The y the column headings are drawn at: their ink centred in the header
// band of the list picture, whatever the texts are.
int managerHeadingsY();
