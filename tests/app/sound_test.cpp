// The effect table and the music channel, with the generated sound files.
#include "app/globals.h"
#include "app/sound.h"
#include "persist/config.h"
#include "tests/harness/game.h"
#include "tests/harness/harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr float kUnit = 0.00357143f;

class SoundTest : public harness::HeadlessTest {
  protected:
    void SetUp() override {
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(VARNOKA_GAME_DIR);
        ASSERT_TRUE(std::filesystem::exists("data/sound/button1.ogg")) << "the generated data folder";
        gConfig = TConfig();
        gConfig.soundlaut = 210;
        gScreen = SCREEN_MENU;
        gPaused = -1;
        gFadeLevel = 256;
        initSounds();
    }
    void TearDown() override {
        game::stop();
        std::filesystem::current_path(oldCwd);
    }
    std::filesystem::path oldCwd;
};

} // namespace

TEST_F(SoundTest, TableFillsExactlyTheListedSlots) {
    const std::vector<int> listed = {3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 16, 17, 19, 20, 21,
                                     22, 23, 25, 28, 29, 30, 32, 33, 34, 35, 36, 40, 41, 44, 45, 46, 47};
    for (int slot = 0; slot < kSfxSlots; ++slot) {
        bool want = std::find(listed.begin(), listed.end(), slot) != listed.end();
        EXPECT_EQ(gSounds[slot] != nullptr, want) << "slot " << slot;
    }
    EXPECT_NE(gMusicChannel, 0) << "the music channel is reserved";
}

TEST_F(SoundTest, OneStartPerSlotPerFrame) {
    int first = playSfx(13, 512);
    EXPECT_NE(first, 0);
    EXPECT_EQ(ChannelIsPlaying(first), 1);
    EXPECT_EQ(playSfx(13, 100), 0) << "the same slot again in this frame";
    EXPECT_NE(playSfx(14, 100), 0) << "another slot starts";
    EXPECT_EQ(ChannelIsPlaying(first), 1) << "effects never stop each other";
    musicUpdate(); // the frame's end
    EXPECT_NE(playSfx(13, 512), 0) << "the next frame may start it again";
}

TEST_F(SoundTest, EffectsVolumeAndPan) {
    struct Case {
        int soundlaut, x;
        bool plays;
        float volume, pan;
    };
    const Case cases[] = {
        {0, 512, false, 0, 0},         {10, 512, false, 0, 0},          {11, 512, true, 11 * kUnit, 0},
        {280, 0, true, 1.0f, -0.4352f}, {280, 1024, true, 1.0f, 0.4352f}, {140, 256, true, 0.5f, -0.2176f},
    };
    for (const Case& c : cases) {
        gConfig.soundlaut = c.soundlaut;
        gLastSfxVolume = gLastSfxPan = -9;
        musicUpdate();
        EXPECT_EQ(playSfx(5, c.x) != 0, c.plays) << "soundlaut " << c.soundlaut;
        if (!c.plays) continue;
        EXPECT_NEAR(gLastSfxVolume, c.volume, 1e-4) << "soundlaut " << c.soundlaut;
        EXPECT_NEAR(gLastSfxPan, c.pan, 1e-4) << "x " << c.x;
    }
}

TEST_F(SoundTest, EmptyAndOutOfRangeSlotsAreHarmless) {
    for (int slot : {0, 1, 2, 15, 50, -1, 51, 1000}) EXPECT_EQ(playSfx(slot, 512), 0) << slot;
}

TEST_F(SoundTest, NoSoundsWhenTheProbeFails) {
    game::InstallFolder empty; // no data folder here
    for (SoundPtr& s : gSounds) s.reset();
    initSounds();
    for (int slot = 0; slot < kSfxSlots; ++slot) EXPECT_EQ(gSounds[slot], nullptr);
    EXPECT_EQ(playSfx(13, 512), 0);
}

TEST_F(SoundTest, MusicIsCuedThenStartedByTheUpdateUnlessPaused) {
    const std::filesystem::path effect = std::filesystem::absolute("data/sound/mark1.ogg");
    game::InstallFolder install;
    std::filesystem::create_directories("data/music");
    std::filesystem::copy_file(effect, "data/music/track.ogg");
    gConfig.musiklaut = gConfig.musiklautsoll = 140;
    playMusic("track.ogg");
    ASSERT_NE(gMusicChannel, 0);
    EXPECT_EQ(ChannelIsPlaying(gMusicChannel), 0) << "cued, not sounding yet";

    gPaused = 1;
    musicUpdate();
    EXPECT_EQ(ChannelIsPlaying(gMusicChannel), 0) << "stands still while paused";
    gPaused = -1;
    musicUpdate();
    EXPECT_EQ(ChannelIsPlaying(gMusicChannel), 1);

    const Channel old = gMusicChannel;
    playMusic("track.ogg"); // asking again restarts it on a new channel
    EXPECT_EQ(ChannelIsPlaying(old), 0);
    EXPECT_NE(gMusicChannel, old);

    stopMusic();
    musicUpdate();
    EXPECT_EQ(ChannelIsPlaying(gMusicChannel), 0) << "a stopped track stays stopped";
}
