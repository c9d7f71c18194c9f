// What cmake --install puts where: the program, its read-only installation
// folder, the menu entry, the icons and the AppStream data; the desktop's own
// validators judge the last three.
#include "tests/install/installtree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Width and height from a PNG file's header; {0, 0} when it is no PNG.
std::pair<int, int> pngSize(const std::string& path) {
    const std::string b = fileText(path);
    if (b.size() < 24 || b.compare(1, 3, "PNG") != 0 || b.compare(12, 4, "IHDR") != 0) return {0, 0};
    auto be32 = [&](size_t o) {
        return (static_cast<unsigned char>(b[o]) << 24) | (static_cast<unsigned char>(b[o + 1]) << 16) |
               (static_cast<unsigned char>(b[o + 2]) << 8) | static_cast<unsigned char>(b[o + 3]);
    };
    return {be32(16), be32(20)};
}

class InstallLayout : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tree.ok()) << tree.log(); }
    std::string share(const std::string& rel) const { return tree.usr() + "share/" + rel; }
    std::string appFile(const std::string& folder, const std::string& suffix) const {
        return share(folder + "/" + install::kAppId + suffix);
    }
    install::InstalledTree tree;
};

} // namespace

TEST_F(InstallLayout, EveryFileInItsPlaceAndNothingElse) {
    std::set<std::string> expected = {"usr/bin/varnoka", "usr/share/varnoka/icon32.ico",
                                      std::string("usr/share/applications/") + install::kAppId + ".desktop",
                                      std::string("usr/share/metainfo/") + install::kAppId + ".metainfo.xml"};
    const std::string apps = std::string("/apps/") + install::kAppId;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        expected.insert("usr/share/icons/hicolor/" + name + apps + ".png");
        EXPECT_EQ(pngSize(share("icons/hicolor/" + name + apps + ".png")), std::make_pair(size, size))
            << name;
    }
    expected.insert("usr/share/icons/hicolor/scalable" + apps + ".svg");
    // The data folder is the build's, without the generation stamp and without
    // saves of a copy run from the build folder.
    const std::string built = std::string(VARNOKA_BUILD_DIR) + "/game/data";
    for (const std::string& rel : install::filesBelow(built)) {
        if (rel == ".generated" || rel.rfind("saves/", 0) == 0) continue;
        expected.insert("usr/share/varnoka/data/" + rel);
    }
    ASSERT_GT(expected.size(), 300u) << "the generated data folder";

    const std::vector<std::string> files = install::filesBelow(tree.root());
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), expected);

    struct stat st {};
    ASSERT_EQ(stat((tree.usr() + "bin/varnoka").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u) << "the program";
    ASSERT_EQ(stat(share("varnoka/data/texts/codetexts.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u) << "data files are read-only for players";
}

TEST_F(InstallLayout, MenuEntryStartsTheProgramFromThePath) {
    const std::string entry = fileText(appFile("applications", ".desktop"));
    for (const char* line :
         {"Exec=varnoka\n", "Categories=Game;LogicGame;\n", "Terminal=false\n", "StartupWMClass=varnoka\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    EXPECT_NE(entry.find(std::string("Icon=") + install::kAppId + "\n"), std::string::npos);
    EXPECT_NE(entry.find("\nComment[de]="), std::string::npos) << "translated comments";
}

TEST_F(InstallLayout, AppStreamDataNamesThisRelease) {
    const std::string info = fileText(appFile("metainfo", ".metainfo.xml"));
    const std::string tag = "<release version=\"";
    const size_t release = info.find(tag); // releases are listed newest first
    ASSERT_NE(release, std::string::npos);
    const size_t from = release + tag.size();
    EXPECT_EQ(info.substr(from, info.find('"', from) - from), VARNOKA_VERSION)
        << "the newest release is the version being built";
    EXPECT_NE(info.find(std::string("<launchable type=\"desktop-id\">") + install::kAppId + ".desktop<"),
              std::string::npos);
    EXPECT_NE(info.find("<content_rating type=\"oars-1.1\""), std::string::npos);
}

// desktop-file-validate and appstreamcli judge the installed files; each runs
// when it is installed (scripts/install-deps installs both).
TEST_F(InstallLayout, DesktopValidatorsAcceptMenuEntryAndAppStreamData) {
    const std::string desktopValidate = install::findProgram("desktop-file-validate");
    const std::string appstreamcli = install::findProgram("appstreamcli");
    if (desktopValidate.empty() && appstreamcli.empty()) GTEST_SKIP() << "neither validator is installed";
    std::string output;
    if (!desktopValidate.empty()) {
        EXPECT_EQ(install::runProgram({desktopValidate, appFile("applications", ".desktop")}, output), 0)
            << output;
        EXPECT_EQ(output, "") << "not even a hint";
    }
    if (!appstreamcli.empty()) {
        // --strict: warnings and hints fail too.
        EXPECT_EQ(install::runProgram({appstreamcli, "validate", "--no-net", "--strict",
                                       appFile("metainfo", ".metainfo.xml")},
                                      output),
                  0)
            << output;
        // The tree as a whole: the AppStream data, the menu entry it launches and its icons.
        EXPECT_EQ(
            install::runProgram({appstreamcli, "validate-tree", "--no-net", "--strict", tree.root()}, output),
            0)
            << output;
    }
}
