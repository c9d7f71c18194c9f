// The branding pages: reading the configuration and leaving pages by time and
// by key, with configurations the test writes into a fresh installation folder.
#include "app/globals.h"
#include "app/splash.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"
#include "tests/ui/uifixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class SplashTest : public harness::HeadlessTest {
  protected:
    void TearDown() override {
        game::stop();
        uitest::resetUiState();
    }
    // Writes the configuration (lines joined with CR LF) and a small picture
    // for each named file.
    void writeConfig(const std::vector<std::string>& lines, const std::vector<std::string>& pictures = {}) {
        fs::create_directories("data/branding");
        std::ofstream out("data/branding/splashconfig.txt", std::ios::binary);
        for (const std::string& l : lines)
            out << l << "\r\n";
        for (const std::string& p : pictures)
            ASSERT_TRUE(
                harness::writePng("data/branding/" + p, 64, 32, std::vector<uint8_t>(64 * 32 * 4, 200)));
    }
    static std::vector<std::string> block(const std::string& file, int time, const std::string& skip) {
        std::vector<std::string> b{"page=1", "file=" + file, "time=" + std::to_string(time)};
        if (!skip.empty()) b.push_back("skip=" + skip);
        b.push_back(";---");
        return b;
    }
    static std::vector<std::string> join(std::initializer_list<std::vector<std::string>> blocks) {
        std::vector<std::string> all;
        for (const auto& b : blocks)
            all.insert(all.end(), b.begin(), b.end());
        return all;
    }
    game::InstallFolder install;
};

TEST_F(SplashTest, ReadsBlocksKeysAndLimits) {
    writeConfig(join({block("a.png", 120, "True"), block("b.png", -3, "TRUE"), block("c.png", 0, "true"),
                      block("d.png", 7, "yes"), block("e.png", 8, "")}));
    readSplashConfig();
    EXPECT_EQ(splashCount, 6) << "the empty block after the last ';---' is counted";
    const char* files[] = {"", "a.png", "b.png", "c.png", "d.png", "e.png", ""};
    const int times[] = {0, 120, -3, 0, 7, 8, 0};
    const int skips[] = {0, 1, 1, 1, 0, 0, 0};
    for (int p = 1; p <= 6; ++p) {
        EXPECT_EQ(splashFile[p], files[p]) << p;
        EXPECT_EQ(splashTime[p], times[p]) << p;
        EXPECT_EQ(splashSkip[p], skips[p]) << p;
    }

    // A "none" block is not counted; the pages before it are shown.
    writeConfig(join({block("a.png", 10, "true"), block("b.png", 10, "true"), {"page=3", "file=none"}}));
    readSplashConfig();
    EXPECT_EQ(splashCount, 2);

    // Eight blocks: the tables hold six pages, the rest is ignored.
    std::vector<std::string> many;
    for (int i = 1; i <= 8; ++i)
        for (const std::string& l :
             std::vector<std::string>{"file=p" + std::to_string(i) + ".png", "time=5", ";---"})
            many.push_back(l);
    writeConfig(many);
    readSplashConfig();
    EXPECT_EQ(splashCount, 6);
    EXPECT_EQ(splashFile[6], "p6.png");

    // Only the first 29 lines are read.
    std::vector<std::string> longFile(27, "# comment");
    longFile.push_back("file=first.png");
    longFile.push_back(";---");
    longFile.push_back("file=late.png");
    writeConfig(longFile);
    readSplashConfig();
    EXPECT_EQ(splashFile[1], "first.png");
    EXPECT_EQ(splashFile[2], "");

    fs::remove("data/branding/splashconfig.txt");
    readSplashConfig();
    EXPECT_EQ(splashCount, 0);
}

TEST_F(SplashTest, PagesLeaveByTimeOrBySkipKeyThenTheLoadingScreen) {
    writeConfig(join({block("one.png", 1000, "True"), block("two.png", 30, "false"), {"file=none"}}),
                {"one.png", "two.png"});
    ASSERT_TRUE(game::start());
    ASSERT_EQ(gScreen, SCREEN_BRANDING);
    EXPECT_EQ(splashCount, 2);
    game::step(20);
    EXPECT_EQ(splashPage, 1) << "a long page stays until a key";
    harness::keyDown(13);
    game::step(1);
    EXPECT_EQ(gFadeDir, 2) << "Enter leaves a skippable page";
    harness::keyUp(13);
    game::step(9);
    ASSERT_EQ(gScreen, SCREEN_BRANDING);
    EXPECT_EQ(splashPage, 2);

    // Page 2 cannot be skipped: it stays its 30 frames whatever is pressed.
    for (int f = 2; f < 30; ++f) {
        harness::keyDown(32);
        harness::keyDown(27);
        game::step(1);
        ASSERT_EQ(gFadeDir, 1) << "frame " << f;
    }
    game::step(1);
    EXPECT_EQ(gFadeDir, 2);
    EXPECT_EQ(gNextScreen, SCREEN_LOADING);
    game::step(9);
    EXPECT_EQ(gScreen, SCREEN_LOADING);
}

TEST_F(SplashTest, PageWithoutTimeWaitsForItsKeyAndF3TurnsOnDeveloperMode) {
    writeConfig(join({block("one.png", 0, "TRUE")}), {"one.png"});
    ASSERT_TRUE(game::start());
    game::step(300);
    EXPECT_EQ(gScreen, SCREEN_BRANDING);
    EXPECT_EQ(gFadeDir, 1);
    EXPECT_EQ(gDebugMode, 0);
    harness::keyDown(114); // F3
    game::step(1);
    EXPECT_EQ(gDebugMode, 1);
    harness::keyUp(114);
    harness::keyDown(27);
    game::step(10);
    EXPECT_EQ(gScreen, SCREEN_BRANDING) << "one page plus the empty block after ';---'";
    EXPECT_EQ(splashPage, 2);
    game::step(10);
    EXPECT_EQ(gScreen, SCREEN_LOADING) << "an empty page is left at once";
}

TEST_F(SplashTest, PageWithNeitherTimeNorSkipStillTakesTheKeys) {
    writeConfig(join({block("one.png", -1, "no")}), {"one.png"});
    ASSERT_TRUE(game::start());
    game::step(100);
    EXPECT_EQ(gFadeDir, 1) << "no time: it stays";
    harness::keyDown(32);
    game::step(1);
    EXPECT_EQ(gFadeDir, 2) << "but a key leaves it, or the game could never be entered";
}

TEST_F(SplashTest, MissingConfigurationOrPictureGoesOnToTheLoadingScreen) {
    ASSERT_TRUE(game::start()); // no data folder at all
    EXPECT_EQ(splashCount, 0);
    game::step(10);
    EXPECT_EQ(gScreen, SCREEN_LOADING);
    game::stop();
    uitest::resetUiState();

    writeConfig(join({block("missing.png", 500, "false")})); // counted, no picture
    ASSERT_TRUE(game::start());
    game::step(10);
    EXPECT_EQ(gScreen, SCREEN_BRANDING);
    game::step(10);
    EXPECT_EQ(gScreen, SCREEN_LOADING);
}

} // namespace
