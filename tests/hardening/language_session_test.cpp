// One session per language through the real input queue: a first start in a
// locale of that language, a new player, the options (whose arrows switch the
// language and back), the roadmap with its help and tooltip, the story page
// and level 1 won with the developer key. Each step checks a text of the
// language on the way and saves the frame under build-test/frames/languages/
// (`make language-sheet` puts five of them per language on one sheet).
#include "app/globals.h"
#include "app/ui.h"
#include "game/gamepictures.h"
#include "game/gamestate.h"
#include "persist/config.h"
#include "persist/language.h"
#include "persist/languages.h"
#include "persist/profile.h"
#include "screens/roadmap.h"
#include "tests/hardening/play.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace hardening {
namespace {

namespace fs = std::filesystem;

using game::noPopup;
using game::onScreen;
using game::popupOpen;

std::string settingsLine(int line) {
    std::ifstream in(gSaveDir + "settings.txt");
    std::string text;
    for (int i = 0; i < line && std::getline(in, text);) ++i;
    return text.substr(0, text.find('\r'));
}

class LanguageSession : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        oldCwd_ = fs::current_path();
        fs::current_path(VARNOKA_GAME_DIR);
        frames_ = fs::path(VARNOKA_GAME_DIR).parent_path() / "frames" / "languages";
        fs::create_directories(frames_);
    }
    void TearDown() override {
        game::stop();
        fs::current_path(oldCwd_);
    }
    void save(const std::string& step) {
        EXPECT_TRUE(harness::saveFramePng((frames_ / (languageCode(GetParam()) + "-" + step + ".png")).string()))
            << step;
    }
    harness::HeadlessEnv env;
    fs::path oldCwd_, frames_;
};

TEST_P(LanguageSession, FromFirstStartToTheWonLevel) {
    const int language = GetParam();
    const std::string code = languageCode(language);
    // A locale of the language's main territory, spelt as systems spell it.
    const std::string territory = code == "en" ? "GB" : code == "sv" ? "SE" : code == "pt" ? "PT" : code;
    std::string locale = code + "_" + territory + ".UTF-8";
    for (size_t i = 3; i < 5; ++i) locale[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(locale[i])));
    setenv("LC_ALL", locale.c_str(), 1);

    // Start-up: the first run takes the language from the locale and keeps it.
    ASSERT_TRUE(game::start());
    EXPECT_EQ(gConfig.sprache, language) << locale;
    EXPECT_EQ(settingsLine(5), std::to_string(language));
    const std::string ok = gLang.getValue("ok");
    // Branding pages skipped with Enter, F3 held for the developer keys.
    for (int i = 0; i < 3000 && gScreen != SCREEN_MENU; i++) {
        if (i % 2 == 0) {
            harness::keyDown(13);
            harness::keyDown(114);
        } else {
            harness::keyUp(13);
            harness::keyUp(114);
        }
        game::step(1);
    }
    ASSERT_TRUE(stepUntil([] { return onScreen(SCREEN_MENU); }, 200));
    game::step(45);
    save("1-menu");

    // A new player through the start sign.
    game::clickAt(690, 190);
    ASSERT_TRUE(stepUntil([] { return popupOpen(105); }, 60));
    save("2-newplayer");
    harness::typeText("Tess");
    game::step(1);
    keyAt(13);
    ASSERT_TRUE(stepUntil(noPopup, 60));

    // Options: the right arrow switches to the next language at once (texts and
    // the settings file), the left one back.
    game::clickAt(265, 740);
    ASSERT_TRUE(stepUntil([] { return popupOpen(100); }, 60));
    save("3-options");
    const int next = (language + 1) % kLanguageCount;
    game::clickAt(652, 540);
    EXPECT_EQ(gConfig.sprache, next);
    EXPECT_EQ(settingsLine(5), std::to_string(next));
    const std::string nextFolder = next == 0 ? "data/" : "data/lang/" + languageCode(next) + "/";
    TLanguage nextTexts;
    nextTexts.loadFromDisk(nextFolder + "texts/codetexts.txt", "=");
    EXPECT_EQ(gLang.getValue("options"), nextTexts.getValue("options"));
    EXPECT_EQ(imgGameOn.file, nextFolder + "texts/gameon.png") << "pictures with words switched";
    game::clickAt(372, 540);
    EXPECT_EQ(gConfig.sprache, language);
    EXPECT_EQ(settingsLine(5), std::to_string(language));
    EXPECT_EQ(gLang.getValue("ok"), ok);
    EXPECT_EQ(imgGameOn.file, localisedPath("data/texts/gameon.png"));
    game::clickAt(512, 612);
    ASSERT_TRUE(stepUntil(noPopup, 60));

    // The story's first page, then the roadmap with its help and a tooltip.
    game::clickAt(690, 190);
    ASSERT_TRUE(stepUntil([] { return popupOpen(107); }, 60));
    game::clickAt(597, 484);
    ASSERT_TRUE(stepUntil([] { return onScreen(SCREEN_STORY); }, 200));
    save("4-story");
    game::clickAt(900, 730);
    ASSERT_TRUE(stepUntil([] { return onScreen(SCREEN_ROADMAP); }, 200));
    // A new player's first visit opens the roadmap's help by itself.
    if (stepUntil([] { return popupOpen(112); }, 60)) {
        save("5-help");
        keyAt(13);
    }
    ASSERT_TRUE(stepUntil(noPopup, 60));
    harness::mouseMove(gWaypointX[1], gWaypointY[1]);
    game::step(2);
    save("6-roadmap");

    // Level 1 through its story page; the developer key wins it.
    game::clickAt(120, 720);
    ASSERT_TRUE(stepUntil([] { return onScreen(SCREEN_STORY); }, 200));
    save("7-story2");
    game::clickAt(900, 730);
    ASSERT_TRUE(stepUntil([] { return onScreen(SCREEN_GAME); }, 200));
    for (int page = 0; page < 4; page++) {
        stepUntil([] { return gameFrame > 150 || popupOpen(447); }, 400);
        if (!popupOpen(447)) break;
        if (page == 0) save("8-levelhelp");
        keyAt(13);
    }
    ASSERT_TRUE(stepUntil([] { return gameFrame > 160 && noPopup(); }, 400));
    save("9-level1");
    keyAt(114);
    ASSERT_TRUE(stepUntil([] { return winCounter > 170; }, 400));
    save("10-win");
    game::clickAt(512, 580);
    EXPECT_TRUE(stepUntil([] { return curPlayer().Level == 2 && gFadeDir == 1 && gFadeLevel >= 255; }, 200));

    // The next start keeps the chosen language whatever the locale says.
    game::stop();
    setenv("LC_ALL", "C", 1);
    ASSERT_TRUE(game::start());
    EXPECT_EQ(gConfig.sprache, language);
    EXPECT_EQ(gLang.getValue("ok"), ok);
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, LanguageSession, ::testing::Range(0, kLanguageCount),
                         [](const ::testing::TestParamInfo<int>& info) { return languageCode(info.param); });

} // namespace
} // namespace hardening
