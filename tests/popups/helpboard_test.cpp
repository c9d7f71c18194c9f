// The 3 x 3 demonstration boards of the help pages.
#include "game/helpboard.h"

#include "platform/platform.h"

#include "tests/harness/harness.h"
#include "tests/popups/popupfixture.h"
#include <cstring>

using namespace popuptest;

namespace {

class HelpBoardTest : public PopupTest {};

harness::Frame drawOnly(const HelpBoard& board) {
    Cls();
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    SetDrawScale(1, 1);
    drawHelpBoard(512, 384, board);
    Flip(0);
    return harness::grabFrame();
}

int differingPixels(const harness::Frame& a, const harness::Frame& b, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (std::memcmp(a.at(x, y), b.at(x, y), 3) != 0) ++n;
    return n;
}

} // namespace

TEST(HelpBoardGeometry, CellsSitOnAFortyEightPixelGridAndGapsHalfWayBetweenNeighbours) {
    int x = 0, y = 0;
    helpBoardCell(100, 200, 5, x, y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 200);
    helpBoardCell(100, 200, 1, x, y);
    EXPECT_EQ(x, 52);
    EXPECT_EQ(y, 152);
    helpBoardCell(100, 200, 9, x, y);
    EXPECT_EQ(x, 148);
    EXPECT_EQ(y, 248);
    // Gap g lies between these two cells.
    const int pairs[13][2] = {{0, 0}, {1, 2}, {2, 3}, {1, 4}, {2, 5}, {3, 6}, {4, 5},
                              {5, 6}, {4, 7}, {5, 8}, {6, 9}, {7, 8}, {8, 9}};
    for (int g = 1; g <= 12; ++g) {
        int ax, ay, bx, by, gx, gy;
        helpBoardCell(100, 200, pairs[g][0], ax, ay);
        helpBoardCell(100, 200, pairs[g][1], bx, by);
        helpBoardGap(100, 200, g, gx, gy);
        EXPECT_EQ(gx, (ax + bx) / 2) << "gap " << g;
        EXPECT_EQ(gy, (ay + by) / 2) << "gap " << g;
    }
}

TEST_F(HelpBoardTest, EmptyListsDrawOnlyTheBoardAndAPieceLandsOnItsCell) {
    const HelpBoard empty{};
    const harness::Frame bare = drawOnly(empty);
    HelpBoard onePiece{};
    onePiece.piece[0] = 3; // cell 1, top left
    const harness::Frame withPiece = drawOnly(onePiece);
    EXPECT_GT(differingPixels(bare, withPiece, 464 - 20, 336 - 20, 464 + 20, 336 + 20), 200);
    EXPECT_EQ(differingPixels(bare, withPiece, 512 - 20, 384 - 20, 560 + 20, 432 + 20), 0)
        << "other cells untouched";

    HelpBoard arrow{};
    arrow.arrow[11] = 1; // gap 12, between cells 8 and 9
    const harness::Frame withArrow = drawOnly(arrow);
    EXPECT_GT(differingPixels(bare, withArrow, 536 - 8, 432 - 8, 536 + 8, 432 + 8), 10);
    EXPECT_EQ(differingPixels(bare, withArrow, 440, 312, 500, 372), 0);
    EXPECT_FLOAT_EQ(ReadAlpha(), 1.0f) << "the caller's alpha comes back";
}
