// The screenshots the AppStream data names, drawn by the harness from the
// generated data into build/screenshots/ (to publish in the web folder the
// AppStream data points at): a level with a chain being drawn, the roadmap and
// the main menu of a player a dozen levels in.
#include "app/globals.h"
#include "match3/board.h"
#include "match3/rules.h"
#include "persist/profile.h"
#include "tests/gamescreen/fixture.h"
#include "tests/harness/game.h"
#include "tests/install/installtree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

// The slot of the colour piece at rest at (x, y); 0 when there is none.
int pieceAt(int x, int y) {
    for (int i = 1; i <= kItems; i++)
        if (isColourKind(itemKind[i]) && itemFalling[i] == 0 && itemX[i] == x && itemY[i] == y) return i;
    return 0;
}

// Three pieces of one colour, each beside or below the one before.
std::vector<int> chainOfThree() {
    const int steps[2][2] = {{48, 0}, {0, 48}};
    for (int a = 1; a <= kItems; a++) {
        if (!isColourKind(itemKind[a]) || itemFalling[a] != 0) continue;
        for (const auto& s1 : steps)
            for (const auto& s2 : steps) {
                const int b = pieceAt(itemX[a] + s1[0], itemY[a] + s1[1]);
                const int c = b ? pieceAt(itemX[b] + s2[0], itemY[b] + s2[1]) : 0;
                if (c && itemKind[b] == itemKind[a] && itemKind[c] == itemKind[a]) return {a, b, c};
            }
    }
    return {};
}

// The file names of the screenshots in the AppStream data.
std::set<std::string> namedScreenshots() {
    std::ifstream in(std::string(VARNOKA_BUILD_DIR) + "/dist/" + install::kAppId + ".metainfo.xml");
    const std::string info((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    for (size_t at = info.find("<image"); at != std::string::npos; at = info.find("<image", at + 1)) {
        const size_t end = info.find("</image>", at);
        if (end == std::string::npos) break;
        const std::string url = info.substr(at, end - at);
        names.insert(url.substr(url.rfind('/') + 1));
    }
    return names;
}

class Screenshots : public gs::GameFixture {
  protected:
    void shoot(const std::string& name) {
        const std::string dir = std::string(VARNOKA_BUILD_DIR) + "/screenshots/";
        fs::create_directories(dir);
        EXPECT_TRUE(harness::saveFramePng(dir + name)) << name;
        shot.insert(name);
    }
    std::set<std::string> shot;
};

} // namespace

TEST_F(Screenshots, EveryScreenshotOfTheAppStreamDataIsDrawn) {
    TSpieler& pl = curPlayer();
    pl.name = "Mira";
    pl.StoryLevel = 14;
    pl.Level = 12;
    pl.gtGameType = 1; // chain

    enter(SCREEN_GAME);
    stepToGameFrame(160);
    for (int i = 0; i < 200 && chainOfThree().empty(); i++)
        game::step(1);
    const std::vector<int> chain = chainOfThree();
    ASSERT_EQ(chain.size(), 3u) << "a board at rest with a chain to draw";
    harness::mouseMove(itemX[chain[0]], itemY[chain[0]]);
    game::step(1);
    harness::mousePress();
    for (int i : chain) {
        harness::mouseMove(itemX[i], itemY[i]);
        game::step(4);
    }
    shoot("level.png");
    harness::mouseRelease();
    game::step(1);

    enter(SCREEN_ROADMAP);
    harness::mouseMove(900, 700);
    game::step(40);
    shoot("roadmap.png");

    enter(SCREEN_MENU);
    harness::mouseMove(470, 560);
    game::step(60);
    shoot("menu.png");

    EXPECT_EQ(shot, namedScreenshots());
}
