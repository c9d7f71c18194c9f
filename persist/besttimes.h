// Best time of every level (besttimes.ppp) and the champions table built from
// the profiles.
#pragma once
#include <string>

extern int gBestTime[101];          // seconds, -1 = none (entries 1..100)
extern std::string gBestName[101];  // holder, padded to 12 blanks after a save
extern std::string gChampName[10];  // rows 1..9
extern int gChampLevel[10];
extern int gChampPoints[10];

int resetBestTimes();
int loadBestTimes();
int saveBestTimes();
// New-best-time rule for the current player's Level and time: stores and saves
// when strictly faster (or none stored); returns 1 when a new best was set.
int checkNewBestTime();
int buildChampionsTable();
int computeRankOrder(); // fills gRankOrder
std::string bestTimesPath();
