#include "tests/bitmapfont/fmf_fixture.h"

#include <png.h>

#include <stdexcept>

namespace {

void appendInt(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

void appendText(std::vector<uint8_t>& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

void writeToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

Rgba gSolid;
Rgba solidColour(int, int) { return gSolid; }

} // namespace

std::vector<uint8_t> makePng(int w, int h, Rgba (*colour)(int x, int y)) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("png write failed");
    }
    png_set_write_fn(png, &out, writeToVector, nullptr);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(size_t(w) * 4);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const Rgba c = colour(x, y);
            for (int k = 0; k < 4; k++) row[size_t(x) * 4 + k] = c[k];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
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
