// The power-up bar below the board: four slots charged by escaping beetles of
// their colour, each with a gauge, a ready creature that blinks, and a power-up:
// 1 a targeted shot, 2 a beam that starts the shuffle wave, 3 a sweep of shots
// at the moss, 4 dynamite thrown at a random piece.
#pragma once
#include "app/tbild.h"

// Power-up pictures (centred), loaded by gamestuff_load (game/gamepictures.h).
// The holders are imgPuHolder / imgPuHolderOff of game/boardpictures.h.
extern TBild imgPuAnim[5][8];   // "data/pu/pu" k "/m" f ".png", f = 1..7 (1..6 for slots 2, 4)
extern TBild imgPuEyes[5][3];   // "data/pu/pu" k "eyes" e ".png", e = 1, 2
extern TBild imgPuItem[5];      // "data/pu/puitem" k ".png": the beetle of colour k
extern TBild imgPuDisabled[5];  // "data/pu/pudisabled" k ".png"
extern TBild imgPuShell[5];     // "data/pu/pushell" k ".png", drawn by the game screen
extern TBild imgPuHolderGlow[5];// "data/pu/puholder" k "glow.png", loaded, not drawn

constexpr int kPuCharged = 120; // target charge of a charged slot
constexpr int kPuReady = 10000; // shown charge of a ready slot; 10001..10049 blink

// Once per frame: places the slots, runs them in the order 4, 3, 1, 2.
int powerUpBar();
// The charge display of slot k.
int puGauge(int k);
int puTargetShot();
int puShuffleBeam();
int puMossShots();
int puDynamite();
// Slot 4's choice of target: a random qualifying piece slot, 0 when none
// qualifies.
int puPickDynamiteTarget();
