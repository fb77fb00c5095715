// Input beyond the helpers' limits: every result stays inside its slot, cut at
// 1023 bytes (or 1023 UTF-16 units), or empty; null texts read as empty.
#include "textkit/textkit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

std::string letters(size_t n)
{
    std::string s(n, ' ');
    for (size_t i = 0; i < n; ++i)
        s[i] = char('a' + i % 26);
    return s;
}

std::string joined(std::initializer_list<std::string> parts)
{
    std::string out;
    for (const auto& p : parts)
        out.append(p);
    return out;
}

TEST(TextLimits, LongJoinsAreCutAt1023Bytes)
{
    const std::string part = letters(1000);
    const std::string joined = strcat5(part.c_str(), part.c_str(), part.c_str(), part.c_str(), part.c_str());
    ASSERT_EQ(joined.size(), 1023u);
    EXPECT_EQ(joined, (part + part).substr(0, 1023));

    const std::string exact = letters(1020);
    EXPECT_EQ(std::string(strcat5(exact.c_str(), "abc", nullptr, nullptr, nullptr)), exact + "abc");
    EXPECT_EQ(std::string(strcat5(exact.c_str(), "abcd", nullptr, nullptr, nullptr)), exact + "abc");
}

TEST(TextLimits, LongTextsAreCutAt1023Bytes)
{
    const std::string text = letters(3000);
    const std::string reversed(text.rbegin(), text.rend());
    EXPECT_EQ(std::string(revs(text.c_str())), reversed.substr(0, 1023));
    EXPECT_EQ(std::string(cuts(text.c_str(), 10)), text.substr(0, 1023));
    EXPECT_EQ(std::string(mids(text.c_str(), 100, 2000, 0)), text.substr(100, 1023));
    EXPECT_EQ(std::string(mids(text.c_str(), 500, 400, 1)), text.substr(2500, 400));
}

TEST(TextLimits, CountsAndStartsOutsideTheTextAreClamped)
{
    const char text[] = "abcdef";
    EXPECT_STREQ(cuts(text, -3), "abcdef");
    EXPECT_STREQ(cuts(text, INT_MAX), "");
    EXPECT_STREQ(cuts(text, INT_MIN), "abcdef");
    EXPECT_EQ(rights(text, -1), text + 6);
    EXPECT_EQ(rights(text, 7), text);
    EXPECT_EQ(rights(text, INT_MAX), text);
    EXPECT_STREQ(mids(text, -2, 3, 0), "abc");
    EXPECT_STREQ(mids(text, 9, 3, 0), "");
    EXPECT_STREQ(mids(text, INT_MAX, 3, 0), "");
    EXPECT_STREQ(mids(text, 9, 2, 1), "ab");   // start 6 - 9 counts from the front
    EXPECT_STREQ(mids(text, -1, 2, 1), "");    // start 7 lies past the end
    EXPECT_STREQ(mids(text, INT_MIN, 2, 1), "");
    EXPECT_STREQ(mids(text, 1, -1, 0), "");
    EXPECT_STREQ(mids(text, 1, INT_MIN, 0), "");
}

TEST(TextLimits, APathIsNeverCutIntoAnotherPath)
{
    // The folder part alone decides: a long name after a short folder is fine...
    const std::string longName = "/my folder/" + letters(2000);
    EXPECT_STREQ(strslash(longName.c_str()), "/my folder/");
    EXPECT_EQ(std::string(strrslash(longName.c_str())), letters(2000));
    // ... a folder part that does not fit is left out rather than cut.
    const std::string longFolder = joined({"/", letters(1100), "/song.m4a"});
    EXPECT_STREQ(strslash(longFolder.c_str()), "");
    const std::string fits = joined({"/", letters(1021), "/x"});  // folder part of 1023 bytes
    EXPECT_EQ(std::string(strslash(fits.c_str())), fits.substr(0, 1023));
    const std::string noSlash = letters(2000);
    EXPECT_STREQ(strslash(noSlash.c_str()), "a");
}

TEST(TextLimits, EmptyAndNullTexts)
{
    const char empty[] = "";
    EXPECT_EQ(strrslash(empty), empty) << "an empty path gives its own terminator";
    EXPECT_STREQ(strrslash(nullptr), "");
    EXPECT_STREQ(revs(nullptr), "ERROR");
    EXPECT_STREQ(cuts(nullptr, 0), "");
    EXPECT_STREQ(rights(nullptr, 3), "");
    EXPECT_STREQ(strslash(nullptr), "");
    EXPECT_STREQ(mids(nullptr, 0, 5, 1), "");
    EXPECT_EQ(std::u16string(sz2wide(nullptr)), u"");
}

TEST(TextLimits, Fp2szDigitsBeyondTheLimits)
{
    EXPECT_STREQ(fp2sz(2.75, -1), "3") << "negative digits count as none";
    EXPECT_STREQ(fp2sz(2.75, INT_MIN), "3");
    const std::string wide = fp2sz(1.0, 2000);
    ASSERT_EQ(wide.size(), 1023u);
    EXPECT_EQ(wide.substr(0, 6), "1.0000");
    const std::string huge = fp2sz(-1e308, 900);
    EXPECT_EQ(huge.size(), 1023u);
    EXPECT_EQ(huge[0], '-');
    EXPECT_EQ(std::string(fp2sz(1e300, 2)).size(), 301u + 3u);
}

TEST(TextLimits, Sz2wideStopsAt1023UnitsAndIsAlwaysTerminated)
{
    const std::string text = letters(1500);
    const std::u16string wide = sz2wide(text.c_str());
    ASSERT_EQ(wide.size(), 1023u);
    EXPECT_EQ(wide.substr(0, 3), u"abc");

    // One unit left is not enough for a pair: it is dropped, not split.
    const std::string nearlyFull = std::string(1022, 'x') + "\xF0\x9F\x8E\xB5";
    const std::u16string cut = sz2wide(nearlyFull.c_str());
    EXPECT_EQ(cut, std::u16string(1022, u'x'));

    // The slot is not cleared first, yet a short text after a long one in the same
    // slot reads back alone.
    const char16_t* first = sz2wide(text.c_str());
    for (int k = 0; k < 9; ++k)
        sz2wide("other");
    const char16_t* again = sz2wide("ab");
    ASSERT_EQ(again, first);
    EXPECT_EQ(std::u16string(again), u"ab");
}

}  // namespace
