// The fonts, the text tables and the item targets through the game's own loaders
// (textfit_test.cpp measures the texts against the places they are drawn in).
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "persist/language.h"
#include "persist/languages.h"
#include "persist/profile.h"
#include "platform/platform.h"
#include "tests/content/gamefolder.h"
#include "tests/content/texttable.h"

using namespace contenttest;

class GameLoaders : public GameFolderTest {};

TEST_F(GameLoaders, TheSevenFontsLoadWithEveryCharacterTheTextsUse) {
    loadFonts();
    struct Font {
        const char* name;
        TBitmapFont* font;
    };
    const Font fonts[] = {{"title", &gFontTitle},   {"button", &gFontButton},    {"text", &gFontText},
                          {"dialog", &gFontDialog}, {"win", &gFontWin},          {"text 24", &gFontText24},
                          {"head bar", &gFontHeadbar}};
    std::vector<std::string> tables = {"data/texts/codetexts.txt"};
    for (int i = 1; i < kLanguageCount; ++i) tables.push_back("data/lang/" + languageCode(i) + "/texts/codetexts.txt");
    for (const auto& f : fonts) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(f.font->FontLoaded(), 1);
        EXPECT_GT(f.font->GetFontHeight(), 8);
        EXPECT_GT(f.font->GetTxtWidth("Varnoka 0123456789"), 0);
        for (const auto& file : tables)
            for (const auto& [key, value] : readTextTable(readBytes(file).value_or("")))
                for (unsigned char c : value) {
                    if (c > 32) {
                        EXPECT_TRUE(f.font->GetFaceInfo(c).has_value())
                            << "no glyph " << int(c) << " for " << key << " in " << file;
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

// Each language translates every key itself (English stands in only for keys
// added later) and its own message for the clean board.
TEST_F(GameLoaders, EveryLanguageTranslatesEveryKey) {
    for (int i = 1; i < kLanguageCount; ++i) {
        const std::string file = "data/lang/" + languageCode(i) + "/texts/codetexts.txt";
        auto own = readTextTable(readBytes(file).value_or(""));
        for (const auto& key : gameTextKeys()) EXPECT_TRUE(own.count(key)) << file << " lacks \"" << key << '"';
        EXPECT_TRUE(own.count("")) << file << " lacks the empty key";
        EXPECT_NE(own[""], "No moss left!") << file;
    }
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
