// The generated branding configuration and the branding family's checks.
#include <gtest/gtest.h>

#include "tests/content/contentfiles.h"
#include "tests/content/splash.h"

using namespace contenttest;

TEST(GeneratedBranding, ShowsTheStudioAndTitlePagesAsConfigured) {
    auto bytes = readBytes(gameDir() / "data/branding/splashconfig.txt");
    ASSERT_TRUE(bytes.has_value());
    EXPECT_LE(gameLines(*bytes).size(), 29u);
    EXPECT_NE(bytes->find("\r\n"), std::string::npos);
    SplashPages s = readSplash(*bytes);
    ASSERT_EQ(s.count, 2);
    EXPECT_EQ(s.file[1], "studio.png");
    EXPECT_EQ(s.file[2], "title.png");
    EXPECT_GT(s.time[1], 40);
    EXPECT_GT(s.time[2], 40);
    EXPECT_EQ(s.skip[1], 1);
    EXPECT_EQ(s.skip[2], 1);
}

TEST(BrandingFamily, RejectsConfigurationsTheGameWouldShowWrongly) {
    const std::string page1 = "page=1\nfile=studio.png\ntime=120\nskip=true\n";
    const std::string page2 = "page=2\nfile=title.png\ntime=160\nskip=True\n";
    struct Case {
        const char* name;
        std::string source;
        const char* message; // nullptr: accepted
    };
    std::string sevenBlocks;
    for (int p = 1; p <= 7; ++p) sevenBlocks += "page=" + std::to_string(p) + "\nfile=a.png\ntime=10\n;---\n";
    const Case cases[] = {
        {"two pages and a none block", page1 + ";---\n" + page2 + ";---\npage=3\nfile=none\n", nullptr},
        {"closing ;--- opens an empty page", page1 + ";---\n" + page2 + ";---\n", "block 3: no picture"},
        {"none before a shown page", page1 + ";---\npage=2\nfile=none\n;---\npage=3\nfile=title.png\ntime=9\n",
         "block 3: a shown page after a \"none\" block"},
        {"no time", page1 + ";---\npage=2\nfile=title.png\n", "block 2: no time"},
        {"bad time", "page=1\nfile=studio.png\ntime=soon\n", "time must be a positive number"},
        {"wrong separator", "page=1\nfile:studio.png\ntime=10\n", "expected a 4-character key"},
        {"unknown key", "page=1\nfile=studio.png\nwait=10\n", "unknown key \"wait\""},
        {"page number off", "page=2\nfile=studio.png\ntime=10\n", "does not match the block's position 1"},
        {"seven blocks", sevenBlocks, "blocks, at most 6"},
        {"thirty lines", page1 + std::string(25, '\n') + ";---\n", "30 lines"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FamilyRun f =
            runFamilyOn("branding", "branding/splashconfig.txt", c.source, "data/branding/splashconfig.txt");
        if (c.message) {
            expectRejection(f.run, c.message);
            continue;
        }
        ASSERT_EQ(f.run.exitCode, 0) << f.run.output;
        ASSERT_TRUE(f.produced.has_value());
        SplashPages s = readSplash(*f.produced);
        EXPECT_EQ(s.count, 2);
        EXPECT_EQ(s.skip[2], 1) << "skip is true in any letter case";
    }
}
