// A small board for rule tests: the test writes a level file from a few lines of
// text, loads it, sets the pieces it needs, steps frames and moves the pointer.
#pragma once
#include "app/tbild.h"
#include "match3/board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace m3test {

// Level-file codes by letter: '.' no cell, 'o' plain cell, 'B' beetle start,
// 'M' moss, 'S' stone, 'D' door. Row 0 / column 0 of `rows` land on file row 2
// / column 2, so every letter makes a cell.
void writeLevel(int level, const std::vector<std::string>& rows);
// Writes the 260 raw values (row-major, 13 x 20) of a level file.
void writeRawLevel(int level, const std::vector<int>& values);
// Writes a file holding only the first `count` values of `values`.
void writeShortLevel(int level, const std::vector<int>& values, int count);

// Screen position of grid cell (row, column) of a board made by writeLevel.
int gridX(int col);
int gridY(int row);

class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // (Level 2 by default: refills there never bring bombs.)
    // Writes the level, sets the profile's level and game type, loads the board
    // and moves the game clock past the opening (pieces can be picked).
    void load(const std::vector<std::string>& rows, int level = 2, int gameType = 1);
    // Sets piece kinds by grid: '1'..'5' colours, 'b' bomb, 'j' joker, 'B' beetle,
    // anything else leaves the piece as it is.
    void setKinds(const std::vector<std::string>& rows);
    // Slot of the piece (not a floor marker) at grid cell (row, col); 0 if none.
    int itemAt(int row, int col) const;
    int kindAt(int row, int col) const;
    int cellAt(int row, int col) const;
    // Counts pieces (kinds 1..998) in grid column col, at or above the board bottom.
    int piecesInColumn(int col) const;

    // One frame: gameFrame and the frame counter move on, the rules run.
    void step(int frames = 1);
    // Runs frames until nothing falls any more (at most `limit`).
    void settle(int limit = 200);
    void pointTo(int row, int col);
    void pointAway();
    void press();
    void release();
    // Click on a cell: press on one frame, release on the next.
    void clickAt(int row, int col);
    // Drag along cells with the button held, one frame per cell, then release.
    void drag(const std::vector<std::pair<int, int>>& cells);

    std::string oldDir_;
    std::string tempDir_;
};

// Gives a wrapper a white, opaque w x h picture (handle centred or top-left).
void makeSolidPicture(TBild& img, int w, int h, bool centre);
// Makes the picking pictures: a 44 x 44 opaque cell mask (centred) and a
// one-pixel pointer probe (top-left).
void makePickingPictures();

} // namespace m3test
