// The focus layer's places, shared by its navigation and its drawing.
#pragma once
#include <vector>

#include "app/focus.h"

enum FocusKind { FOCUS_KIND_BUTTON, FOCUS_KIND_SLIDER, FOCUS_KIND_CURSOR };

struct FocusPlace {
    int cx, cy, w, h; // the place (the ring goes round it)
    int px, py;       // where a press goes
    int kind;
    int hotkey;
};

// The places registered so far this frame.
const std::vector<FocusPlace>& focusPlacesNow();
// The cursor area's routines (of the frame that registered one last).
const FocusCursor& focusCursorNow();
// The focused place of `list`, or none (the focus has no place there).
const FocusPlace* focusedPlace(const std::vector<FocusPlace>& list);
// Shows the focus on the place of this frame centred on (cx, cy) (the tests
// walk from every place); false when there is none.
bool focusJumpTo(int cx, int cy);
