// The text helpers on ordinary input: table-driven examples.
#include "textkit/textkit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

struct SliceCase {
    const char* text;
    int count;
    const char* expected;
};

TEST(TextExamples, Revs)
{
    EXPECT_STREQ(revs("abc"), "cba");
    EXPECT_STREQ(revs("a"), "a");
    EXPECT_STREQ(revs("song.m4a"), "a4m.gnos");
    EXPECT_STREQ(revs(""), "ERROR");
}

TEST(TextExamples, Cuts)
{
    const SliceCase cases[] = {
        {"song.m4a", 4, "song"}, {"song.m4a", 8, ""}, {"song.m4a", 9, ""},
        {"song.m4a", 0, "song.m4a"}, {"", 0, ""}, {"ab", 1, "a"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(cuts(c.text, c.count), c.expected) << c.text << " count " << c.count;
}

TEST(TextExamples, RightsPointsIntoTheCallersText)
{
    const char text[] = "song.m4a";
    EXPECT_EQ(rights(text, 4), text + 4);
    EXPECT_STREQ(rights(text, 4), ".m4a");
    EXPECT_EQ(rights(text, 0), text + 8);
    EXPECT_EQ(rights(text, 8), text);
}

struct PathCase {
    const char* path;
    const char* folder;
    const char* name;
};

TEST(TextExamples, FolderAndNameOfAPath)
{
    const PathCase cases[] = {
        {"/music/song.m4a", "/music/", "song.m4a"},
        {"/music/", "/music/", ""},
        {"song.m4a", "s", "ong.m4a"},
        {"/song", "/", "song"},
        {"/", "/", ""},
        {"/home/J\xC3\xBCrgen/My \"Best\" Songs/t\xC3\xADtulo 1.m4a", "/home/J\xC3\xBCrgen/My \"Best\" Songs/",
         "t\xC3\xADtulo 1.m4a"},
        {"a\\b/c", "a\\b/", "c"},  // a backslash is an ordinary character here
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_STREQ(strslash(c.path), c.folder);
        const char* name = strrslash(c.path);
        EXPECT_STREQ(name, c.name);
        EXPECT_TRUE(name >= c.path && name <= c.path + std::strlen(c.path)) << "a pointer into the path";
        EXPECT_EQ(std::string(strslash(c.path)) + name, c.path) << "folder + name spells the path";
    }
    EXPECT_STREQ(strslash(""), "");
}

TEST(TextExamples, Mids)
{
    struct Case {
        int start, count, fromEnd;
        const char* expected;
    } const cases[] = {
        {1, 3, 0, "bcd"}, {2, 10, 1, "ef"}, {6, 3, 0, ""}, {0, 6, 0, "abcdef"},
        {0, 0, 0, ""},    {6, 2, 1, "ab"},  {0, 3, 1, ""}, {5, 1, 0, "f"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(mids("abcdef", c.start, c.count, c.fromEnd), c.expected)
            << "start " << c.start << " count " << c.count << " fromEnd " << c.fromEnd;
}

TEST(TextExamples, Strcat5JoinsAndSkipsNullAndOverlongTexts)
{
    const std::string long1024(1024, 'x');
    const std::string long1023(1023, 'y');
    EXPECT_STREQ(strcat5("a", nullptr, "b", long1024.c_str(), "c"), "abc");
    EXPECT_STREQ(strcat5(nullptr, nullptr, nullptr, nullptr, nullptr), "");
    EXPECT_STREQ(strcat5("/home/", "me/", "song", ".", "mp3"), "/home/me/song.mp3");
    EXPECT_EQ(std::string(strcat5(long1023.c_str(), nullptr, nullptr, nullptr, nullptr)), long1023);
}

TEST(TextExamples, Dw2szIsAlwaysSigned)
{
    EXPECT_STREQ(dw2sz(-5), "-5");
    EXPECT_STREQ(dw2sz(0), "0");
    EXPECT_STREQ(dw2sz(static_cast<int>(0xFFFFFFFFu)), "-1");
    EXPECT_STREQ(dw2sz(INT_MIN), "-2147483648");
    EXPECT_STREQ(dw2sz(INT_MAX), "2147483647");
}

TEST(TextExamples, Fp2szFixedDecimals)
{
    struct Case {
        double value;
        int digits;
        const char* expected;
    } const cases[] = {
        {3.14159, 2, "3.14"}, {1.0, 3, "1.000"}, {2.75, 0, "3"},   {-2.5, 1, "-2.5"},
        {0.0, 2, "0.00"},     {123.456, 1, "123.5"}, {-0.004, 2, "-0.00"}, {1e6, 0, "1000000"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(fp2sz(c.value, c.digits), c.expected) << c.value << " with " << c.digits;
}

TEST(TextExamples, Sz2wideConvertsUtf8ToUtf16)
{
    struct Case {
        const char* text;
        std::u16string expected;
    } const cases[] = {
        {"abc", u"abc"},
        {"", u""},
        {"J\xC3\xBCrgen \xE2\x82\xAC", u"J\u00FCrgen \u20AC"},
        {"\xF0\x9F\x8E\xB5", u"\U0001F3B5"},                 // a surrogate pair
        {"a\xFF" "b", u"a\uFFFDb"},                          // invalid byte
        {"\xE2\x82", u"\uFFFD"},                             // cut-off sequence
        {"\xE2\x82z", u"\uFFFDz"},                           // the byte after it survives
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                       // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},             // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},   // above U+10FFFF
        {"\x80" "a", u"\uFFFDa"},                            // stray continuation
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::u16string(sz2wide(c.text)), c.expected) << c.text;
}

}  // namespace
