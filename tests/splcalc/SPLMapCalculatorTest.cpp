// The SPL map calculation: band indices, the map's sums and results, the
// frequency response, the coverage scan, failures and Stop, and the fast
// evaluation against the plain one, bit for bit.

#include "SceneSupport.h"

#include "platform/Progress.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace splcalc_test;
using Evaluation = CSPLMapCalculator::Evaluation;

namespace {

constexpr Evaluation kBoth[] = {Evaluation::Reference, Evaluation::Fast};

TEST(SPLBand, MapBandIndices)
{
    int lo = 0, hi = 0;
    CSPLMapCalculator::CalcBandIndices(1000.0, 3.0, 24.0, lo, hi);
    EXPECT_EQ(lo, 237);
    EXPECT_EQ(hi, 245);
    // The eight points run from 917.1 Hz to 1122.0 Hz.
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(lo, 24.0), 917.1, 0.2);
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(hi - 1, 24.0), 1122.0, 0.2);

    CSPLMapCalculator::CalcBandIndices(1000.0, 24.0, 12.0, lo, hi);
    EXPECT_EQ(lo, 120);
    EXPECT_EQ(hi, 121);
    EXPECT_DOUBLE_EQ(CSPLMapCalculator::SeriesFrequency(120, 12.0), 1000.0);

    CSPLMapCalculator::CalcBandIndices(1000.0, 1.0, 24.0, lo, hi);
    EXPECT_EQ(hi - lo, 24);
}

TEST(SPLBand, CoverageBandIndices)
{
    int lo = 0, hi = 0;
    CSPLMapCalculator::CalcCoverageBandIndices(1000.0, 3.0, 24.0, lo, hi);
    EXPECT_EQ(lo, 236);
    EXPECT_EQ(hi, 244);
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(lo, 24.0), 891.3, 0.05);
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(hi - 1, 24.0), 1090.2, 0.05);
    // A pitch below 3 gives the whole number 0: an empty band.
    CSPLMapCalculator::CalcCoverageBandIndices(1000.0, 3.0, 1.0, lo, hi);
    EXPECT_EQ(lo, hi);
}

TEST(SPLBand, BandsThatCannotBeFormedAreEmpty)
{
    int lo = 7, hi = 7;
    CSPLMapCalculator::CalcBandIndices(1000.0, 0.0, 24.0, lo, hi);  // a new condition's band 0
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    CSPLMapCalculator::CalcBandIndices(0.0, 3.0, 24.0, lo, hi);
    EXPECT_EQ(lo, hi);
    CSPLMapCalculator::CalcBandIndices(1000.0, 3.0, 0.0, lo, hi);
    EXPECT_EQ(lo, hi);
    CSPLMapCalculator::CalcBandIndices(1e300, 1e-300, 24.0, lo, hi);
    EXPECT_EQ(lo, hi);
    CSPLMapCalculator::CalcBandIndices(std::nan(""), 3.0, 24.0, lo, hi);
    EXPECT_EQ(lo, hi);
}

// A 2 m x 2 m plane of 0.5 m dots at 1.2 m under one ceiling speaker.
Scene OneSpeakerScene(int sumMode)
{
    Scene s;
    const int m = s.AddModel(SmallSpeaker());
    s.Install(m, 1.0, 1.0, 3.0);
    s.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5, 1000.0, 3.0, sumMode);
    return s;
}

TEST(SPLMap, OneInstallationGivesTheSameMapInBothModes)
{
    for (Evaluation e : kBoth) {
        Scene a = OneSpeakerScene(0);
        Scene b = OneSpeakerScene(1);
        a.Calculator(e)->CalcColorMap();
        b.Calculator(e)->CalcColorMap();
        const auto la = a.Levels();
        const auto lb = b.Levels();
        ASSERT_EQ(la.size(), 16u);
        for (std::size_t i = 0; i < la.size(); ++i)
            EXPECT_EQ(Bits(la[i]), Bits(lb[i])) << i;
        // Directly under the speaker the level is highest.
        EXPECT_GT(a.Plane().GetMaxLevel(), 60.0);
        EXPECT_LT(a.Plane().GetMaxLevel(), 120.0);
        EXPECT_EQ(a.Plane().GetMaxLevel(), b.Plane().GetMaxLevel());
    }
}

