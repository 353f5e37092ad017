// The bisecting grid bracket of the fast evaluation finds what the model's
// own linear scan finds, at and around every grid angle and tolerance edge.

#include "models/AngleBracket.h"
#include "views/SPLFastEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

void ExpectSameBracket(const std::vector<double>& angles, double a)
{
    double lo1 = -1, hi1 = -1, lo2 = -2, hi2 = -2;
    int i1 = -1, j1 = -1, i2 = -2, j2 = -2;
    const int exact1 = FindAngleBracketIn(angles, a, lo1, hi1, i1, j1);
    const int exact2 =
        CSPLFastEvaluator::FindBracket(angles, CSPLFastEvaluator::IsAscending(angles), a, lo2, hi2, i2, j2);
    ASSERT_EQ(exact1 != 0, exact2 != 0) << a;
    ASSERT_EQ(i1, i2) << a;
    ASSERT_EQ(j1, j2) << a;
    ASSERT_EQ(lo1, lo2) << a;
    ASSERT_EQ(hi1, hi2) << a;
}

std::vector<double> Probes(const std::vector<double>& angles)
{
    const double t = kAngleBracketTolerance;
    std::vector<double> out = {-1000.0, -t, 0.0, 1e9, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity()};
    for (double g : angles) {
        for (double d : {0.0, 0.5 * t, t, 1.5 * t, 0.37, 2.0}) {
            for (double v : {g + d, g - d, g + t, g - t}) {
                out.push_back(v);
                out.push_back(std::nextafter(v, 1e300));
                out.push_back(std::nextafter(v, -1e300));
            }
        }
    }
    std::mt19937 random(7);
    std::uniform_real_distribution<double> any(-10.0, 370.0);
    for (int i = 0; i < 2000; ++i)
        out.push_back(any(random));
    return out;
}

std::vector<double> Grid(int count, double step)
{
    std::vector<double> out;
    for (int i = 0; i < count; ++i)
        out.push_back(step * i);
    return out;
}

TEST(SPLBracket, SameAsTheScanOnRegularAndOddGrids)
{
    const std::vector<std::vector<double>> grids = {
        Grid(37, 10.0),  // meridians
        Grid(37, 5.0),   // polar angles
        {},
        {42.0},
        {0.0, 360.0},
        {0.0, 1e-5, 3e-5, 90.0, 90.00001, 180.0},  // closer than the tolerance
        {0.0, 30.0, 30.0, 60.0},                  // not ascending: the scan itself
        {0.0, 90.0, 45.0, 360.0},
        {-90.0, -0.5, 0.0, 0.5, 270.0},
    };
    for (const auto& grid : grids) {
        for (double a : Probes(grid))
            ExpectSameBracket(grid, a);
    }
    EXPECT_TRUE(CSPLFastEvaluator::IsAscending(Grid(37, 5.0)));
    EXPECT_FALSE(CSPLFastEvaluator::IsAscending({0.0, 30.0, 30.0}));
    EXPECT_FALSE(CSPLFastEvaluator::IsAscending({0.0, std::nan("")}));
}

}  // namespace
