// The level file loaders: any file sets up a live board and a preview board
// whose cells, items and columns stay inside their tables, and the live board
// then survives frames of play with the pointer moving over it.
#include "app/globals.h"
#include "game/gamestate.h"
#include "game/rulesframe.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "tests/fuzz/fuzz_input.h"

#include <sys/stat.h>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void checkLiveBoard() {
    int items = 0;
    for (int i = 1; i <= kCells; i++) {
        if (cellActive[i] == 0) continue;
        check(cellX[i] >= 80 && cellX[i] <= 944 && cellY[i] >= 76 && cellY[i] <= 604);
        check(cellBorder[i] >= 0 && cellBorder[i] <= 24);
    }
    for (int i = 1; i <= kItems; i++) {
        if (itemKind[i] == KIND_NONE) continue;
        check(i <= kItemsUsed && isKnownItemKind(itemKind[i]));
        if (itemKind[i] == KIND_STONE || itemKind[i] == KIND_DOOR)
            check(itemHeight[i] >= 1 && itemHeight[i] <= 12);
        items++;
    }
    check(items <= kItemsUsed);
    for (int k = 1; k <= kColumns; k++)
        check(columnCount[k] >= 0 && columnCount[k] <= 12);
}

void checkPreview(const PreviewBoard& p) {
    for (int i = 1; i <= kCells; i++) {
        if (p.cellValue[i] == 0) continue;
        check(p.cellValue[i] > 0 && p.cellX[i] >= 96 && p.cellX[i] <= 960 && p.cellY[i] >= 96 &&
              p.cellY[i] <= 624);
        check(p.cellBorder[i] >= 0 && p.cellBorder[i] <= 24);
    }
    for (int i = kItemsUsed + 1; i <= kItems; i++)
        check(p.itemKind[i] == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InFuzzFolder folder;
    mkdir("data", 0777);
    mkdir("data/levels", 0777);
    // Level 1 (no colour 4, no bombs) and level 7 (bombs, random beetle colours)
    // read the same bytes.
    writeFuzzFile("data/levels/lvla001.lvl", data, size);
    writeFuzzFile("data/levels/lvla007.lvl", data, size);
    TSpieler& pl = curPlayer();
    pl.Erase();
    load_for_preview_match3();
    checkPreview(gPreview[1]);
    checkPreview(gPreview[7]);
    for (int level : {1, 7}) {
        pl.Level = level;
        pl.gtGameType = 1 + size % 3;
        Match3_LoadLevelFromDisk();
        checkLiveBoard();
        // A short game: the pointer sweeps the board, pressing now and then.
        gInputEnabled = 1;
        itemScanBound = 259;
        gameFrame = 151; // past the opening: the pieces take the pointer
        for (int frame = 0; frame < 8; frame++) {
            const uint8_t b = size ? data[frame % size] : 0;
            gMouseX = 80 + (b * 7 + frame * 112) % 880;
            gMouseY = 76 + (b * 13 + frame * 72) % 540;
            gMouseDown = (b & 1);
            gMouseHit = (b & 6) == 6;
            runRulesFrame();
        }
        checkLiveBoard();
    }
    return 0;
}
