// The frame as a list of draws. Drawing only records; the canvas catches up
// when the frame is read or presented. The list is compared with the one the
// canvas already shows, and only the tiles where the two differ are cleared
// and composed again, from every draw that touches them, in order. A frame
// whose draws did not change costs no composing and no presenting at all.
#include <algorithm>
#include <cstring>

#include "platform/sdl_internal.h"

namespace {

constexpr uint32_t kClearColour = 0xFF000000u; // opaque black
// A frame drawn without Cls keeps growing; past this many draws the canvas is
// taken as one picture and the list starts again from it.
constexpr size_t kMaxDraws = 1 << 16;
// Composing this share of the tiles piece by piece costs about what the whole
// frame costs in one go.
constexpr int kWholeFramePercent = 60;

uint64_t Mix64(uint64_t h, uint64_t v)
{
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h;
}

template <typename T> uint64_t Bits(const T& v)
{
    uint64_t out = 0;
    std::memcpy(&out, &v, std::min(sizeof v, sizeof out));
    return out;
}

uint64_t HashDraw(const DrawRecord& r)
{
    uint64_t h = Mix64(r.serial, (uint64_t(uint32_t(r.width)) << 32) | uint32_t(r.height));
    for (double v : {r.at.ox, r.at.oy, r.at.ux, r.at.uy, r.at.vx, r.at.vy}) h = Mix64(h, Bits(v));
    const ComposeLook& l = r.look;
    h = Mix64(h, (uint64_t(l.op) << 40) | (uint64_t(l.r) << 32) | (uint64_t(l.g) << 24) | (uint64_t(l.b) << 16) |
                     (uint64_t(l.a) << 8) | uint64_t(l.linear));
    h = Mix64(h, uint64_t(uint32_t(l.threshold)));
    h = Mix64(h, (uint64_t(uint32_t(r.clip.x0)) << 32) | uint32_t(r.clip.y0));
    return Mix64(h, (uint64_t(uint32_t(r.clip.x1)) << 32) | uint32_t(r.clip.y1));
}

// Finds, for a draw, its next equal in a list from a given index on.
class DrawIndex {
public:
    void Build(const std::vector<DrawRecord>& list)
    {
        list_ = &list;
        size_t size = 64;
        while (size < list.size() * 2) size *= 2;
        mask_ = size - 1;
        heads_.assign(size, -1);
        next_.resize(list.size());
        hashes_.resize(list.size());
        // Filled backwards, so each chain runs in list order.
        for (size_t i = list.size(); i-- > 0;) {
            hashes_[i] = HashDraw(list[i]);
            int32_t& head = heads_[hashes_[i] & mask_];
            next_[i] = head;
            head = static_cast<int32_t>(i);
        }
    }

    uint64_t HashAt(size_t i) const { return hashes_[i]; }

