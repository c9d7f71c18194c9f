// The focus: the targets of the frame, moving between them, and the pointer
// input it makes at the focused one.
#include "app/focus.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "app/focus_internal.h"
#include "app/globals.h"

namespace {

constexpr int kSliderStep = 14; // 5 % of the volume range per key press
// More places than any screen has (a screen run without the frame's input
// snapshot never clears them: the list must not grow without end).
constexpr size_t kMaxPlaces = 512;

struct FocusState {
    std::vector<FocusPlace> now, last; // registered this frame, in the last one
    FocusCursor cursor{};
    bool shown = false;
    bool textEntry = false; // the last frame typed text
    int context = -1;      // screen and popup the focus belongs to
    bool placed = false;   // the focus has a place in this context
    int fx = 0, fy = 0;    // centre of the focused place
    bool onCursor = false; // the focus is on the cursor area
    int dragX = 0; // where the last frame dragged a slider's knob to, 0 none
    bool holdTaken = false; // the press held now went to the focused place
    std::map<int, FocusPlace> remembered; // last place per context
};

FocusState gFocus;

int contextNow() { return gScreen * 1000 + gStatePopup; }

// The place of `list` the focus is on: the cursor area when it is there, else
// the place whose centre is nearest to the focus (buttons may bob).
const FocusPlace* resolve(const std::vector<FocusPlace>& list) {
    const FocusPlace* best = nullptr;
    long bestDist = 0;
    for (const FocusPlace& p : list) {
        if (gFocus.onCursor != (p.kind == FOCUS_KIND_CURSOR)) continue;
        const long dx = p.cx - gFocus.fx, dy = p.cy - gFocus.fy;
        const long d = dx * dx + dy * dy;
        if (!best || d < bestDist) {
            best = &p;
            bestDist = d;
        }
    }
    return best;
}

void focusOn(const FocusPlace& p) {
    gFocus.fx = p.cx;
    gFocus.fy = p.cy;
    gFocus.onCursor = p.kind == FOCUS_KIND_CURSOR;
    gFocus.placed = true;
}

// Gap between [a0, a1] and [b0, b1]; 0 when they overlap.
int gap(int a0, int a1, int b0, int b1) {
    if (b1 < a0) return a0 - b1;
    if (b0 > a1) return b0 - a1;
    return 0;
}

// The nearest place in direction (dx, dy) from the focused point. A place
// counts when its centre lies that way within a cone twice as wide as deep
// (a button a little to the left of one above is not "left" of it). Places
// are measured between centres, the way ahead plus twice the way aside, so the
// next one in a row or column wins; the board is measured to its edge.
const FocusPlace* nearestInDirection(int fromX, int fromY, int dx, int dy, bool skipCursor) {
    const FocusPlace* best = nullptr;
    int bestScore = 0;
    for (const FocusPlace& p : gFocus.last) {
        if (skipCursor && p.kind == FOCUS_KIND_CURSOR) continue;
        const int l = p.cx - p.w / 2, r = p.cx + p.w / 2, t = p.cy - p.h / 2, b = p.cy + p.h / 2;
        const int ahead = dx != 0 ? (p.cx - fromX) * dx : (p.cy - fromY) * dy;
        const int aside = std::abs(dx != 0 ? p.cy - fromY : p.cx - fromX);
        if (ahead <= 0 || 2 * ahead < aside) continue;
        int along = ahead, side = aside;
        if (p.kind == FOCUS_KIND_CURSOR && dx != 0) {
            along = dx > 0 ? std::max(0, l - fromX) : std::max(0, fromX - r);
            side = gap(fromY, fromY, t, b);
        } else if (p.kind == FOCUS_KIND_CURSOR) {
            along = dy > 0 ? std::max(0, t - fromY) : std::max(0, fromY - b);
            side = gap(fromX, fromX, l, r);
        }
        const int score = along + 2 * side;
        if (!best || score < bestScore) {
            best = &p;
            bestScore = score;
        }
    }
    return best;
}

// Enters a new place from (fromX, fromY); the cursor area puts its cursor near.
void enter(const FocusPlace& p, int fromX, int fromY) {
    focusOn(p);
    if (p.kind == FOCUS_KIND_CURSOR && gFocus.cursor.place) gFocus.cursor.place(fromX, fromY);
}

// Where the pointer goes for the focused place.
void pointOf(const FocusPlace& p, int& x, int& y) {
    x = p.px;
    y = p.py;
    if (p.kind == FOCUS_KIND_CURSOR && gFocus.cursor.point) gFocus.cursor.point(x, y);
}

// The focus of a new context: where it was the last time, else the first place.
void enterContext(int context) {
    if (gFocus.placed) {
        const int kind = gFocus.onCursor ? FOCUS_KIND_CURSOR : FOCUS_KIND_BUTTON;
        gFocus.remembered[gFocus.context] = FocusPlace{gFocus.fx, gFocus.fy, 0, 0, gFocus.fx, gFocus.fy, kind, 0};
    }
    gFocus.context = context;
    gFocus.placed = false;
    const auto it = gFocus.remembered.find(context);
    if (it != gFocus.remembered.end()) focusOn(it->second);
}

// One step in direction (dx, dy); returns whether the pointer presses at the
// new place (the cursor asked for it).
bool move(const FocusPlace& at, int dx, int dy) {
    int px, py;
    pointOf(at, px, py);
    if (at.kind == FOCUS_KIND_SLIDER && dx != 0) return false; // handled as a drag
    if (at.kind == FOCUS_KIND_CURSOR && gFocus.cursor.step) {
        const int r = gFocus.cursor.step(dx, dy);
        if (r != 0) return r == 2;
    }
    const FocusPlace* next = nearestInDirection(px, py, dx, dy, at.kind == FOCUS_KIND_CURSOR);
    if (next) enter(*next, px, py);
    return false;
}

} // namespace

