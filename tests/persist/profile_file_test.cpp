// The profile file: byte layout, round trips, the snapshot, damaged files.
#include "match3/board.h"
#include "persist/profile.h"
#include "tests/persist/files.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ProfileFileTest : ::testing::Test {
    TempFolder folder;
    std::unique_ptr<TSpieler> p = std::make_unique<TSpieler>();
    std::string path() const { return folder.file("players3.ppp"); }
    void SetUp() override { p->setUrl(path()); }
    std::unique_ptr<TSpieler> loaded() {
        auto q = std::make_unique<TSpieler>();
        q->setUrl(path());
        q->LoadFromDisk();
        return q;
    }
};

TEST_F(ProfileFileTest, ErasedProfileFile) {
    p->Erase();
    p->SaveToDisk();
    const std::vector<uint8_t> bytes = readFileBytes(path());
    ASSERT_EQ(bytes.size(), 7404u);
    const int head[18] = {1, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 3, 0, 1, 0, 0, 0, 2};
    for (int i = 0; i < 18; i++) EXPECT_EQ(intAt(bytes, 4 * i), head[i]) << "integer " << i;
    for (size_t off = 72; off < 7404; off += 4) ASSERT_EQ(intAt(bytes, off), 0) << off;
    EXPECT_EQ(p->isAlreadySaved, 1);
}

TEST_F(ProfileFileTest, NameIsTrimmedAndStoredAfterItsLength) {
    p->Erase();
    p->name = "  Anna ";
    p->SaveToDisk();
    const std::vector<uint8_t> bytes = readFileBytes(path());
    ASSERT_EQ(bytes.size(), 7408u);
    EXPECT_EQ(intAt(bytes, 7400), 4);
    EXPECT_EQ(std::string(bytes.begin() + 7404, bytes.end()), "Anna");
    EXPECT_EQ(loaded()->name, "Anna");
}

TEST_F(ProfileFileTest, FieldOffsets) {
    p->Erase();
    p->StoryPage = 4, p->StoryLevel = 23, p->StoryPoints = 12345, p->isStoryFinished = 1, p->Level = 22;
    p->isResume = 1, p->resumePoints = 678, p->resumeLevel = 21, p->resumeTime = 99, p->resumeGTGameType = 2;
    p->isIntroDone = 1, p->gtGameType = 1, p->time = 33, p->isHelp = 0;
    p->anzItems = 5, p->anzMoss = 6, p->anzKaefer = 7, p->skipfill = 8;
    p->resumeCellMoss[1] = 101, p->resumeCellStone[1] = 102, p->resumeCellDoor[1] = 103;
    p->resumeItemX[1] = 104, p->resumeItemY[1] = 105, p->resumeItemA[1] = 106, p->resumeItemKaefCol[1] = 107;
    p->resumeCellMoss[260] = 201, p->resumeItemKaefCol[260] = 207;
    for (int k = 1; k <= 5; k++) p->resumeItemsDestroyed[k] = 300 + k;
    for (int k = 1; k <= 7; k++) p->pusoll[k] = 400 + k;
    p->LevelPoints = 555, p->itemsDestroyed[1] = 9, p->pu[1] = 9; // not stored
    p->SaveToDisk();
    const std::vector<uint8_t> b = readFileBytes(path());
    ASSERT_EQ(b.size(), 7404u);
    const int head[18] = {4, 23, 12345, 1, 22, 1, 678, 21, 99, 2, 1, 1, 33, 0, 5, 6, 7, 8};
    for (int i = 0; i < 18; i++) EXPECT_EQ(intAt(b, 4 * i), head[i]) << "integer " << i;
    for (int a = 0; a < 7; a++) EXPECT_EQ(intAt(b, 72 + 4 * a), 101 + a);
    EXPECT_EQ(intAt(b, 72 + 259 * 28), 201);
    EXPECT_EQ(intAt(b, 72 + 259 * 28 + 24), 207);
    for (int k = 0; k < 5; k++) EXPECT_EQ(intAt(b, 7352 + 4 * k), 301 + k);
    for (int k = 0; k < 7; k++) EXPECT_EQ(intAt(b, 7372 + 4 * k), 401 + k);
    EXPECT_EQ(intAt(b, 7400), 0);

    auto q = loaded();
    EXPECT_EQ(q->StoryPoints, 12345);
    EXPECT_EQ(q->resumeItemX[1], 104);
    EXPECT_EQ(q->resumeItemKaefCol[260], 207);
    EXPECT_EQ(q->pusoll[7], 407);
    EXPECT_EQ(q->isHelp, 0);
    EXPECT_EQ(q->LevelPoints, 0);
    EXPECT_EQ(q->pu[1], 0);
    // The snapshot's destroyed counts become the live counts.
    EXPECT_EQ(q->itemsDestroyed[3], 303);
}

