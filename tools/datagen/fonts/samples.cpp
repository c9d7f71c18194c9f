// Review sheets of the bitmap fonts: each .fmf file is read back as the game
// reads it and drawn the way the game draws text (shadow, border and face
// passes, pen advanced by the face's Charwidth plus the font's kerning), on a
// dark and a light ground, in mock-ups of the places the font is used.
#include "art/kit.h"
#include "fonts/fmf.h"
#include "fonts/fonts.h"

#include <string>

namespace fonts {

namespace {

struct Sample {
    const ReadFont& font;
    double hkf;
    bool shadow, border;
};

void blit(cairo_t* cr, const Rgba& pic, double x, double y) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pic.w, pic.h);
    cairo_surface_flush(s);
    uint8_t* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int py = 0; py < pic.h; ++py)
        for (int px = 0; px < pic.w; ++px) {
            const uint8_t* p = pic.at(px, py);
            uint32_t a = p[3];
            uint32_t v = a << 24 | (p[0] * a / 255) << 16 | (p[1] * a / 255) << 8 | (p[2] * a / 255);
            *reinterpret_cast<uint32_t*>(data + py * stride + px * 4) = v;
        }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

int textWidth(const Sample& f, const std::string& text) {
    int width = 0, last = -1;
    for (unsigned char c : text) {
        auto it = f.font.face.find(c);
        if (it == f.font.face.end()) continue;
        last = c;
        width = static_cast<int>(width + it->second.charWidth + f.hkf);
    }
    if (last >= 0) width += f.font.face.at(last).drawW - f.font.face.at(last).charWidth;
    return width;
}

void pass(cairo_t* cr, const Sample& f, const std::map<int, ReadLayer>& layer, bool isFace, const std::string& text,
          double x, double y) {
    double pen = x;
    for (unsigned char c : text) {
        auto face = f.font.face.find(c);
        auto it = layer.find(c);
        if (it == layer.end()) continue;
        if (isFace) blit(cr, it->second.pic, pen, y);
        else blit(cr, it->second.pic, pen + it->second.offX, y + it->second.offY);
        if (face != f.font.face.end()) pen += face->second.charWidth + f.hkf;
    }
}

void drawText(cairo_t* cr, const Sample& f, const std::string& text, double x, double y) {
    if (f.shadow) pass(cr, f, f.font.shadow, false, text, x, y);
    if (f.border) pass(cr, f, f.font.border, false, text, x, y);
    pass(cr, f, f.font.face, true, text, x, y);
}

void drawCentred(cairo_t* cr, const Sample& f, const std::string& text, double cx, double y) {
    drawText(cr, f, text, cx - textWidth(f, text) / 2, y);
}

// Latin-1 text as the game's text table stores it.
std::string latin1(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = utf8[i];
        if (c >= 0xC0 && i + 1 < utf8.size()) out += static_cast<char>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
        else out += static_cast<char>(c);
    }
    return out;
}

void mockButton(cairo_t* cr, const Sample& f, const std::string& label, double x, double y) {
    art::roundedRect(cr, x - 110, y - 22, 220, 44, 14);
    art::fillVertical(cr, y - 22, y + 22, art::pal::leaf, art::pal::mossDark);
    drawCentred(cr, f, label, x - 2, y - 26);
}

// One band of the sheet: every glyph, then the font in mock-ups of its places.
void band(cairo_t* cr, const Sample& f, const std::string& name, int top, int lh) {
    double x = 16, y = top + 12;
    for (int c : fontCodes()) {
        std::string one(1, static_cast<char>(c));
        int w = textWidth(f, one) + static_cast<int>(f.hkf) + 4;
        if (x + w > 1008) {
            x = 16;
            y += lh + 2;
        }
        drawText(cr, f, one, x, y);
        x += w;
    }
    y += lh + 16;
    if (name == "me_button2.fmf") {
        mockButton(cr, f, "PLAY", 140, y + 26);
        mockButton(cr, f, "NEW PLAYER", 390, y + 26);
        mockButton(cr, f, "OPTIONS", 640, y + 26);
        mockButton(cr, f, latin1("ZURÜCK"), 890, y + 26);
    } else if (name == "me_headbar.fmf") {
        cairo_rectangle(cr, 0, y, 1024, 60);
        art::fillVertical(cr, y, y + 60, art::pal::wood, art::pal::earth);
        drawText(cr, f, "37", 112, y + 13);
        drawText(cr, f, "00:12:34", 238, y + 13);
        drawCentred(cr, f, "12450", 840, y + 13);
        for (int i = 1; i <= 5; ++i) drawCentred(cr, f, i == 3 ? "--" : std::to_string(i * 7), 362 + 50 * i, y + 39);
    } else {
        drawText(cr, f, latin1("WELCOME MARGARETE! Äpfel, Öl & Übermut"), 16, y);
        drawText(cr, f, latin1("The moss is gone! Façade, naïve, 1234567890"), 16, y + lh + 4);
    }
}

int bandHeight(const Sample& f, int lh) {
    double x = 16;
    int rows = 1;
    for (int c : fontCodes()) {
        int w = textWidth(f, std::string(1, static_cast<char>(c))) + static_cast<int>(f.hkf) + 4;
        if (x + w > 1008) {
            x = 16;
            ++rows;
        }
        x += w;
    }
    return 12 + rows * (lh + 2) + 16 + std::max(2 * lh + 4, 80) + 12;
}

} // namespace

// Draws the review sheet of a written font file, read back as the game reads it.
void writeFontSheet(const std::filesystem::path& fmf, const std::filesystem::path& png) {
    ReadFont font = readFmf(fmf);
    std::string n = fmf.filename().string();
    double hkf = n == "me_titel.fmf" ? 3 : (n == "me_dialog.fmf" || n == "me_text_24.fmf" || n == "me_headbar.fmf") ? 1 : 0;
    bool shadowOn = !(n == "me_button2.fmf" || n == "me_dialog.fmf" || n == "me_headbar.fmf");
    Sample f{font, hkf, shadowOn, true};
    int lh = font.face.at(32).drawH;
    int bh = bandHeight(f, lh);
    art::Canvas canvas(1024, 2 * bh);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, 0, 0, 1024, bh);
    art::fillVertical(cr, 0, bh, art::pal::mossDark, art::pal::earth);
    cairo_rectangle(cr, 0, bh, 1024, bh);
    art::fillVertical(cr, bh, 2 * bh, art::pal::cream, art::pal::stoneLight);
    band(cr, f, n, 0, lh);
    band(cr, f, n, bh, lh);
    canvas.savePng(png);
}

} // namespace fonts
