// Every text of every language measured with the font that draws it against
// the picture, button, panel or line the screens give it. A failure names the
// language, the key and the overflow in pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/fonts.h"
#include "persist/languages.h"
#include "platform/platform.h"
#include "tests/content/gamefolder.h"
#include "tests/content/texttable.h"

using namespace contenttest;

namespace {

int pictureWidth(const std::string& rel) {
    PicturePtr p = LoadPicture(ResolvePath(rel), 0);
    return p ? PictureWidth(p.get()) : 0;
}

int pictureHeight(const std::string& rel) {
    PicturePtr p = LoadPicture(ResolvePath(rel), 0);
    return p ? PictureHeight(p.get()) : 0;
}

std::string upper(std::string s) { return ToUpperCase(s); }

// The text table of a language as the game reads it: its own lines over the
// English ones.
std::map<std::string, std::string> tableOf(int language) {
    auto table = readTextTable(readBytes("data/texts/codetexts.txt").value_or(""));
    if (language != 0) {
        auto own = readTextTable(
            readBytes("data/lang/" + languageCode(language) + "/texts/codetexts.txt").value_or(""));
        EXPECT_FALSE(own.empty()) << languageCode(language) << ": no text table";
        for (auto& [key, value] : own) table[key] = value;
    }
    return table;
}

// Measures one language's texts and reports each overflow.
class Fit {
  public:
    Fit(int language) : code_(languageCode(language)), table_(tableOf(language)) {}
    const std::string& operator[](const std::string& key) { return table_[key]; }

    // Every line of the key's text (or of `text` made from it) within `room` pixels.
    void width(const std::string& key, TBitmapFont& font, int room, const std::string& text = {}) {
        for (const auto& line : textLines(text.empty() ? table_[key] : text)) {
            const int over = font.GetTxtWidth(line) - room;
            if (over > 0) fail(key, "\"" + line + "\" is " + std::to_string(over) + " px too wide");
        }
    }
    // The lines of a text drawn from `top` end above `limit`.
    void height(const std::string& key, TBitmapFont& font, int top, int limit) {
        const int lines = static_cast<int>(textLines(table_[key]).size());
        const int over =
            top + lines * font.GetFontHeight() + static_cast<int>(font.Kerning.GetVKerning()) - limit;
        if (over > 0) fail(key, std::to_string(lines) + " lines run " + std::to_string(over) + " px too low");
    }
    void fail(const std::string& key, const std::string& what) {
        ADD_FAILURE() << code_ << " " << (key.empty() ? "(empty key)" : key) << ": " << what;
    }

  private:
    std::string code_;
    std::map<std::string, std::string> table_;
};

class TextFit : public GameFolderTest {
  protected:
    void SetUp() override {
        GameFolderTest::SetUp();
        loadFonts();
        big = pictureWidth("data/UI/popupbig.png");
        medium = pictureWidth("data/UI/popupmedium.png");
        small = pictureWidth("data/UI/popupsmall.png");
        smallButton = pictureWidth("data/UI/buttonsmall.png");
        largeButton = pictureWidth("data/UI/buttonlarge.png");
        managerWidth = pictureWidth("data/UI/playermenu.png");
        for (int w : {big, medium, small, smallButton, largeButton, managerWidth})
            ASSERT_GT(w, 0) << "panel or button pictures missing";
    }
    int big = 0, medium = 0, small = 0, smallButton = 0, largeButton = 0, managerWidth = 0;
};

} // namespace

