#include "rgba.h"

#include <png.h>

#include <stdexcept>

namespace fonts {

namespace {
void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}
void noFlush(png_structp) {}
} // namespace

std::string encodePng(const Rgba& pic) {
    if (pic.w <= 0 || pic.h <= 0) throw std::runtime_error("empty glyph picture");
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!png || !info) throw std::runtime_error("libpng: out of memory");
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng: cannot encode a glyph");
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_IHDR(png, info, pic.w, pic.h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < pic.h; ++y) png_write_row(png, const_cast<png_bytep>(pic.at(0, y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace fonts
