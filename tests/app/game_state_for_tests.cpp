// Definitions of the game-screen and board state the shell reads (the win
// counter, the board cells a stored level is taken from), for as long as the
// game and board modules are not part of the library; remove with their arrival.
#include "game/gamestate.h"
#include "match3/board.h"

int winCounter = 0;
int cellMoss[kCells + 1], cellStone[kCells + 1], cellDoor[kCells + 1];
int itemKind[kItems + 1], itemX[kItems + 1], itemY[kItems + 1], itemKaefCol[kItems + 1];
