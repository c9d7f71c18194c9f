// Text helpers of the UI kit: centred multi-line text, the clock and the level
// labels.
#include "app/ui.h"

#include "bitmapfont/bitmapfont.h"
#include "persist/language.h"

int drawCenteredLines(const std::string& text, TBitmapFont& font, int cx, int y) {
    const std::vector<std::string> lines = SplitOn(text, "%n");
    const int lineHeight = font.GetFontHeight();
    const int top = y + static_cast<int>(font.Kerning.GetVKerning());
    for (size_t i = 0; i < lines.size(); ++i) {
        const int half = font.GetTxtWidth(Trim(lines[i])) / 2;
        font.DrawText(lines[i], static_cast<float>(cx - half),
                      static_cast<float>(top + static_cast<int>(i) * lineHeight), 1, 0);
    }
    return 0;
}

std::string formatClock(int seconds) {
    const int h = seconds / 3600;
    const int m = (seconds / 60) % 60;
    const int r = seconds % 60;
    return std::to_string(h / 10) + std::to_string(h % 10) + ":" + std::to_string(m / 10) +
           std::to_string(m % 10) + ":" + std::to_string(r / 10) + std::to_string(r % 10);
}

int weekOf(int level) {
    if (level < 1 || level > 100) return -1;
    return (level - 1) / 10 + 1;
}

int gameInWeek(int level) {
    const int g = level % 10;
    return g == 0 ? 10 : g;
}

std::string levelLabel(int level) {
    return gLang.getValue("week") + " " + std::to_string(weekOf(level)) + " - " + gLang.getValue("game") +
           " " + std::to_string(gameInWeek(level));
}
