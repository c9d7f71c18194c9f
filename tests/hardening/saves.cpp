#include "tests/hardening/saves.h"

#include "app/globals.h"
#include "persist/besttimes.h"
#include "persist/config.h"
#include "persist/profile.h"
#include "platform/platform.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace hardening {

namespace fs = std::filesystem;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

// The profile file memory would write now.
std::string profileBytes(const TSpieler& p) {
    const fs::path path =
        fs::temp_directory_path() / ("varnoka-profile-" + std::to_string(getpid()) + ".ppp");
    auto copy = std::make_unique<TSpieler>(p);
    copy->setUrl(path.string());
    copy->SaveToDisk();
    std::string bytes = fileBytes(path.string());
    std::error_code ec;
    fs::remove(path, ec);
    return bytes;
}

// Where two profile files first differ, by the field at that place.
std::string firstDifference(const std::string& a, const std::string& b) {
    static const char* const kHead[] = {
        "StoryPage",    "StoryLevel",  "StoryPoints", "isStoryFinished",  "Level",       "isResume",
        "resumePoints", "resumeLevel", "resumeTime",  "resumeGTGameType", "isIntroDone", "gtGameType",
        "time",         "isHelp",      "anzItems",    "anzMoss",          "anzKaefer",   "skipfill"};
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        at++;
    const size_t field = at / 4;
    if (field < 18) return kHead[field];
    if (at < 7352) return "board snapshot";
    if (at < 7372) return "resumeItemsDestroyed";
    if (at < 7400) return "pusoll";
    return "name";
}

std::vector<std::string> settingsLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

namespace {

int32_t intAt(const std::string& bytes, size_t offset) {
    if (offset + 4 > bytes.size()) return 0;
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data() + offset);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

// How far a profile file says its player has come: story level, points,
// finished; and the name.
struct Progress {
    int32_t level = 0, points = 0, finished = 0;
    std::string name;
};

Progress progressIn(const std::string& profile) {
    return {intAt(profile, 4), intAt(profile, 8), intAt(profile, 12),
            profile.size() > 7404 ? profile.substr(7404) : ""};
}

void compareSettingsAndBestTimes(std::vector<std::string>& diffs) {
    const std::vector<std::string> lines = settingsLines(gSaveDir + "settings.txt");
    const int values[6] = {gConfig.fullscreen, gConfig.musiklautsoll, gConfig.soundlaut, gCurPl,
                           gConfig.sprache,    gConfig.aktmenubg};
    for (int i = 0; i < 6; i++)
        if (i >= static_cast<int>(lines.size()) || ParseInt(lines[i]) != values[i])
            diffs.push_back("settings.txt line " + std::to_string(i + 1) + " is not " +
                            std::to_string(values[i]));
    const std::string times = fileBytes(bestTimesPath());
    if (times.size() != 1600) {
        diffs.push_back("besttimes.ppp holds " + std::to_string(times.size()) + " bytes");
        return;
    }
    for (int l = 1; l <= 100; l++) {
        const int32_t t = intAt(times, (l - 1) * 16);
        const std::string name = Trim(times.substr((l - 1) * 16 + 4, 12));
        if (t != gBestTime[l] || name != Trim(gBestName[l]))
            diffs.push_back("besttimes.ppp level " + std::to_string(l) + " holds " + std::to_string(t) +
                            " by '" + name + "'");
    }
}

// Compares every profile file with memory: a difference goes to diffs, or,
// for players other than the current one when unsaved is given, to unsaved
// unless it loses progress or keeps a deleted player.
void compareProfiles(std::vector<std::string>& diffs, int* unsaved) {
    for (int slot = 1; slot <= 9; slot++) {
        const TSpieler& p = gPlayers[slot];
        const std::string path = gSaveDir + "players" + std::to_string(slot) + ".ppp";
        const std::string onDisk = fileBytes(path);
        if (onDisk.empty() && !fs::exists(path) && p.name.empty()) continue;
        const std::string inMemory = profileBytes(p);
        if (onDisk == inMemory) continue;
        const std::string what = "players" + std::to_string(slot) + ".ppp differs from profile '" + p.name +
                                 "' (level " + std::to_string(p.Level) + ") first in " +
                                 firstDifference(onDisk, inMemory);
        if (!unsaved || slot == gCurPl) {
            diffs.push_back(what);
            continue;
        }
        const Progress disk = progressIn(onDisk), memory = progressIn(inMemory);
        const bool lost =
            disk.name == memory.name &&
            (memory.level > disk.level || memory.points > disk.points || memory.finished > disk.finished);
        if (lost || (memory.name.empty() && !disk.name.empty()))
            diffs.push_back(what);
        else
            ++*unsaved;
    }
}

} // namespace

std::vector<std::string> savesDifferFromMemory() {
    std::vector<std::string> diffs;
    compareProfiles(diffs, nullptr);
    compareSettingsAndBestTimes(diffs);
    return diffs;
}

std::vector<std::string> savesMissWhatTheGameDid(int& unsaved) {
    std::vector<std::string> diffs;
    compareProfiles(diffs, &unsaved);
    compareSettingsAndBestTimes(diffs);
    return diffs;
}

} // namespace hardening
