// The fonts, the text table and the item targets through the game's own loaders,
// and the texts measured with the fonts they are drawn in against the pictures
// they are drawn on.
#include <gtest/gtest.h>

#include <functional>

#include "app/fonts.h"
#include "persist/language.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "tests/content/gamefolder.h"
#include "tests/content/texttable.h"

using namespace contenttest;

class GameLoaders : public GameFolderTest {};

namespace {

int pictureWidth(const std::string& rel) {
    PicturePtr p = LoadPicture(ResolvePath(rel), 0);
    return p ? PictureWidth(p.get()) : 0;
}

int pictureHeight(const std::string& rel) {
    PicturePtr p = LoadPicture(ResolvePath(rel), 0);
    return p ? PictureHeight(p.get()) : 0;
}

} // namespace

TEST_F(GameLoaders, TheSevenFontsLoadWithEveryCharacterTheTextsUse) {
    loadFonts();
    struct Font {
        const char* name;
        TBitmapFont* font;
    };
    const Font fonts[] = {{"title", &gFontTitle},   {"button", &gFontButton},    {"text", &gFontText},
                          {"dialog", &gFontDialog}, {"win", &gFontWin},          {"text 24", &gFontText24},
                          {"head bar", &gFontHeadbar}};
    auto table = readTextTable(readBytes("data/texts/codetexts.txt").value_or(""));
    for (const auto& f : fonts) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(f.font->FontLoaded(), 1);
        EXPECT_GT(f.font->GetFontHeight(), 8);
        EXPECT_GT(f.font->GetTxtWidth("Varnoka 0123456789"), 0);
        for (const auto& [key, value] : table)
            for (unsigned char c : value) {
                if (c > 32) {
                    EXPECT_TRUE(f.font->GetFaceInfo(c).has_value()) << "no glyph " << int(c) << " for " << key;
                }
            }
    }
}

TEST_F(GameLoaders, TheTextTableAnswersEveryKeyTheGameLooksUp) {
    TLanguage lang;
    lang.loadFromDisk("data/texts/codetexts.txt", "=");
    for (const auto& key : gameTextKeys()) EXPECT_NE(lang.getValue(key), "_UNDEF_" + key);
    EXPECT_EQ(lang.getValue(""), "No moss left!");
}

TEST_F(GameLoaders, TheItemTargetsLoadIntoTheProfile) {
    TSpieler p;
    p.loadAllItemsToDestroyFromDisk("data/levels/lvla000.lvl");
    auto raw = le32(readBytes("data/levels/lvla000.lvl").value_or(""));
    ASSERT_EQ(raw.size(), 500u);
    for (int level = 1; level <= 100; ++level)
        for (int kind = 1; kind <= 5; ++kind)
            ASSERT_EQ(p.itemsToDestroyData[level][kind], raw[(level - 1) * 5 + kind - 1]) << level << "/" << kind;
    EXPECT_EQ(p.itemsToDestroyData[1][4], 0);
}