TEST_F(ProfileFileTest, SnapshotRoundTripThroughTheLiveBoard) {
    p->Erase();
    p->name = "Kim";
    p->Level = 17, p->LevelPoints = 4200, p->time = 81, p->gtGameType = 2;
    for (int i = 1; i <= kBoardSlots; i++) {
        cellMoss[i] = i % 2, cellStone[i] = i % 3, cellDoor[i] = i % 5;
        itemX[i] = 10 * i, itemY[i] = 20 * i, itemKind[i] = 1 + i % 7, itemKaefCol[i] = i % 4;
    }
    for (int k = 1; k <= 5; k++) p->itemsDestroyed[k] = 10 * k;
    p->SuspendLevel();
    EXPECT_EQ(p->isResume, 1);
    EXPECT_EQ(p->resumeLevel, 17);
    EXPECT_EQ(p->resumePoints, 4200);
    EXPECT_EQ(p->resumeTime, 81);
    EXPECT_EQ(p->resumeGTGameType, 2);
    EXPECT_EQ(p->resumeItemA[100], itemKind[100]);
    p->SaveToDisk();

    for (int i = 1; i <= kBoardSlots; i++) cellMoss[i] = cellStone[i] = cellDoor[i] = itemX[i] = itemY[i] = itemKind[i] = itemKaefCol[i] = 0;
    auto q = loaded();
    q->Level = 3, q->gtGameType = 3, q->LevelPoints = 0;
    for (int k = 1; k <= 5; k++) q->itemsDestroyed[k] = 0;
    for (int i = 1; i <= kBoardSlots; i++) itemX[i] = -1;
    q->ContinueLevel();
    EXPECT_EQ(q->Level, 17);
    EXPECT_EQ(q->LevelPoints, 4200);
    EXPECT_EQ(q->time, 81);
    EXPECT_EQ(q->gtGameType, 2);
    EXPECT_EQ(q->isResume, 0);
    for (int i = 1; i <= kBoardSlots; i++) {
        ASSERT_EQ(cellMoss[i], i % 2);
        ASSERT_EQ(cellStone[i], i % 3);
        ASSERT_EQ(cellDoor[i], i % 5);
        ASSERT_EQ(itemX[i], 10 * i);
        ASSERT_EQ(itemY[i], 20 * i);
        ASSERT_EQ(itemKind[i], 1 + i % 7);
        ASSERT_EQ(itemKaefCol[i], i % 4);
    }
    for (int k = 1; k <= 5; k++) EXPECT_EQ(q->itemsDestroyed[k], 10 * k);
}

// Builds a profile file: the fixed part from an erased profile, then the given
// name length and bytes.
std::vector<uint8_t> profileBytes(int32_t nameLength, const std::string& nameBytes) {
    std::vector<uint8_t> b;
    const int head[18] = {3, 40, 999, 0, 40, 0, 0, 1, 0, 0, 0, 3, 0, 1, 0, 0, 0, 2};
    for (int v : head) appendInt(b, v);
    while (b.size() < 7400) appendInt(b, 0);
    appendInt(b, nameLength);
    b.insert(b.end(), nameBytes.begin(), nameBytes.end());
    return b;
}

TEST_F(ProfileFileTest, DamagedFilesGiveAnErasedSlot) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"negative name length", profileBytes(-5, "abc")},
        {"name longer than the file", profileBytes(10, "abc")},
        {"huge name length", profileBytes(0x7fffffff, "abc")},
        {"shorter than the fixed part", profileBytes(0, "")},
        {"empty file", {}},
    };
    cases[3].bytes.resize(7000);
    for (const Case& c : cases) {
        writeFileBytes(path(), c.bytes);
        p->name = "Old";
        p->StoryLevel = 50;
        p->LoadFromDisk();
        EXPECT_EQ(p->name, "") << c.what;
        EXPECT_EQ(p->StoryLevel, 1) << c.what;
        EXPECT_EQ(p->skipfill, 2) << c.what;
    }
    std::remove(path().c_str());
    p->name = "Old";
    p->LoadFromDisk();
    EXPECT_EQ(p->name, "");
    EXPECT_EQ(p->isHelp, 1);
}

