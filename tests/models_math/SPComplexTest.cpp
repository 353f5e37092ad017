#include "models/SPComplex.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SPComplexTest, LevelAndPhase)
{
    CSPComplex p;
    p.SetLevelPhase(94.0, 0);
    EXPECT_NEAR(p.re, 1.0024, 1e-4);
    EXPECT_EQ(p.im, 0.0);
    EXPECT_NEAR(p.GetLevel(), 94.0, 1e-12);
    p.SetLevelPhase(60.0, 90.0);
    EXPECT_NEAR(p.GetPhase(), 90.0, 1e-12);
    EXPECT_NEAR(p.GetLevel(), 60.0, 1e-12);
}

TEST(SPComplexTest, ClearedValueHasLevelZero)
{
    CSPComplex p(3, 4);
    p.Clear();
    EXPECT_EQ(p.GetLevel(), 0.0);
}

TEST(SPComplexTest, PhaseOfMinusOneIs180)
{
    EXPECT_EQ(CSPComplex(-1, 0).GetPhase(), 180.0);
}

TEST(SPComplexTest, DoubleDistanceLosesSixDecibels)
{
    CSPComplex p;
    p.SetLevelPhase(90.0, 30.0);
    p.Propagate(2.0, 1.0, 1000.0);
    EXPECT_NEAR(p.GetLevel(), 90.0 - 20 * std::log10(2.0), 1e-9);
    EXPECT_NEAR(p.GetLevel(), 83.98, 0.005);
}

TEST(SPComplexTest, SameDistanceKeepsTheValue)
{
    CSPComplex p;
    p.SetLevelPhase(80.0, -45.0);
    const CSPComplex before = p;
    p.Propagate(1.0, 1.0, 500.0);
    EXPECT_NEAR(p.re, before.re, 1e-15);
    EXPECT_NEAR(p.im, before.im, 1e-15);
}

TEST(SPComplexTest, WholeWavelengthsKeepThePhase)
{
    CSPComplex p;
    p.SetLevelPhase(80.0, 20.0);
    // 344 Hz: the wavelength is 1 m, so 3 m more is exactly 3 periods.
    p.Propagate(4.0, 1.0, 344.0);
    EXPECT_NEAR(p.GetPhase(), 20.0, 1e-9);
    CSPComplex q;
    q.SetLevelPhase(80.0, 20.0);
    q.Propagate(1.25, 1.0, 344.0);  // a quarter period later
    EXPECT_NEAR(q.GetPhase(), 20.0 - 90.0, 1e-9);
}

TEST(SPComplexTest, SumOfOppositePressuresCancels)
{
    CSPComplex a, b, sum;
    a.SetLevelPhase(90, 0);
    b.SetLevelPhase(90, 180);
    sum.Add(a.re, a.im);
    sum.Add(b.re, b.im);
    EXPECT_LT(sum.GetLevel(), 90.0 - 200.0 + 200.0 - 150.0);
}

}  // namespace