TEST(SPLMap, TwoIdenticalInstallationsAddSixOrThreeDecibels)
{
    for (Evaluation e : kBoth) {
        for (int mode : {0, 1}) {
            Scene one = OneSpeakerScene(mode);
            Scene two = OneSpeakerScene(mode);
            two.Install(0, 1.0, 1.0, 3.0);
            one.Calculator(e)->CalcColorMap();
            two.Calculator(e)->CalcColorMap();
            const auto l1 = one.Levels();
            const auto l2 = two.Levels();
            const double expected = mode == 0 ? 20.0 * std::log10(2.0) : 10.0 * std::log10(2.0);
            for (std::size_t i = 0; i < l1.size(); ++i)
                EXPECT_NEAR(l2[i] - l1[i], expected, 1e-9) << "mode " << mode << " dot " << i;
            EXPECT_NEAR(two.Plane().GetAverageLevel() - one.Plane().GetAverageLevel(), expected, 1e-9);
        }
    }
}

TEST(SPLMap, ResultsOfTheMap)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(0);
        ProgressLog log;
        auto calc = s.Calculator(e);
        UseFakeProgress(*calc, log);
        calc->CalcColorMap();
        ASSERT_EQ(log.made, 1);
        const auto levels = s.Levels();
        double maxL = -1000.0, minL = 1000.0, energy = 0.0;
        for (double l : levels) {
            maxL = std::max(maxL, l);
            minL = std::min(minL, l);
            energy += std::pow(10.0, l / 10.0);
        }
        const double average = 10.0 * std::log10(energy / static_cast<double>(levels.size()));
        EXPECT_EQ(s.Plane().GetMaxLevel(), maxL);
        EXPECT_EQ(s.Plane().GetMinLevel(), minL);
        EXPECT_NEAR(s.Plane().GetAverageLevel(), average, 1e-9);
        EXPECT_DOUBLE_EQ(s.Plane().GetSpeechAverageLevel(), s.Plane().GetAverageLevel() - 4.0);
        // The map is symmetric about the speaker above the plane's centre.
        EXPECT_NEAR(levels[0], levels[15], 1e-6);
        EXPECT_NEAR(levels[3], levels[12], 1e-6);
    }
}

TEST(SPLMap, ProgressDialogOfTheMap)
{
    Scene s = OneSpeakerScene(0);
    ProgressLog log;
    auto calc = s.Calculator(Evaluation::Reference);
    UseFakeProgress(*calc, log);
    calc->CalcColorMap();
    ASSERT_EQ(log.made, 1);
    EXPECT_EQ(log.message, "Calculating...");
    EXPECT_EQ(log.rangeLow, 0);
    EXPECT_EQ(log.rangeHigh, 16);
    EXPECT_EQ(log.pumps, 16);  // once before each dot
    EXPECT_EQ(log.lastPos, 15);
    // The fast map shows the same dialog and ends at the last dot.
    ProgressLog fastLog;
    auto fast = s.Calculator(Evaluation::Fast);
    UseFakeProgress(*fast, fastLog);
    fast->CalcColorMap();
    EXPECT_EQ(fastLog.made, 1);
    EXPECT_EQ(fastLog.message, "Calculating...");
    EXPECT_EQ(fastLog.rangeHigh, 16);
    EXPECT_GE(fastLog.pumps, 1);
}

