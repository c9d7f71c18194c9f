// The seven bitmap fonts of the game, each sized for the places it is drawn:
// the title font for the menu's welcome line and the pause overlay, the button
// font for labels on 44-pixel buttons (label top 26 pixels above the button
// centre), the text font for body text and popup rows, the dialog font for
// popup titles, the win font for the win title, the 24-pixel text font for the
// longer help texts and small labels, and the head-bar font for the numbers in
// the 60-pixel bar at the top of the game screen.
#include "family.h"
#include "fonts/fmf.h"
#include "fonts/fonts.h"


namespace fonts {

namespace {
const std::string kComfortaa = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf";
const std::string kLatoBold = "/usr/share/fonts/truetype/lato/Lato-Bold.ttf";
const std::string kLatoBlack = "/usr/share/fonts/truetype/lato/Lato-Black.ttf";

constexpr Colour kWhite{1.0, 1.0, 1.0};
constexpr Colour kCream{1.0, 0.92, 0.74};
constexpr Colour kBark{0.26, 0.15, 0.08};   // dark warm brown border
constexpr Colour kEarth{0.30, 0.19, 0.10};  // a touch lighter for small text
} // namespace

const std::vector<FontStyle>& fontStyles() {
    static const std::vector<FontStyle> styles = {
        // file, outline, size, border, shadow dx, dy, blur, alpha, capCentre, tracking, colours
        {"me_titel.fmf", kComfortaa, 40, 3.0, 3, 3, 3, 0.60, 0, 0, kWhite, kCream, kBark},
        {"me_button2.fmf", kLatoBlack, 21, 2.0, 2, 2, 2, 0.55, 24, 1, kWhite, kCream, kBark},
        {"me_text.fmf", kLatoBold, 24, 2.0, 2, 2, 2, 0.50, 0, 0, kWhite, kCream, kEarth},
        {"me_dialog.fmf", kComfortaa, 28, 2.5, 2, 2, 2, 0.55, 0, 0, kWhite, kCream, kBark},
        {"me_win.fmf", kComfortaa, 50, 3.0, 3, 4, 4, 0.60, 0, 0, kWhite, kCream, kBark},
        {"me_text_24.fmf", kLatoBold, 20, 2.0, 2, 2, 2, 0.50, 0, 0, kWhite, kCream, kEarth},
        {"me_headbar.fmf", kComfortaa, 24, 2.5, 2, 2, 2, 0.55, 0, 0, kWhite, kCream, kBark},
    };
    return styles;
}

namespace {

// Renders every font, then reads each file back into a review sheet under
// review/fonts/ (which also proves that the file reads as the game reads it).
void makeFonts(const datagen::Context& ctx) {
    for (const FontStyle& style : fontStyles()) {
        auto path = ctx.file("data/fonts/" + style.file);
        writeFmf(path, renderFont(style));
        std::string stem = style.file.substr(0, style.file.size() - 4);
        writeFontSheet(path, ctx.file("review/fonts/" + stem + ".png"));
    }
}

} // namespace

DATAGEN_FAMILY("fonts", makeFonts);

} // namespace fonts
