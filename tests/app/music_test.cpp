// Music volume rules of the per-frame music update.
#include "app/globals.h"
#include "app/sound.h"
#include "game/gamestate.h"
#include "persist/config.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

namespace {

constexpr float kUnit = 0.00357143f;

class MusicTest : public harness::HeadlessTest {
  protected:
    void SetUp() override {
        gConfig = TConfig();
        gScreen = gPrevScreen = gNextScreen = 0;
        gFadeLevel = 256;
        gPaused = -1;
        winCounter = 0;
    }
    void TearDown() override {
        gConfig = TConfig();
        gScreen = gPrevScreen = gNextScreen = 0;
        gFadeLevel = 0;
        winCounter = 0;
    }
};

} // namespace

TEST_F(MusicTest, AppliedVolumeStepsTowardsTheChosenOneAndSettles) {
    gConfig.musiklautsoll = 142;
    gConfig.musiklaut = 0;
    std::vector<int> seen;
    for (int i = 0; i < 40; ++i) {
        musicUpdate();
        seen.push_back(gConfig.musiklaut);
    }
    EXPECT_EQ(seen[0], 5);
    EXPECT_EQ(seen[1], 10);
    EXPECT_EQ(seen.back(), 140) << "within one step of the target, and stays there";
    EXPECT_EQ(seen[seen.size() - 2], 140);
    EXPECT_NEAR(gMusicVolume, 140 * kUnit, 1e-6);

    gConfig.musiklautsoll = 100;
    musicUpdate();
    EXPECT_EQ(gConfig.musiklaut, 135) << "moves down as well";
}

TEST_F(MusicTest, ChosenVolumeBelowTenSilencesTheMusic) {
    gConfig.musiklautsoll = 9;
    gConfig.musiklaut = 200;
    musicUpdate();
    EXPECT_EQ(gConfig.musiklaut, 0);
    EXPECT_EQ(gMusicVolume, 0);
}

TEST_F(MusicTest, BrandingPageLeavesEverythingAlone) {
    gScreen = SCREEN_BRANDING;
    gConfig.musiklautsoll = 140;
    gConfig.musiklaut = 0;
    gSfxPlayed[13] = 1;
    musicUpdate();
    EXPECT_EQ(gConfig.musiklaut, 0);
    EXPECT_EQ(gSfxPlayed[13], 1);
    gScreen = SCREEN_MENU;
    musicUpdate();
    EXPECT_EQ(gSfxPlayed[13], 0) << "every other screen starts a new effect frame";
}

TEST_F(MusicTest, VolumeFollowsTheFadeExceptWhereTheTrackGoesOn) {
    struct Case {
        int screen, next, prev, win;
        bool followsFade;
    };
    const Case cases[] = {
        {SCREEN_MENU, SCREEN_GAME, SCREEN_LOADING, 0, true},
        {SCREEN_GAME, SCREEN_MENU, SCREEN_ROADMAP, 0, true},
        {SCREEN_LOADING, SCREEN_MENU, SCREEN_BRANDING, 0, false},
        {SCREEN_MENU, SCREEN_ROADMAP, SCREEN_LOADING, 0, false},
        {SCREEN_ROADMAP, SCREEN_MENU, SCREEN_STORY, 0, false},
        {SCREEN_MENU, SCREEN_STORY, SCREEN_ROADMAP, 0, false},
        {SCREEN_ROADMAP, SCREEN_STORY, SCREEN_MENU, 0, false},
        {SCREEN_GAME, SCREEN_ROADMAP, SCREEN_ROADMAP, 5, false},
        {SCREEN_GAME, SCREEN_ROADMAP, SCREEN_ROADMAP, 0, true},
        {SCREEN_GAME, SCREEN_STORY, SCREEN_ROADMAP, 5, true},
        // Roadmap into a level: the fade wins even when the menu came before.
        {SCREEN_ROADMAP, SCREEN_GAME, SCREEN_MENU, 0, true},
    };
    for (const Case& c : cases) {
        gScreen = c.screen;
        gNextScreen = c.next;
        gPrevScreen = c.prev;
        winCounter = c.win;
        gConfig.musiklautsoll = gConfig.musiklaut = 280;
        gFadeLevel = 128;
        musicUpdate();
        const float expected = c.followsFade ? 0.5f : 1.0f;
        EXPECT_NEAR(gMusicVolume, expected, 1e-4)
            << "screen " << c.screen << " next " << c.next << " prev " << c.prev << " win " << c.win;
    }
}

TEST_F(MusicTest, MissingTrackLeavesNoChannelAndStaysHarmless) {
    playMusic("no-such-track.ogg");
    EXPECT_EQ(gMusicSound, nullptr);
    EXPECT_EQ(gMusicChannel, 0);
    musicUpdate();
    stopMusic();
}
