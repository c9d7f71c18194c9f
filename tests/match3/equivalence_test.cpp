// The rules index pieces by column to look at less of the table; these tests run
// them side by side with plain whole-table scans, written straight from the
// rules, on random boards and require identical results.
#include "board_fixture.h"

#include "app/globals.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace m3test;

namespace {

struct BoardState {
    std::vector<int> ints;
    static std::vector<int*> arrays() {
        return {cellActive, cellX,      cellY,     cellMoss,    cellBeetleStart, cellStone,   cellDoor,
                cellBorder, cellItem,   cellHover, cellMarked,  cellArrow,       itemKind,    itemX,
                itemY,      itemFalling, itemCell, itemKaefCol, itemHeight,      itemMarked,  itemExploded,
                itemHint,   itemBounce, itemShake, itemFadeIn,  selList};
    }
    static BoardState take() {
        BoardState s;
        for (int* a : arrays()) s.ints.insert(s.ints.end(), a, a + kCells + 1);
        for (int v : {selCount, selReady, selLast, swapFirst, swapSecond, swapProgress, swapPhase, hintPiece1,
                      hintPiece2, hintDir, curPlayer().LevelPoints, curPlayer().anzKaefer, countParticles()})
            s.ints.push_back(v);
        return s;
    }
    void restore() const {
        size_t p = 0;
        for (int* a : arrays()) {
            std::copy(ints.begin() + p, ints.begin() + p + kCells + 1, a);
            p += kCells + 1;
        }
        selCount = ints[p++];
        selReady = ints[p++];
        selLast = ints[p++];
        swapFirst = ints[p++];
        swapSecond = ints[p++];
        swapProgress = ints[p++];
        swapPhase = ints[p++];
        hintPiece1 = ints[p++];
        hintPiece2 = ints[p++];
        hintDir = ints[p++];
        curPlayer().LevelPoints = ints[p++];
        curPlayer().anzKaefer = ints[p++];
    }
};

// A random board: pieces of every kind in six columns, on and off the grid,
// some sharing a place, some falling, with cells on the grid.
void randomBoard() {
    for (int s = 1; s <= kItems; s++) itemKind[s] = 0;
    for (int c = 1; c <= kCells; c++) cellActive[c] = 0;
    static const int kinds[] = {1, 2, 3, 4, 5, 1, 2, 3, 6, 7, 10, 12, 18, 999};
    for (int c = 0; c < 6; c++)
        for (int r = 0; r < 8; r++)
            if (RandomInt(1, 5) > 1) addCell(gridX(c), gridY(r), 1, 0, 0, 0, 0);
    const int n = RandomInt(20, 140);
    for (int i = 0; i < n; i++) {
        const int x = gridX(RandomInt(0, 5)) + (RandomInt(1, 30) == 1 ? 1 : 0);
        const int y = RandomInt(1, 3) == 1 ? RandomInt(-40, 480) : gridY(RandomInt(-1, 8));
        const int s = addItem(x, y, kinds[RandomInt(0, 13)]);
        if (s > kItemsUsed) break;
        itemFalling[s] = RandomInt(0, 1);
        itemBounce[s] = RandomInt(-1, 6);
        itemKaefCol[s] = itemKind[s] == KIND_BEETLE ? RandomInt(1, 4) : -1;
    }
    itemScanBound = RandomInt(1, 4) == 1 ? RandomInt(1, 259) : 259;
}

// Gravity exactly as the rules describe it, one pixel step at a time.
void plainGravity() {
    for (int s = 1; s <= kCells; s++) cellItem[s] = 0;
    for (int s = 1; s <= kItems; s++) itemCell[s] = 0;
    auto falls = [](int k) { return k >= 1 && k <= 998 && k != KIND_STONE && k != KIND_DOOR; };
    if (gameFrame > 50)
        for (int s = 1; s <= kItems; s++)
            if (falls(itemKind[s])) itemFalling[s] = 1;
    if (puState[1] == 0 && gameFrame > 50) {
        for (int i = 1; i <= itemScanBound; i++) {
            if (!falls(itemKind[i])) continue;
            for (int step = 0; step < 12; step++) {
                bool supported = false;
                for (int k = 1; k <= kItems; k++) {
                    if (k == i || itemKind[k] <= 0 || itemX[k] != itemX[i]) continue;
                    if (!(itemY[i] < itemY[k] && itemY[k] <= itemY[i] + 48)) continue;
                    supported = true;
                    itemFalling[i] = 0;
                    if (itemBounce[i] == -1) itemBounce[i] = 6;
                    if (itemKind[i] == KIND_BEETLE && itemKind[k] == KIND_FLOOR) beetleLeaves(i);
                }
                if (supported) break;
                itemY[i] += 1;
                itemBounce[i] = -1;
            }
        }
    }
    for (int i = 1; i <= kItems; i++) {
        if (itemKind[i] < 1 || itemKind[i] > 998 || itemFalling[i] != 0) continue;
        for (int c = 1; c <= kCells; c++)
            if (cellActive[c] > 0 && cellX[c] == itemX[i] && cellY[c] == itemY[i]) {
                itemCell[i] = c;
                cellItem[c] = i;
            }
    }
}

// The swap-mode line check as a plain scan.
void plainLineCheck() {
    const int last = itemScanBound;
    auto restingColour = [](int s) { return itemKind[s] >= 1 && itemKind[s] <= 5 && itemFalling[s] == 0; };
    const bool neighbours =
        std::abs(itemX[swapFirst] - itemX[swapSecond]) + std::abs(itemY[swapFirst] - itemY[swapSecond]) == 48;
    if (swapProgress == 48 && !(restingColour(swapFirst) && restingColour(swapSecond) && neighbours)) {
        swapFirst = swapSecond = swapProgress = swapPhase = 0; // the pair broke up on its way: dropped
        swapFirstDX = swapFirstDY = swapSecondDX = swapSecondDY = 0;
    }
    std::vector<int> k(itemKind, itemKind + kItems + 1);
    if (swapProgress == 48 && swapFirst > 0 && swapSecond > 0) std::swap(k[swapFirst], k[swapSecond]);
    auto lineKind = [](int kind) { return kind >= 1 && kind <= 998 && kind != 6 && kind != 7 && kind != 18; };
    std::vector<int> found(kItems + 1, 0);
    bool any = false;
    auto lastAt = [&](int kind, int x, int y) {
        int f = 0;
        for (int j = 1; j <= last; j++)
            if (k[j] == kind && itemX[j] == x && itemY[j] == y && itemFalling[j] == 0) f = j;
        return f;
    };
    for (int pass = 0; pass < 2; pass++)
        for (int i = 1; i <= last; i++) {
            if (!lineKind(k[i]) || itemFalling[i] != 0) continue;
            const int dx = pass ? 48 : 0, dy = pass ? 0 : 48;
            const int a = pass ? lastAt(k[i], itemX[i] - dx, itemY[i]) : lastAt(k[i], itemX[i], itemY[i] + dy);
            const int b = a ? (pass ? lastAt(k[i], itemX[i] + dx, itemY[i]) : lastAt(k[i], itemX[i], itemY[i] - dy)) : 0;
            if (a && b) {
                found[i] = found[a] = found[b] = 1;
                any = true;
            }
        }
    if (any) {
        selCount = 0;
        for (int i = 1; i <= last; i++)
            if (found[i]) addToSelection(i);
        selReady = 1;
        if (swapProgress == 48) {
            swapProgress = swapPhase = 0;
            swapFirstDX = swapFirstDY = swapSecondDX = swapSecondDY = 0;
            std::swap(itemKind[swapFirst], itemKind[swapSecond]);
            swapFirst = swapSecond = 0;
        }
    } else if (swapProgress == 48) {
        swapPhase = 2;
    }
}

// The swap-mode move search as a plain scan over a copy of the board.
void plainSwapSearch() {
    hintPiece1 = 0;
    const int last = itemScanBound;
    auto movable = [](int kind) { return kind >= 1 && kind <= 5; }; // what the player can pick up
    static const int fromX[5] = {0, -48, 48, 0, 0}, fromY[5] = {0, 0, 0, -48, 48};
    for (int d = 1; d <= 4; d++)
        for (int j = 1; j <= last; j++) {
            if (!movable(itemKind[j])) continue;
            int b = 0;
            for (int k = 1; k <= last && !b; k++)
                if (movable(itemKind[k]) && itemX[k] == itemX[j] + fromX[d] && itemY[k] == itemY[j] + fromY[d]) b = k;
            if (!b) continue;
            std::vector<int> kind(itemKind, itemKind + kItems + 1);
            std::swap(kind[j], kind[b]);
            const int K = kind[j];
            auto at = [&](int x, int y) {
                for (int k = 1; k <= last; k++)
                    if (kind[k] == K && itemX[k] == x && itemY[k] == y) return true;
                return false;
            };
            const int x = itemX[j], y = itemY[j];
            const bool line = (at(x, y + 48) && (at(x, y - 48) || at(x, y + 96))) ||
                              (at(x + 48, y) && (at(x - 48, y) || at(x + 96, y)));
            if (line) {
                hintPiece1 = b;
                hintPiece2 = j;
                hintDir = d;
                return;
            }
        }
}

template <class A, class B> void expectSame(A fast, B plain, uint32_t seed) {
    const BoardState before = BoardState::take();
    SeedRandom(seed);
    fast();
    const BoardState afterFast = BoardState::take();
    before.restore();
    clearParticles();
    SeedRandom(seed);
    plain();
    const BoardState afterPlain = BoardState::take();
    ASSERT_EQ(afterFast.ints, afterPlain.ints) << "seed " << seed;
}

} // namespace

