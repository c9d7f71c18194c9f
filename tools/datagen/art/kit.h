// Shared drawing kit of the picture families: a Cairo canvas with deterministic
// PNG and JPEG output, the game's palette and a few painting helpers.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace art {

struct Rgb {
    double r, g, b;
};

// One palette across every screen: warm, bright greens, mossy stone, sunlit gold.
namespace pal {
constexpr Rgb moss{0.36, 0.62, 0.20};
constexpr Rgb mossDark{0.18, 0.38, 0.12};
constexpr Rgb leaf{0.55, 0.78, 0.30};
constexpr Rgb stone{0.62, 0.58, 0.52};
constexpr Rgb stoneDark{0.36, 0.33, 0.30};
constexpr Rgb stoneLight{0.82, 0.79, 0.72};
constexpr Rgb earth{0.45, 0.32, 0.20};
constexpr Rgb wood{0.58, 0.40, 0.22};
constexpr Rgb gold{0.98, 0.80, 0.30};
constexpr Rgb cream{0.99, 0.95, 0.84};
constexpr Rgb sky{0.60, 0.82, 0.95};
constexpr Rgb outline{0.20, 0.14, 0.10};
// The five piece kinds (each also has its own shape).
constexpr Rgb piece1{0.90, 0.22, 0.20}; // red
constexpr Rgb piece2{0.98, 0.75, 0.15}; // yellow
constexpr Rgb piece3{0.25, 0.55, 0.92}; // blue
constexpr Rgb piece4{0.35, 0.75, 0.25}; // green
constexpr Rgb piece5{0.65, 0.35, 0.85}; // purple
} // namespace pal

Rgb mix(Rgb a, Rgb b, double t);
Rgb lighter(Rgb c, double t); // towards white
Rgb darker(Rgb c, double t);  // towards black

class Canvas {
  public:
    Canvas(int width, int height); // transparent ARGB canvas
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Straight (not premultiplied) RGBA of pixel (x, y).
    void pixel(int x, int y, uint8_t rgba[4]) const;
    // Calls f(x, y, p) for every pixel, row by row; p is cairo's premultiplied
    // 0xAARRGGBB word and may be changed in place.
    template <class F>
    void editPixels(F&& f);
    void savePng(const std::filesystem::path& path) const;
    void saveJpeg(const std::filesystem::path& path, int quality = 90) const; // drops alpha

  private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

template <class F>
void Canvas::editPixels(F&& f) {
    cairo_surface_flush(surface_);
    uint8_t* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) f(x, y, row[x]);
    }
    cairo_surface_mark_dirty(surface_);
}

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills the current path with a vertical gradient from top to bottom colour.
void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
// A soft radial glow (for flashes, halos): colour at the centre fading to nothing.
void glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha = 1.0);
// A repeatable random number in [0, 1) for each lattice point and seed.
double lattice(int x, int y, uint32_t seed);
// Deterministic value noise in [0, 1) for textures, seeded per picture.
double noise2(double x, double y, uint32_t seed);
// Scatters soft dabs over the current clip to give painted surfaces some grain.
void paintGrain(cairo_t* cr, double x, double y, double w, double h, Rgb c, double strength, uint32_t seed);
// Sets a font from Debian's free fonts for text baked into pictures
// (family "Comfortaa" or "Lato", bold or regular).
void setFont(cairo_t* cr, const std::string& file, double size);

} // namespace art
