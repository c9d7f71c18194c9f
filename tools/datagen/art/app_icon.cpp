// The game's icon: a beetle on a round leaf. One drawing makes the window icon
// (icon32.ico) and the icons of the desktop's application menu, as PNG in the
// hicolor sizes and as SVG.
#include "art/beetle.h"
#include "family.h"

#include <cairo-svg.h>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

using namespace art;
using namespace art::gp;

// The icon's name on the desktop: the application's id.
const char* const kIconName = "org.tellgrave.varnoka";
const int kMenuSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kSvgSize = 128;

// The drawing, designed on a 32 x 32 grid and scaled to size x size.
void paintIcon(cairo_t* cr, double size) {
    cairo_save(cr);
    cairo_scale(cr, size / 32, size / 32);
    cairo_arc(cr, 16, 16, 15, 0, 2 * M_PI);
    glossyFill(cr, 16, 16, 15, pal::leaf, 1.4);
    beetleTop(cr, 16, 17, 25, beetleColour(1), 1);
    cairo_restore(cr);
}

// An icon file with one 32 x 32 PNG entry.
void writeIco(const std::filesystem::path& path) {
    Canvas c(32, 32);
    paintIcon(c.cr(), 32);
    std::vector<uint8_t> png = pngBytes(c);
    uint8_t header[22] = {0,  0,  1, 0, 1, 0, // reserved, type icon, one image
                          32, 32, 0, 0, 1, 0, 32, 0};
    uint32_t size = static_cast<uint32_t>(png.size()), offset = 22;
    for (int i = 0; i < 4; ++i) {
        header[14 + i] = static_cast<uint8_t>(size >> (8 * i));
        header[18 + i] = static_cast<uint8_t>(offset >> (8 * i));
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.string());
    std::fwrite(header, 1, sizeof header, f);
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);
}

void writeSvg(const std::filesystem::path& path) {
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kSvgSize, kSvgSize);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    paintIcon(cr, kSvgSize);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + path.string());
}

void makeIcons(const datagen::Context& ctx) {
    writeIco(ctx.file("icon32.ico"));
    const std::string name = std::string("/apps/") + kIconName;
    for (int size : kMenuSizes) {
        const std::string folder = "icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size);
        renderPicture(ctx.desktopFile(folder + name + ".png"), size, size,
                      [&](Canvas& c) { paintIcon(c.cr(), size); });
    }
    writeSvg(ctx.desktopFile("icons/hicolor/scalable" + name + ".svg"));
}

} // namespace

DATAGEN_FAMILY("appicon", makeIcons);
