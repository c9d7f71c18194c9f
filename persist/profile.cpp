// Player profiles: the profile file (players<N>.ppp), the level snapshot for
// resuming, and the steps of the story (level up, story pages, level done).
#include "persist/profile.h"

#include "match3/board.h"
#include "persist/binio.h"
#include "platform/debuglog.h"
#include "platform/platform.h"

#include <algorithm>

TSpieler gPlayers[10];
int gCurPl = -1;

TSpieler& curPlayer() { return gPlayers[gCurPl >= 1 && gCurPl <= 9 ? gCurPl : 0]; }

namespace {

constexpr int kHeaderInts = 18;
constexpr int kStoredInts = kHeaderInts + 7 * kBoardSlots + 5 + 7; // 1850
constexpr int kFixedBytes = (kStoredInts + 1) * 4;                  // 7404, name length included

// Visits the stored integers in file order.
template <class Fn> void forEachStoredInt(TSpieler& p, Fn&& fn) {
    for (int* v : {&p.StoryPage, &p.StoryLevel, &p.StoryPoints, &p.isStoryFinished, &p.Level, &p.isResume,
                   &p.resumePoints, &p.resumeLevel, &p.resumeTime, &p.resumeGTGameType, &p.isIntroDone,
                   &p.gtGameType, &p.time, &p.isHelp, &p.anzItems, &p.anzMoss, &p.anzKaefer, &p.skipfill})
        fn(*v);
    for (int i = 1; i <= kBoardSlots; i++) {
        for (int* v : {&p.resumeCellMoss[i], &p.resumeCellStone[i], &p.resumeCellDoor[i], &p.resumeItemX[i],
                       &p.resumeItemY[i], &p.resumeItemA[i], &p.resumeItemKaefCol[i]})
            fn(*v);
    }
    for (int k = 1; k <= 5; k++) fn(p.resumeItemsDestroyed[k]);
    for (int k = 1; k <= 7; k++) fn(p.pusoll[k]);
}

// Visits the pairs (live board entry, snapshot entry) of slots 1..260 and the
// destroyed counts (live, snapshot) of kinds 1..5.
template <class Fn> void forEachSnapshotPair(TSpieler& p, Fn&& fn) {
    for (int i = 1; i <= kBoardSlots; i++) {
        fn(cellMoss[i], p.resumeCellMoss[i]);
        fn(cellStone[i], p.resumeCellStone[i]);
        fn(cellDoor[i], p.resumeCellDoor[i]);
        fn(itemX[i], p.resumeItemX[i]);
        fn(itemY[i], p.resumeItemY[i]);
        fn(itemKind[i], p.resumeItemA[i]);
        fn(itemKaefCol[i], p.resumeItemKaefCol[i]);
    }
    for (int k = 1; k <= 5; k++) fn(p.itemsDestroyed[k], p.resumeItemsDestroyed[k]);
}

void storeSnapshot(TSpieler& p) {
    forEachSnapshotPair(p, [](int& live, int& saved) { saved = live; });
}

void restoreSnapshot(TSpieler& p) {
    forEachSnapshotPair(p, [](int& live, int& saved) { live = saved; });
}

bool validLevel(int level) { return level >= 1 && level <= 100; }
bool validKind(int kind) { return kind >= 1 && kind <= 5; }

int clampTo(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// Values that pick an entry of a table (levels 1..100, 101 after the last one,
// story pages 1..12) are brought into their tables, so that a damaged file can
// never lead another part of the game outside one. A snapshot of no level
// cannot be resumed.
void mendTableValues(TSpieler& p) {
    p.StoryLevel = clampTo(p.StoryLevel, 1, 100);
    p.Level = clampTo(p.Level, 1, 101);
    p.StoryPage = clampTo(p.StoryPage, 1, 12);
    if (p.resumeLevel != -1 && !validLevel(p.resumeLevel)) p.resumeLevel = -1;
    if (!validLevel(p.resumeLevel)) p.isResume = 0;
}

// Reads the file into p; false when the file is short or its name length does
// not fit the file.
bool readProfile(TSpieler& p, Stream* s) {
    std::vector<int32_t> ints(kStoredInts + 1);
    if (!ReadIntRun(s, ints.data(), ints.size())) return false;
    const int32_t n = ints[kStoredInts];
    const size_t size = StreamSize(s), pos = StreamPos(s);
    if (n < 0 || pos > size || size_t(n) > size - pos) return false;
    std::string name = n > 0 ? Trim(ReadString(s, n)) : std::string();
    size_t i = 0;
    forEachStoredInt(p, [&](int& v) { v = ints[i++]; });
    p.name = std::move(name);
    return true;
}

} // namespace

int TSpieler::setUrl(const std::string& path) {
    url = path;
    return 0;
}

int TSpieler::SaveToDisk() {
    StreamPtr s = OpenWrite(url);
    if (!s) return 0; // folder not writable: the profile stays in memory
    forEachStoredInt(*this, [&](int& v) { WriteInt(s.get(), v); });
    const std::string trimmed = Trim(name);
    WriteInt(s.get(), int32_t(trimmed.size()));
    WriteString(s.get(), trimmed);
    if (Close(s)) isAlreadySaved = 1;
    return 0;
}

int TSpieler::LoadFromDisk() {
    StreamPtr s = OpenRead(url);
    bool ok = false;
    if (s) {
        try {
            ok = readProfile(*this, s.get());
        } catch (const StreamError&) {
            ok = false;
        }
        Close(s);
    }
    // A missing, short or damaged file leaves an empty slot.
    if (!ok) return Erase();
    mendTableValues(*this);
    restoreSnapshot(*this);
    return 0;
}

int TSpieler::NewVarnoka() {
    StoryPage = 1;
    StoryLevel = 1;
    StoryPoints = 0;
    isStoryFinished = 0;
    Level = 1;
    isResume = 0;
    resumeLevel = 1;
    resumePoints = 0;
    resumeGTGameType = 0;
    resumeTime = 0;
    for (int* a : {resumeCellMoss, resumeCellStone, resumeCellDoor, resumeItemX, resumeItemY, resumeItemA,
                   resumeItemKaefCol})
        std::fill(a, a + kBoardSlots + 1, 0);
    for (int k = 0; k <= 5; k++) itemsDestroyed[k] = resumeItemsDestroyed[k] = 0;
    time = 0;
    anzItems = anzMoss = anzKaefer = 0;
    skipfill = 2;
    for (int& v : pusoll) v = 0;
    return 0;
}

int TSpieler::Erase() {
    NewVarnoka();
    LevelPoints = 0;
    gtGameType = 3;
    isIntroDone = 0;
    name.clear();
    isHelp = 1;
    return 0;
}

int TSpieler::Reset() {
    Erase();
    return SaveToDisk();
}

int TSpieler::checkStoryPage() {
    static const int firstLevels[11] = {1, 11, 21, 31, 41, 51, 61, 71, 81, 91, 101};
    static const int pages[11] = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    isStoryPageShow = 0;
    for (int i = 0; i < 11; i++) {
        if (Level == firstLevels[i]) {
            StoryPage = pages[i];
            isStoryPageShow = 1;
        }
    }
    return 0;
}

int TSpieler::StoryLevelUp() {
    if (StoryLevel >= 100) {
        StoryLevel = 100;
        isStoryFinished = 1;
    } else {
        StoryLevel++;
    }
    return 0;
}

int TSpieler::LevelUp() {
    if (Level == StoryLevel) StoryLevelUp();
    if (Level < 2147483647) Level++;
    return 0;
}

int TSpieler::LevelDone() {
    StoryPoints += LevelPoints;
    time = isResume = LevelPoints = 0;
    anzItems = anzMoss = anzKaefer = 0;
    for (int k = 1; k <= 5; k++) itemsDestroyed[k] = 0;
    return ResetResume();
}

int TSpieler::incLevelPoints(int n) {
    LevelPoints += n;
    return 0;
}

int TSpieler::SuspendLevel() {
    isResume = 1;
    resumeLevel = Level;
    resumePoints = LevelPoints;
    resumeTime = time;
    resumeGTGameType = gtGameType;
    storeSnapshot(*this);
    return 0;
}

int TSpieler::ContinueLevel() {
    if (validLevel(resumeLevel)) Level = resumeLevel;
    LevelPoints = resumePoints;
    isResume = 0;
    time = resumeTime;
    gtGameType = resumeGTGameType;
    restoreSnapshot(*this);
    return 0;
}

int TSpieler::ResetResume() {
    isResume = 0;
    resumeLevel = -1;
    resumePoints = 0;
    time = 0;
    for (int k = 1; k <= 5; k++) itemsDestroyed[k] = resumeItemsDestroyed[k] = 0;
    return 0;
}

int TSpieler::getCurrentLevel() { return isResume == 1 ? resumeLevel : Level; }

int TSpieler::getItemsLeftToDestroy(int level, int kind) {
    // Levels outside the table have no targets.
    if (!validKind(kind) || !validLevel(level)) return 0;
    const long long left = (long long)itemsToDestroyData[level][kind] - itemsDestroyed[kind];
    return left > 0 ? int(left > 2147483647LL ? 2147483647LL : left) : 0;
}

int TSpieler::isItemsDestroyed(int level, int kind) { return getItemsLeftToDestroy(level, kind) == 0 ? 1 : 0; }

int TSpieler::isAllItemsDestroyed(int level) {
    for (int k = 1; k <= 5; k++)
        if (!isItemsDestroyed(level, k)) return 0;
    return 1;
}

int TSpieler::loadAllItemsToDestroyFromDisk(const std::string& path) {
    // A missing or short file leaves the targets it does not hold at 0.
    int32_t targets[500] = {};
    StreamPtr s = OpenRead(path);
    if (!s) {
        DebugLog("Item targets " + path + ": missing (every target 0)");
    } else {
        const bool whole = ReadIntRun(s.get(), targets, 500);
        Close(s);
        if (!whole) DebugLog("Item targets " + path + ": short, the targets it does not hold are 0");
    }
    // The level compiler writes targets of 0..999 only.
    int strange = 0;
    for (int32_t t : targets)
        strange += (t < 0 || t > 999) ? 1 : 0;
    if (strange > 0)
        DebugLog("Item targets " + path + ": damaged, " + std::to_string(strange) +
                 " targets outside 0..999");
    for (int level = 1; level <= 100; level++)
        for (int kind = 1; kind <= 5; kind++) itemsToDestroyData[level][kind] = targets[(level - 1) * 5 + kind - 1];
    return 0;
}
