// A small content folder for running the levels family on boards the test makes:
// 100 copies of one valid level and a valid target table, any of which a case
// replaces.
#pragma once
#include <string>
#include <vector>

#include "tests/content/contentfiles.h"

namespace contenttest {

// A 13 x 20 grid of '.', edited by row and column (both 1-based).
struct GridText {
    std::vector<std::string> rows = std::vector<std::string>(13, std::string(20, '.'));
    GridText& set(int row, int col, char c);
    GridText& fill(int row0, int row1, int col0, int col1, char c);
    std::string text() const;
};

// A 5 x 5 garden at rows 5..9, columns 9..13, with a moss centre.
GridText validGrid();

struct LevelFixture {
    TempDir dir;
    LevelFixture(); // writes the 100 valid levels and targets
    void writeLevel(int level, const std::string& text);
    void writeTargets(const std::string& text);
    static std::string validTargets();
    RunResult run(); // the levels family into dir/out
    fs::path out() const { return dir.path / "out"; }
};

} // namespace contenttest
