// String helpers and random numbers.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

TEST(Strings, ParseIntTable) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"42", 42},
        {" 42abc", 42},
        {"\t-17", -17},
        {"+8", 8},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"12 34", 12},
        {"$ff", 255},
        {"$1G", 1},
        {"-$10", -16},
        {"%1011", 11},
        {"%102", 2},
        {"$FFFFFFFF", -1},
        {"2147483647", INT_MAX},
        {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
        {"3.9", 3},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(Strings, PositionsCountFromOneAndClamp) {
    EXPECT_EQ(Substring("Varnoka", 1, 3), "Var");
    EXPECT_EQ(Substring("Varnoka", 5, 99), "oka");
    EXPECT_EQ(Substring("Varnoka", 8, 1), "");
    EXPECT_EQ(Substring("Varnoka", 0, 2), "V");
    EXPECT_EQ(Substring("Varnoka", 4, -1), "noka");
    EXPECT_EQ(FindFrom("a=b=c", "=", 1), 2);
    EXPECT_EQ(FindFrom("a=b=c", "=", 3), 4);
    EXPECT_EQ(FindFrom("a=b=c", "=", 5), 0);
    EXPECT_EQ(FindFrom("a=b=c", "x", 1), 0);
    EXPECT_EQ(FindFrom("abc", "c", 99), 0);
    EXPECT_EQ(LeftPart("abc", 2), "ab");
    EXPECT_EQ(LeftPart("abc", 9), "abc");
    EXPECT_EQ(LeftPart("abc", -1), "");
}

TEST(Strings, TrimUpperCharSplit) {
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(Trim("\xA0x"), "\xA0x") << "only codes up to 32 are blanks";
    EXPECT_EQ(ToUpperCase("abz\xE4\xF6\xFC\xF7\xFF"), "ABZ\xC4\xD6\xDC\xF7\xFF");
    EXPECT_EQ(CharFromCode(65), "A");
    EXPECT_EQ(CharFromCode(0x1E9), "\xE9") << "codes above 255 keep their low 8 bits";
    EXPECT_EQ(SplitOn("a,,b,", ","), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitOn("key=val=ue", "="), (std::vector<std::string>{"key", "val", "ue"}));
    EXPECT_EQ(SplitOn("", ","), (std::vector<std::string>{""}));
}

TEST(Random, InclusiveRangeSwappedWhenReversed) {
    SeedRandom(7);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int v = RandomInt(3, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3})) << "both ends are drawn";
    EXPECT_EQ(RandomInt(5, 5), 5);
    for (int i = 0; i < 100; ++i) {
        int v = RandomInt(INT_MIN, INT_MAX); // the full range must not overflow
        (void)v;
        int w = RandomInt(-2, 2);
        ASSERT_GE(w, -2);
        ASSERT_LE(w, 2);
    }
}

TEST(Random, SameSeedSameSequence) {
    SeedRandom(99);
    std::vector<int> a;
    for (int i = 0; i < 20; ++i) a.push_back(RandomInt(1, 1000));
    SeedRandom(99);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(RandomInt(1, 1000), a[i]);
}

TEST(Numbers, DegreesFloorRoot) {
    EXPECT_NEAR(SinDeg(90), 1.0f, 1e-6);
    EXPECT_NEAR(CosDeg(180), -1.0f, 1e-6);
    EXPECT_NEAR(SinDeg(-30), -0.5f, 1e-6);
    EXPECT_EQ(FloorOf(-1.5f), -2.0f);
    EXPECT_EQ(FloorOf(2.999f), 2.0f);
    EXPECT_FLOAT_EQ(SquareRoot(16), 4.0f);
    EXPECT_EQ(SquareRoot(-4), 0.0f) << "no NaN for negative input";
}
