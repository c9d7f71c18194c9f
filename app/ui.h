// The UI kit every screen shares: text helpers, the text and picture buttons,
// the popup machine and its panels, and the window / full-screen switch.
// Immediate mode: a screen calls the button routines every frame; each call
// draws the button and reports what the mouse does with it.
#pragma once
#include "app/tbild.h"

#include <string>

class TBitmapFont;

// Button states returned by button and imageButton.
enum ButtonState { BUTTON_IDLE = 0, BUTTON_HOVER = 2, BUTTON_CLICKED = 3, BUTTON_HELD = 4 };

constexpr int kUiPictureSlots = 13; // slots 0..12

// Text button pictures by style: 1 "data/UI/buttonlarge.png", 3
// "data/UI/buttonsmall.png", 5..7 "data/match3/gtbutt1..3.png"; other slots stay
// empty. Centred.
extern TBild gButtonPics[kUiPictureSlots];
// Picture buttons by index: 10 "data/ui/bnmove2.png" (the options slider knob),
// 11 and 12 "data/UI/langleft.png" and "langright.png" (the options language arrows).
extern TBild gImageButtonPics[kUiPictureSlots];
// "data/UI/coll3.png", flags -1: the solid shape placed at the mouse position for
// the picture-button hit test.
extern TBild gPicPointerProbe3;
// Popup panels 0 small, 1 medium, 2 big ("data/UI/popupsmall/medium/big.png").
extern TBild gPopupPanels[3];

// Drag state of the options popup's two sliders (1 while the knob is dragged);
// every popup opening clears them.
extern int gSoundDrag, gMusicDrag;

// New-player popup state, set by the main menu when it opens the popup:
// gNewPlayerFirst 1 = opened because no profile existed (from the menu),
// 0 = opened from the player manager; gPrevCurPl = the current slot before the
// manager opened it, restored when the player backs out.
extern int gNewPlayerFirst, gPrevCurPl;

// Splits text at every "%n" and draws each line centred on cx, the first line's
// top at y (line i at y + i * font height + the vertical kerning, added once).
int drawCenteredLines(const std::string& text, TBitmapFont& font, int cx, int y);
// Seconds as hh:mm:ss (two digits each; 100 hours or more give more hour digits).
std::string formatClock(int seconds);
// Level numbering by weeks of ten games: weekOf 1..10 for levels 1..100, -1 for
// any other level; gameInWeek 1..10 (level mod 10, 0 read as 10); levelLabel
// = week text + " " + week + " - " + game text + " " + game.
int weekOf(int level);
int gameInWeek(int level);
std::string levelLabel(int level);

// Text button centred on (x, y) in the style's picture with the label in the
// button font. Responds only when group is gButtonGroup, no screen switch is
// under way, the game is not paused and no popup is opening or closing.
// A click returns 3, clears gMouseHit and plays effect 13.
int button(int x, int y, int style, int group, const std::string& label);
// Picture button with a pixel-exact hit test against the pointer probe. Index
// 10 reports 4 while the mouse button is held over it.
int imageButton(int x, int y, int index, int group);

// The popup machine: advances the opening / closing delay and runs the popup
// of gStatePopup. Every screen that shows popups calls it once at the end of
// its frame.
int popupDriver();
// Draws popup panel size (0 small, 1 medium, 2 big) centred on the screen and
// its title in the dialog font.
int popupFrame(int size, const std::string& title);
// Switches between window and full screen and pauses the game until a click.
int toggleFullscreen();

// One entry of the popup machine's table: the routine that runs popup id.
struct PopupRoutine {
    int id;
    int (*run)();
};
// The popup ids in the order the machine tests them each frame.
constexpr int kPopupOrder[] = {298, 99, 107, 551, 105, 106, 103, 111, 101, 100, 432, 447, 112};
// The body of popupDriver over a given routine table (popupDriver passes the
// game's popups): advances gRunPopup, then runs, in kPopupOrder, each routine
// whose id is in gStatePopup at that moment, so a popup that hands over to a
// later id lets it run in the same frame.
int runPopupMachine(const PopupRoutine* routines, int count);
