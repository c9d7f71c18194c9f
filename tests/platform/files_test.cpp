// Streams, the atomic save and letter-case insensitive paths.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

std::string fileText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

class TempFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/varnoka-files-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
    }
    void TearDown() override { fs::remove_all(root); }
    std::string at(const std::string& rel) const { return root.string() + "/" + rel; }
    fs::path root;
};

} // namespace

TEST(Stream, ReadLineSplitsOnLfZeroAndEndDroppingCr) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"abc\r\ndef", {"abc", "def"}},
        {"a\nb\n", {"a", "b"}},
        {std::string("x\0y", 3), {"x", "y"}},
        {"\r\r\n\n", {"", ""}},
        {"mid\rdle", {"middle"}},
    };
    for (const Case& c : cases) {
        StreamPtr s = OpenMemory(bytesOf(c.bytes));
        for (const std::string& want : c.lines) {
            EXPECT_EQ(Eof(s.get()), 0) << c.bytes;
            EXPECT_EQ(ReadLine(s.get()), want);
        }
        EXPECT_EQ(Eof(s.get()), 1) << "after the lines of " << c.bytes;
        EXPECT_EQ(ReadLine(s.get()), "") << "a line missing at the end reads as empty";
    }
}

TEST(Stream, IntegersAreLittleEndianSigned) {
    StreamPtr s = OpenMemory({0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80});
    EXPECT_EQ(ReadInt(s.get()), 0x04030201);
    EXPECT_EQ(ReadInt(s.get()), -1);
    EXPECT_EQ(ReadInt(s.get()), INT32_MIN);
    EXPECT_EQ(Eof(s.get()), 1);
}

TEST(Stream, ReadingPastTheEndThrowsAndKeepsThePosition) {
    StreamPtr s = OpenMemory({1, 2, 3});
    EXPECT_THROW(ReadInt(s.get()), StreamError);
    EXPECT_EQ(StreamPos(s.get()), 0u);
    EXPECT_EQ(ReadString(s.get(), 2), std::string("\x01\x02"));
    EXPECT_THROW(ReadString(s.get(), 2), StreamError);
    EXPECT_THROW(ReadString(s.get(), -1), StreamError);
    EXPECT_THROW(ReadString(s.get(), INT32_MAX), StreamError) << "a damaged length field";
    EXPECT_EQ(ReadByte(s.get()), 3);
    EXPECT_THROW(ReadByte(s.get()), StreamError);
    uint8_t buf[8];
    EXPECT_EQ(ReadBytes(s.get(), buf, sizeof buf), 0u) << "short reads are not errors";
}

TEST(Stream, NullStreamsAreHarmless) {
    EXPECT_EQ(OpenRead("/no/such/folder/file.txt"), nullptr);
    EXPECT_EQ(ReadInt(nullptr), 0);
    EXPECT_EQ(ReadLine(nullptr), "");
    EXPECT_EQ(Eof(nullptr), 1);
    WriteLine(nullptr, "x");
    StreamPtr none;
    EXPECT_FALSE(Close(none));
}

TEST_F(TempFolder, WrittenFileReadsBackField_ByField) {
    StreamPtr w = OpenWrite(at("save.ppp"));
    ASSERT_NE(w, nullptr);
    WriteInt(w.get(), -123456);
    WriteString(w.get(), "Name\xE9");
    WriteLine(w.get(), "line");
    EXPECT_EQ(StreamPos(w.get()), 4u + 5u + 6u);
    ASSERT_TRUE(Close(w));
    EXPECT_EQ(w, nullptr);

    StreamPtr r = OpenRead(at("save.ppp"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(StreamSize(r.get()), 15u);
    EXPECT_EQ(ReadInt(r.get()), -123456);
    EXPECT_EQ(ReadString(r.get(), 5), "Name\xE9");
    EXPECT_EQ(ReadLine(r.get()), "line");
    EXPECT_EQ(Eof(r.get()), 1);
}

TEST_F(TempFolder, UnclosedWriteLeavesTheOldFileAndNoLitter) {
    writeFile(root / "settings.txt", "old\r\n");
    {
        StreamPtr w = OpenWrite(at("settings.txt"));
        ASSERT_NE(w, nullptr);
        WriteLine(w.get(), "new and half written");
        EXPECT_EQ(fileText(root / "settings.txt"), "old\r\n") << "nothing reaches the target before Close";
    } // dropped without Close, as when a save is interrupted
    EXPECT_EQ(fileText(root / "settings.txt"), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1)
        << "the temporary file is removed";

    StreamPtr w = OpenWrite(at("settings.txt"));
    WriteLine(w.get(), "new");
    ASSERT_TRUE(Close(w));
    EXPECT_EQ(fileText(root / "settings.txt"), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(TempFolder, WriteIntoMissingOrUnwritableFolderGivesNoStream) {
    EXPECT_EQ(OpenWrite(at("missing/file.txt")), nullptr);
    writeFile(root / "plain", "x");
    EXPECT_EQ(OpenWrite(at("plain/file.txt")), nullptr) << "a file is no folder";
    fs::create_directory(root / "dir");
    EXPECT_EQ(OpenWrite(at("dir")), nullptr) << "a folder cannot be overwritten by a file";
}

TEST_F(TempFolder, PathsMatchIgnoringCaseWithEitherSeparator) {
    fs::create_directories(root / "data" / "UI");
    writeFile(root / "data" / "UI" / "Cursor.PNG", "png");

    EXPECT_EQ(ResolvePath(at("data/ui/cursor.png")), at("data/UI/Cursor.PNG"));
    EXPECT_EQ(ResolvePath(root.string() + "\\DATA\\ui\\CURSOR.png"), at("data/UI/Cursor.PNG"));
    EXPECT_EQ(FileExists(at("Data\\Ui/cursor.png")), 1);
    EXPECT_EQ(IsFolder(at("data\\ui\\")), 1);
    EXPECT_EQ(IsFolder(at("data/ui/cursor.png")), 0);
    EXPECT_EQ(FileExists(at("data/ui")), 0);
    EXPECT_EQ(ResolvePath(at("data/ui/none.png")), at("data/UI/none.png"))
        << "an unmatched name keeps its spelling after the matched folders";
    StreamPtr r = OpenRead(at("DATA/ui/cursor.png"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(ReadString(r.get(), 3), "png");

    // A file created after the folder was listed is still found.
    writeFile(root / "data" / "UI" / "Later.png", "l");
    EXPECT_EQ(FileExists(at("data/ui/later.PNG")), 1);
}

TEST_F(TempFolder, MakeFolderWithAndWithoutParents) {
    EXPECT_EQ(MakeFolder(at("a/b/c"), 0), 0) << "parents are missing";
    EXPECT_EQ(MakeFolder(at("a/b/c/"), 1), 1);
    EXPECT_EQ(IsFolder(at("a/b/c")), 1);
    EXPECT_EQ(MakeFolder(at("A\\B\\c\\d"), 0), 1) << "existing parents found in any case";
    EXPECT_TRUE(fs::is_directory(root / "a" / "b" / "c" / "d"));
    writeFile(root / "file", "x");
    EXPECT_EQ(MakeFolder(at("file/sub"), 1), 0);
}
