#include "persist/language.h"
#include "tests/persist/files.h"

#include <gtest/gtest.h>

namespace {

struct LanguageTest : ::testing::Test {
    TempFolder folder;
    TLanguage table;
    std::string path() const { return folder.file("codetexts.txt"); }
    void load(const std::string& text) {
        writeFileText(path(), text);
        table.lang.clear();
        table.loadFromDisk(path(), "=");
    }
};

TEST_F(LanguageTest, LineRules) {
    struct Case {
        const char* file;
        const char* key;
        const char* expected; // getValue(key)
    } cases[] = {
        {"  ok=OK  \r\n", "ok", "OK"},
        {"ok = OK\r\n", "ok", "_UNDEF_ok"},
        {"ok = OK\r\n", "ok ", " OK"},
        {"  # ok=OK\r\n", "ok", "_UNDEF_ok"},
        {"#ok=OK\nok=fine\n", "ok", "fine"},
        {"a=b=c\n", "a", "b=c"},
        {"ok=A\nok=B\n", "ok", "B"},
        {"br=%n\n", "br", "%n"},
        {"empty=\n", "empty", "_UNDEF_empty"},
        {"no delimiter here\nok=1\n", "ok", "1"},
        {"ok=last line without line end", "ok", "last line without line end"},
        {"o\rk=v\r\r\n", "ok", "v"},
        {"\xe4=\xfc\n", "\xe4", "\xfc"},
        {"Ok=upper\n", "ok", "_UNDEF_ok"},
    };
    for (const Case& c : cases) {
        load(c.file);
        EXPECT_EQ(table.getValue(c.key), c.expected) << '"' << c.file << '"';
    }
}

TEST_F(LanguageTest, LinesWithoutDelimiterGoUnderTheEmptyKey) {
    load("first\n\nsecond line\n");
    EXPECT_EQ(table.lang.size(), 1u);
    EXPECT_EQ(table.lang.at(""), "second line");
}

TEST_F(LanguageTest, ReloadReadsTheFileAgain) {
    load("ok=A\nok=B\nother=x\n");
    EXPECT_EQ(table.getValue("ok"), "B");
    writeFileText(path(), "ok=A\n");
    table.reload();
    EXPECT_EQ(table.getValue("ok"), "A");
    EXPECT_EQ(table.getValue("other"), "_UNDEF_other");
}

TEST_F(LanguageTest, LoadAddsToWhatIsThere) {
    load("a=1\n");
    writeFileText(folder.file("more.txt"), "b=2\n");
    table.loadFromDisk(folder.file("more.txt"), "=");
    EXPECT_EQ(table.getValue("a"), "1");
    EXPECT_EQ(table.getValue("b"), "2");
    EXPECT_EQ(table.url, folder.file("more.txt"));
}

TEST_F(LanguageTest, MissingFileLeavesTableEmpty) {
    table.loadFromDisk(folder.file("none.txt"), "=");
    EXPECT_TRUE(table.lang.empty());
    EXPECT_EQ(table.getValue("ok"), "_UNDEF_ok");
    EXPECT_EQ(table.url, folder.file("none.txt"));
    table.reload();
    EXPECT_TRUE(table.lang.empty());
}

TEST_F(LanguageTest, OtherDelimiters) {
    writeFileText(path(), "key::value::more\nplain=text\n");
    table.loadFromDisk(path(), "::");
    EXPECT_EQ(table.getValue("key"), "value::more");
    EXPECT_EQ(table.lang.at(""), "plain=text");
}

} // namespace
