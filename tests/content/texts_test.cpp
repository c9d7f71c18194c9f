// The generated text table: its encoding, every key the game looks up, texts that
// fit their places, and the texts family's checks of the source.
#include <gtest/gtest.h>

#include "tests/content/contentfiles.h"
#include "tests/content/texttable.h"

using namespace contenttest;

namespace {

std::string generatedTable() {
    auto bytes = readBytes(gameDir() / "data/texts/codetexts.txt");
    return bytes ? *bytes : std::string();
}

} // namespace

TEST(GeneratedTexts, StoredAsLatin1WithCrLfLineEnds) {
    std::string bytes = generatedTable();
    ASSERT_FALSE(bytes.empty());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at byte " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
        auto b = static_cast<unsigned char>(bytes[i]);
        // A UTF-8 lead byte followed by a continuation byte means the source was not converted.
        if ((b == 0xC2 || b == 0xC3) && i + 1 < bytes.size()) {
            EXPECT_FALSE((static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80) << "UTF-8 at byte " << i;
        }
    }
}

TEST(GeneratedTexts, EveryKeyTheGameLooksUpHasAValue) {
    auto table = readTextTable(generatedTable());
    for (const auto& key : gameTextKeys()) {
        auto it = table.find(key);
        ASSERT_NE(it, table.end()) << "missing key \"" << key << "\"";
        EXPECT_FALSE(it->second.empty()) << "empty value for \"" << key << "\"";
    }
    EXPECT_EQ(table.at(""), "No moss left!");
}

TEST(GeneratedTexts, TextsFitTheirPlaces) {
    // Widths as characters per line: the text font is about 14 pixels a character,
    // the 24-pixel font about 12. Pages with pictures beside the text are narrower.
    struct Limit {
        const char* key;
        size_t maxChars, maxLines;
    };
    const Limit limits[] = {
        {"helpdirttext", 50, 5},      {"helpgametypestext", 64, 2}, {"helpswapmode", 20, 4},
        {"helpchainmode", 20, 4},     {"helpgroupmode", 20, 4},     {"helpbombstext", 32, 12},
        {"helppustext", 40, 12},      {"helpstonetext", 32, 12},    {"helproadmaptext", 36, 11},
        {"creditstext", 40, 10},      {"wantresume", 30, 1},        {"wantresume2", 30, 1},
        {"newgame2", 30, 1},          {"newgame3", 30, 1},          {"newgame4", 30, 1},
        {"delplayersure", 30, 1},     {"delplayersure2", 30, 1},    {"exitsure", 30, 1},
        {"exitsave", 30, 1},          {"enterplayername", 30, 1},   {"exitquestion", 22, 1},
        {"dayover", 20, 1},           {"nobesttime", 24, 1},        {"pointsinthisgame", 24, 1},
        {"smasheddirt", 24, 1},       {"clearedobjects", 24, 1},    {"notimebonus", 22, 1},
        {"newbesttime", 24, 1},       {"clicktocontinue", 30, 1},   {"helpkeys", 64, 12},
    };
    // Button labels sit on the small and large button pictures.
    const char* buttons[] = {"ok", "back", "yes", "no", "next", "play", "menu", "roadmap", "help", "continue",
                             "options", "player", "credits", "end", "newplayer", "delete", "newgame",
                             "resumegame", "startgame", "champions"};
    auto table = readTextTable(generatedTable());
    for (const auto& l : limits) {
        SCOPED_TRACE(l.key);
        auto lines = textLines(table[l.key]);
        EXPECT_LE(lines.size(), l.maxLines);
        for (const auto& line : lines) EXPECT_LE(line.size(), l.maxChars) << '"' << line << '"';
    }
    for (const char* key : buttons) {
        EXPECT_LE(table[key].size(), 11u) << key;
        EXPECT_EQ(table[key].find("%n"), std::string::npos) << key;
    }
    // The win screen's longest label: time bonus, "(<10", the minutes word and "):".
    EXPECT_LE((table["timebonus"] + " (<10 " + table["minutes"] + "):").size(), 26u);
}

TEST(TextsFamily, ConvertsUtf8ToLatin1AndRejectsLinesTheGameWouldMisread) {
    struct Case {
        const char* name;
        std::string source;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {"accented letters", "# comment = still a comment\nok=Caf\xC3\xA9 \xC3\xBC\n=empty key\n", nullptr},
        {"blank line", "ok=OK\n\nback=Back\n", "a blank line would replace the value of the empty key"},
        {"line without =", "ok=OK\njust words\n", "a line without \"=\""},
        {"blank before =", "ok =OK\n", "blank before \"=\""},
        {"blank after =", "ok= OK\n", "blank after \"=\""},
        {"empty value", "ok=\n", "empty value for key \"ok\""},
        {"key twice", "ok=OK\nok=Fine\n", "key \"ok\" given twice"},
        {"outside Latin-1", "ok=\xE2\x82\xAC\n", "outside ISO 8859-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FamilyRun f = runFamilyOn("texts", "texts/codetexts.txt", c.source, "data/texts/codetexts.txt");
        if (c.message) {
            expectRejection(f.run, c.message);
            continue;
        }
        ASSERT_EQ(f.run.exitCode, 0) << f.run.output;
        ASSERT_TRUE(f.produced.has_value());
        EXPECT_EQ(*f.produced, "# comment = still a comment\r\nok=Caf\xE9 \xFC\r\n=empty key\r\n");
    }
}