TEST_F(GameLoaders, TextsFitThePicturesTheyAreDrawnOn) {
    loadFonts();
    auto table = readTextTable(readBytes("data/texts/codetexts.txt").value_or(""));
    const int big = pictureWidth("data/UI/popupbig.png");
    const int medium = pictureWidth("data/UI/popupmedium.png");
    const int small = pictureWidth("data/UI/popupsmall.png");
    const int smallButton = pictureWidth("data/UI/buttonsmall.png");
    const int largeButton = pictureWidth("data/UI/buttonlarge.png");
    for (int w : {big, medium, small, smallButton, largeButton}) ASSERT_GT(w, 0) << "panel or button pictures missing";
    // Help pages 3 and 5 have 3 x 3 boards (144 px) centred at x = 192 and 832, page 4
    // one at 845: the text between them keeps 8 px from their inner edges.
    const int besideBoards = 2 * (832 - 72 - 512) - 16;
    const int besideBoard4 = 2 * (845 - 72 - 512) - 16;
    struct Fit {
        const char* key;
        TBitmapFont* font;
        int width;
    };
    const Fit fits[] = {
        {"helpdirttext", &gFontText, big - 80},        {"helpgametypestext", &gFontText24, big - 80},
        {"helpswapmode", &gFontText24, 250},            {"helpchainmode", &gFontText24, 250},
        {"helpgroupmode", &gFontText24, 250},           {"helpbombstext", &gFontText, besideBoards},
        {"helppustext", &gFontText24, besideBoard4},    {"helpstonetext", &gFontText, besideBoards},
        {"helproadmaptext", &gFontText, medium - 60},   {"creditstext", &gFontText, medium - 60},
        {"wantresume", &gFontText, small - 40},         {"wantresume2", &gFontText, small - 40},
        {"newgame2", &gFontText, small - 40},           {"newgame3", &gFontText, small - 40},
        {"newgame4", &gFontText, small - 40},           {"delplayersure", &gFontText, small - 40},
        {"delplayersure2", &gFontText, small - 40},     {"enterplayername", &gFontText, small - 40},
        {"exitsure", &gFontText, small * 13 / 10 - 40}, {"exitsave", &gFontText, small * 13 / 10 - 40},
        {"helpdirttitle", &gFontDialog, big - 80},      {"helpgametypestitle", &gFontDialog, big - 80},
        {"helpbombstitle", &gFontDialog, big - 80},     {"helppustitle", &gFontDialog, big - 80},
        {"helpstonetitle", &gFontDialog, big - 80},     {"helproadmaptitle", &gFontDialog, medium - 60},
        {"dayover", &gFontWin, medium - 60},            {"helpkeys", &gFontText24, big - 80},
        {"helpkeystitle", &gFontDialog, big - 80},
    };
    for (const auto& f : fits)
        for (const auto& line : textLines(table[f.key]))
            EXPECT_LE(f.font->GetTxtWidth(line), f.width) << f.key << ": \"" << line << '"';
    // Multi-line texts end above what is drawn below them: the popup's buttons (centred
    // at the given y) or, on help page 2, the framed demonstration boards (centred at y 350).
    struct Below {
        const char* key;
        TBitmapFont* font;
        int top, limit;
    };
    const int half = pictureHeight("data/UI/buttonsmall.png") / 2;
    const int boardTop = 350 - pictureHeight("data/UI/niner.png") / 2;
    ASSERT_GT(boardTop, 0) << "board frame picture missing";
    const Below belows[] = {
        {"helpdirttext", &gFontText, 390, 590 - half},     {"helpgametypestext", &gFontText24, 190, boardTop},
        {"helpswapmode", &gFontText24, 440, 610 - half},   {"helpchainmode", &gFontText24, 440, 610 - half},
        {"helpgroupmode", &gFontText24, 440, 610 - half},  {"helpbombstext", &gFontText, 170, 590 - half},
        {"helppustext", &gFontText24, 190, 610 - half},    {"helpstonetext", &gFontText, 190, 610 - half},
        {"helproadmaptext", &gFontText, 226, 586 - half},  {"creditstext", &gFontText, 214, 610 - half},
        {"helpkeys", &gFontText24, 190, 610 - half},
    };
    for (const auto& b : belows) {
        int lines = static_cast<int>(textLines(table[b.key]).size());
        EXPECT_LE(b.top + lines * b.font->GetFontHeight() + static_cast<int>(b.font->Kerning.GetVKerning()), b.limit) << b.key;
    }
    for (const char* key : {"ok", "back", "yes", "no", "next", "play", "menu", "roadmap", "help", "continue",
                            "options", "player", "credits", "end", "newplayer", "delete", "newgame", "resumegame",
                            "startgame"})
        EXPECT_LE(gFontButton.GetTxtWidth(table[key]), smallButton - 16) << key;
    std::string start = table["startgame"];
    for (auto& c : start) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_LE(gFontButton.GetTxtWidth(start), largeButton - 24);
    EXPECT_LE(gFontButton.GetTxtWidth(table["champions"]), largeButton - 24);
    // Champions: the column headings, centred at x 324, 458, 611 and 699, keep apart.
    const std::pair<const char*, int> headings[] = {{"rank", 324}, {"name", 458}, {"points", 611}, {"level", 699}};
    for (size_t i = 0; i + 1 < std::size(headings); ++i) {
        int a = gFontDialog.GetTxtWidth(table[headings[i].first]);
        int b = gFontDialog.GetTxtWidth(table[headings[i + 1].first]);
        EXPECT_LE((a + b) / 2 + 8, headings[i + 1].second - headings[i].second)
            << headings[i].first << " and " << headings[i + 1].first << " overlap";
    }
    // Win panel: labels from the left margin, values right-aligned at the right one.
    const int winRoom = medium - 90;
    const std::string labels[] = {table["timebonus"] + " (<10 " + table["minutes"] + "):", table["notimebonus"] + ":",
                                  table["clearedobjects"], table["smasheddirt"], table["pointsinthisgame"],
                                  table["newbesttime"]};
    for (const auto& label : labels)
        EXPECT_LE(gFontText.GetTxtWidth(label) + gFontText.GetTxtWidth("120x20=2400") + 20, winRoom) << label;
}
