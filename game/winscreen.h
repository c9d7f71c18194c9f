// The win screen: the bonus panel that follows a won level, the time bonus and
// the best time, and the end-of-level order that banks the points and picks
// the next screen.
#pragma once
#include <string>
#include <vector>

extern int timeBonus;        // points of the time bonus of this win
extern int timeBonusMinutes; // minute limit beaten, 0 = none
extern int newBestTime;      // 1 when this win set a new best time
extern int newBestBonus;     // 2000 with a new best time

// Time bonus for a level played in t seconds; minutes receives the limit beaten
// (0 for none).
int timeBonusFor(int t, int& minutes);
// Computes the bonuses of the win at W = 81 and adds them to the level points.
int computeWinBonuses();
// Per frame from the game screen: the win check, then the win sequence.
int screenWin();
// The end of a won level: bank points, advance the profile, save, next screen.
int finishWonLevel();

// One line of the bonus panel: the frame it starts fading in at, its top y, the
// label and the right-aligned value (centred lines have no value).
struct WinPanelLine {
    int start;
    float y;
    std::string label, value;
    bool centred;
};
// The panel's lines for the current win values and profile.
std::vector<WinPanelLine> winPanelLines();
