#include "tests/bitmapfont/fmf_fixture.h"

#include "tests/harness/harness.h"

namespace {

void appendInt(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

void appendText(std::vector<uint8_t>& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

Rgba gSolid;
Rgba solidColour(int, int) { return gSolid; }

} // namespace

std::vector<uint8_t> makePng(int w, int h, Rgba (*colour)(int x, int y)) {
    std::vector<uint8_t> rgba(size_t(w) * h * 4);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const Rgba c = colour(x, y);
            for (int k = 0; k < 4; k++) rgba[(size_t(y) * w + x) * 4 + k] = c[k];
        }
    }
    return harness::encodePng(w, h, rgba);
}

std::vector<uint8_t> solidPng(int w, int h, Rgba colour) {
    gSolid = colour;
    return makePng(w, h, solidColour);
}

FmfRecord glyph(int code, const std::string& tag, std::array<int32_t, 5> metrics, int w, int h) {
    FmfRecord r;
    r.code = code;
    r.tag = tag;
    r.metrics = metrics;
    r.png = solidPng(w, h, {255, 255, 255, 255});
    return r;
}

std::vector<uint8_t> buildFmf(const std::vector<FmfRecord>& records) {
    std::vector<uint8_t> out;
    for (const FmfRecord& r : records) {
        appendInt(out, r.code);
        appendText(out, r.tag + r.lineEnd);
        appendInt(out, 0x1234);
        out.insert(out.end(), r.png.begin(), r.png.end());
        appendText(out, r.lineEnd);
        appendInt(out, 0x5678);
        for (int32_t m : r.metrics) appendInt(out, m);
        appendText(out, r.lineEnd);
    }
    return out;
}
