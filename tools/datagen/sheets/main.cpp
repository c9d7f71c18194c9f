// contactsheet --data <installation dir> --out <dir>
// Review sheets of the generated data folder: every picture on a few overview
// pages, and the level picture of a test level that uses all 24 border codes.
// contactsheet --languages <frames dir> --sheet <file.png>
// The sheet of the languages' scripted sessions.
#include "sheets/level_sheet.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace sheets {
void renderOverview(const std::filesystem::path& dataDir, const std::filesystem::path& out);
}

int main(int argc, char** argv) {
    std::filesystem::path data, out, frames, sheet;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        if (key == "--data") data = argv[i + 1];
        else if (key == "--out") out = argv[i + 1];
        else if (key == "--languages") frames = argv[i + 1];
        else if (key == "--sheet") sheet = argv[i + 1];
    }
    if (!frames.empty() && !sheet.empty()) {
        try {
            sheets::renderLanguageSheet(frames, sheet);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "contactsheet: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    if (data.empty() || out.empty()) {
        std::fprintf(stderr, "usage: contactsheet --data DIR --out DIR | --languages DIR --sheet FILE\n");
        return 2;
    }
    std::filesystem::create_directories(out);
    // Pages of an earlier run would linger under names no longer written.
    for (auto& e : std::filesystem::directory_iterator(out))
        if (e.path().extension() == ".png") std::filesystem::remove(e.path());
    try {
        sheets::renderOverview(data, out);
        sheets::renderLevelSheet(data, out);
        sheets::renderGameMockup(data, out);
        sheets::renderLevelsOverview(data, out);
        // The other families' own review pages (font samples, sound and music
        // sheets) join these, so every sheet is in one place.
        auto review = data / "review";
        if (std::filesystem::is_directory(review))
            for (auto& e : std::filesystem::recursive_directory_iterator(review)) {
                if (!e.is_regular_file() || e.path().extension() != ".png") continue;
                std::string name = std::filesystem::relative(e.path(), review).string();
                for (auto& ch : name)
                    if (ch == '/') ch = '-';
                std::filesystem::copy_file(e.path(), out / ("review-" + name),
                                           std::filesystem::copy_options::overwrite_existing);
            }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contactsheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