TEST(SPLMap, OneDotPlane)
{
    for (Evaluation e : kBoth) {
        Scene s;
        const int m = s.AddModel(SmallSpeaker());
        s.Install(m, 0.1, 0.1, 3.0);
        s.SetPlane(0.0, 0.0, 1.2, 0.25, 0.25, 0.0, 0.25);
        ASSERT_EQ(s.Plane().GetCells().GetCount(), 1u);
        s.Calculator(e)->CalcColorMap();
        const double level = s.Levels()[0];
        EXPECT_GT(level, 50.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), level);
        EXPECT_EQ(s.Plane().GetMinLevel(), level);
        EXPECT_NEAR(s.Plane().GetAverageLevel(), level, 1e-12);
        EXPECT_NEAR(s.Plane().GetSpeechAverageLevel(), level - 4.0, 1e-12);
    }
}

TEST(SPLMap, NoInstallationLeavesTheMapAndClearsTheGraphs)
{
    for (Evaluation e : kBoth) {
        Scene s;
        s.AddModel(SmallSpeaker());
        s.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5);
        s.AddGraph();
        s.FillLevels(77.0);
        s.Plane().SetMaxLevel(80.0);
        const double x[3] = {100.0, 200.0, 300.0};
        const double y[3] = {70.0, 71.0, 72.0};
        s.doc->m_soundGraphConditions.GetGraph(0).SetData(0, 3, x, y);
        ProgressLog log;
        auto calc = s.Calculator(e);
        UseFakeProgress(*calc, log);
        calc->CalcColorMap();
        EXPECT_EQ(log.made, 0);
        for (double l : s.Levels())
            EXPECT_EQ(l, 77.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), 80.0);

        calc->CalcFrequencyResponse(CPoint3D(1.0, 1.0, 1.2));
        const CSoundGraphData* curve = s.doc->m_soundGraphConditions.GetGraph(0).GetCurve(0);
        ASSERT_NE(curve, nullptr);
        ASSERT_EQ(curve->GetCount(), 1);
        EXPECT_EQ(curve->GetX(0), 0.0);
        EXPECT_EQ(curve->GetY(0), 0.0);
    }
}

TEST(SPLPressure, OneInstallationAsItsModelComputesIt)
{
    Scene s = OneSpeakerScene(0);
    s.Install(9, 1.0, 1.0, 3.0);  // no such model
    s.Install(0, 1.0, 1.0, 3.0, 0.0, 0.0, 90.0, 6.0, false);
    auto calc = s.Calculator(Evaluation::Reference);
    const CPoint3D point(0.4, 1.3, 1.2);
    const double f = CSPLMapCalculator::SeriesFrequency(240, 24.0);  // 1000 Hz

    CSPComplex out(5.0, 5.0);
    EXPECT_EQ(calc->CalcPressureFromInstallation(out, point, f, *s.doc->m_installations.GetAt(1), 24.0, 1), 0);
    EXPECT_EQ(out.re, 0.0);
    EXPECT_EQ(out.im, 0.0);

    const CInstallationElement& inst = *s.doc->m_installations.GetAt(0);
    CSpeakerModel& model = *s.doc->m_models.GetAt(0);
    for (int ceiling : {0, 1}) {
        CSPComplex expected;
        ASSERT_EQ(model.CalcPressure(expected, point, inst.GetPosition(), inst.GetAngles(), f, 4.0, false, 6.0, 24.0,
                                     ceiling == 1, 0),
                  0);
        CSPComplex got(1.0, 1.0);  // cleared first
        ASSERT_EQ(calc->CalcPressureFromInstallation(got, point, f, inst, 24.0, ceiling), 0);
        EXPECT_EQ(Bits(got.re), Bits(expected.re));
        EXPECT_EQ(Bits(got.im), Bits(expected.im));
    }
    // Reversed polarity turns the pressure round.
    CSPComplex normal, reversed;
    calc->CalcPressureFromInstallation(normal, point, f, inst, 24.0, 1);
    calc->CalcPressureFromInstallation(reversed, point, f, *s.doc->m_installations.GetAt(2), 24.0, 1);
    EXPECT_NEAR(reversed.re, -normal.re, 1e-12);
    EXPECT_NEAR(reversed.im, -normal.im, 1e-12);
    // A frequency inside the data's range that is no data frequency fails.
    EXPECT_EQ(calc->CalcPressureFromInstallation(out, point, 1001.0, inst, 24.0, 1), 1);
    // Outside the range nothing is added.
    EXPECT_EQ(calc->CalcPressureFromInstallation(out, point, CSPLMapCalculator::SeriesFrequency(400, 24.0), inst,
                                                 24.0, 1),
              0);
    EXPECT_EQ(out.re, 0.0);
}