class EquivalenceTest : public BoardTest {};

TEST_F(EquivalenceTest, GravityPassMatchesThePlainRules) {
    curPlayer().Level = 2;
    for (uint32_t seed = 1; seed <= 300; seed++) {
        SeedRandom(seed * 7919);
        randomBoard();
        clearParticles();
        gameFrame = RandomInt(1, 4) == 1 ? 30 : 300;
        puState[1] = RandomInt(1, 6) == 1 ? 1 : 0;
        for (int frame = 0; frame < 3; frame++) {
            clearParticles();
            expectSame(gravityPass, plainGravity, seed * 31 + frame);
            if (HasFatalFailure()) return;
        }
    }
    puState[1] = 0;
}

TEST_F(EquivalenceTest, SwapLineCheckMatchesThePlainRules) {
    for (uint32_t seed = 1; seed <= 300; seed++) {
        SeedRandom(seed * 104729);
        randomBoard();
        for (int s = 1; s <= kItems; s++)
            if (itemKind[s] >= 1 && itemKind[s] <= 5) itemKind[s] = RandomInt(1, 2); // lines are common
        resetSelection();
        resetSwap();
        if (RandomInt(0, 1)) {
            swapFirst = RandomInt(1, 40);
            swapSecond = RandomInt(1, 40);
            swapProgress = 48;
            swapPhase = 1;
        }
        expectSame(swapLineCheck, plainLineCheck, seed);
        if (HasFatalFailure()) return;
    }
}

TEST_F(EquivalenceTest, SwapHintSearchMatchesThePlainRules) {
    int found = 0;
    for (uint32_t seed = 1; seed <= 300; seed++) {
        SeedRandom(seed * 15485863);
        randomBoard();
        for (int s = 1; s <= kItems; s++)
            if (itemKind[s] >= 1 && itemKind[s] <= 5) itemKind[s] = RandomInt(1, 3);
        idleFrames = 0; // no hint is shown, no rescue bomb is made
        rescueBombMade = 1;
        gameFrame = 301; // an examination frame
        hintPiece2 = hintDir = 0;
        expectSame([] { hintSwap(); }, [] { plainSwapSearch(); idleFrames += 1; }, seed);
        if (HasFatalFailure()) return;
        found += hintPiece1 != 0;
    }
    EXPECT_GT(found, 50) << "the boards offer moves often enough to compare them";
}
