// Builds small .fmf font files in memory: PNG pictures made with libpng and
// glyph records around them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Rgba = std::array<uint8_t, 4>;

// A w x h PNG; pixel (x, y) takes colour(x, y).
std::vector<uint8_t> makePng(int w, int h, Rgba (*colour)(int x, int y));
// A w x h PNG of one colour.
std::vector<uint8_t> solidPng(int w, int h, Rgba colour);

struct FmfRecord {
    int32_t code = 65;
    std::string tag = "FACE";
    std::vector<uint8_t> png;
    // DrawOffsetX, DrawOffsetY, DrawWidth, DrawHeight, Charwidth
    std::array<int32_t, 5> metrics{0, 0, 10, 20, 12};
    std::string lineEnd = "\r\n";
};

// A record with a small solid picture of the given size.
FmfRecord glyph(int code, const std::string& tag, std::array<int32_t, 5> metrics, int w = 4, int h = 6);

std::vector<uint8_t> buildFmf(const std::vector<FmfRecord>& records);
