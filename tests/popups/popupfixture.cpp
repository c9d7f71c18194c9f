#include "tests/popups/popupfixture.h"

#include "app/globals.h"
#include "app/mainloop.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "app/sound.h"
#include "game/boardpictures.h"
#include "game/gamepictures.h"
#include "game/particles.h"
#include "persist/profile.h"
#include "tests/harness/game.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace popuptest {

namespace fs = std::filesystem;

void PopupTest::SetUp() {
    oldDir_ = fs::current_path().string();
    ASSERT_TRUE(fs::is_directory(std::string(VARNOKA_GAME_DIR) + "/data")) << "build the data target first";
    fs::current_path(VARNOKA_GAME_DIR);
    ASSERT_TRUE(game::start());
    enterMenuQuickly();
    ASSERT_EQ(gScreen, SCREEN_MENU);
}

void PopupTest::TearDown() {
    game::stop();
    fs::current_path(oldDir_);
}

void enterMenuQuickly() {
    // What the loading screen loads, without its timeline.
    initSounds();
    menustuff_load();
    menustuff_load_dynamic();
    loadGamePictures();
    gamestuff_load();
    loadEffectPictures();
    gInputEnabled = 1; // the loading screen turns the mouse on
    gotoScreen(SCREEN_MENU, 0);
    // Past the first second, so the frame-rate meter shows a normal machine
    // (popups open with their 16-frame delay).
    game::step(50);
}

bool stepUntilOpen() {
    for (int i = 0; i < 60; ++i) {
        if (gRunPopup == 16) return true;
        game::step(1);
    }
    return gRunPopup == 16;
}

bool stepUntilClosed() {
    for (int i = 0; i < 60; ++i) {
        if (gRunPopup == 0) return true;
        game::step(1);
    }
    return gRunPopup == 0;
}

void clickStep(int x, int y) {
    harness::click(x, y);
    game::step(1);
}

void keyStep(int vk) {
    harness::keyPress(vk);
    game::step(1);
}

void openFully(int id) {
    openPopup(id);
    game::step(1);
    stepUntilOpen();
}

void makePlayer(int slot, const std::string& name, int points, int level) {
    gPlayers[slot].Erase();
    gPlayers[slot].name = name;
    gPlayers[slot].StoryPoints = points;
    gPlayers[slot].Level = level;
    gPlayers[slot].StoryLevel = level;
}

void saveFrame(const std::string& name) {
    const std::string dir = std::string(VARNOKA_GAME_DIR) + "/../frames/";
    fs::create_directories(dir);
    harness::saveFramePng(dir + name + ".png");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace popuptest
