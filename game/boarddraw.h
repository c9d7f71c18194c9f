// The board on the game screen: the level picture composed once per level from
// the frame pieces and column strips, the underlay drawn every frame (live
// borders, level picture, moss, cell flashes, selection marks), the pieces with
// their small animations and the chain arrows, and the half-size level preview.
#pragma once
#include "app/tbild.h"

// Board pictures, loaded by loadGamePictures (game/gamepictures.h). The piece
// pictures and the cell mask live in game/boardpictures.h.
extern TBild imgStrip[12];   // "data/match3/cellrow" 1..11, top-left
extern TBild imgBorder[25];  // "data/match3/border" 1..24, top-left
extern TBild imgCellFlash;   // "data/match3/cell.png", centred
extern TBild imgMoss;        // "data/match3/moss.png", centred
extern TBild imgCellMark;    // "data/match3/cellmark.png", centred
extern TBild imgArrow[5];    // "data/match3/arrow" 1..4: right, left, down, up

// The 960 x 620 level picture, drawn at (32, 74).
extern TBild imgLevel;
constexpr int kLevelPicW = 960, kLevelPicH = 620;
constexpr int kLevelPicX = 32, kLevelPicY = 74;

// Offset of a frame piece from the top-left corner of its cell's field; false for
// the live codes (drawn every frame) and codes outside 1..24.
bool borderOffset(int code, int& dx, int& dy);
// True for the border codes drawn live instead of being pasted.
bool isLiveBorder(int code);

// Composes the level picture of the loaded board.
int predraw_level();
// Live borders, the level picture, moss with the sweep, cell flashes and marks;
// recounts mossLeft.
int drawBoardUnderlay();
// The pieces (except the two being swapped) and the chain arrows.
int drawPieces();
// Half-size preview of a level's board at (250, 150); pieces use the pictures of
// pictureLevel.
int drawLevelPreview(int level, int pictureLevel);
