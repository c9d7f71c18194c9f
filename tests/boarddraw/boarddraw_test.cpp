// The level picture, the underlay with its moss sweep and counters, the pieces
// with their animations, beetles and bombs, and the level preview.
#include "fixture.h"

#include "app/globals.h"
#include "app/startpics.h"
#include "game/boarddraw.h"
#include "game/boardpictures.h"
#include "game/gamestate.h"
#include "game/powerups.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

using namespace bdtest;

namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba levelPixel(int u, int v) {
    Pixmap* px = LockFrame(imgLevel.data.get(), 0, 1, 0);
    const uint8_t* p = px->at(u, v);
    Rgba c{p[0], p[1], p[2], p[3]};
    UnlockFrame(imgLevel.data.get(), 0);
    return c;
}

// One cell of a board made by hand, with its column.
int addTestCell(int x, int y, int border) {
    const int c = addCell(x, y, 1, 0, 0, 0, 0);
    cellBorder[c] = border;
    return c;
}

int placePiece(int x, int y, int kind) {
    const int i = addItem(x, y, kind);
    itemFadeIn[i] = 20;
    itemBounce[i] = 0;
    itemShake[i] = 0;
    itemHint[i] = 0;
    itemKaefCol[i] = -1;
    return i;
}

} // namespace

TEST_F(BoardDrawTest, LevelPicturePastesBordersThenStripsAndClips) {
    clearBoard();
    setSolidPicture(imgBorder[1], 48, 18, 255, 0, 0, false);   // top edge, offset (0, -18)
    setSolidPicture(imgBorder[4], 18, 48, 0, 0, 255, false);   // right edge, offset (46, 0)
    setSolidPicture(imgBorder[11], 30, 30, 0, 255, 255, false); // a live code: never pasted
    setSolidPicture(imgBorder[5], 40, 40, 255, 255, 0, false);  // corner, offset (-18, -18)
    setSolidPicture(imgStrip[1], 48, 48, 0, 255, 0, false);
    // Cell A at (100, 150): its field's top-left is (76, 126) on the screen, so
    // (44, 52) in the picture.
    const int a = addTestCell(100, 150, 1);
    columnCount[1] = 1;
    columnX[1] = 100;
    columnTop[1] = 150;
    // Cell B with the right-edge border, no strip: the border lies at (92+46, 52).
    addTestCell(148, 150, 4);
    // Cell C with a live border code: nothing lands in the picture.
    addTestCell(400, 300, 11);
    // Cell D near the top-left corner: its corner piece starts at (-14, -36) and
    // is clipped.
    addTestCell(60, 80, 5);
    // Cell E at the bottom-right edge: clipped the other way.
    const int e = addTestCell(990, 700, 4);
    // A cell with a value of 100 or more takes no part.
    const int big = addTestCell(300, 300, 1);
    cellActive[big] = 100;
    ASSERT_GT(a, 0);
    ASSERT_GT(e, 0);

    predraw_level();
    ASSERT_TRUE(imgLevel.isLoaded);
    ASSERT_EQ(PictureWidth(imgLevel.data.get()), kLevelPicW);
    ASSERT_EQ(PictureHeight(imgLevel.data.get()), kLevelPicH);

    struct Probe {
        int u, v;
        Rgba want;
    } probes[] = {
        {44, 34, {255, 0, 0, 255}},    // top border of A, above its strip
        {91, 51, {255, 0, 0, 255}},    // last pixel of A's border
        {44, 52, {0, 255, 0, 255}},    // the strip starts where the cell does
        {138, 52, {0, 0, 255, 255}},   // right border of B at dx 46
        {155, 99, {0, 0, 255, 255}},
        {368, 226, {0, 0, 0, 0}},      // C's live border is not in the picture
        {0, 0, {255, 255, 0, 255}},    // D's corner, clipped at the top-left
        {25, 3, {255, 255, 0, 255}},
        {26, 2, {0, 0, 0, 0}},
        {0, 4, {0, 0, 0, 0}},
        {268, 184, {0, 0, 0, 0}},      // the cell of value 100 has no border
        {959, 619, {0, 0, 0, 0}},      // E's border starts right of the picture
    };
    for (const Probe& p : probes) {
        const Rgba got = levelPixel(p.u, p.v);
        EXPECT_EQ(got.r, p.want.r) << p.u << "," << p.v;
        EXPECT_EQ(got.g, p.want.g) << p.u << "," << p.v;
        EXPECT_EQ(got.b, p.want.b) << p.u << "," << p.v;
        EXPECT_EQ(got.a, p.want.a) << p.u << "," << p.v;
    }
    // The strip replaced the border where both lie: A's border reaches down to
    // row 51 only, and a strip pasted over a border at the same place wins.
    cellBorder[a] = 7; // offset (0, 0): exactly under the strip
    setSolidPicture(imgBorder[7], 48, 48, 255, 0, 255, false);
    predraw_level();
    const Rgba under = levelPixel(60, 70);
    EXPECT_EQ(under.g, 255);
    EXPECT_EQ(under.r, 0);
}

