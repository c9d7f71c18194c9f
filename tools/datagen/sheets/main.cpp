// contactsheet --data <installation dir> --out <dir>
// Review sheets of the generated data folder: every picture on a few overview
// pages, and the level picture of a test level that uses all 24 border codes.
#include "sheets/level_sheet.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace sheets {
void renderOverview(const std::filesystem::path& dataDir, const std::filesystem::path& out);
}

int main(int argc, char** argv) {
    std::filesystem::path data, out;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        if (key == "--data") data = argv[i + 1];
        else if (key == "--out") out = argv[i + 1];
    }
    if (data.empty() || out.empty()) {
        std::fprintf(stderr, "usage: contactsheet --data DIR --out DIR\n");
        return 2;
    }
    std::filesystem::create_directories(out);
    try {
        sheets::renderOverview(data, out);
        sheets::renderLevelSheet(data, out);
        sheets::renderGameMockup(data, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contactsheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
