#include "music/pianoroll.h"

#include "art/kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace music {

void writePianoRoll(const std::filesystem::path& png, const std::vector<Song>& songs) {
    const int width = 1024, panelH = 250, left = 10, top = 24, lowKey = 28, highKey = 100;
    const double keyH = static_cast<double>(panelH - top - 8) / (highKey - lowKey);
    const art::Rgb partColour[] = {art::pal::piece1, art::pal::piece3, art::pal::piece4,
                                   art::pal::earth,  art::pal::piece5, art::pal::stoneDark};
    art::Canvas canvas(width, panelH * static_cast<int>(songs.size()));
    cairo_t* cr = canvas.cr();
    art::setColor(cr, art::pal::cream);
    cairo_paint(cr);
    for (size_t i = 0; i < songs.size(); ++i) {
        const Song& s = songs[i];
        double y0 = panelH * static_cast<double>(i), plotW = width - 2 * left;
        double pxPerBeat = plotW / s.lengthBeats;
        char title[128];
        std::snprintf(title, sizeof title, "%s  %.0f bpm  %d/4  %.1f s  (melody red, ch1 blue, ch2 green, bass brown, ch4 purple, drums grey)",
                      s.name.c_str(), s.bpm, s.beatsPerBar, s.lengthBeats * 60 / s.bpm);
        art::setColor(cr, art::pal::outline);
        art::setFont(cr, "/usr/share/fonts/truetype/lato/Lato-Bold.ttf", 13);
        cairo_move_to(cr, left, y0 + 16);
        cairo_show_text(cr, title);
        art::setColor(cr, art::pal::stone, 0.5);
        cairo_set_line_width(cr, 1);
        for (double b = 0; b <= s.lengthBeats + 1e-9; b += s.beatsPerBar) {
            double x = std::floor(left + b * pxPerBeat) + 0.5;
            cairo_move_to(cr, x, y0 + top);
            cairo_line_to(cr, x, y0 + panelH - 8);
        }
        cairo_stroke(cr);
        for (const Note& n : s.notes) {
            int part = n.ch == 9 ? 5 : std::min(n.ch, 4);
            int key = n.ch == 9 ? lowKey + (n.key - 35) / 4 : n.key; // drums in a band at the bottom
            if (key < lowKey || key > highKey) continue;
            art::setColor(cr, partColour[part], 0.35 + 0.6 * n.vel / 127.0);
            cairo_rectangle(cr, left + n.beat * pxPerBeat, y0 + top + (highKey - key) * keyH,
                            std::max(1.0, n.len * pxPerBeat - 0.5), std::max(1.5, keyH));
            cairo_fill(cr);
        }
    }
    canvas.savePng(png);
}

} // namespace music