TEST_F(BoardDrawTest, LevelPictureIsDrawnWithItsTransparencyAtFullAlpha) {
    // Around the board shape the level picture is transparent: what was drawn
    // before it (the level background) must still show there at full alpha.
    loadLevel(1);
    Cls();
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    TBild back;
    setSolidPicture(back, 1024, 768, 40, 80, 120, false);
    back.PaintXY(0, 0);
    boardAlpha = 1;
    drawBoardUnderlay();
    Flip(0);
    EXPECT_EQ(harness::framePixel(40, 80), (harness::Rgb{40, 80, 120}));
    EXPECT_NE(harness::framePixel(cellX[1], cellY[1]), (harness::Rgb{40, 80, 120}));
}

TEST_F(BoardDrawTest, MossIsRecountedAndFlashesOnceAsTheSweepPasses) {
    loadLevel(1);
    int moss = 0, mossCell = 0;
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c] > 0 && cellMoss[c] == 1) {
            moss++;
            mossCell = c;
        }
    ASSERT_EQ(moss, 12);
    mossLeft = -5;
    drawBoard();
    EXPECT_EQ(mossLeft, 12);
    // A moss flag on a cell that does not exist is not counted.
    cellMoss[kCells] = 1;
    cellActive[kCells] = 0;
    drawBoard();
    EXPECT_EQ(mossLeft, 12);

    // The sweep at the moss cell's column: it flashes (18, stepped once to 17);
    // a cell without moss in the same column does not.
    int plain = 0;
    for (int c = 1; c <= kCells; c++)
        if (cellActive[c] > 0 && cellMoss[c] == 0 && cellX[c] == cellX[mossCell]) plain = c;
    ASSERT_GT(plain, 0);
    for (int c = 1; c <= kCells; c++) cellHover[c] = 0;
    sweepX = cellX[mossCell];
    drawBoard();
    EXPECT_EQ(cellHover[mossCell], 17);
    EXPECT_EQ(cellHover[plain], 0);
    // The sweep moves on by 24 per frame; the flash runs down to 0 and is not
    // restarted.
    for (int f = 0; f < 20; f++) {
        sweepX += 24;
        drawBoard();
    }
    EXPECT_EQ(cellHover[mossCell], 0);
    EXPECT_EQ(cellHover[plain], 0);
}

TEST_F(BoardDrawTest, CountersAdvanceOnlyWhenDrawn) {
    loadLevel(1);
    const int i = placePiece(cellX[5], cellY[5], 2);
    const int c = 5;
    itemFadeIn[i] = 0;
    itemBounce[i] = 6;
    itemHint[i] = 1;
    cellMarked[c] = 1;
    cellHover[c] = 9;
    // Nothing moves while the board is not drawn.
    for (int f = 0; f < 10; f++) powerUpBar();
    EXPECT_EQ(itemFadeIn[i], 0);
    EXPECT_EQ(itemBounce[i], 6);

    struct Step {
        int frames, fadeIn, bounce, hint, mark, hover;
    } steps[] = {
        {1, 1, 5, 2, 2, 8},  {3, 4, 2, 5, 5, 5},   {2, 6, 0, 7, 5, 3},
        {14, 20, 0, 21, 5, 0}, {50, 20, 0, 71, 5, 0}, {1, 20, 0, 0, 5, 0},
    };
    for (const Step& s : steps) {
        for (int f = 0; f < s.frames; f++) drawBoard();
        EXPECT_EQ(itemFadeIn[i], s.fadeIn);
        EXPECT_EQ(itemBounce[i], s.bounce);
        EXPECT_EQ(itemHint[i], s.hint);
        EXPECT_EQ(cellMarked[c], s.mark);
        EXPECT_EQ(cellHover[c], s.hover);
    }
    // A falling piece keeps its -1.
    itemBounce[i] = -1;
    drawBoard();
    EXPECT_EQ(itemBounce[i], -1);
}

