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
    EXPECT_EQ(CSPComplex(-1, 0).GetPhase(), 180.0);
    p.Clear();
    EXPECT_EQ(p.GetLevel(), 0.0);
    // Opposite pressures cancel.
    CSPComplex a, b;
    a.SetLevelPhase(90, 0);
    b.SetLevelPhase(90, 180);
    a.Add(b.re, b.im);
    EXPECT_LT(a.GetLevel(), -60.0);
}

TEST(SPComplexTest, Propagate)
{
    struct Case {
        double r, f, level, phase;
    } cases[] = {
        {2.0, 1000.0, 90.0 - 20 * std::log10(2.0), NAN},  // double distance: -6.02 dB
        {1.0, 500.0, 90.0, 20.0},                         // same distance: unchanged
        {4.0, 344.0, 90.0 - 20 * std::log10(4.0), 20.0},  // 3 wavelengths of 1 m
        {1.25, 344.0, 90.0 - 20 * std::log10(1.25), -70.0},  // a quarter period later
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.r);
        CSPComplex p;
        p.SetLevelPhase(90.0, 20.0);
        p.Propagate(t.r, 1.0, t.f);
        EXPECT_NEAR(p.GetLevel(), t.level, 1e-9);
        if (!std::isnan(t.phase)) {
            EXPECT_NEAR(p.GetPhase(), t.phase, 1e-9);
        }
    }
    CSPComplex p;
    p.SetLevelPhase(90.0, 30.0);
    p.Propagate(2.0, 1.0, 1000.0);
    EXPECT_NEAR(p.GetLevel(), 83.98, 0.005);
}

}  // namespace