TEST(SPLMap, ReversedTwinCancels)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(1);
        s.Install(0, 1.0, 1.0, 3.0, 0.0, 0.0, 90.0, 6.0, false);
        double p = 1.0;
        int lo = 0, hi = 0;
        CSPLMapCalculator::CalcBandIndices(1000.0, 3.0, 24.0, lo, hi);
        auto calc = s.Calculator(e);
        // Energy adds the two; interference cancels them.
        ASSERT_EQ(calc->CalcPressureAt(p, CPoint3D(0.3, 0.6, 1.2), lo, hi, 24.0), 0);
        EXPECT_GT(p, 0.0);
        s.Condition().SetSumMode(0);
        ASSERT_EQ(calc->CalcPressureAt(p, CPoint3D(0.3, 0.6, 1.2), lo, hi, 24.0), 0);
        EXPECT_LT(p, 1e-12);
    }
}

TEST(SPLMap, UnknownSumModeGivesZeroPressure)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(5);
        double p = 1.0;
        int lo = 0, hi = 0;
        CSPLMapCalculator::CalcBandIndices(1000.0, 3.0, 24.0, lo, hi);
        EXPECT_EQ(s.Calculator(e)->CalcPressureAt(p, CPoint3D(1, 1, 1.2), lo, hi, 24.0), 0);
        EXPECT_EQ(p, 0.0);
    }
}

TEST(SPLMap, EmptyBandFailsInsteadOfDividingByZero)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(0);
        double p = 1.0;
        EXPECT_EQ(s.Calculator(e)->CalcPressureAt(p, CPoint3D(1, 1, 1.2), 240, 240, 24.0), 1);
        EXPECT_EQ(p, 0.0);
        // A map over a band that cannot be formed is left as it was.
        s.Condition().SetBandFraction(0.0);
        s.FillLevels(55.0);
        s.Calculator(e)->CalcColorMap();
        for (double l : s.Levels())
            EXPECT_EQ(l, 55.0);
        EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
    }
}

// The second model's series (1/12 octave) lacks the odd 1/24-octave points
// that the first installation's model brings into the band.
TEST(SPLMap, ModelOfAnotherSeriesStopsTheMapLikeStop)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(0);
        const int other = s.AddModel(SmallSpeaker(12));
        s.Install(other, 0.5, 0.5, 3.0);
        s.FillLevels(42.0);
        s.Plane().SetMaxLevel(99.0);
        s.Calculator(e)->CalcColorMap();
        for (double l : s.Levels())
            EXPECT_EQ(l, 42.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
        EXPECT_EQ(s.Plane().GetMinLevel(), 0.0);
        EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
        EXPECT_EQ(s.Plane().GetSpeechAverageLevel(), 0.0);
        double p = 0.0;
        EXPECT_EQ(s.Calculator(e)->CalcPressureAt(p, CPoint3D(1, 1, 1.2), 237, 245, 24.0), 1);
        // A band of even points only is in both series.
        EXPECT_EQ(s.Calculator(e)->CalcPressureAt(p, CPoint3D(1, 1, 1.2), 240, 241, 24.0), 0);
    }
}

