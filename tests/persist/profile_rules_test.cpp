// The story steps of a profile and its item targets.
#include "persist/profile.h"
#include "tests/persist/files.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TSpieler> erased() {
    auto p = std::make_unique<TSpieler>();
    p->Erase();
    return p;
}

TEST(ProfileRules, LevelUp) {
    struct Case {
        int level, storyLevel, finished;
        int level2, storyLevel2, finished2;
    } cases[] = {
        {5, 7, 0, 6, 7, 0}, {7, 7, 0, 8, 8, 0}, {1, 1, 0, 2, 2, 0}, {99, 99, 0, 100, 100, 0},
        {100, 100, 0, 101, 100, 1}, {100, 100, 1, 101, 100, 1}, {42, 100, 1, 43, 100, 1},
    };
    for (const Case& c : cases) {
        auto p = erased();
        p->Level = c.level, p->StoryLevel = c.storyLevel, p->isStoryFinished = c.finished;
        p->LevelUp();
        EXPECT_EQ(p->Level, c.level2) << c.level << "/" << c.storyLevel;
        EXPECT_EQ(p->StoryLevel, c.storyLevel2) << c.level << "/" << c.storyLevel;
        EXPECT_EQ(p->isStoryFinished, c.finished2) << c.level << "/" << c.storyLevel;
    }
}

TEST(ProfileRules, StoryLevelUpStopsAt100) {
    auto p = erased();
    p->StoryLevel = 99;
    p->StoryLevelUp();
    EXPECT_EQ(p->StoryLevel, 100);
    EXPECT_EQ(p->isStoryFinished, 0);
    p->StoryLevelUp();
    EXPECT_EQ(p->StoryLevel, 100);
    EXPECT_EQ(p->isStoryFinished, 1);
}

TEST(ProfileRules, CheckStoryPage) {
    struct Case {
        int level, page, show;
    } cases[] = {
        {1, 1, 1},  {11, 3, 1}, {21, 4, 1}, {31, 5, 1},  {41, 6, 1},  {51, 7, 1},   {61, 8, 1},  {71, 9, 1},
        {81, 10, 1}, {91, 11, 1}, {101, 12, 1}, {22, 99, 0}, {2, 99, 0}, {100, 99, 0}, {0, 99, 0}, {-11, 99, 0},
    };
    for (const Case& c : cases) {
        auto p = erased();
        p->Level = c.level;
        p->StoryPage = 99;
        p->isStoryPageShow = 1 - c.show;
        p->checkStoryPage();
        EXPECT_EQ(p->StoryPage, c.page) << c.level;
        EXPECT_EQ(p->isStoryPageShow, c.show) << c.level;
    }
}

