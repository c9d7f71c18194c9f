// The player popups driven through the real input queue: typing a name, the
// ranked list, picking and deleting players.
#include "app/fonts.h"
#include "app/globals.h"
#include "app/menupics.h"
#include "app/popup.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "screens/playermanager.h"
#include "tests/harness/game.h"
#include "tests/popups/popupfixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

// Rows of the canvas, top to bottom (exclusive).
struct Rows {
    int top = 0, bottom = 0;
};

// The green header band of the list picture, found in its pixels: the run of
// rows at its middle column, from the first, where green outweighs red.
Rows headerBand() {
    Picture* pic = gPicPlayerMenu.data.get();
    const Pixmap* px = LockFrame(pic, 0, 1, 0);
    Rows band{-1, -1};
    for (int y = 0; px && y < px->height; ++y) {
        const uint8_t* p = px->pixels + y * px->pitch + px->width / 2 * 4;
        const bool green = p[3] > 200 && p[1] > p[0] + 10;
        if (green && band.top < 0) band.top = y;
        if (!green && band.top >= 0) {
            band.bottom = y;
            break;
        }
    }
    UnlockFrame(pic, 0);
    float hx = 0, hy = 0;
    ReadPictureHandle(pic, hx, hy);
    const int top = static_cast<int>(kManagerListY - hy);
    return Rows{top + band.top, top + band.bottom};
}

// The canvas rows over the list picture (and a strip above it) where two
// frames differ.
Rows rowsThatDiffer(const harness::Frame& a, const harness::Frame& b, const Rows& band) {
    Rows r{-1, -1};
    const int w = static_cast<int>(gPicPlayerMenu.W);
    for (int y = band.top - 40; y < band.bottom + 40; ++y)
        for (int x = 512 - w / 2; x < 512 + w / 2; ++x)
            if (!std::equal(a.at(x, y), a.at(x, y) + 3, b.at(x, y))) {
                if (r.top < 0) r.top = y;
                r.bottom = y + 1;
            }
    return r;
}

} // namespace

// The column headings in any language: the shipped texts, tall accented
// capitals, deep descenders, both, a lone small letter (texts are Latin-1).
TEST_F(PlayersTest, ColumnHeadingsSitCentredInsideTheHeaderBandWhateverTheirText) {
    makePlayer(1, "Dora", 10);
    gCurPl = 1;
    openFully(103);
    const Rows band = headerBand();
    ASSERT_GT(band.bottom - band.top, 30) << "the band is found in the list picture";
    struct Headings {
        std::string player, game, points;
    };
    const std::vector<Headings> cases = {
        {gLang.getValue("player"), gLang.getValue("game"), gLang.getValue("points")},
        {"\xC5ngel \xC9t\xC9", "\xC0", "\xCEle"},
        {"Jogador", "jpqy", "Pontua\xE7\xE3o"},
        {"\xC9gypte", "\xD1" "apj", "\xC7\xC5gy"},
        {"x", "o", "."},
    };
    const auto frameWith = [](const Headings& texts) {
        gLang.lang["player"] = texts.player;
        gLang.lang["game"] = texts.game;
        gLang.lang["points"] = texts.points;
        game::step(2);
        return harness::grabFrame();
    };
    for (const Headings& h : cases) {
        SCOPED_TRACE("headings \"" + h.player + "\" \"" + h.game + "\" \"" + h.points + "\"");
        // Blank headings (an empty text would show the missing-text marker).
        const harness::Frame without = frameWith({" ", " ", " "}), with = frameWith(h);
        // What the font says each text covers, where the list draws it.
        const int y = managerHeadingsY();
        Rows ink{1 << 20, -(1 << 20)};
        for (const std::string& text : {h.player, h.game, h.points}) {
            int top = 0, bottom = 0;
            ASSERT_TRUE(gFontDialog.GetInkRows(text, top, bottom));
            ink.top = std::min(ink.top, y + top);
            ink.bottom = std::max(ink.bottom, y + bottom);
        }
        EXPECT_GE(ink.top, band.top);
        EXPECT_LE(ink.bottom, band.bottom);
        EXPECT_LE(std::abs((ink.top - band.top) - (band.bottom - ink.bottom)), 1) << "centred in the band";
        // And what the frame shows.
        const Rows drawn = rowsThatDiffer(with, without, band);
        ASSERT_GE(drawn.top, 0) << "the headings are drawn";
        EXPECT_GE(drawn.top, ink.top) << "drawn within what the font says";
        EXPECT_LE(drawn.bottom, ink.bottom) << "drawn within what the font says";
        EXPECT_GE(drawn.top, band.top) << "band rows " << band.top << ".." << band.bottom;
        EXPECT_LE(drawn.bottom, band.bottom) << "band rows " << band.top << ".." << band.bottom;
    }
    frameWith(cases.front());
    saveFrame("popup103_headings");
}

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
    const std::string profile = readFile(env.saveDir() + "players1.ppp");
    ASSERT_GE(profile.size(), 6u);
    EXPECT_EQ(profile.substr(profile.size() - 2), "Jo");
    EXPECT_EQ(settingsLine(env.saveDir(), 4), "1");
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
    EXPECT_TRUE(fs::exists(env.saveDir() + "players1.ppp"));
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
    EXPECT_EQ(settingsLine(env.saveDir(), 4), "5") << "leaving the manager saves the current slot";
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
    EXPECT_EQ(settingsLine(env.saveDir(), 4), "4");
    const std::string two = readFile(env.saveDir() + "players2.ppp");
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
    EXPECT_EQ(settingsLine(env.saveDir(), 4), "-1");
    EXPECT_TRUE(stepUntilClosed());
}