TEST_F(BoardDrawTest, PieceDrawingFadesBouncesAndShakes) {
    clearBoard();
    imgLevel.Unload();
    setSolidPicture(imgPiece[3], 20, 20, 200, 200, 200, true);
    const int i = placePiece(500, 400, 3);
    gPlayers[1].Level = 1;
    int x0, y0, x1, y1;

    // Fade-in: alpha 0.05 per frame.
    itemFadeIn[i] = 0;
    drawBoard();
    harness::Frame f = harness::grabFrame();
    EXPECT_NEAR(f.at(500, 400)[0], 200 * 0.05, 2);
    for (int k = 0; k < 9; k++) drawBoard();
    f = harness::grabFrame();
    EXPECT_NEAR(f.at(500, 400)[0], 200 * 0.5, 2);

    // Landing: drawn 5 pixels low, then 1 pixel higher each frame.
    itemFadeIn[i] = 20;
    itemBounce[i] = 6;
    for (int want = 5; want >= 0; want--) {
        drawBoard();
        ASSERT_TRUE(litBox(harness::grabFrame(), x0, y0, x1, y1));
        EXPECT_EQ(y0, 390 + want);
        EXPECT_EQ(x0, 490);
    }

    // Shake 30: offsets stay within +-5 and reach beyond +-3; below 5 it is still.
    itemShake[i] = 30;
    int lo = 0, hi = 0;
    for (int k = 0; k < 25; k++) {
        drawBoard();
        ASSERT_TRUE(litBox(harness::grabFrame(), x0, y0, x1, y1));
        const int limit = static_cast<int>(0.2f * itemShake[i]);
        EXPECT_LE(std::abs(x0 - 490), limit);
        EXPECT_LE(std::abs(y0 - 390), limit);
        lo = std::min({lo, x0 - 490, y0 - 390});
        hi = std::max({hi, x0 - 490, y0 - 390});
    }
    EXPECT_LE(lo, -3);
    EXPECT_GE(hi, 3);
    for (int k = 0; k < 5; k++) {
        drawBoard();
        ASSERT_TRUE(litBox(harness::grabFrame(), x0, y0, x1, y1));
        EXPECT_EQ(x0, 490);
        EXPECT_EQ(y0, 390);
    }
    EXPECT_EQ(itemShake[i], 0);

    // The two pieces being swapped are left to the swap drawing.
    swapFirst = i;
    drawBoard();
    EXPECT_FALSE(litBox(harness::grabFrame(), x0, y0, x1, y1));
    swapFirst = 0;
}