    // The first index at or after `from` holding a draw equal to `draw`, or
    // the list's size when there is none.
    size_t Find(const DrawRecord& draw, uint64_t hash, size_t from) const
    {
        for (int32_t i = heads_[hash & mask_]; i >= 0; i = next_[i]) {
            if (static_cast<size_t>(i) >= from && hashes_[i] == hash && (*list_)[i].SameAs(draw)) return i;
        }
        return list_->size();
    }

private:
    const std::vector<DrawRecord>* list_ = nullptr;
    size_t mask_ = 0;
    std::vector<int32_t> heads_, next_;
    std::vector<uint64_t> hashes_;
};

struct ListScratch {
    DrawIndex before, after;
    TileMask changed;
};

ListScratch& Scratch()
{
    static ListScratch scratch;
    return scratch;
}

// Marks the area of every draw the two lists do not share in the same order.
// Draws shared in order give every pixel outside the marks the same draws in
// the same order, so those pixels stay as they are. Stops early, with every
// tile marked, once so much changed that the whole frame is composed anyway.
void MarkChangedDraws(const std::vector<DrawRecord>& before, const std::vector<DrawRecord>& after, TileMask& changed)
{
    size_t i = 0, j = 0;
    // The common start needs no index.
    while (i < before.size() && j < after.size() && before[i].SameAs(after[j])) ++i, ++j;
    if (i == before.size() && j == after.size()) return;
    ListScratch& s = Scratch();
    s.before.Build(before);
    s.after.Build(after);
    const int whole = changed.Total() * kWholeFramePercent / 100;
    while (i < before.size() && j < after.size()) {
        if (changed.Count() >= whole) {
            changed.MarkAll();
            return;
        }
        if (before[i].SameAs(after[j])) {
            ++i;
            ++j;
            continue;
        }
        const size_t k = s.before.Find(after[j], s.after.HashAt(j), i); // after[j] further on in before
        const size_t l = s.after.Find(before[i], s.before.HashAt(i), j); // before[i] further on in after
        const bool added = k == before.size(), dropped = l == after.size();
        if (added && dropped) { // changed where it stands
            changed.Mark(before[i++].area);
            changed.Mark(after[j++].area);
        } else if (added) {
            changed.Mark(after[j++].area);
        } else if (dropped) {
            changed.Mark(before[i++].area);
        } else if (k - i <= l - j) { // moved: skip the shorter stretch
            while (i < k) changed.Mark(before[i++].area);
        } else {
            while (j < l) changed.Mark(after[j++].area);
        }
    }
    while (i < before.size()) changed.Mark(before[i++].area);
    while (j < after.size()) changed.Mark(after[j++].area);
}

void FillCanvas(const PixelRect& r)
{
    DisplayState& d = Display();
    for (int y = r.y0; y < r.y1; ++y) {
        uint32_t* row = d.canvas.data() + static_cast<size_t>(y) * d.width;
        std::fill(row + r.x0, row + r.x1, kClearColour);
    }
}

// Clears the rectangle and composes every draw of the list that touches it.
void ComposeRect(const std::vector<DrawRecord>& list, const PixelRect& r)
{
    FillCanvas(r);
    for (const DrawRecord& draw : list) {
        if (!Intersect(draw.area, r).Empty()) ComposeDraw(draw, r);
    }
}

// The canvas becomes the one draw of a picture of itself.
void Flatten()
{
    DisplayState& d = Display();
    ResolveDrawList();
    auto base = std::make_unique<FramePixels>();
    base->words = d.canvas;
    base->serial = NextPixelSerial();
    base->list = d.list;
    DrawRecord draw;
    draw.pixels = base.get();
    draw.serial = base->serial;
    draw.width = d.width;
    draw.height = d.height;
    draw.look.op = ComposeOp::Replace;
    draw.clip = PixelRect{0, 0, d.width, d.height};
    PlaceDraw(draw);
    d.retired.push_back(std::move(base));
    d.pending.assign(1, draw);
    d.shown = d.pending;
}

} // namespace

void RecordDraw(const DrawRecord& draw)
{
    DisplayState& d = Display();
    if (d.pending.size() >= kMaxDraws) Flatten();
    const_cast<FramePixels*>(draw.pixels)->list = d.list;
    d.pending.push_back(draw);
}

void ClearDrawList()
{
    DisplayState& d = Display();
    d.pending.clear();
    d.retired.clear();
    ++d.list;
}

void InvalidateCanvas()
{
    DisplayState& d = Display();
    ClearDrawList();
    d.shown.clear();
    d.shownValid = false;
}

void ResolveDrawList()
{
    DisplayState& d = Display();
    if (!d.open || d.canvas.empty()) return;
    TileMask& changed = Scratch().changed;
    changed.Reset(d.width, d.height);
    if (d.shownValid) {
        MarkChangedDraws(d.shown, d.pending, changed);
    } else {
        changed.MarkAll();
    }
    if (!changed.Any()) {
        ++d.counts.unchanged;
    } else if (changed.Count() >= changed.Total() * kWholeFramePercent / 100) {
        ComposeRect(d.pending, PixelRect{0, 0, d.width, d.height});
        d.damage.MarkAll();
        ++d.counts.whole;
        d.counts.composedPixels += static_cast<long long>(d.width) * d.height;
    } else {
        for (const PixelRect& r : changed.Rects()) {
            ComposeRect(d.pending, r);
            d.counts.composedPixels += static_cast<long long>(r.x1 - r.x0) * (r.y1 - r.y0);
        }
        d.damage.Merge(changed);
        ++d.counts.partial;
    }
    d.shown = d.pending;
    d.shownValid = true;
}

std::unique_ptr<FramePixels> ReleaseFramePixels(std::unique_ptr<FramePixels> pixels, bool keepCopy)
{
    DisplayState& d = Display();
    if (!pixels || pixels->list != d.list) return pixels;
    std::unique_ptr<FramePixels> copy;
    if (keepCopy) {
        copy = std::make_unique<FramePixels>();
        copy->words = pixels->words;
        copy->serial = pixels->serial;
    }
    d.retired.push_back(std::move(pixels));
    return copy;
}

void ComposeWholeFrame(std::vector<uint32_t>& out)
{
    DisplayState& d = Display();
    out.assign(d.canvas.size(), kClearColour);
    if (d.canvas.empty()) return;
    std::swap(out, d.canvas);
    for (const DrawRecord& draw : d.pending) ComposeDraw(draw, PixelRect{0, 0, d.width, d.height});
    std::swap(out, d.canvas);
}
