#include "audio/wavesheet.h"

#include "art/kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace audio {

void writeWaveSheet(const std::filesystem::path& png,
                    const std::vector<std::pair<std::string, std::vector<float>>>& effects, int rate) {
    const int rowH = 44, left = 180, width = 1024, plotW = width - left - 16;
    double longest = 0;
    for (const auto& e : effects) longest = std::max(longest, static_cast<double>(e.second.size()) / rate);
    const double pxPerSecond = plotW / longest;
    art::Canvas canvas(width, 20 + rowH * static_cast<int>(effects.size()));
    cairo_t* cr = canvas.cr();
    art::setColor(cr, art::pal::cream);
    cairo_paint(cr);
    art::setFont(cr, "/usr/share/fonts/truetype/lato/Lato-Bold.ttf", 13);
    for (size_t i = 0; i < effects.size(); ++i) {
        const auto& [name, pcm] = effects[i];
        double top = 10 + rowH * static_cast<double>(i), mid = top + rowH / 2.0, half = rowH / 2.0 - 3;
        float peak = 0;
        for (float v : pcm) peak = std::max(peak, std::fabs(v));
        char label[96];
        std::snprintf(label, sizeof label, "%s  %.2f s  %.1f dB", name.c_str(), static_cast<double>(pcm.size()) / rate,
                      20 * std::log10(std::max(peak, 1e-6f)));
        art::setColor(cr, art::pal::outline);
        cairo_move_to(cr, 8, mid + 5);
        cairo_show_text(cr, label);
        // -3 dBFS guides and the centre line.
        art::setColor(cr, art::pal::stone, 0.6);
        cairo_set_line_width(cr, 1);
        for (double y : {mid - half * 0.708, mid + half * 0.708, mid}) {
            cairo_move_to(cr, left, std::floor(y) + 0.5);
            cairo_line_to(cr, left + plotW, std::floor(y) + 0.5);
        }
        cairo_stroke(cr);
        art::setColor(cr, art::pal::mossDark);
        int columns = static_cast<int>(std::ceil(pcm.size() * pxPerSecond / rate));
        for (int x = 0; x < columns; ++x) {
            size_t a = static_cast<size_t>(x / pxPerSecond * rate), b = std::min(pcm.size(), static_cast<size_t>((x + 1) / pxPerSecond * rate));
            float lo = 0, hi = 0;
            for (size_t k = a; k < b; ++k) {
                lo = std::min(lo, pcm[k]);
                hi = std::max(hi, pcm[k]);
            }
            cairo_rectangle(cr, left + x, mid - hi * half, 1, std::max(1.0, (hi - lo) * half));
        }
        cairo_fill(cr);
    }
    canvas.savePng(png);
}

} // namespace audio
