// Painting helpers of the screen pictures (menus, popups, backgrounds, story
// pages, roadmap, branding): landscapes of the mossy stone valley, the beetles
// and the guardians, stone panels and baked-in text. Built on the shared kit.
#pragma once
#include "art/kit.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace art::scr {

// Font files of the text baked into pictures.
extern const char* const kFontRound;     // Comfortaa Bold: titles, logo
extern const char* const kFontText;      // Lato Bold: story lines, labels
extern const char* const kFontTextBlack; // Lato Black: numbers on markers

// Small deterministic random source (xorshift) for scattering details.
class Rng {
  public:
    explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) { next(); }
    uint32_t next();
    double uniform() { return (next() >> 8) / double(1u << 24); }        // [0, 1)
    double range(double a, double b) { return a + (b - a) * uniform(); } // [a, b)
    int pick(int n) { return static_cast<int>(uniform() * n); }          // 0..n-1

  private:
    uint32_t s_;
};


// --- Text -------------------------------------------------------------------
// Width of a text in the current font.
double textWidth(cairo_t* cr, const std::string& text);
// Text with a dark rounded outline and a soft drop shadow, its centre at cx and
// its baseline at y.
void outlinedText(cairo_t* cr, const std::string& text, double cx, double y, Rgb fill, Rgb line,
                  double lineWidth, double shadow = 3.0);
// A two-colour vertical gradient fill instead of a flat one (titles, the logo).
void gradientText(cairo_t* cr, const std::string& text, double cx, double y, Rgb top, Rgb bottom, Rgb line,
                  double lineWidth, double shadow = 4.0);

// --- Surfaces and ornaments -------------------------------------------------
// One colour stop of a gradient.
struct Stop {
    double at;
    Rgb c;
};
// Fills the current path with the pattern and its stops, then destroys the
// pattern; with `preserve` the path stays for an outline.
void fillStops(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<Stop> stops, bool preserve = false);

// Outline of a rounded rectangle.
void strokeRounded(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c, double alpha,
                   double width);
// Ellipse filled with a radial gradient lit from the upper left, outlined.
void shadedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb c, double lineWidth);
// Soft drop shadow under a rounded rectangle.
void softShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread, double alpha);
// Rounded stone slab: rim of mossy stone with highlight and outline.
void stoneSlab(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base, uint32_t seed);
// Warm sandstone inset (the writing surface of panels).
void sandInset(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed);
// Moss cushions along the segment (x0, y) .. (x1, y), hanging over an edge.
void mossEdge(cairo_t* cr, double x0, double x1, double y, double size, uint32_t seed, double density = 1.0);
// One round moss cushion with highlights.
// `shade` 0..1 darkens it (old, heavy moss).
void mossCushion(cairo_t* cr, double cx, double cy, double rx, double ry, uint32_t seed, double shade = 0.0);
// A leafy sprig (two to four leaves on a curved stem).
void sprig(cairo_t* cr, double x, double y, double length, double angle, Rgb leafColour, uint32_t seed);
// A little five-petal flower.
void flower(cairo_t* cr, double x, double y, double r, Rgb petals, Rgb heart);
// Wooden plank with grain, rounded, outlined.
void woodPlank(cairo_t* cr, double x, double y, double w, double h, double r, uint32_t seed);
// Iron chain from (x0, y0) to (x1, y1) with links of the given length.
void chain(cairo_t* cr, double x0, double y0, double x1, double y1, double link);

// --- Characters ---------------------------------------------------------------
// The beetles come in four colours, one per kind (index 1..4).
Rgb beetleColour(int kind);
// A friendly beetle centred at (x, y), facing up at angle 0 (radians), body size s.
void beetle(cairo_t* cr, double x, double y, double s, int kind, double angle = 0.0, bool happy = true);
// One of the four guardians of the valley (kind 1..4): a round mossy creature,
// asleep (eyes closed, "z") or awake.
void guardian(cairo_t* cr, double x, double y, double s, int kind, bool awake);

// The game's logo "Varnoka" on its mossy plinth, centred at (cx, cy); at scale 1
// it fills 460 x 230 pixels.
void gameLogo(cairo_t* cr, double cx, double cy, double scale);

// --- Landscapes ---------------------------------------------------------------
// Look of one scene of the valley.
struct Scene {
    double season = 0.3;      // 0 early spring .. 1 first snow
    double dusk = 0.0;        // 0 midday .. 1 sunset
    double night = 0.0;       // 0 day .. 1 night
    double moss = 0.0;        // 0 clean gardens .. 1 overgrown (dark moss everywhere)
    double horizon = 330;     // y of the far hills' foot
    int terraces = 2;         // stone-walled terraces in the middle ground
    bool arches = false;      // ruined arches on the hills
    bool pond = false;        // a pond in the foreground
    bool gate = false;        // an old gate on the hilltop
    bool waterfall = false;   // a waterfall from the far hills
    bool columns = false;     // the columns of an old temple on the first terrace
    bool stoneCircle = false; // a ring of standing stones in the middle ground
    bool lanterns = false;    // glowing stone lanterns along the path
    bool conifers = false;    // firs among the round trees
    uint32_t seed = 1;
};

Rgb grassColour(double season);
Rgb foliageColour(double season, double variant);
// Paints a whole 1024 x 768 landscape into the canvas.
void paintLandscape(Canvas& canvas, const Scene& scene);
// Calms the board area of a game background: darker and less saturated inside
// x 32..991, y 74..693, feathered at the edges.
void calmBoardArea(Canvas& canvas, double darken, double desaturate);
// A painted surface's texture: soft brush blotches and a fine canvas weave
// over an opaque picture.
void canvasTexture(Canvas& canvas, double strength, uint32_t seed);
// Raises every channel to at least `floor`: pictures without alpha have pure
// black keyed out when loaded with the default flags.
void liftBlacks(Canvas& canvas, int floor);
// Parchment ribbon with one or two centred lines of text (story pages).
void storyBanner(cairo_t* cr, double cy, const std::vector<std::string>& lines);

} // namespace art::scr
