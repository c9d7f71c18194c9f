// Best time of every level (besttimes.ppp: 100 records of a time and a
// 12-character name) and the rankings built from the profiles.
#include "persist/besttimes.h"

#include "app/globals.h"
#include "persist/binio.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <algorithm>

int gBestTime[101];
std::string gBestName[101];
std::string gChampName[10];
int gChampLevel[10];
int gChampPoints[10];

namespace {

constexpr int kNameBytes = 12;

void clearBestTimes() {
    for (int l = 0; l <= 100; l++) {
        gBestTime[l] = -1;
        gBestName[l].clear();
    }
}

// The stored form of a name: exactly 12 characters, blanks at the end. A longer
// name is cut so that every record keeps its 16 bytes.
std::string paddedName(const std::string& name) {
    std::string padded = name.substr(0, kNameBytes);
    padded.resize(kNameBytes, ' ');
    return padded;
}

} // namespace

std::string bestTimesPath() { return gSaveDir + "besttimes.ppp"; }

int resetBestTimes() {
    clearBestTimes();
    return saveBestTimes();
}

int loadBestTimes() {
    // A missing or damaged file gives an empty table (written at the next save);
    // the whole records before a fault are kept.
    clearBestTimes();
    StreamPtr s = OpenRead(bestTimesPath());
    if (!s) return 0;
    try {
        for (int l = 1; l <= 100; l++) {
            uint8_t record[4 + kNameBytes];
            if (ReadBytes(s.get(), record, sizeof record) != sizeof record) break;
            gBestTime[l] = IntFromBytes(record);
            gBestName[l] = Trim(std::string(reinterpret_cast<const char*>(record + 4), kNameBytes));
        }
    } catch (const StreamError&) {
    }
    Close(s);
    return 0;
}

int saveBestTimes() {
    for (int l = 1; l <= 100; l++) gBestName[l] = paddedName(gBestName[l]);
    StreamPtr s = OpenWrite(bestTimesPath());
    if (!s) return 0; // the save folder cannot be written: keep the table in memory
    for (int l = 1; l <= 100; l++) {
        WriteInt(s.get(), gBestTime[l]);
        WriteString(s.get(), gBestName[l]);
    }
    Close(s);
    return 0;
}

int checkNewBestTime() {
    const TSpieler& p = curPlayer();
    const int level = p.Level;
    if (level < 1 || level > 100) return 0;
    if (gBestTime[level] != -1 && p.time >= gBestTime[level]) return 0;
    gBestTime[level] = p.time;
    gBestName[level] = p.name;
    saveBestTimes();
    return 1;
}

int buildChampionsTable() {
    for (int r = 1; r <= 9; r++) {
        gChampName[r].clear();
        gChampLevel[r] = -1;
        gChampPoints[r] = 0;
    }
    int count = 0;
    for (int level = 121; level >= 0; level--) {
        for (int s = 1; s <= 9; s++) {
            if (gPlayers[s].StoryLevel != level) continue;
            count++;
            gChampName[count] = gPlayers[s].name;
            gChampLevel[count] = gPlayers[s].StoryLevel;
            gChampPoints[count] = gPlayers[s].StoryPoints;
        }
    }
    return 0;
}

int computeRankOrder() {
    int order[9];
    for (int i = 0; i < 9; i++) order[i] = i + 1;
    std::stable_sort(order, order + 9,
                     [](int a, int b) { return gPlayers[a].StoryPoints > gPlayers[b].StoryPoints; });
    for (int i = 0; i < 9; i++) gRankOrder[i + 1] = order[i];
    return 0;
}
