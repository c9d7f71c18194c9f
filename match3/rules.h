// The rules of play: selection and the three game types, swapping, falling and
// refill, hints and the rescue bomb, the shuffle wave, and the special pieces
// (moss, stones, doors, bombs, beetles). All state is global, one instance.
#pragma once
#include "match3/board.h"

// Selection (chain, group, the lines of swap mode, a clicked bomb).
extern int selCount;            // pieces in the selection; a clicked bomb makes it 3
extern int selList[kItems + 1]; // item slots in the order they were added
extern int selLast;             // last piece added in chain mode, 0 = none
extern int selColour;           // colour of the chain, 0 = not yet fixed
extern int selReady;            // 1 = resolve at the end of this frame's rules

// Swap mode.
extern int swapFirst, swapSecond;
extern int swapProgress; // 0 idle, else 6, 12, ... 96 pixels travelled forth and back
extern int swapPhase;    // 1 towards each other, 2 back, 0 idle
extern int swapFirstDX, swapFirstDY, swapSecondDX, swapSecondDY;
extern int swapFirstScale, swapSecondScale;

// Hints, the rescue bomb and the shuffle wave.
extern int idleFrames;
extern int hintPiece1, hintPiece2, hintPiece3;
extern int hintDir;
extern int rescueBombMade;
extern int shuffleRadius;

void resetSelection();
void resetSwap();

// Input gate and picking (shared by the three input routines).
bool inputGateOpen();
bool pointerOverItem(int slot);
bool isSelectableChainGroup(int kind);
// Makes a clicked bomb the whole selection (count 3, entry 3) and marks it.
void selectBombAlone(int slot);
// Adds a piece to the end of the selection and marks it and its cell.
void addToSelection(int slot);

int inputChain();
int inputGroup();
int inputSwap();
int swapAnimation();
int swapLineCheck();
int resolveSelection();
// Takes a piece off the board: its replacement enters above the column, it flies
// to its counter or rises away, and it scores. vanish adds the blast's
// vanishing-piece particle after the points.
int removePiece(int slot, int points, bool vanish = false);
int removeReadyLines();
int drawSwapPieces();

int gravityPass();
int hintChainGroup();
int hintSwap();
int makeRescueBomb();
int shuffleWave();

void clearMossUnder(int slot);
void clearMossAt(int cell);
int breakStoneOrDoor(int slot);
void explodeBomb(int slot);
void beetleLeaves(int slot);

// Where `to` lies from `from`: 1 right, 2 left, 3 below, 4 above (48 pixels
// away, same row or column), 0 when it is no orthogonal neighbour.
int itemDirection(int from, int to);
// Whole-number distance between the centres of two items.
int itemDistance(int a, int b);
// True when the game is paused (the pause flag set).
bool gamePaused();
