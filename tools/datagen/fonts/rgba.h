// Straight-alpha RGBA pictures of the font pipeline and their PNG encoding.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fonts {

struct Rgba {
    int w = 0, h = 0;
    std::vector<uint8_t> px; // w * h * 4, straight (not premultiplied) alpha
    Rgba() = default;
    Rgba(int width, int height) : w(width), h(height), px(static_cast<size_t>(width) * height * 4, 0) {}
    uint8_t* at(int x, int y) { return &px[(static_cast<size_t>(y) * w + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &px[(static_cast<size_t>(y) * w + x) * 4]; }
};

// A complete PNG file (signature through IEND), 8-bit RGBA, no time stamp.
std::string encodePng(const Rgba& pic);

} // namespace fonts
