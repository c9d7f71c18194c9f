// The player popups driven through the real input queue: typing a name, the
// ranked list, picking and deleting players.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "screens/playermanager.h"
#include "tests/harness/game.h"
#include "tests/popups/popupfixture.h"

#include <filesystem>

using namespace popuptest;
namespace fs = std::filesystem;

namespace {

// The name typed so far in the new-player popup.
const std::string& typedName() {
    return gPlayers[gCurPl].name;
}

void typeStep(const std::string& text) {
    for (char c : text) {
        harness::typeText(std::string(1, c));
        game::step(1);
    }
}

// Settings file line 4 holds the current slot.
std::string settingsLine(const std::string& dir, int line) {
    std::string s = readFile(dir + "settings.txt");
    for (int i = 1; i < line; ++i)
        s = s.substr(s.find('\n') + 1);
    return s.substr(0, s.find('\r'));
}

// y of the middle of row k of the manager's list.
int managerRowY(int k) {
    const int top = static_cast<int>(384 - static_cast<int>(gPicPlayerMenu.H) / 2);
    const int rh = static_cast<int>(gFontText.GetFontHeight() * 0.8);
    return top + rh * k + (rh + 5) / 2;
}

class PlayersTest : public PopupTest {};

} // namespace

TEST_F(PlayersTest, FirstStartTypesANameAndEnterWritesProfileAndSettings) {
    ASSERT_EQ(gCurPl, -1);
    clickStep(690, 190); // the start sign with no player
    ASSERT_EQ(gStatePopup, 105);
    EXPECT_EQ(gCurPl, 1);
    EXPECT_EQ(gNewPlayerFirst, 1);
    ASSERT_TRUE(stepUntilOpen());
    typeStep("Jo");
    EXPECT_EQ(typedName(), "Jo");
    saveFrame("popup105_newplayer");
    keyStep(13);
    EXPECT_EQ(gPopupDir, 2) << "Enter confirms and closes";
    EXPECT_EQ(gNewPlayerFirst, 0);
    ASSERT_TRUE(stepUntilClosed());

    // Typing after the popup is gone does not touch the stored name.
    typeStep("zz");
    EXPECT_EQ(gPlayers[1].name, "Jo");
    const std::string profile = readFile(saveDir() + "players1.ppp");
    ASSERT_GE(profile.size(), 6u);
    EXPECT_EQ(profile.substr(profile.size() - 2), "Jo");
    EXPECT_EQ(settingsLine(saveDir(), 4), "1");
}

TEST_F(PlayersTest, NameLimitsBackspaceAndNoname) {
    gCurPl = 1;
    gPlayers[1].name.clear();
    gNewPlayerFirst = 1;
    harness::typeText("qq"); // typed on the menu, before the popup came up
    game::step(1);
    openFully(105);
    EXPECT_EQ(typedName(), "");

    keyStep(8); // backspace on an empty name
    EXPECT_EQ(typedName(), "");
    typeStep("abcdefghijklmno");
    EXPECT_EQ(typedName(), "abcdefghijkl") << "the 13th character is refused";
    keyStep(8);
    keyStep(8);
    EXPECT_EQ(typedName(), "abcdefghij");
    typeStep("xyz");
    EXPECT_EQ(typedName(), "abcdefghijxy");

    // Wide letters stop at 140 pixels before 12 characters.
    gPlayers[1].name.clear();
    typeStep("WWWWWWWWWWWW");
    const std::string wide = typedName();
    EXPECT_LT(wide.size(), 12u);
    EXPECT_GE(gFontText.GetTxtWidth(wide), kMaxNameWidth);
    EXPECT_LT(gFontText.GetTxtWidth(wide.substr(1)), kMaxNameWidth);
    saveFrame("popup105_widename");

    // Confirming an empty name stores the "noname" text.
    gPlayers[1].name.clear();
    clickStep(602, 484);
    EXPECT_EQ(gPopupDir, 2);
    EXPECT_EQ(gPlayers[1].name, gLang.getValue("noname"));
    EXPECT_TRUE(fs::exists(saveDir() + "players1.ppp"));
}

TEST_F(PlayersTest, ApplyTypedCharTable) {
    struct Case {
        std::string before;
        int code;
        std::string after;
    };
    const Case cases[] = {
        {"", 8, ""},   {"ab", 8, "a"},  {"ab", 'c', "abc"},  {"abcdefghijkl", 'm', "abcdefghijkl"},
        {"a", 0, "a"}, {"a", 300, "a"}, {"a", 233, "a\xE9"}, {"a", 13, "a"},
    };
    for (const Case& c : cases) {
        std::string name = c.before;
        applyTypedChar(name, c.code);
        EXPECT_EQ(name, c.after) << "'" << c.before << "' + " << c.code;
    }
    EXPECT_EQ(checkedPlayerName("  Ann  "), "Ann");
    EXPECT_EQ(checkedPlayerName("   "), Trim(gLang.getValue("noname")));
}