TEST_F(TextFit, HelpPagesAndTextPopups) {
    // Help pages 3 and 5 have 3 x 3 boards (144 px) centred at x = 192 and 832, page 4
    // one at 845: the text between them keeps 8 px from their inner edges.
    const int besideBoards = 2 * (832 - 72 - 512) - 16;
    const int besideBoard4 = 2 * (845 - 72 - 512) - 16;
    const int half = pictureHeight("data/UI/buttonsmall.png") / 2;
    const int boardTop = 350 - pictureHeight("data/UI/niner.png") / 2;
    ASSERT_GT(boardTop, 0) << "board frame picture missing";
    for (int language = 0; language < kLanguageCount; ++language) {
        Fit fit(language);
        const std::pair<const char*, int> bigTexts[] = {{"helpdirttext", big - 80}, {"helpbombstext", besideBoards},
                                                        {"helpstonetext", besideBoards}, {"helproadmaptext", medium - 60},
                                                        {"creditstext", medium - 60}};
        for (const auto& [key, room] : bigTexts) fit.width(key, gFontText, room);
        fit.width("helpgametypestext", gFontText24, big - 80);
        fit.width("helppustext", gFontText24, besideBoard4);
        fit.width("helpkeys", gFontText24, big - 80);
        for (const char* key : {"helpswapmode", "helpchainmode", "helpgroupmode"}) fit.width(key, gFontText24, 250);
        // Multi-line texts end above what is drawn below them: the popup's buttons
        // (centred at the given y) or, on help page 2, the demonstration boards.
        fit.height("helpdirttext", gFontText, 390, 590 - half);
        fit.height("helpgametypestext", gFontText24, 190, boardTop);
        for (const char* key : {"helpswapmode", "helpchainmode", "helpgroupmode"})
            fit.height(key, gFontText24, 440, 610 - half);
        fit.height("helpbombstext", gFontText, 170, 590 - half);
        fit.height("helppustext", gFontText24, 190, 610 - half);
        fit.height("helpkeys", gFontText24, 190, 610 - half);
        fit.height("helpstonetext", gFontText, 190, 610 - half);
        fit.height("helproadmaptext", gFontText, 226, 586 - half);
        fit.height("creditstext", gFontText, 214, 610 - half);
        // Popup titles on their panels.
        for (const char* key : {"helpdirttitle", "helpgametypestitle", "helpbombstitle", "helppustitle",
                                "helpstonetitle", "helpkeystitle"})
            fit.width(key, gFontDialog, big - 80);
        for (const char* key : {"helproadmaptitle", "options", "champions", "playermenu", "creditstitle"})
            fit.width(key, gFontDialog, medium - 60);
        for (const char* key : {"newplayer", "delete", "resumegame", "newgame", "menu"})
            fit.width(key, gFontDialog, small - 40);
        fit.width("exitquestion", gFontDialog, small * 13 / 10 - 40);
        // The lines of the small popups.
        for (const char* key : {"wantresume", "wantresume2", "newgame2", "newgame3", "newgame4", "delplayersure",
                                "delplayersure2", "enterplayername"})
            fit.width(key, gFontText, small - 40);
        for (const char* key : {"exitsure", "exitsave"}) fit.width(key, gFontText, small * 13 / 10 - 40);
    }
}

TEST_F(TextFit, ButtonsMenuAndLoadingScreen) {
    for (int language = 0; language < kLanguageCount; ++language) {
        Fit fit(language);
        for (const char* key : {"ok", "back", "yes", "no", "next", "play", "menu", "roadmap", "help", "continue",
                                "options", "player", "credits", "end", "newplayer", "delete", "newgame",
                                "resumegame", "startgame"})
            fit.width(key, gFontButton, smallButton - 16);
        fit.width("startgame", gFontButton, largeButton - 24, upper(fit["startgame"]));
        fit.width("champions", gFontButton, largeButton - 24);
        // The welcome line on the plaque of the menu's top border, with the name a
        // player without a profile gets.
        fit.width("welcome", gFontTitle, 580, upper(fit["welcome"] + " " + fit["defaultplayer"]));
        fit.width("pause", gFontTitle, 1024 - 40);
        fit.width("clicktocontinue", gFontText, 1024 - 40);
        // "Loading" over the loading bar (440 px, drawn with 3 px between letters).
        const float kerning = gFontDialog.Kerning.GetHKerning();
        gFontDialog.Kerning.SetHKerning(3);
        fit.width("loading", gFontDialog, 440 - 60);
        gFontDialog.Kerning.SetHKerning(kerning);
        // The moss creature's message when the board is clean.
        fit.width("", gFontText, 1024 - 40);
    }
}

