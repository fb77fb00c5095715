// Lifetimes of the rotating result buffers: ten slots per helper, independent
// counters, and the special cases (revs of an empty text, fp2sz's inner calls).
#include "textkit/textkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// A buffer-returning helper called with the text of its k-th call.
struct SlotUser {
    const char* name;
    std::function<const char*(int k)> call;
    std::function<std::string(int k)> expected;
};

std::string numbered(int k) { return "text-" + std::to_string(k); }

std::vector<SlotUser> narrowUsers()
{
    static std::vector<std::string> texts;
    texts.clear();
    for (int k = 0; k < 11; ++k)
        texts.push_back(numbered(k) + "/tail");
    return {
        {"revs", [](int k) { return revs(texts[k].c_str()); },
         [](int k) { return std::string(texts[k].rbegin(), texts[k].rend()); }},
        {"cuts", [](int k) { return cuts(texts[k].c_str(), 5); }, [](int k) { return numbered(k); }},
        {"strslash", [](int k) { return strslash(texts[k].c_str()); }, [](int k) { return numbered(k) + "/"; }},
        {"mids", [](int k) { return mids(texts[k].c_str(), 0, int(numbered(k).size()), 0); },
         [](int k) { return numbered(k); }},
        {"strcat5", [](int k) { return strcat5("text-", dw2sz(k), nullptr, nullptr, nullptr); },
         [](int k) { return numbered(k); }},
        {"dw2sz", [](int k) { return dw2sz(1000 + k); }, [](int k) { return std::to_string(1000 + k); }},
        {"fp2sz", [](int k) { return fp2sz(k + 0.5, 1); }, [](int k) { return std::to_string(k) + ".5"; }},
    };
}

TEST(RotatingSlots, EleventhCallReusesTheFirstSlotAndTheTenthStaysIntact)
{
    for (const SlotUser& user : narrowUsers()) {
        SCOPED_TRACE(user.name);
        std::vector<const char*> results;
        for (int k = 0; k < 11; ++k) {
            results.push_back(user.call(k));
            ASSERT_EQ(std::string(results.back()), user.expected(k));
        }
        EXPECT_EQ(std::set<const char*>(results.begin(), results.begin() + 10).size(), 10u)
            << "ten successive calls must use ten different slots";
        EXPECT_EQ(results[10], results[0]);
        EXPECT_EQ(std::string(results[0]), user.expected(10)) << "the first result is replaced";
        for (int k = 1; k < 10; ++k)
            EXPECT_EQ(std::string(results[k]), user.expected(k)) << "result " << k << " changed";
    }
}

TEST(RotatingSlots, WideSlotsRotateLikeTheOthers)
{
    std::vector<const char16_t*> results;
    for (int k = 0; k < 11; ++k)
        results.push_back(sz2wide(numbered(k).c_str()));
    EXPECT_EQ(std::set<const char16_t*>(results.begin(), results.begin() + 10).size(), 10u);
    EXPECT_EQ(results[10], results[0]);
    EXPECT_EQ(std::u16string(results[9]), u"text-9");
    EXPECT_EQ(std::u16string(results[0]), u"text-10");
}

// The ten slot addresses of a helper, in the order its next calls will use them.
template <typename F>
std::vector<const void*> ring(F call)
{
    std::vector<const void*> slots;
    for (int k = 0; k < 10; ++k)
        slots.push_back(call());
    return slots;
}

TEST(RotatingSlots, OneFp2szCallAdvancesTheCountersOfFp2szDw2szAndStrcat5ByOneEach)
{
    const auto dw = ring([] { return static_cast<const void*>(dw2sz(7)); });
    const auto cat = ring([] { return static_cast<const void*>(strcat5("x", nullptr, nullptr, nullptr, nullptr)); });
    // Ten fp2sz calls move the other two counters by ten: back where they were.
    const auto fp = ring([] { return static_cast<const void*>(fp2sz(1.5, 2)); });

    EXPECT_EQ(static_cast<const void*>(fp2sz(2.0, 1)), fp[0]);
    EXPECT_EQ(static_cast<const void*>(dw2sz(1)), dw[1]);
    EXPECT_EQ(static_cast<const void*>(strcat5("y", nullptr, nullptr, nullptr, nullptr)), cat[1]);
    EXPECT_EQ(static_cast<const void*>(fp2sz(3.0, 1)), fp[1]);
}

TEST(RotatingSlots, CountersAreIndependent)
{
    const auto cut = ring([] { return static_cast<const void*>(cuts("abc", 1)); });
    for (int k = 0; k < 3; ++k) {
        mids("abc", 0, 1, 0);
        strslash("/a/b");
        revs("abc");
    }
    EXPECT_EQ(static_cast<const void*>(cuts("abc", 1)), cut[0]);
}

TEST(RotatingSlots, RevsOfAnEmptyTextAnswersErrorWithoutAdvancing)
{
    const auto slots = ring([] { return static_cast<const void*>(revs("ab")); });
    const char* error = revs("");
    EXPECT_STREQ(error, "ERROR");
    EXPECT_EQ(std::count(slots.begin(), slots.end(), static_cast<const void*>(error)), 0)
        << "the error text lives apart from the slots";
    EXPECT_EQ(static_cast<const void*>(revs("xyz")), slots[0]);
    // "ERROR" is written again on every call, also one that returns a slot.
    EXPECT_STREQ(revs(""), "ERROR");
}

TEST(RotatingSlots, AResultFromTenCallsAgoContributesNothingToItsOwnSlot)
{
    // The slot is cleared before the arguments are read, so an argument that is
    // the slot being reused reads as empty.
    const char* first = strcat5("stale", nullptr, nullptr, nullptr, nullptr);
    for (int k = 0; k < 9; ++k)
        strcat5("other", nullptr, nullptr, nullptr, nullptr);
    EXPECT_STREQ(strcat5(first, "fresh", nullptr, nullptr, nullptr), "fresh");

    const char* cut = cuts("stale!", 1);
    for (int k = 0; k < 9; ++k)
        cuts("other", 0);
    EXPECT_STREQ(cuts(cut, 0), "");

    const char* mid = mids("stale", 0, 5, 0);
    for (int k = 0; k < 9; ++k)
        mids("other", 0, 5, 0);
    EXPECT_STREQ(mids(mid, 0, 5, 0), "");
}

TEST(RotatingSlots, NestedCallsOfTheSameHelperWork)
{
    EXPECT_STREQ(strcat5(strcat5("/home/", "user", nullptr, nullptr, nullptr), "/", "song", ".mp3", nullptr),
                 "/home/user/song.mp3");
    EXPECT_STREQ(strcat5(dw2sz(12), " of ", dw2sz(-3), nullptr, nullptr), "12 of -3");
}

}  // namespace