TEST_F(BoardDrawTest, BeetlesBombsAndDoors) {
    clearBoard();
    imgLevel.Unload();
    gPicLogoGlow.Unload(); // only the piece pictures are looked at here
    setSolidPicture(imgPuItem[2], 40, 40, 255, 0, 255, true);
    setSolidPicture(imgPiece[6], 40, 40, 0, 255, 0, true);
    // Odd-sized, so that a 2 % pulse moves its edges across pixel centres.
    setSolidPicture(imgPiece[10], 41, 41, 255, 128, 0, true);
    gPlayers[1].Level = 1;
    int x0, y0, x1, y1;

    // A beetle of colour 2: its beetle picture at scale 0.8, one pixel lower.
    const int beetle = placePiece(300, 300, KIND_BEETLE);
    itemKaefCol[beetle] = 2;
    drawBoard();
    harness::Frame f = harness::grabFrame();
    ASSERT_TRUE(litBox(f, x0, y0, x1, y1));
    EXPECT_EQ(x0, 284);
    EXPECT_EQ(x1, 315);
    EXPECT_EQ(y0, 285);
    EXPECT_EQ(y1, 316);
    EXPECT_EQ(f.at(300, 300)[0], 255);
    EXPECT_EQ(f.at(300, 300)[1], 0);

    // A bomb pulses by up to 2 %: over a cycle its size changes, never beyond 42.
    itemKind[beetle] = 0;
    const int bomb = placePiece(300, 300, KIND_BOMB);
    int minW = 1000, maxW = 0;
    for (int k = 0; k < 36; k++) {
        gFrameCount++;
        drawBoard();
        ASSERT_TRUE(litBox(harness::grabFrame(), x0, y0, x1, y1));
        minW = std::min(minW, x1 - x0 + 1);
        maxW = std::max(maxW, x1 - x0 + 1);
        EXPECT_EQ(harness::framePixel(300, 300), (harness::Rgb{255, 128, 0}));
    }
    EXPECT_LT(minW, maxW);
    EXPECT_GE(minW, 40);
    EXPECT_LE(maxW, 42);

    // A door has no picture and shows nothing.
    itemKind[bomb] = KIND_DOOR;
    drawBoard();
    EXPECT_FALSE(litBox(harness::grabFrame(), x0, y0, x1, y1));
}

TEST_F(BoardDrawTest, PreviewIsHalfSizeAtItsOrigin) {
    const int L = 7;
    PreviewBoard& b = gPreview[L];
    b = PreviewBoard{};
    for (int i = 1; i <= kItems; i++) b.itemKaefCol[i] = -1;
    imgLevel.Unload();
    gPicLogoGlow.Unload();
    setSolidPicture(imgPiece[14], 40, 40, 0, 200, 0, true); // kind 2 in a level ending in 7
    setSolidPicture(imgPuItem[3], 40, 40, 200, 0, 200, true);
    setSolidPicture(imgStrip[2], 48, 96, 0, 0, 200, false);
    b.itemKind[1] = 2;
    b.itemX[1] = 96;
    b.itemY[1] = 97; // halves truncate: 48
    b.itemKind[2] = KIND_BEETLE;
    b.itemKaefCol[2] = 3;
    b.itemX[2] = 400;
    b.itemY[2] = 400;
    b.columnCount[3] = 2;
    b.columnX[3] = 600;
    b.columnTop[3] = 100;

    Cls();
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    drawLevelPreview(L, L);
    Flip(0);
    const harness::Frame f = harness::grabFrame();
    // The piece: 20 x 20 around (298, 198).
    EXPECT_EQ(f.at(298, 198)[1], 200);
    EXPECT_EQ(f.at(288, 188)[1], 200);
    EXPECT_EQ(f.at(287, 198)[1], 0);
    EXPECT_EQ(f.at(308, 198)[1], 0);
    // The beetle at scale 0.4: 16 x 16 around (450, 350).
    EXPECT_EQ(f.at(450, 350)[0], 200);
    EXPECT_EQ(f.at(442, 342)[0], 200);
    EXPECT_EQ(f.at(441, 350)[0], 0);
    EXPECT_EQ(f.at(458, 350)[0], 0);
    // The strip of two cells: top-left at (300 + 250 - 12, 50 + 150 - 12), 24 x 48.
    EXPECT_EQ(f.at(538, 188)[2], 200);
    EXPECT_EQ(f.at(561, 235)[2], 200);
    EXPECT_EQ(f.at(562, 235)[2], 0);
    EXPECT_EQ(f.at(538, 236)[2], 0);
    // Levels outside the table draw nothing and do not read past it.
    Cls();
    drawLevelPreview(0, 0);
    drawLevelPreview(kPreviewLevels + 1, 1);
    Flip(0);
    int x0, y0, x1, y1;
    EXPECT_FALSE(litBox(harness::grabFrame(), x0, y0, x1, y1));
}
