#include "tests/gamescreen/fixture.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/screens.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/gamestate.h"
#include "game/particles.h"
#include "match3/board.h"
#include "persist/besttimes.h"
#include "persist/profile.h"
#include "screens/roadmap.h"
#include "tests/gamescreen/gameload.h"
#include "tests/harness/game.h"

namespace gs {

void GameFixture::SetUp() {
    oldCwd = std::filesystem::current_path();
    std::filesystem::current_path(VARNOKA_GAME_DIR);
    ASSERT_TRUE(std::filesystem::exists("data/levels/lvla001.lvl")) << "the generated data folder";
    ASSERT_TRUE(game::start());
    resetBestTimes();
    loadGameData(1).name = "Tester";
    gInputEnabled = 1;
    roadmapFrames = 100;
}

void GameFixture::TearDown() {
    game::stop();
    std::filesystem::current_path(oldCwd);
}

void GameFixture::enter(int screen) {
    gotoScreen(screen, 0);
    ASSERT_TRUE(stepUntilScreen(screen));
    for (int i = 0; i < 12 && gFadeLevel < 255; i++) game::step(1);
}

bool GameFixture::stepUntilScreen(int screen, int limit) {
    for (int i = 0; i < limit; i++) {
        if (gScreen == screen && gFadeDir == 1) return true;
        game::step(1);
    }
    return gScreen == screen;
}

bool GameFixture::stepUntilPopupOpen() {
    for (int i = 0; i < 40 && gRunPopup != 16; i++) game::step(1);
    return gRunPopup == 16;
}

void GameFixture::stepToGameFrame(int n) {
    for (int i = 0; i < 2 * n + 40 && gameFrame < n; i++) game::step(1);
}

void GameFixture::clickAt(int x, int y) { game::clickAt(x, y); }

void GameFixture::saveFrame(const std::string& name) {
    const std::string dir = std::string(VARNOKA_GAME_DIR) + "/../frames/";
    std::filesystem::create_directories(dir);
    harness::saveFramePng(dir + name + ".png");
}

} // namespace gs
