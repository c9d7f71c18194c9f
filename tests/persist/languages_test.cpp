#include "persist/config.h"
#include "persist/language.h"
#include "persist/languages.h"
#include "tests/persist/files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Languages, LocaleNamesChooseTheLanguage) {
    const std::pair<const char*, int> cases[] = {
        {"de_DE.UTF-8", 1}, {"de_AT", 1},       {"DE", 1},     {"fr_CA.UTF-8", 2}, {"es", 3},
        {"it_IT@euro", 4},  {"nl-BE", 5},       {"pt_BR", 6},  {"sv_SE.UTF-8", 7}, {"en_GB.UTF-8", 0},
        {"C", 0},           {"POSIX", 0},       {"", 0},       {"da_DK.UTF-8", 0}, {"deu", 0},
        {"C.UTF-8", 0},     {"frisian", 0},
    };
    for (const auto& [locale, language] : cases) EXPECT_EQ(languageOfLocale(locale), language) << locale;
}

TEST(Languages, NumbersOutsideTheEightAreEnglish) {
    for (int n : {-1, 8, 1000}) EXPECT_EQ(validLanguage(n), 0) << n;
    for (int n = 0; n < kLanguageCount; ++n) EXPECT_EQ(validLanguage(n), n);
    EXPECT_EQ(languageCode(1), "de");
    EXPECT_EQ(languageName(2), "Fran\xE7" "ais");
    EXPECT_EQ(languageCode(99), "en");
}

// An installation folder of its own: English texts and pictures, a German
// folder that translates part of them, no Spanish folder at all.
struct LanguageFolder : ::testing::Test {
    TempFolder folder;
    std::filesystem::path oldCwd = std::filesystem::current_path();
    void SetUp() override {
        std::filesystem::current_path(folder.dir());
        for (const char* dir : {"data/texts", "data/story", "data/lang/de/texts", "data/lang/de/story"})
            std::filesystem::create_directories(dir);
        writeFileText("data/texts/codetexts.txt", "ok=OK\r\nback=Back\r\n=No moss left!\r\n");
        writeFileText("data/lang/de/texts/codetexts.txt", "ok=Gut\r\n=Kein Moos mehr!\r\n");
        for (const char* file : {"data/story/story1.jpg", "data/story/story2.jpg", "data/lang/de/story/story1.jpg"})
            writeFileText(file, "picture");
    }
    void TearDown() override {
        std::filesystem::current_path(oldCwd);
        gConfig.sprache = 0;
        gLang = TLanguage();
    }
};

TEST_F(LanguageFolder, AKeyTheLanguageLacksShowsInEnglish) {
    loadLanguage(1);
    EXPECT_EQ(gConfig.sprache, 1);
    EXPECT_EQ(gLang.getValue("ok"), "Gut");
    EXPECT_EQ(gLang.getValue("back"), "Back");
    EXPECT_EQ(gLang.getValue(""), "Kein Moos mehr!");
    EXPECT_EQ(gLang.getValue("later"), "_UNDEF_later");
    // The translator's reload keeps the English table under the edited one.
    writeFileText("data/lang/de/texts/codetexts.txt", "ok=Prima\r\n");
    gLang.reload();
    EXPECT_EQ(gLang.getValue("ok"), "Prima");
    EXPECT_EQ(gLang.getValue("back"), "Back");
    EXPECT_EQ(gLang.getValue(""), "No moss left!");
}

TEST_F(LanguageFolder, SwitchingLanguagesLeavesNothingOfTheOneBefore) {
    loadLanguage(1);
    loadLanguage(3); // no Spanish folder: English throughout
    EXPECT_EQ(gConfig.sprache, 3);
    EXPECT_EQ(gLang.getValue("ok"), "OK");
    loadLanguage(1);
    loadLanguage(0);
    EXPECT_EQ(gLang.getValue("ok"), "OK");
    EXPECT_EQ(gLang.getValue(""), "No moss left!");
    loadLanguage(12); // a damaged settings line
    EXPECT_EQ(gConfig.sprache, 0);
    EXPECT_EQ(gLang.getValue("ok"), "OK");
}

TEST_F(LanguageFolder, ALanguagesOwnPictureReplacesTheEnglishOne) {
    struct Case {
        int language;
        const char* path;
        const char* expected;
    } cases[] = {
        {1, "data/story/story1.jpg", "data/lang/de/story/story1.jpg"},
        {1, "data/story/story2.jpg", "data/story/story2.jpg"},
        {0, "data/story/story1.jpg", "data/story/story1.jpg"},
        {3, "data/story/story1.jpg", "data/story/story1.jpg"},
        {1, "icon32.ico", "icon32.ico"},
    };
    for (const Case& c : cases) {
        gConfig.sprache = c.language;
        EXPECT_EQ(localisedPath(c.path), c.expected) << c.language << " " << c.path;
    }
}

} // namespace
