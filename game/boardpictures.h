// Pictures the rules and the particles need: the piece pictures, the cell mask
// and pointer probe used for picking, and the power-up holders the holder flash
// draws.
#pragma once
#include "app/tbild.h"

#include <string>

class Picture;

extern TBild imgPiece[16];        // "data/match3/item1-" 1..15, centred
extern TBild imgCellMask;         // "data/match3/cellmask.png", centred
extern TBild imgPointerProbe;     // "data/UI/coll.png", top-left
extern TBild imgPuHolder[5];      // "data/pu/puholder" 1..4, centred
extern TBild imgPuHolderOff[5];   // "data/pu/puholder" 1..4 "off", centred

// Loads the pictures above (idempotent).
void loadBoardPictures();
// The picture a wrapper holds, or none when it is not loaded.
Picture* pictureOf(TBild& img);
// True when the pointer probe, top-left at the mouse position, overlaps the cell
// mask centred on (x, y) in at least one opaque pixel.
bool pointerOverPoint(float x, float y);
// Draws a wrapper's picture at (x, y) when it is loaded.
void paintIfLoaded(TBild& img, float x, float y);
