#include "kit.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace art {

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb lighter(Rgb c, double t) { return mix(c, {1, 1, 1}, t); }
Rgb darker(Rgb c, double t) { return mix(c, {0, 0, 0}, t); }

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

// Cairo keeps premultiplied ARGB; pictures are written as straight RGBA.
static void straightRgba(uint32_t p, uint8_t rgba[4]) {
    uint32_t a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    if (a > 0 && a < 255) {
        r = std::min<uint32_t>(255, r * 255 / a);
        g = std::min<uint32_t>(255, g * 255 / a);
        b = std::min<uint32_t>(255, b * 255 / a);
    }
    rgba[0] = static_cast<uint8_t>(r);
    rgba[1] = static_cast<uint8_t>(g);
    rgba[2] = static_cast<uint8_t>(b);
    rgba[3] = static_cast<uint8_t>(a);
}

void Canvas::pixel(int x, int y, uint8_t rgba[4]) const {
    cairo_surface_flush(surface_);
    const uint8_t* data = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    straightRgba(*reinterpret_cast<const uint32_t*>(data + y * stride + x * 4), rgba);
}

void Canvas::savePng(const std::filesystem::path& path) const {
    std::filesystem::create_directories(path.parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.string());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        throw std::runtime_error("png error " + path.string());
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, width_, height_, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    cairo_surface_flush(surface_);
    const uint8_t* data = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    std::vector<uint8_t> row(width_ * 4);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) straightRgba(src[x], &row[x * 4]);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

void Canvas::saveJpeg(const std::filesystem::path& path, int quality) const {
    std::filesystem::create_directories(path.parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.string());
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = width_;
    cinfo.image_height = height_;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(width_ * 3);
    uint8_t px[4];
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = cinfo.next_scanline;
        for (int x = 0; x < width_; ++x) {
            pixel(x, y, px);
            // Transparent areas become black, as a picture without alpha would show them.
            row[x * 3] = static_cast<uint8_t>(px[0] * px[3] / 255);
            row[x * 3 + 1] = static_cast<uint8_t>(px[1] * px[3] / 255);
            row[x * 3 + 2] = static_cast<uint8_t>(px[2] * px[3] / 255);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
}

void setColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
}

void glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 0.4, c.r, c.g, c.b, alpha * 0.45);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

double lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double noise2(double x, double y, uint32_t seed) {
    int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    double fx = x - xi, fy = y - yi;
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double a = lattice(xi, yi, seed), b = lattice(xi + 1, yi, seed);
    double c = lattice(xi, yi + 1, seed), d = lattice(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

void paintGrain(cairo_t* cr, double x, double y, double w, double h, Rgb c, double strength, uint32_t seed) {
    int n = static_cast<int>(w * h / 60);
    for (int i = 0; i < n; ++i) {
        double px = x + lattice(i, 1, seed) * w, py = y + lattice(i, 2, seed) * h;
        double r = 1.0 + lattice(i, 3, seed) * 3.0;
        setColor(cr, c, strength * lattice(i, 4, seed));
        cairo_arc(cr, px, py, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

void setFont(cairo_t* cr, const std::string& file, double size) {
    // FreeType faces and their Cairo wrappers live for the whole run.
    static std::mutex lock;
    static FT_Library library = nullptr;
    static std::map<std::string, cairo_font_face_t*> faces;
    std::lock_guard<std::mutex> guard(lock);
    if (!library && FT_Init_FreeType(&library)) throw std::runtime_error("freetype init failed");
    auto it = faces.find(file);
    if (it == faces.end()) {
        FT_Face face;
        if (FT_New_Face(library, file.c_str(), 0, &face)) throw std::runtime_error("cannot open font " + file);
        it = faces.emplace(file, cairo_ft_font_face_create_for_ft_face(face, 0)).first;
    }
    cairo_set_font_face(cr, it->second);
    cairo_set_font_size(cr, size);
}

} // namespace art
