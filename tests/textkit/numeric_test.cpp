// lin2log, ratio and percent against their tables.
#include "textkit/textkit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Numeric, Lin2logTable)
{
    struct Row {
        float position;
        float expected[4];  // flags 0..3
    } const rows[] = {
        {0.0f, {1.0f, 0.0f, 0.0f, 0.9999999f}},
        {0.25f, {0.9238796f, 0.07612046f, 0.3826835f, 0.6173165f}},
        {0.5f, {0.7071068f, 0.2928932f, 0.7071068f, 0.2928932f}},
        {0.75f, {0.3826835f, 0.6173165f, 0.9238796f, 0.07612046f}},
        {1.0f, {0.0f, 0.9999999f, 1.0f, 0.0f}},
    };
    for (const Row& r : rows)
        for (int flags = 0; flags < 4; ++flags)
            EXPECT_NEAR(lin2log(r.position, 1.0f, flags), r.expected[flags], 1e-7)
                << "position " << r.position << " flags " << flags;
}

TEST(Numeric, Lin2logEndValuesShowTheSinglePrecisionDegreeFactor)
{
    // The float factor 0.017453292f is slightly less than pi/180, so the curves
    // miss 0 and 1 by these small amounts.
    const float flags2At0 = lin2log(0.0f, 1.0f, 2);
    EXPECT_GT(flags2At0, 3.60e-8f);
    EXPECT_LT(flags2At0, 3.70e-8f);
    EXPECT_EQ(lin2log(1.0f, 1.0f, 0), flags2At0);
    const float flags1At0 = lin2log(0.0f, 1.0f, 1);
    EXPECT_GT(flags1At0, 2.5e-16f);
    EXPECT_LT(flags1At0, 3.5e-16f);
    EXPECT_EQ(lin2log(1.0f, 1.0f, 3), flags1At0);
    EXPECT_LT(lin2log(0.0f, 1.0f, 3), 1.0f);
    EXPECT_LT(lin2log(1.0f, 1.0f, 1), 1.0f);
    EXPECT_EQ(lin2log(0.0f, 1.0f, 0), 1.0f);
}

TEST(Numeric, Lin2logScalesWithRangeAndIgnoresHigherFlagBits)
{
    EXPECT_NEAR(lin2log(50.0f, 100.0f, 2), 70.71068f, 1e-4);
    EXPECT_NEAR(lin2log(25.0f, 100.0f, 1), 7.612046f, 1e-5);
    for (int flags = 0; flags < 4; ++flags)
        EXPECT_EQ(lin2log(0.3f, 2.0f, flags | 4 | 8 | 0x100), lin2log(0.3f, 2.0f, flags));
    // Outside 0..range the formula still applies: position 2 of range 1 is
    // |cos(360 degrees)|, just under 1.
    EXPECT_NEAR(lin2log(2.0f, 1.0f, 0), 1.0f, 1e-6);
}

TEST(Numeric, Ratio)
{
    struct Case {
        double inLow, inHigh, outLow, outHigh, value, expected;
    } const cases[] = {
        {0, 10, 0, 100, 5, 50},     {0, 10, 0, 100, 15, 100},  {0, 10, 0, 100, -5, 0},
        {0, 10, 0, 100, 0, 0},      {0, 10, 0, 100, 10, 100},  {0, 10, 0.95, 0.6, 5, 0.775},
        {10, 0, 3, 7, 5, 7},        {10, 0, 3, 7, -100, 7},    {10, 0, 3, 7, 100, 7},
        {-1, 1, 0, 255, 0, 127.5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ratio(c.inLow, c.inHigh, c.outLow, c.outHigh, c.value), c.expected)
            << c.inLow << ".." << c.inHigh << " -> " << c.outLow << ".." << c.outHigh << " of " << c.value;
    EXPECT_TRUE(std::isnan(ratio(4, 4, 0, 1, 4)));
    EXPECT_TRUE(std::isnan(ratio(0, 10, 0, 100, std::numeric_limits<double>::quiet_NaN())));
}

TEST(Numeric, Percent)
{
    EXPECT_EQ(percent(50.0f, 200.0f), 25.0f);
    EXPECT_EQ(percent(1.0f, 3.0f), 33.333332f);
    EXPECT_EQ(percent(200.0f, 200.0f), 100.0f);
    EXPECT_EQ(percent(0.0f, 7.0f), 0.0f);
    EXPECT_TRUE(std::isinf(percent(3.0f, 0.0f)));
    EXPECT_TRUE(std::isnan(percent(0.0f, 0.0f)));
}

}  // namespace
