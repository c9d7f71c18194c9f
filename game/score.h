// Points of a level and the short-lived floating numbers that show them, and the
// check that ends a level as won.
#pragma once
#include <string>

constexpr int kFloatTexts = 20; // slots 1..20

extern int floatTextX[kFloatTexts + 1], floatTextY[kFloatTexts + 1];
extern std::string floatTextText[kFloatTexts + 1];
extern int floatTextAge[kFloatTexts + 1]; // 0 = free; freed when it reaches 45

// Adds points to the current profile's level score (never below 0) and, when
// x >= 0, shows them as a floating number at (x, y).
int addPoints(int x, int y, int points);
int spawnFloatText(int x, int y, const std::string& text);
int drawFloatTexts();
int clearFloatTexts();
// Sets winCounter to 1 when no moss is left and every item target is met.
int checkLevelWon();
