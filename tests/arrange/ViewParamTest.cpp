// The view parameters of the arrangement dialogs: defaults, counts and the
// pixel mapping of the previews.
#include "dialogs/ArrangementViewParam.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ArrangementViewParam, FreshRecordHasScaleOneAndTheFourMargins)
{
    CArrangementViewParam p;
    EXPECT_EQ(p.GetScale(), 1.0);
    double l = 0, t = 0, r = 0, b = 0;
    p.GetMargins(&l, &t, &r, &b);
    EXPECT_EQ(l, 0.2);
    EXPECT_EQ(t, 0.1);
    EXPECT_EQ(r, 0.1);
    EXPECT_EQ(b, 0.1);
}

TEST(ArrangementViewParam, CountsKeepTheirStoredTotalAndGetCountsSumsAfresh)
{
    CArrangementViewParam p;
    p.SetModuleCounts(0, 4, 4);
    EXPECT_EQ(p.GetTotalModules(), 8u);
    unsigned counts[4] = {9, 9, 9, 9};
    p.GetModuleCounts(counts);
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[1], 4u);
    EXPECT_EQ(counts[2], 4u);
    EXPECT_EQ(counts[3], 8u);

    // A count written directly: GetCounts sums afresh, the stored total stays.
    p.m_nLower = 6;
    unsigned c = 0, u = 0, lo = 0, total = 0;
    p.GetCounts(&c, &u, &lo, &total);
    EXPECT_EQ(total, 10u);
    EXPECT_EQ(p.GetTotalModules(), 8u);
    p.GetModuleCounts(counts);
    EXPECT_EQ(counts[3], 8u);
}

TEST(ArrangementViewParam, PixelMappingTruncatesTowardZero)
{
    CArrangementViewParam p;
    p.SetScale(100.0);
    p.SetExtents(-0.5, 1.0, 0.0, -2.0);
    // int(49.5) + int(300 x 0.2) + 1
    EXPECT_EQ(p.XToPixel(0.0, 300), 110);
    // int(100 x (-0.5 + 0.5) - 0.5) = int(-0.5) = 0, left edge of the frame
    EXPECT_EQ(p.XToPixel(-0.5, 300), 61);
    // A point behind the left extent: int(-1.5) + int(60.2) + 1.
    EXPECT_EQ(p.XToPixel(-0.51, 301), 60);

    // Centre of the array (z = -0.5) at the middle row: int(-0.5) + 201 / 2 + 1.
    EXPECT_EQ(p.YToPixel(-0.5, 201), 101);
    // The top (z = 1.0): int(-150.5) = -150.
    EXPECT_EQ(p.YToPixel(1.0, 201), -49);
    // The bottom (z = -2.0): int(149.5) = 149.
    EXPECT_EQ(p.YToPixel(-2.0, 201), 250);
}

TEST(ArrangementViewParam, DegenerateScaleGivesBoundedPixels)
{
    CArrangementViewParam p;
    p.SetScale(std::numeric_limits<double>::infinity());
    p.SetExtents(0.0, 0.0, 0.0, 0.0);
    const int x = p.XToPixel(1.0, 100);
    EXPECT_GT(x, 0);
    EXPECT_LT(x, std::numeric_limits<int>::max() / 2 + 100);
    p.SetScale(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(p.XToPixel(1.0, 100), 21);
    EXPECT_EQ(p.YToPixel(1.0, 100), 51);
}
