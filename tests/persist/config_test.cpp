#include "persist/config.h"
#include "persist/profile.h"
#include "tests/persist/files.h"

#include <gtest/gtest.h>

namespace {

struct ConfigTest : ::testing::Test {
    TempFolder folder;
    TConfig config;
    void SetUp() override {
        config.setUrl(folder.file("settings.txt"));
        gCurPl = -1;
    }
    void TearDown() override { gCurPl = -1; }
};

TEST_F(ConfigTest, ResetAndSaveWriteSevenCrLfLines) {
    config.musiklaut = 77;
    config.Reset();
    config.SaveToDisk();
    EXPECT_EQ(readFileText(folder.file("settings.txt")), "1\r\n140\r\n210\r\n-1\r\n0\r\n5\r\n77\r\n");
}

TEST_F(ConfigTest, LoadTakesSixLinesAndCopiesMusicVolume) {
    writeFileText(folder.file("settings.txt"), "0\r\n280\r\n0\r\n3\r\n0\r\n5\r\n200\r\n");
    config.LoadFromDisk();
    EXPECT_EQ(config.fullscreen, 0);
    EXPECT_EQ(config.musiklautsoll, 280);
    EXPECT_EQ(config.musiklaut, 280);
    EXPECT_EQ(config.soundlaut, 0);
    EXPECT_EQ(gCurPl, 3);
    EXPECT_EQ(config.sprache, 0);
    EXPECT_EQ(config.aktmenubg, 5);
}

TEST_F(ConfigTest, ShortFileReadsMissingLinesAsZero) {
    config.sprache = 9;
    config.aktmenubg = 9;
    gCurPl = 4;
    writeFileText(folder.file("settings.txt"), "1\r\n100\r\n50\r\n");
    config.LoadFromDisk();
    EXPECT_EQ(config.fullscreen, 1);
    EXPECT_EQ(config.musiklautsoll, 100);
    EXPECT_EQ(config.soundlaut, 50);
    EXPECT_EQ(config.sprache, 0);
    EXPECT_EQ(config.aktmenubg, 0);
    EXPECT_EQ(gCurPl, -1); // slot 0 is no profile
}

TEST_F(ConfigTest, LineParseRules) {
    struct Case {
        const char* line;
        int value;
    } cases[] = {
        {" 42abc", 42}, {"abc", 0}, {"", 0}, {"-17", -17}, {"+8", 8}, {"$1F", 31}, {"%101", 5}, {"12 34", 12},
    };
    for (const Case& c : cases) {
        writeFileText(folder.file("settings.txt"), std::string("0\r\n") + c.line + "\r\n");
        config.LoadFromDisk();
        EXPECT_EQ(config.musiklautsoll, c.value) << '"' << c.line << '"';
    }
}

TEST_F(ConfigTest, CurrentSlotOutsideProfilesReadsAsNone) {
    struct Case {
        const char* line;
        int slot;
    } cases[] = {{"1", 1}, {"9", 9}, {"0", -1}, {"10", -1}, {"-1", -1}, {"-5", -1}, {"2147483647", -1}};
    for (const Case& c : cases) {
        writeFileText(folder.file("settings.txt"), std::string("1\n1\n1\n") + c.line + "\n");
        config.LoadFromDisk();
        EXPECT_EQ(gCurPl, c.slot) << c.line;
        EXPECT_EQ(&curPlayer(), &gPlayers[c.slot > 0 ? c.slot : 0]);
    }
}

TEST_F(ConfigTest, MissingFileGivesDefaults) {
    config.fullscreen = 0;
    config.musiklautsoll = 3;
    gCurPl = 2;
    config.LoadFromDisk();
    EXPECT_EQ(config.fullscreen, 1);
    EXPECT_EQ(config.musiklautsoll, 140);
    EXPECT_EQ(config.musiklaut, 140);
    EXPECT_EQ(config.soundlaut, 210);
    EXPECT_EQ(config.aktmenubg, 5);
    EXPECT_EQ(gCurPl, -1);
}

TEST_F(ConfigTest, SaveIntoUnwritableFolderIsSkipped) {
    config.setUrl(unwritablePath(folder, "settings.txt"));
    config.Reset();
    EXPECT_EQ(config.SaveToDisk(), 0);
    EXPECT_EQ(config.musiklautsoll, 140);
}

TEST_F(ConfigTest, SaveReplacesTheWholeFile) {
    writeFileText(folder.file("settings.txt"), std::string(500, '9'));
    config.Reset();
    gCurPl = 7;
    config.SaveToDisk();
    TConfig other;
    other.setUrl(folder.file("settings.txt"));
    other.LoadFromDisk();
    EXPECT_EQ(gCurPl, 7);
    EXPECT_EQ(other.soundlaut, 210);
    EXPECT_EQ(readFileText(folder.file("settings.txt")).size(), std::string("1\r\n140\r\n210\r\n7\r\n0\r\n5\r\n0\r\n").size());
}

} // namespace