TEST_F(TextFit, OptionsChampionsAndPlayerManager) {
    // The options popup: "quiet" right-aligned at 322 and "loud" left-aligned at 702
    // stay inside the medium panel's rim (20 px); the language's name sits between
    // the two arrows (40 px wide, centred at 372 and 652).
    const int panelLeft = 512 - medium / 2 + 20, panelRight = 512 + medium / 2 - 20;
    for (int language = 0; language < kLanguageCount; ++language) {
        Fit fit(language);
        for (const char* key : {"music", "sound"}) fit.width(key, gFontText, medium - 60);
        fit.width("quiet", gFontText24, 322 - panelLeft);
        fit.width("loud", gFontText24, panelRight - 702);
        fit.width("fullscreen", gFontText, panelRight - 479);
        fit.width("options", gFontText, 652 - 372 - 40 - 16, languageName(language));
        // Champions: the column headings, centred at x 324, 458, 611 and 699, keep apart.
        const std::pair<const char*, int> headings[] = {{"rank", 324}, {"name", 458}, {"points", 611}, {"level", 699}};
        for (size_t i = 0; i + 1 < std::size(headings); ++i) {
            const int a = gFontDialog.GetTxtWidth(fit[headings[i].first]);
            const int b = gFontDialog.GetTxtWidth(fit[headings[i + 1].first]);
            const int over = (a + b) / 2 + 8 - (headings[i + 1].second - headings[i].second);
            if (over > 0)
                fit.fail(headings[i].first, "overlaps \"" + std::string(headings[i + 1].first) + "\" by " +
                                                std::to_string(over) + " px");
        }
        // Player manager: "player" from the left margin, "game" centred, "points" to
        // the right margin of the list, 8 px apart.
        const int side = managerWidth / 2 - 20;
        const int gameHalf = gFontDialog.GetTxtWidth(fit["game"]) / 2;
        fit.width("player", gFontDialog, side - gameHalf - 8);
        fit.width("points", gFontDialog, side - gameHalf - 8);
    }
}

TEST_F(TextFit, RoadmapTooltipLevelInfoAndWinPanel) {
    // The longest name the new-player box takes.
    std::string name;
    while (gFontText.GetTxtWidth(name + "M") < 140 && name.size() < 12) name += "M";
    for (int language = 0; language < kLanguageCount; ++language) {
        Fit fit(language);
        const std::string label = fit["week"] + " 10 - " + fit["game"] + " 10";
        const std::string best = fit["besttime"] + " 59:59 " + fit["by"] + " " + name;
        // The tooltip: the small panel drawn at 80 % of its width.
        const int tooltip = small * 8 / 10 - 24;
        fit.width("week", gFontDialog, tooltip, label);
        fit.width("besttime", gFontText24, tooltip, best);
        fit.width("nobesttime", gFontText24, tooltip);
        // The level-info popup on the medium panel.
        fit.width("week", gFontDialog, medium - 60, label);
        fit.width("besttime", gFontText, medium - 60, best);
        fit.width("nobesttime", gFontText, medium - 60);
        fit.width("alllevelsdone", gFontText, medium - 60);
        // Win panel: the title, then labels from the left margin with the values
        // right-aligned at the right one.
        fit.width("dayover", gFontWin, medium - 60);
        const int labelRoom = medium - 90 - gFontText.GetTxtWidth("120x20=2400") - 20;
        fit.width("timebonus", gFontText, labelRoom, fit["timebonus"] + " (<10 " + fit["minutes"] + "):");
        fit.width("notimebonus", gFontText, labelRoom, fit["notimebonus"] + ":");
        for (const char* key : {"clearedobjects", "smasheddirt", "pointsinthisgame", "newbesttime"})
            fit.width(key, gFontText, labelRoom);
    }
}