// A receiver on the element of the other-series model is not looked up in
// its data: the first dot keeps its new level, the second fails and no
// later dot changes.
TEST(SPLMap, FailureAtALaterDotKeepsTheDotsBefore)
{
    for (Evaluation e : kBoth) {
        for (unsigned threads : {1u, 4u}) {
            Scene s;
            s.doc->m_installations.m_nCeilingKind = 0;
            const int m = s.AddModel(SmallSpeaker());
            const int other = s.AddModel(SmallSpeaker(12));
            s.Install(m, 1.0, 1.0, 3.0);
            s.Install(other, 0.25, 0.25, 1.2);  // the centre of dot 0
            s.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5);
            s.FillLevels(42.0);
            s.Calculator(e, threads)->CalcColorMap();
            const auto levels = s.Levels();
            EXPECT_GT(levels[0], 500.0);  // 999 dB on the source
            for (std::size_t i = 1; i < levels.size(); ++i)
                EXPECT_EQ(levels[i], 42.0) << i;
            EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
        }
    }
}

TEST(SPLMap, StopBeforeTheFirstDotChangesNothing)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(0);
        s.FillLevels(42.0);
        auto calc = s.Calculator(e);
        ProgressLog log;
        UseFakeProgress(*calc, log, 1);
        calc->CalcColorMap();
        for (double l : s.Levels())
            EXPECT_EQ(l, 42.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
    }
}

TEST(SPLMap, StopKeepsAPrefixOfNewLevels)
{
    for (Evaluation e : kBoth) {
        Scene s;
        const int m = s.AddModel(SmallSpeaker());
        for (int i = 0; i < 4; ++i)
            s.Install(m, 1.0 + i, 2.0, 3.0);
        s.SetPlane(0.0, 0.0, 1.2, 10.0, 10.0, 0.0, 0.05);  // 40000 dots
        s.FillLevels(42.0);
        auto calc = s.Calculator(e, 2);
        ProgressLog log;
        UseFakeProgress(*calc, log, 3);
        calc->CalcColorMap();
        const auto levels = s.Levels();
        std::size_t changed = 0;
        while (changed < levels.size() && levels[changed] != 42.0)
            ++changed;
        for (std::size_t i = changed; i < levels.size(); ++i)
            EXPECT_EQ(levels[i], 42.0) << i;
        if (changed < levels.size()) {
            EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
            EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
        }
        if (e == Evaluation::Reference) {
            EXPECT_EQ(changed, 2u);  // the third pump, before the third dot
        }
    }
}

TEST(SPLMap, PlaneWithoutDotsKeepsItsResultsAtZero)
{
    Scene s = OneSpeakerScene(0);
    s.doc->m_colorMapConditions.RemoveAll();
    CListeningPlane empty;
    s.doc->m_colorMapConditions.AddNew(1000.0, 3.0, 0, 0, 0, 0, 0, 0, 0, 0.0, empty, 0, 0, 0);
    for (Evaluation e : kBoth) {
        s.Calculator(e)->CalcColorMap();
        EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
    }
}

TEST(SPLResponse, CurveOfBandLevels)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(0);
        s.AddGraph();
        s.AddGraph();
        s.Calculator(e)->CalcFrequencyResponse(CPoint3D(1.0, 1.0, 1.2));
        for (int g = 0; g < 2; ++g) {
            const CSoundGraphData* curve = s.doc->m_soundGraphConditions.GetGraph(g).GetCurve(0);
            ASSERT_EQ(curve->GetCount(), 30);  // 1/3-octave centres from 25 Hz to 19952.6 Hz
            EXPECT_NEAR(curve->GetX(0), 25.12, 0.01);
            // The 1 kHz band is the level of the map at the point.
            int lo = 0, hi = 0;
            CSPLMapCalculator::CalcBandIndices(curve->GetX(16), 3.0, 24.0, lo, hi);
            double p = 0.0;
            ASSERT_EQ(s.Calculator(e)->CalcPressureAt(p, CPoint3D(1.0, 1.0, 1.2), lo, hi, 24.0), 0);
            EXPECT_NEAR(curve->GetX(16), 1000.0, 1e-9);
            EXPECT_EQ(curve->GetY(16), 20.0 * std::log10(p / 2e-5));
            // Below the data's lowest frequency the speaker is silent.
            EXPECT_TRUE(std::isinf(curve->GetY(0)));
        }
    }
}

