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

std::vector<std::string> savesDifferFromMemory() {
    std::vector<std::string> diffs;
    for (int slot = 1; slot <= 9; slot++) {
        const std::string path = gSaveDir + "players" + std::to_string(slot) + ".ppp";
        const std::string onDisk = fileBytes(path);
        if (onDisk.empty() && !fs::exists(path) && gPlayers[slot].name.empty()) continue;
        if (onDisk != profileBytes(gPlayers[slot]))
            diffs.push_back("players" + std::to_string(slot) + ".ppp differs from profile '" +
                            gPlayers[slot].name + "' (level " + std::to_string(gPlayers[slot].Level) + ")");
    }
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
    } else {
        for (int l = 1; l <= 100; l++) {
            const auto* record = reinterpret_cast<const uint8_t*>(times.data() + (l - 1) * 16);
            const int32_t t = int32_t(uint32_t(record[0]) | uint32_t(record[1]) << 8 |
                                      uint32_t(record[2]) << 16 | uint32_t(record[3]) << 24);
            const std::string name = Trim(std::string(reinterpret_cast<const char*>(record + 4), 12));
            if (t != gBestTime[l] || name != Trim(gBestName[l]))
                diffs.push_back("besttimes.ppp level " + std::to_string(l) + " holds " + std::to_string(t) +
                                " by '" + name + "'");
        }
    }
    return diffs;
}

} // namespace hardening