TEST_F(PlayersTest, BackFromNamePopupRestoresThePreviousPlayer) {
    makePlayer(1, "Ann", 10);
    gCurPl = 1;
    openFully(103);
    clickStep(353, 564); // newplayer
    EXPECT_EQ(gStatePopup, 105);
    EXPECT_EQ(gCurPl, 2);
    EXPECT_EQ(gPrevCurPl, 1);
    EXPECT_EQ(gRunPopup, 16) << "opens at once fully open";
    game::step(1);
    typeStep("Bo");
    clickStep(422, 484); // back
    EXPECT_EQ(gCurPl, 1);
    EXPECT_EQ(gStatePopup, 103);
    EXPECT_TRUE(gPlayers[2].name.empty()) << "backing out leaves the slot empty";
}

TEST_F(PlayersTest, ManagerListsByPointsAndPicksTheClickedRow) {
    makePlayer(1, "Low", 50, 3);
    makePlayer(2, "High", 80, 7);
    makePlayer(3, "Mid", 80, 12);
    makePlayer(5, "Done", 10, 100);
    gPlayers[5].isStoryFinished = 1;
    gCurPl = 1;
    openFully(103);
    saveFrame("popup103_manager");
    // Ranking 2, 3, 1, 5: the second row is slot 3.
    clickStep(512, managerRowY(2));
    EXPECT_EQ(gCurPl, 3);
    clickStep(512, managerRowY(4));
    EXPECT_EQ(gCurPl, 5);
    keyStep(27);
    EXPECT_EQ(gPopupDir, 2);
    EXPECT_EQ(settingsLine(saveDir(), 4), "5") << "leaving the manager saves the current slot";
}

TEST_F(PlayersTest, NewPlayerInactiveWithEightRowsAndDoesNothingWhenSlotsTwoToEightAreTaken) {
    for (int s = 2; s <= 8; ++s)
        makePlayer(s, "P" + std::to_string(s), s);
    gCurPl = 2;
    openFully(103);
    clickStep(353, 564); // seven rows: active, but no free slot below 9
    EXPECT_EQ(gStatePopup, 103);
    EXPECT_EQ(gCurPl, 2);
    // Eight rows with slot 3 free (a profile left in slot 9): inactive.
    makePlayer(1, "P1", 1);
    makePlayer(9, "P9", 9);
    gPlayers[3].name.clear();
    clickStep(353, 564);
    EXPECT_EQ(gStatePopup, 103);
    EXPECT_EQ(gCurPl, 2);
    gPlayers[3].name = "P3";
    saveFrame("popup103_full");
}

TEST_F(PlayersTest, DeletingOneOfSeveralPicksTheLowestRemainingSlot) {
    makePlayer(2, "Two", 5);
    makePlayer(4, "Four", 9);
    makePlayer(6, "Six", 1);
    gCurPl = 2;
    openFully(103);
    clickStep(671, 564); // delete
    ASSERT_EQ(gStatePopup, 106);
    ASSERT_TRUE(stepUntilOpen());
    saveFrame("popup106_delete");
    clickStep(602, 484);
    EXPECT_TRUE(gPlayers[2].name.empty());
    EXPECT_EQ(gCurPl, 4);
    EXPECT_EQ(gStatePopup, 103);
    EXPECT_EQ(gRunPopup, 16);
    EXPECT_EQ(settingsLine(saveDir(), 4), "4");
    const std::string two = readFile(saveDir() + "players2.ppp");
    ASSERT_GE(two.size(), 4u);
    EXPECT_EQ(two.substr(two.size() - 4), std::string(4, '\0'))
        << "the erased profile is written with no name";
}

TEST_F(PlayersTest, DeletingTheOnlyPlayerLeavesNoCurrentPlayerAndCloses) {
    makePlayer(3, "Solo", 5);
    gCurPl = 3;
    openFully(106);
    clickStep(422, 484); // back: the manager again
    EXPECT_EQ(gStatePopup, 103);
    openFully(106);
    clickStep(602, 484);
    EXPECT_EQ(gCurPl, -1);
    EXPECT_EQ(gPopupDir, 2);
    EXPECT_EQ(settingsLine(saveDir(), 4), "-1");
    EXPECT_TRUE(stepUntilClosed());
}
