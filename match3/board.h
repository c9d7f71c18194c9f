// The board model: a cell table and an item table of fixed slots (1..260, slot 0
// unused), each cell and piece with its own pixel position; column statistics;
// and the per-level preview copies the roadmap draws.
#pragma once
#include <string>

constexpr int kCells = 260;    // cell slots 1..260
constexpr int kItems = 260;    // item slots 1..260 (only 1..150 are ever filled)
constexpr int kItemsUsed = 150;
constexpr int kColumns = 30;   // columns 1..30
constexpr int kPreviewLevels = 120;

enum ItemKind {
    KIND_NONE = 0,
    KIND_BEETLE = 6,
    KIND_STONE = 7,
    KIND_BOMB = 10,
    KIND_JOKER = 12,
    KIND_DOOR = 18,
    KIND_FLOOR = 999,
};

// Cell table.
extern int cellActive[kCells + 1];
extern int cellX[kCells + 1], cellY[kCells + 1];
extern int cellMoss[kCells + 1];
extern int cellBeetleStart[kCells + 1];
extern int cellStone[kCells + 1];
extern int cellDoor[kCells + 1];
extern int cellBorder[kCells + 1];
extern int cellItem[kCells + 1];
extern int cellHover[kCells + 1];
extern int cellMarked[kCells + 1];
extern int cellArrow[kCells + 1];

// Column statistics (index = file column 1..30).
extern int columnCount[kColumns + 1], columnX[kColumns + 1], columnTop[kColumns + 1];

// Item table.
extern int itemKind[kItems + 1];
extern int itemX[kItems + 1], itemY[kItems + 1];
extern int itemFalling[kItems + 1];
extern int itemCell[kItems + 1];
extern int itemKaefCol[kItems + 1];
extern int itemHeight[kItems + 1];
extern int itemMarked[kItems + 1];
extern int itemExploded[kItems + 1];
extern int itemHint[kItems + 1];
extern int itemBounce[kItems + 1];
extern int itemShake[kItems + 1];
extern int itemFadeIn[kItems + 1];

extern int itemScanBound; // highest item slot the rules look at (259 in play)

// Preview tables, one board per level 1..100.
struct PreviewBoard {
    int cellValue[kCells + 1];
    int cellX[kCells + 1], cellY[kCells + 1];
    int cellMoss[kCells + 1], cellBeetleStart[kCells + 1], cellStone[kCells + 1], cellDoor[kCells + 1];
    int cellBorder[kCells + 1];
    int itemKind[kItems + 1], itemX[kItems + 1], itemY[kItems + 1], itemKaefCol[kItems + 1];
    int columnCount[kColumns + 1], columnX[kColumns + 1], columnTop[kColumns + 1];
};
extern PreviewBoard gPreview[kPreviewLevels + 1];

int addCell(int x, int y, int active, int moss, int beetleStart, int stone, int door);
int addItem(int x, int y, int kind);
int randomItemKind();
int Match3_LoadLevelFromDisk();
int load_for_preview_match3();
// "data/levels/lvla007.lvl" for level 7.
std::string levelFileName(int level);
