// The particle table: debris, sparks, flashes, pieces that shrink or fly to the
// head-up display, and the power-up projectiles. Slots 1..1099 are used.
#pragma once
#include "app/tbild.h"

constexpr int kParticles = 1100; // arrays 0..1100; creation uses 1..1099

extern float pX[kParticles + 1], pY[kParticles + 1];
extern int pType[kParticles + 1];
extern int pAge[kParticles + 1];
extern float pVX[kParticles + 1], pVY[kParticles + 1];
extern int pTarget[kParticles + 1];

// Effect pictures (centred), loaded by loadEffectPictures.
extern TBild imgBombFlare, imgGlowStar, imgDynamite;
extern TBild imgSpark[10]; // "data/effects/glb" 1..9
extern TBild imgFlash[10]; // "data/effects/glo" 1..9
extern TBild imgDirt[10];  // "data/effects/dirt" 1..9

// Creates a particle; returns its slot, or 0 when the table is full.
int spawnParticle(float x, float y, int type, float vx, float vy);
void clearParticles();
// Moves, draws and retires every particle once per frame.
void updateDrawParticles();
void loadEffectPictures();
// Number of particles alive (for tests and the developer overlay).
int countParticles();
