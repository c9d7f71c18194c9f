// Play without a mouse. A focus moves between the places the mouse could act
// on this frame (buttons, list rows, sliders, waypoints, the board's cursor)
// and turns the keyboard's and the controller's presses into pointer moves and
// presses at the focused place, so every screen's own mouse handling does the
// work and every rule stays as it is. The focus shows while keys are used and
// hides as soon as the mouse moves.
#pragma once

// The navigation input of one frame, read from the keys (or given by the
// autoplayer).
struct NavInput {
    int moveX = 0, moveY = 0; // one focus step this frame (-1, 0, 1), repeats included
    int pressed = 0;          // activation pressed this frame: Enter, Space, controller A
    int held = 0;             // activation held
    int spaceOnly = 0;        // the press or hold comes from Space alone
    int hotkey = 0;           // a target's own key pressed this frame (0 none)
    int mouseUsed = 0;        // the real mouse moved or was clicked
};

// Reads this frame's navigation keys (arrows, Enter, Space, the D-pad, the
// left stick, button A; arrows held repeat) and whether the mouse was used.
NavInput readNavInput(int pointerX, int pointerY, int buttonHits);

// Steers the pointer snapshot (position, presses, held button) by the focus:
// unchanged while the mouse is in use.
void focusApply(const NavInput& nav, int& x, int& y, int& hits, int& down);
// Draws the focus ring where the focus is (only while it shows).
void focusDraw();
// Forgets every target and the remembered places (a fresh start-up).
void focusReset();
// Forgets the held arrows and the last pointer position of readNavInput.
void resetNavInput();

// Places to focus, registered while the screen draws them this frame; only
// places that answer a click now are registered.
// A place a click acts on, centred on (cx, cy); hotkey, when not 0, is a key
// that moves the focus there and clicks it at once.
void focusTarget(int cx, int cy, int w, int h, int hotkey = 0);
// A control with its label (a check box): the focus rings both, a press goes
// to (pressX, pressY).
void focusLabelled(int pressX, int pressY, int cx, int cy, int w, int h);
// A slider's knob of size w x h at (knobX, knobY) on a track centred on
// trackX (the focus moves between places by the track, which stays put): left
// and right drag the knob by one step instead of moving on.
void focusSlider(int knobX, int knobY, int w, int h, int trackX);

// A region with a cursor of its own (the board). The focus enters it from
// outside through its bounds and leaves it when the cursor is at its edge.
struct FocusCursor {
    // Moves the cursor one step: 0 at the edge (the focus leaves), 1 moved,
    // 2 moved and the pointer presses there (a swap by arrow).
    int (*step)(int dx, int dy);
    // The focus arrives from (x, y): put the cursor near that place.
    void (*place)(int x, int y);
    // Where the cursor is; false when it has no place (an empty board).
    bool (*point)(int& x, int& y);
};
void focusCursorArea(int left, int top, int right, int bottom, const FocusCursor& cursor);

// True while the focus shows (keys or the controller are in use).
bool focusShown();
// True while the press held now (Enter, Space, A) went to the focused place:
// the focus showed when it came (not while the mouse is in use, nor when the
// key only brought the focus back). Enter's own meaning in a popup (confirm)
// waits until the key is let go.
bool focusSteersPresses();
// True while the focus shows on the target registered at (cx, cy).
bool focusIsOn(int cx, int cy);
// True while the focus shows on the cursor area (the board).
bool focusOnCursorArea();
// This frame types text: Space is a character, not a press.
void focusTextEntry();
