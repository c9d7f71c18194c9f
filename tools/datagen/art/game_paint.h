// Painting helpers of the game-screen pictures (board, pieces, effects, power-up
// creatures, HUD): per-pixel painting, tileable noise, glossy shapes and baked
// text. Built on the shared kit; everything here is deterministic.
#pragma once
#include "art/kit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art::gp {

// Font files of the text baked into game pictures.
extern const char* const kFontRound; // Comfortaa Bold
extern const char* const kFontText;  // Lato Black

// Small deterministic random source for scattering details.
class Rng {
  public:
    explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 0x6D2B79F5u) { next(); }
    uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    double uniform() { return (next() >> 8) / double(1u << 24); }
    double range(double a, double b) { return a + (b - a) * uniform(); }

  private:
    uint32_t s_;
};

// Straight (not premultiplied) RGBA with components 0..1.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};

// Sets every pixel of the canvas from f(x, y), evaluated at pixel (x, y).
void paintPixels(Canvas& canvas, const std::function<Rgba(int x, int y)>& f);

// Value noise that repeats every `period` lattice steps in x and y, in [0, 1).
double tileNoise(double x, double y, int period, uint32_t seed);
// Three octaves of tileable noise over a tile of `tile` pixels (seamless when the
// picture is placed on a grid of that size).
double tileFbm(double x, double y, double tile, uint32_t seed);

double clamp01(double v);
double smoothstep(double e0, double e1, double x);

// The canvas encoded as PNG in memory (for the icon file).
std::vector<uint8_t> pngBytes(const Canvas& canvas);

// Fills the current path with a glossy body: radial gradient lit from the upper
// left, a darker rim and a gentle outline (none when outlineWidth is 0). The
// path is consumed.
void glossyFill(cairo_t* cr, double cx, double cy, double radius, Rgb base, double outlineWidth = 2.0);
// A soft white highlight ellipse (the shine of a glossy body).
void shine(cairo_t* cr, double cx, double cy, double rx, double ry, double angle, double alpha);
// Soft drop shadow of an ellipse.
void shadowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);
// Paints a new width x height canvas and saves it as PNG.
void renderPicture(const std::filesystem::path& path, int width, int height, const std::function<void(Canvas&)>& paint);
// Text with a rounded outline, its centre at cx and its baseline at y.
void outlinedText(cairo_t* cr, const std::string& text, double cx, double y, Rgb fill, Rgb line, double lineWidth);
// A 4-pointed sparkle.
void sparkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha);
// One cushion of moss of radius r, lit from the upper left, with a dark underside.
void mossCushion(cairo_t* cr, double x, double y, double r, Rng& rng);
// Adds an ellipse (radii rx, ry, turned by `angle` radians) as a new sub-path.
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0);
// Closed star path with n points (outer radius r1, inner r0), rotated by `rot` radians.
void starPath(cairo_t* cr, double cx, double cy, int n, double r1, double r0, double rot);
// Closed path with rounded corners through the given points.
void roundedPolygon(cairo_t* cr, const std::vector<std::pair<double, double>>& pts, double radius);

} // namespace art::gp
