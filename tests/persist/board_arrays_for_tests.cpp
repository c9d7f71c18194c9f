// TEMPORARY: the seven live board arrays the profile snapshot copies, until the
// board model lands. Delete when match3/board.cpp defines them.
#include "match3/board.h"

int cellMoss[kCells + 1], cellStone[kCells + 1], cellDoor[kCells + 1];
int itemKind[kItems + 1], itemX[kItems + 1], itemY[kItems + 1], itemKaefCol[kItems + 1];
