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

// Reads the 260 cell codes of a level file into codes[1..260] as code + 1 (the
// loaders work with c = value + 1). Values missing from a short or absent file
// read as -1 (so c = 0, no cell); the shortfall is written to the debug log.
// Returns the number of values actually read.
int readLevelCodes(int level, int codes[kCells + 1]);

// Frame shape code 0..24 of a cell from the neighbours that exist around it.
int borderCodeFor(bool n, bool s, bool w, bool e, bool ne, bool nw, bool se, bool sw);
// Border codes for every cell i in 1..kCells with used[i] != 0, at (x[i], y[i]).
void computeBorderCodes(const int used[], const int x[], const int y[], int border[]);

// True for kinds that sit on the board as pieces (1..998).
inline bool isBoardPiece(int kind) { return kind >= 1 && kind <= 998; }
// True for the five colour kinds.
inline bool isColourKind(int kind) { return kind >= 1 && kind <= 5; }
// True for a kind that can exist in the item table (0 free slot included).
bool isKnownItemKind(int kind);

// Where the replacement of a piece taken from (x, y) enters: above the board
// (y = -20) when the piece belongs to the top run of cells of its column; for a
// lower run (a piece in the gap or at the upper run's floor marker counts as
// lower), at the floor marker of the run above it, so the new piece drops
// through the gap into the run it refills instead of staying on top of the
// upper run.
int refillEntryY(int x, int y);
// Adds a new random piece that refills the run of the piece taken from (x, y).
int addRefill(int x, int y);
// Adds `count` refills for (x, y); returns how many found no free slot.
int addRefills(int x, int y, int count);

// Frees an item: kind 0 and its cell link cleared on both sides.
void freeItem(int slot);
// Frees an item taken off the board after its replacements were added (the
// rules add them first). `missing` replacements found the item table full
// while the old item still held its slot; the freed slot takes them now, so a
// board that fills the table exactly never loses a piece.
void freeReplacedItem(int slot, int missing);