TEST(SPLResponse, FailureLeavesTheGraphs)
{
    for (Evaluation e : kBoth) {
        Scene s = OneSpeakerScene(0);
        s.Install(s.AddModel(SmallSpeaker(12)), 0.5, 0.5, 3.0);
        s.AddGraph();
        const double x[2] = {1.0, 2.0};
        const double y[2] = {3.0, 4.0};
        s.doc->m_soundGraphConditions.GetGraph(0).SetData(0, 2, x, y);
        s.Condition().SetBandFraction(24.0);
        s.Calculator(e)->CalcFrequencyResponse(CPoint3D(1.0, 1.0, 1.2));
        const CSoundGraphData* curve = s.doc->m_soundGraphConditions.GetGraph(0).GetCurve(0);
        ASSERT_EQ(curve->GetCount(), 2);
        EXPECT_EQ(curve->GetY(1), 4.0);
    }
}

Scene CoverageScene()
{
    Scene s = OneSpeakerScene(0);
    s.doc->m_dAutoBand = 3.0;
    s.doc->m_dAutoCenterFreq = 1000.0;
    return s;
}

TEST(SPLCoverage, SymmetricSpeakerCoversBothWays)
{
    double fwd[2], bwd[2], off[2];
    for (int i = 0; i < 2; ++i) {
        Scene s = CoverageScene();
        auto calc = s.Calculator(kBoth[i]);
        ASSERT_EQ(calc->CalcCoverageX(fwd[i], bwd[i], off[i], 6.0), 0);
        EXPECT_GT(fwd[i], 0.5);
        EXPECT_LT(fwd[i], 10.0);
        // Both directions see the same speaker; the scan grid is shifted by
        // the place of the maximum.
        EXPECT_NEAR(fwd[i], bwd[i], 0.15);
        double fy = 0, by = 0, oy = 0;
        ASSERT_EQ(calc->CalcCoverageY(fy, by, oy, 6.0), 0);
        EXPECT_NEAR(fy, fwd[i], 0.15);
    }
    EXPECT_EQ(Bits(fwd[0]), Bits(fwd[1]));
    EXPECT_EQ(Bits(bwd[0]), Bits(bwd[1]));
    EXPECT_EQ(Bits(off[0]), Bits(off[1]));
}

TEST(SPLCoverage, FailuresAreReported)
{
    Scene s = CoverageScene();
    auto calc = s.Calculator(Evaluation::Fast);
    double f = -1, b = -1, o = -1;
    // No crossing within 10000 length units.
    EXPECT_EQ(calc->CalcCoverageX(f, b, o, 1000.0), 1);
    // An empty judgment band (pitch 24, band 1/0.0001 octave cannot be formed).
    s.doc->m_dAutoBand = 0.0;
    EXPECT_EQ(calc->CalcCoverageX(f, b, o, 6.0), 1);
    // A band the speaker does not reach: silent everywhere, no level.
    s.doc->m_dAutoBand = 3.0;
    s.doc->m_dAutoCenterFreq = 16000.0;
    EXPECT_EQ(calc->CalcCoverageX(f, b, o, 6.0), 1);
    // No installation.
    Scene empty;
    empty.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5);
    EXPECT_EQ(empty.Calculator(Evaluation::Fast)->CalcCoverageX(f, b, o, 6.0), 1);
    EXPECT_EQ(f, -1);
}

}  // namespace