TEST(ProfileRules, ItemsLeftToDestroy) {
    auto p = erased();
    p->itemsToDestroyData[4][1] = 10;
    p->itemsToDestroyData[4][2] = 5;
    p->itemsToDestroyData[4][5] = 2147483647;
    p->itemsDestroyed[1] = 3;
    p->itemsDestroyed[2] = 8;
    p->itemsDestroyed[5] = -10;
    struct Case {
        int level, kind, left;
    } cases[] = {
        {4, 1, 7}, {4, 2, 0}, {4, 3, 0}, {4, 5, 2147483647}, {4, 10, 0}, {4, 12, 0}, {4, 0, 0},
        {4, 6, 0}, {4, -1, 0}, {0, 1, 0}, {101, 1, 0}, {-3, 1, 0}, {100000, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(p->getItemsLeftToDestroy(c.level, c.kind), c.left) << c.level << "/" << c.kind;
    EXPECT_EQ(p->isItemsDestroyed(4, 1), 0);
    EXPECT_EQ(p->isItemsDestroyed(4, 2), 1);
    EXPECT_EQ(p->isAllItemsDestroyed(4), 0);
    p->itemsDestroyed[1] = 10;
    p->itemsDestroyed[5] = 2147483647;
    EXPECT_EQ(p->isAllItemsDestroyed(4), 1);
    EXPECT_EQ(p->isAllItemsDestroyed(500), 1);
}

TEST(ProfileRules, LevelDoneAndResetResume) {
    auto p = erased();
    p->StoryPoints = 1000, p->LevelPoints = 234, p->time = 50, p->isResume = 1;
    p->anzItems = 4, p->anzMoss = 5, p->anzKaefer = 6, p->resumeLevel = 9, p->resumePoints = 77;
    for (int k = 1; k <= 5; k++) p->itemsDestroyed[k] = p->resumeItemsDestroyed[k] = k;
    p->LevelDone();
    EXPECT_EQ(p->StoryPoints, 1234);
    for (int v : {p->LevelPoints, p->time, p->isResume, p->anzItems, p->anzMoss, p->anzKaefer, p->resumePoints})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(p->resumeLevel, -1);
    for (int k = 1; k <= 5; k++) {
        EXPECT_EQ(p->itemsDestroyed[k], 0);
        EXPECT_EQ(p->resumeItemsDestroyed[k], 0);
    }
    EXPECT_EQ(p->getCurrentLevel(), p->Level);
}

TEST(ProfileRules, GetCurrentLevel) {
    auto p = erased();
    p->Level = 12, p->resumeLevel = 30;
    EXPECT_EQ(p->getCurrentLevel(), 12);
    p->isResume = 1;
    EXPECT_EQ(p->getCurrentLevel(), 30);
}

TEST(ProfileRules, NewVarnokaKeepsNameAndPreferences) {
    auto p = erased();
    p->name = "Ida", p->gtGameType = 1, p->isHelp = 0, p->isIntroDone = 1, p->LevelPoints = 44;
    p->StoryLevel = 60, p->StoryPage = 7, p->StoryPoints = 9000, p->isStoryFinished = 1, p->Level = 59;
    p->isResume = 1, p->resumeLevel = 59, p->resumeItemX[8] = 3, p->pusoll[2] = 120, p->skipfill = 40;
    p->NewVarnoka();
    EXPECT_EQ(p->name, "Ida");
    EXPECT_EQ(p->gtGameType, 1);
    EXPECT_EQ(p->isHelp, 0);
    EXPECT_EQ(p->isIntroDone, 1);
    EXPECT_EQ(p->LevelPoints, 44);
    EXPECT_EQ(p->StoryLevel, 1);
    EXPECT_EQ(p->StoryPage, 1);
    EXPECT_EQ(p->StoryPoints, 0);
    EXPECT_EQ(p->isStoryFinished, 0);
    EXPECT_EQ(p->Level, 1);
    EXPECT_EQ(p->isResume, 0);
    EXPECT_EQ(p->resumeLevel, 1);
    EXPECT_EQ(p->resumeItemX[8], 0);
    EXPECT_EQ(p->pusoll[2], 0);
    EXPECT_EQ(p->skipfill, 2);
    p->Erase();
    EXPECT_EQ(p->name, "");
    EXPECT_EQ(p->gtGameType, 3);
    EXPECT_EQ(p->isHelp, 1);
    EXPECT_EQ(p->LevelPoints, 0);
}

TEST(ProfileRules, ItemTargetFile) {
    TempFolder folder;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 500; i++) appendInt(bytes, i * 3 - 7);
    writeFileBytes(folder.file("lvla000.lvl"), bytes);
    auto p = erased();
    p->loadAllItemsToDestroyFromDisk(folder.file("lvla000.lvl"));
    EXPECT_EQ(p->itemsToDestroyData[1][1], -7);
    EXPECT_EQ(p->itemsToDestroyData[1][5], 5);
    EXPECT_EQ(p->itemsToDestroyData[2][1], 8);
    EXPECT_EQ(p->itemsToDestroyData[100][5], 499 * 3 - 7);

    // A short file fills the levels it holds; the rest have no targets.
    bytes.resize(7 * 4 + 2);
    writeFileBytes(folder.file("short.lvl"), bytes);
    p->loadAllItemsToDestroyFromDisk(folder.file("short.lvl"));
    EXPECT_EQ(p->itemsToDestroyData[2][2], 11);
    EXPECT_EQ(p->itemsToDestroyData[2][3], 0);
    EXPECT_EQ(p->itemsToDestroyData[100][5], 0);

    p->itemsToDestroyData[3][3] = 9;
    p->loadAllItemsToDestroyFromDisk(folder.file("missing.lvl"));
    EXPECT_EQ(p->itemsToDestroyData[3][3], 0);
}

TEST(ProfileRules, CurPlayerStaysInsideTheTable) {
    for (int slot : {-1, 0, 10, -999, 5}) {
        gCurPl = slot;
        EXPECT_EQ(&curPlayer(), &gPlayers[slot == 5 ? 5 : 0]) << slot;
    }
    gCurPl = -1;
}

} // namespace
