#include "tests/content/levelfixture.h"

#include <cstdio>

namespace contenttest {

GridText& GridText::set(int row, int col, char c) {
    rows.at(row - 1).at(col - 1) = c;
    return *this;
}

GridText& GridText::fill(int row0, int row1, int col0, int col1, char c) {
    for (int r = row0; r <= row1; ++r)
        for (int k = col0; k <= col1; ++k) set(r, k, c);
    return *this;
}

std::string GridText::text() const {
    std::string s = "# test board\n";
    for (const auto& r : rows) s += r + "\n";
    return s;
}

GridText validGrid() { return GridText().fill(5, 9, 9, 13, 'o').set(7, 11, 'm'); }

namespace {
std::string levelName(int level) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "level%03d.txt", level);
    return buf;
}
} // namespace

LevelFixture::LevelFixture() {
    std::string grid = validGrid().text();
    for (int l = 1; l <= 100; ++l) writeLevel(l, grid);
    writeTargets(validTargets());
}

void LevelFixture::writeLevel(int level, const std::string& text) {
    writeBytes(dir.path / "content" / "levels" / levelName(level), text);
}

void LevelFixture::writeTargets(const std::string& text) {
    writeBytes(dir.path / "content" / "levels" / "targets.txt", text);
}

std::string LevelFixture::validTargets() {
    std::string s = "# level k1 k2 k3 k4 k5\n1 5 5 10 0 10\n";
    for (int l = 2; l <= 100; ++l) s += std::to_string(l) + " 5 5 10 10 10\n";
    return s;
}

RunResult LevelFixture::run() { return runDatagen(dir.path / "content", out(), "levels"); }

} // namespace contenttest