const std::vector<FocusPlace>& focusPlacesNow() { return gFocus.now; }
const FocusCursor& focusCursorNow() { return gFocus.cursor; }

const FocusPlace* focusedPlace(const std::vector<FocusPlace>& list) {
    if (!gFocus.placed || gFocus.context != contextNow()) return nullptr;
    return resolve(list);
}

void focusApply(const NavInput& nav, int& x, int& y, int& hits, int& down) {
    gFocus.last.swap(gFocus.now);
    gFocus.now.clear();
    const bool typing = gFocus.textEntry;
    gFocus.textEntry = false;

    if (contextNow() != gFocus.context) enterContext(contextNow());
    // While a name is typed, Space is a character.
    const bool pressed = nav.pressed && !(typing && nav.spaceOnly);
    const bool moved = nav.moveX != 0 || nav.moveY != 0;
    if (nav.mouseUsed) gFocus.shown = false;
    // A press taken by the focus is the focus's until its key is let go; one
    // that only brought the focus back keeps the key's old meaning.
    if (nav.pressed) gFocus.holdTaken = gFocus.shown;
    if (!nav.held) gFocus.holdTaken = false;
    if (gFocus.last.empty()) {
        // Nothing answers now (a popup opening, a pause): keep the place, but a
        // press still clicks, away from every target (it ends a pause).
        if (gFocus.shown && pressed) {
            x = y = -1000;
            hits = 1;
            down = 1;
        }
        return;
    }
    const FocusPlace* at = gFocus.placed ? resolve(gFocus.last) : nullptr;
    if (!at) {
        at = &gFocus.last.front();
        focusOn(*at);
    }
    // A target's own key focuses it and clicks it, shown or not.
    bool click = false;
    if (nav.hotkey != 0) {
        for (const FocusPlace& p : gFocus.last) {
            if (p.hotkey != nav.hotkey) continue;
            at = &p;
            focusOn(p);
            gFocus.shown = true;
            click = true;
            break;
        }
    }
    if (!gFocus.shown) {
        // The first key only brings the focus back where it was.
        if (moved || nav.pressed) gFocus.shown = true;
        return;
    }
    int sliderDx = 0;
    if (moved && !click) {
        if (at->kind == FOCUS_KIND_SLIDER && nav.moveX != 0) sliderDx = nav.moveX;
        click = move(*at, nav.moveX, nav.moveY);
        at = resolve(gFocus.last);
        if (!at) return;
    }
    pointOf(*at, x, y);
    // The frame after a knob step lets go where the knob went (the knob is
    // drawn there only from the next frame on).
    if (gFocus.dragX != 0 && at->kind == FOCUS_KIND_SLIDER) x = gFocus.dragX;
    gFocus.dragX = 0;
    if (sliderDx != 0) {
        // Press beside the knob's centre: the knob is taken and follows there.
        x += sliderDx * kSliderStep;
        gFocus.dragX = x;
        hits = 1;
        down = 1;
        return;
    }
    if (gPaused == 1) x = y = -1000; // a press only ends the pause
    hits = (pressed || click) ? 1 : 0;
    down = (pressed || click || (nav.held && !(typing && nav.spaceOnly))) ? 1 : 0;
}

namespace {

void addPlace(const FocusPlace& p) {
    if (gFocus.now.size() < kMaxPlaces) gFocus.now.push_back(p);
}

} // namespace

bool focusJumpTo(int cx, int cy) {
    for (const FocusPlace& p : gFocus.now) {
        if (p.cx != cx || p.cy != cy) continue;
        gFocus.context = contextNow();
        focusOn(p);
        gFocus.shown = true;
        return true;
    }
    return false;
}

void focusReset() {
    gFocus = FocusState{};
    resetNavInput();
}

void focusTarget(int cx, int cy, int w, int h, int hotkey) {
    addPlace(FocusPlace{cx, cy, w, h, cx, cy, FOCUS_KIND_BUTTON, hotkey});
}

void focusLabelled(int pressX, int pressY, int cx, int cy, int w, int h) {
    addPlace(FocusPlace{cx, cy, w, h, pressX, pressY, FOCUS_KIND_BUTTON, 0});
}

void focusSlider(int knobX, int knobY, int w, int h, int trackX) {
    addPlace(FocusPlace{trackX, knobY, w, h, knobX, knobY, FOCUS_KIND_SLIDER, 0});
}

void focusCursorArea(int left, int top, int right, int bottom, const FocusCursor& cursor) {
    gFocus.cursor = cursor;
    const int cx = (left + right) / 2, cy = (top + bottom) / 2;
    addPlace(FocusPlace{cx, cy, right - left, bottom - top, cx, cy, FOCUS_KIND_CURSOR, 0});
}

bool focusShown() { return gFocus.shown; }

bool focusSteersPresses() { return gFocus.shown && gFocus.holdTaken; }

bool focusIsOn(int cx, int cy) {
    if (!gFocus.shown) return false;
    const FocusPlace* p = focusedPlace(gFocus.last);
    return p && p->kind != FOCUS_KIND_CURSOR && p->cx == cx && p->cy == cy;
}

bool focusOnCursorArea() { return gFocus.shown && gFocus.placed && gFocus.onCursor && gFocus.context == contextNow(); }

void focusTextEntry() { gFocus.textEntry = true; }
