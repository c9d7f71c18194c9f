// The language sheet: for every language a row of frames from its scripted
// session (main menu, options, a help page, a story page, the win panel),
// each at 5/16 of the screen, with the language's code down the side.
#include "art/game_paint.h"
#include "sheets/level_sheet.h"
#include "sheets/picture_io.h"

#include <stdexcept>
#include <string>

namespace sheets {

void renderLanguageSheet(const std::filesystem::path& frames, const std::filesystem::path& file) {
    const char* codes[] = {"en", "de", "fr", "es", "it", "nl", "pt", "sv"};
    const char* steps[] = {"1-menu", "3-options", "8-levelhelp", "7-story2", "10-win"};
    constexpr int kCellW = 320, kCellH = 240, kGap = 6, kSide = 44;
    const int w = kSide + 5 * (kCellW + kGap), h = 8 * (kCellH + kGap) + kGap;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.17);
    cairo_paint(cr);
    for (int row = 0; row < 8; ++row) {
        const double y = kGap + row * (kCellH + kGap);
        art::setFont(cr, art::gp::kFontText, 22);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, 8, y + kCellH / 2.0 + 8);
        cairo_show_text(cr, codes[row]);
        for (int col = 0; col < 5; ++col) {
            const auto path = frames / (std::string(codes[row]) + "-" + steps[col] + ".png");
            cairo_surface_t* pic = loadPicture(path);
            if (!pic) throw std::runtime_error("missing frame " + path.string());
            cairo_save(cr);
            cairo_translate(cr, kSide + col * (kCellW + kGap), y);
            cairo_scale(cr, static_cast<double>(kCellW) / cairo_image_surface_get_width(pic),
                        static_cast<double>(kCellH) / cairo_image_surface_get_height(pic));
            cairo_set_source_surface(cr, pic, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_surface_destroy(pic);
        }
    }
    cairo_destroy(cr);
    const auto status = cairo_surface_write_to_png(sheet, file.string().c_str());
    cairo_surface_destroy(sheet);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + file.string());
}

} // namespace sheets
