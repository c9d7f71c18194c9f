// The focus ring: a golden frame with rounded corners and a soft glow around
// the focused place, drawn over the screen; made once per size in memory.
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "app/focus_internal.h"
#include "app/globals.h"
#include "platform/platform.h"

namespace {

constexpr int kMargin = 10; // the ring's glow reaches this far outside the place
constexpr float kRadius = 12;

std::map<std::pair<int, int>, PicturePtr> gRings;

// Signed distance of (px, py) from a rounded rectangle of half size (hw, hh)
// centred on the origin: negative inside.
float roundedRectDistance(float px, float py, float hw, float hh, float radius) {
    const float qx = std::fabs(px) - (hw - radius), qy = std::fabs(py) - (hh - radius);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

Picture* ringFor(int w, int h) {
    PicturePtr& ring = gRings[{w, h}];
    if (ring) return ring.get();
    Pixmap pm;
    pm.width = w + 2 * kMargin;
    pm.height = h + 2 * kMargin;
    pm.pitch = pm.width * 4;
    pm.storage.assign(static_cast<size_t>(pm.pitch) * pm.height, 0);
    pm.pixels = pm.storage.data();
    const float hw = w / 2.0f + 3, hh = h / 2.0f + 3;
    const float radius = std::min({kRadius, hw, hh});
    for (int y = 0; y < pm.height; ++y) {
        for (int x = 0; x < pm.width; ++x) {
            // Outside the shape d > 0. A golden line two pixels wide between thin
            // dark edges (it shows on the light sky as on the dark board), in a
            // soft golden glow outside.
            const float d = roundedRectDistance(x + 0.5f - pm.width / 2.0f, y + 0.5f - pm.height / 2.0f, hw, hh, radius);
            const float line = std::clamp(2.0f - std::fabs(d) * 1.4f, 0.0f, 1.0f);
            const float edge = std::clamp(1.0f - std::fabs(std::fabs(d) - 2.2f), 0.0f, 1.0f) * 0.6f;
            const float glow = d > 0 ? 0.45f * std::exp(-d / 3.0f) : 0.0f;
            uint8_t* px = pm.at(x, y);
            const float gold = std::max(line, glow);
            const float a = std::clamp(gold + edge * (1 - gold), 0.0f, 1.0f);
            const float g = a > 0 ? gold / a : 0;
            px[0] = static_cast<uint8_t>(255 * g + 70 * (1 - g));
            px[1] = static_cast<uint8_t>(214 * g + 45 * (1 - g));
            px[2] = static_cast<uint8_t>(90 * g + 15 * (1 - g));
            px[3] = static_cast<uint8_t>(a * 255);
        }
    }
    ring = PictureFromPixmap(pm, 0);
    if (ring) CentrePictureHandle(ring.get());
    return ring.get();
}

} // namespace

void focusDraw() {
    if (!focusShown()) return;
    const FocusPlace* p = focusedPlace(focusPlacesNow());
    if (!p) return;
    // A slider's ring goes round its knob.
    int x = p->kind == FOCUS_KIND_SLIDER ? p->px : p->cx, y = p->cy, w = p->w, h = p->h;
    if (p->kind == FOCUS_KIND_CURSOR) {
        const FocusCursor& c = focusCursorNow();
        if (!c.point || !c.point(x, y)) return;
        w = h = 48; // one cell of the board
    }
    const float alpha = ReadAlpha();
    const int blend = ReadBlend();
    float sx, sy;
    ReadScale(sx, sy);
    const float rot = ReadRotation();
    SetDrawScale(1, 1);
    SetDrawRotation(0);
    SetBlend(BLEND_ALPHA);
    SetAlpha(0.8f + 0.2f * SinDeg(gFrameCount * 9.0f));
    DrawPicture(ringFor(w, h), static_cast<float>(x), static_cast<float>(y), 0);
    SetAlpha(alpha);
    SetBlend(blend);
    SetDrawScale(sx, sy);
    SetDrawRotation(rot);
}