TEST_F(ProfileFileTest, NameLengthRules) {
    struct Case {
        int32_t length;
        std::string bytes;
        const char* name;
    } cases[] = {
        {0, "", ""}, {0, "trailing bytes", ""}, {3, "Bob", "Bob"}, {5, " Al \t", "Al"}, {3, "Bobby", "Bob"},
        {2, "\xe4\xf6", "\xe4\xf6"},
    };
    for (const Case& c : cases) {
        writeFileBytes(path(), profileBytes(c.length, c.bytes));
        p->LoadFromDisk();
        EXPECT_EQ(p->name, c.name) << c.bytes;
        EXPECT_EQ(p->StoryLevel, 40) << c.bytes;
    }
}

TEST_F(ProfileFileTest, TableValuesOutsideTheirTablesAreMended) {
    struct Case {
        int storyPage, storyLevel, level, isResume, resumeLevel;
        int page2, storyLevel2, level2, isResume2, resumeLevel2;
    } cases[] = {
        {4, 23, 22, 1, 21, 4, 23, 22, 1, 21},        // all in their tables: unchanged
        {12, 100, 101, 0, -1, 12, 100, 101, 0, -1},  // the end of the story
        {0, 0, 0, 0, 1, 1, 1, 1, 0, 1},
        {13, 101, 102, 1, 101, 12, 100, 101, 0, -1},
        {-7, -2147483647 - 1, -5, 1, 0, 1, 1, 1, 0, -1},
        {2147483647, 2147483647, 2147483647, 1, -1, 12, 100, 101, 0, -1},
    };
    for (const Case& c : cases) {
        p->Erase();
        p->StoryPage = c.storyPage, p->StoryLevel = c.storyLevel, p->Level = c.level;
        p->isResume = c.isResume, p->resumeLevel = c.resumeLevel;
        p->SaveToDisk();
        auto q = loaded();
        EXPECT_EQ(q->StoryPage, c.page2) << c.storyPage;
        EXPECT_EQ(q->StoryLevel, c.storyLevel2) << c.storyLevel;
        EXPECT_EQ(q->Level, c.level2) << c.level;
        EXPECT_EQ(q->isResume, c.isResume2) << c.resumeLevel;
        EXPECT_EQ(q->resumeLevel, c.resumeLevel2) << c.resumeLevel;
    }
    // Resuming a snapshot of no level keeps the level being played.
    p->Level = 9;
    p->resumeLevel = -1;
    p->ContinueLevel();
    EXPECT_EQ(p->Level, 9);
}

TEST_F(ProfileFileTest, SaveIntoUnwritableFolderIsSkipped) {
    p->setUrl(unwritablePath(folder, "players1.ppp"));
    p->Erase();
    p->name = "Zed";
    EXPECT_EQ(p->SaveToDisk(), 0);
    EXPECT_EQ(p->isAlreadySaved, 0);
    EXPECT_EQ(p->name, "Zed");
}

TEST_F(ProfileFileTest, ResetWritesAnEmptySlot) {
    p->name = "Someone";
    p->StoryLevel = 9;
    p->Reset();
    EXPECT_EQ(readFileBytes(path()).size(), 7404u);
    EXPECT_EQ(loaded()->StoryLevel, 1);
}

TEST_F(ProfileFileTest, EndOfWonLevelLeavesNoSnapshotOnDisk) {
    p->Erase();
    p->name = "Eve";
    p->Level = 7, p->StoryLevel = 7, p->StoryPoints = 100, p->LevelPoints = 50;
    p->SuspendLevel();
    p->LevelDone();
    p->LevelUp();
    p->SaveToDisk();
    p->LevelDone();
    p->checkStoryPage();
    p->ResetResume();
    auto q = loaded();
    EXPECT_EQ(q->Level, 8);
    EXPECT_EQ(q->StoryLevel, 8);
    EXPECT_EQ(q->StoryPoints, 150);
    EXPECT_EQ(q->isResume, 0);
    EXPECT_EQ(q->resumeLevel, -1);
}

} // namespace
