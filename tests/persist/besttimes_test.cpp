#include "app/globals.h"
#include "persist/besttimes.h"
#include "persist/profile.h"
#include "tests/persist/files.h"

#include <gtest/gtest.h>

namespace {

struct BestTimesTest : ::testing::Test {
    TempFolder folder;
    std::string savedDir;
    int savedCur = -1;
    void SetUp() override {
        savedDir = gSaveDir;
        savedCur = gCurPl;
        gSaveDir = folder.dir();
        for (int s = 0; s <= 9; s++) gPlayers[s].Erase();
    }
    void TearDown() override {
        gSaveDir = savedDir;
        gCurPl = savedCur;
        for (int s = 0; s <= 9; s++) gPlayers[s].Erase();
    }
};

TEST_F(BestTimesTest, ResetWritesHundredEmptyRecords) {
    resetBestTimes();
    const std::vector<uint8_t> b = readFileBytes(folder.file("besttimes.ppp"));
    ASSERT_EQ(b.size(), 1600u);
    for (int l = 0; l < 100; l++) {
        EXPECT_EQ(intAt(b, 16 * l), -1);
        EXPECT_EQ(std::string(b.begin() + 16 * l + 4, b.begin() + 16 * l + 16), std::string(12, ' '));
    }
}

TEST_F(BestTimesTest, NamesArePaddedOnSaveAndTrimmedOnLoad) {
    resetBestTimes();
    gBestTime[3] = 61;
    gBestName[3] = "Ann";
    gBestTime[100] = 5;
    gBestName[100] = "TwelveLetter";
    saveBestTimes();
    EXPECT_EQ(gBestName[3], "Ann         ");
    const std::vector<uint8_t> b = readFileBytes(folder.file("besttimes.ppp"));
    ASSERT_EQ(b.size(), 1600u);
    EXPECT_EQ(intAt(b, 32), 61);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 48), "Ann         ");
    EXPECT_EQ(std::string(b.begin() + 1588, b.end()), "TwelveLetter");
    gBestName[3] = "x";
    loadBestTimes();
    EXPECT_EQ(gBestName[3], "Ann");
    EXPECT_EQ(gBestTime[3], 61);
    EXPECT_EQ(gBestName[100], "TwelveLetter");
    EXPECT_EQ(gBestTime[1], -1);
}

TEST_F(BestTimesTest, OverlongNameKeepsTheRecordSize) {
    resetBestTimes();
    gBestName[1] = "AVeryLongPlayerName";
    gBestTime[1] = 9;
    gBestTime[2] = 8;
    saveBestTimes();
    EXPECT_EQ(readFileBytes(folder.file("besttimes.ppp")).size(), 1600u);
    loadBestTimes();
    EXPECT_EQ(gBestName[1], "AVeryLongPla");
    EXPECT_EQ(gBestTime[2], 8);
}

TEST_F(BestTimesTest, MissingOrShortFile) {
    gBestTime[5] = 40;
    loadBestTimes();
    for (int l = 1; l <= 100; l++) ASSERT_EQ(gBestTime[l], -1);
    std::vector<uint8_t> b;
    appendInt(b, 70);
    for (char ch : std::string("Bo          ")) b.push_back(uint8_t(ch));
    appendInt(b, 80); // a record cut short
    writeFileBytes(folder.file("besttimes.ppp"), b);
    loadBestTimes();
    EXPECT_EQ(gBestTime[1], 70);
    EXPECT_EQ(gBestName[1], "Bo");
    EXPECT_EQ(gBestTime[2], -1);
}

TEST_F(BestTimesTest, NewBestTimeNeedsStrictlyLessTime) {
    resetBestTimes();
    gCurPl = 2;
    gPlayers[2].name = "Ray";
    gPlayers[2].Level = 4;
    struct Step {
        int time;
        const char* name;
        int isNew;
        int best;
    } steps[] = {{95, "Ray", 1, 95}, {95, "Sue", 0, 95}, {96, "Sue", 0, 95}, {94, "Sue", 1, 94}, {0, "Tom", 1, 0}};
    for (const Step& s : steps) {
        gPlayers[2].time = s.time;
        gPlayers[2].name = s.name;
        EXPECT_EQ(checkNewBestTime(), s.isNew) << s.time << s.name;
        EXPECT_EQ(gBestTime[4], s.best);
    }
    loadBestTimes();
    EXPECT_EQ(gBestTime[4], 0);
    EXPECT_EQ(gBestName[4], "Tom");
}

TEST_F(BestTimesTest, LevelsOutsideTheTableHaveNoBestTime) {
    resetBestTimes();
    gCurPl = 1;
    for (int level : {0, 101, -4, 2147483647}) {
        gPlayers[1].Level = level;
        gPlayers[1].time = 3;
        EXPECT_EQ(checkNewBestTime(), 0) << level;
    }
}

TEST_F(BestTimesTest, ChampionsRankByStoryLevelThenSlot) {
    gPlayers[5].StoryLevel = 7, gPlayers[5].name = "Five", gPlayers[5].StoryPoints = 900;
    gPlayers[2].StoryLevel = 12, gPlayers[2].name = "Two", gPlayers[2].StoryPoints = 10;
    gPlayers[1].StoryLevel = 7, gPlayers[1].name = "One", gPlayers[1].StoryPoints = 5;
    gPlayers[9].StoryLevel = 500; // outside 0..121: no row
    buildChampionsTable();
    EXPECT_EQ(gChampName[1], "Two");
    EXPECT_EQ(gChampLevel[1], 12);
    EXPECT_EQ(gChampPoints[1], 10);
    EXPECT_EQ(gChampName[2], "One");
    EXPECT_EQ(gChampName[3], "Five");
    EXPECT_EQ(gChampPoints[3], 900);
    // Erased slots 3, 4, 6, 7, 8 follow with level 1 and an empty name.
    for (int r = 4; r <= 8; r++) {
        EXPECT_EQ(gChampName[r], "");
        EXPECT_EQ(gChampLevel[r], 1);
        EXPECT_EQ(gChampPoints[r], 0);
    }
    EXPECT_EQ(gChampLevel[9], -1);
}

TEST_F(BestTimesTest, RankOrderByPointsKeepsSlotOrderOnTies) {
    gPlayers[1].StoryPoints = 50;
    gPlayers[2].StoryPoints = 80;
    gPlayers[3].StoryPoints = 80;
    computeRankOrder();
    const int expected[10] = {0, 2, 3, 1, 4, 5, 6, 7, 8, 9};
    for (int i = 1; i <= 9; i++) EXPECT_EQ(gRankOrder[i], expected[i]) << i;
    gPlayers[9].StoryPoints = 100;
    gPlayers[4].StoryPoints = -1;
    computeRankOrder();
    const int expected2[10] = {0, 9, 2, 3, 1, 5, 6, 7, 8, 4};
    for (int i = 1; i <= 9; i++) EXPECT_EQ(gRankOrder[i], expected2[i]) << i;
}

TEST_F(BestTimesTest, SaveIntoUnwritableFolderIsSkipped) {
    gSaveDir = unwritablePath(folder, "") ;
    gBestTime[1] = 3;
    EXPECT_EQ(saveBestTimes(), 0);
    EXPECT_EQ(gBestTime[1], 3);
}

} // namespace
