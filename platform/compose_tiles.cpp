// The canvas cut into tiles: which ones changed, and those as rectangles.
#include <algorithm>

#include "platform/sdl_internal.h"

void TileMask::Reset(int width, int height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    cols_ = (width_ + kTile - 1) / kTile;
    rows_ = (height_ + kTile - 1) / kTile;
    bits_.assign(static_cast<size_t>(cols_) * rows_, 0);
    count_ = 0;
}

void TileMask::Clear()
{
    std::fill(bits_.begin(), bits_.end(), uint8_t(0));
    count_ = 0;
}

void TileMask::MarkAll()
{
    std::fill(bits_.begin(), bits_.end(), uint8_t(1));
    count_ = Total();
}

void TileMask::Mark(const PixelRect& r)
{
    const PixelRect c = Intersect(r, PixelRect{0, 0, width_, height_});
    if (c.Empty()) return;
    const int c0 = c.x0 / kTile, c1 = (c.x1 - 1) / kTile, r0 = c.y0 / kTile, r1 = (c.y1 - 1) / kTile;
    for (int row = r0; row <= r1; ++row) {
        uint8_t* line = bits_.data() + static_cast<size_t>(row) * cols_;
        for (int c = c0; c <= c1; ++c) {
            count_ += 1 - line[c];
            line[c] = 1;
        }
    }
}

void TileMask::Merge(const TileMask& other)
{
    if (other.bits_.size() != bits_.size()) {
        MarkAll();
        return;
    }
    for (size_t i = 0; i < bits_.size(); ++i) {
        count_ += other.bits_[i] & (1 - bits_[i]);
        bits_[i] |= other.bits_[i];
    }
}

std::vector<PixelRect> TileMask::Rects() const
{
    // Runs of marked tiles in each row; a run that covers the same columns as
    // one in the row above makes that rectangle taller.
    struct Run {
        int c0, c1;
        size_t rect;
    };
    std::vector<PixelRect> rects;
    std::vector<Run> above, here;
    for (int row = 0; row < rows_; ++row) {
        here.clear();
        const uint8_t* line = bits_.data() + static_cast<size_t>(row) * cols_;
        for (int c = 0; c < cols_;) {
            if (!line[c]) {
                ++c;
                continue;
            }
            const int c0 = c;
            while (c < cols_ && line[c]) ++c;
            const auto same =
                std::find_if(above.begin(), above.end(), [&](const Run& r) { return r.c0 == c0 && r.c1 == c; });
            size_t index;
            if (same != above.end()) {
                index = same->rect;
                rects[index].y1 = std::min((row + 1) * kTile, height_);
            } else {
                index = rects.size();
                rects.push_back(PixelRect{c0 * kTile, row * kTile, std::min(c * kTile, width_),
                                          std::min((row + 1) * kTile, height_)});
            }
            here.push_back(Run{c0, c, index});
        }
        std::swap(above, here);
    }
    return rects;
}
