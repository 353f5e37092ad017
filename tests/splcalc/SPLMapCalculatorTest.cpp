// The SPL map calculation: band indices, the map's sums and results, the
// frequency response, the coverage scan, failures and Stop, in both
// evaluations.

#include "SceneSupport.h"

#include "platform/ProgressDialogLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace splcalc_test;
using Evaluation = CSPLMapCalculator::Evaluation;

namespace {

TEST(SPLBand, MapAndCoverageBandIndices)
{
    const struct {
        bool coverage;
        double fc, n, ppo;
        int lo, hi;  // lo == hi == -1: any empty band
    } cases[] = {
        {false, 1000.0, 3.0, 24.0, 237, 245},  // eight points, 917.1 Hz to 1122.0 Hz
        {false, 1000.0, 24.0, 12.0, 120, 121},
        {false, 1000.0, 1.0, 24.0, 229, 253},  // 10^(0.3 i/24) above 10^2.85, up to 10^3.15
        {true, 1000.0, 3.0, 24.0, 236, 244},   // 891.3 Hz to 1090.2 Hz
        {false, 1000.0, 0.0, 24.0, 0, 0},      // a new condition's band 0
        {false, 0.0, 3.0, 24.0, -1, -1},
        {false, 1000.0, 3.0, 0.0, -1, -1},
        {false, 1e300, 1e-300, 24.0, -1, -1},
        {false, std::nan(""), 3.0, 24.0, -1, -1},
        {true, 1000.0, 3.0, 1.0, -1, -1},      // a pitch below 3 gives the whole number 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.coverage << " " << c.fc << " 1/" << c.n << " ppo " << c.ppo);
        int lo = 7, hi = 7;
        if (c.coverage)
            CSPLMapCalculator::CalcCoverageBandIndices(c.fc, c.n, c.ppo, lo, hi);
        else
            CSPLMapCalculator::CalcBandIndices(c.fc, c.n, c.ppo, lo, hi);
        if (c.lo < 0) {
            EXPECT_EQ(lo, hi);
        } else {
            EXPECT_EQ(lo, c.lo);
            EXPECT_EQ(hi, c.hi);
        }
    }
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(237, 24.0), 917.1, 0.2);
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(244, 24.0), 1122.0, 0.2);
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(236, 24.0), 891.3, 0.05);
    EXPECT_NEAR(CSPLMapCalculator::SeriesFrequency(243, 24.0), 1090.2, 0.05);
    EXPECT_DOUBLE_EQ(CSPLMapCalculator::SeriesFrequency(120, 12.0), 1000.0);
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

void ExpectAll(const std::vector<double>& levels, double level)
{
    for (std::size_t i = 0; i < levels.size(); ++i)
        EXPECT_EQ(levels[i], level) << "dot " << i;
}

// Every case in the plain and in the fast evaluation.
class SPLMap : public ::testing::TestWithParam<Evaluation> {
protected:
    std::unique_ptr<CSPLMapCalculator> Calc(Scene& s, unsigned threads = 0) { return s.Calculator(GetParam(), threads); }
};

INSTANTIATE_TEST_SUITE_P(Evaluations, SPLMap, ::testing::Values(Evaluation::Reference, Evaluation::Fast),
                         [](const auto& info) { return info.param == Evaluation::Reference ? "Reference" : "Fast"; });

// One installation gives the same map in both sum modes; a second, identical
// one at the same place adds 20 lg 2 dB (Interference) or 10 lg 2 dB (Energy).
TEST_P(SPLMap, OneAndTwoIdenticalInstallations)
{
    std::vector<double> single[2];
    for (int mode : {0, 1}) {
        Scene one = OneSpeakerScene(mode);
        Scene two = OneSpeakerScene(mode);
        two.Install(0, 1.0, 1.0, 3.0);
        Calc(one)->CalcColorMap();
        Calc(two)->CalcColorMap();
        single[mode] = one.Levels();
        const auto doubled = two.Levels();
        ASSERT_EQ(single[mode].size(), 16u);
        ASSERT_EQ(doubled.size(), 16u);
        const double expected = mode == 0 ? 6.0205999132796239 : 3.0102999566398120;
        for (std::size_t i = 0; i < 16; ++i)
            EXPECT_NEAR(doubled[i] - single[mode][i], expected, 1e-9) << "mode " << mode << " dot " << i;
        EXPECT_NEAR(two.Plane().GetAverageLevel() - one.Plane().GetAverageLevel(), expected, 1e-9);
        EXPECT_GT(one.Plane().GetMaxLevel(), 60.0);
        EXPECT_LT(one.Plane().GetMaxLevel(), 120.0);
    }
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(Bits(single[0][i]), Bits(single[1][i])) << i;
}

TEST_P(SPLMap, ResultsAndProgressOfTheMap)
{
    Scene s = OneSpeakerScene(0);
    CRecordingProgress progress;
    int made = 0;
    auto calc = Calc(s);
    UseProgress(*calc, progress, &made);
    calc->CalcColorMap();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(progress.messages, std::vector<std::string>{"Calculating..."});
    EXPECT_EQ(progress.ranges, (std::vector<std::pair<int, int>>{{0, 16}}));
    if (GetParam() == Evaluation::Reference) {
        EXPECT_EQ(progress.pumpCount, 16);  // once before each dot
        ASSERT_FALSE(progress.positions.empty());
        EXPECT_EQ(progress.positions.back(), 15);
    } else {
        EXPECT_GE(progress.pumpCount, 1);
    }

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

// A plane of more dots than the bar's 16-bit range holds: wherever the
// calculation puts the bar, it shows the share of the dots done so far.
TEST_P(SPLMap, TheBarShowsTheShareOfTheDotsDone)
{
    Scene s;
    const int m = s.AddModel(SmallSpeaker());
    s.Install(m, 14.0, 12.5, 3.0);
    s.SetPlane(0.0, 0.0, 1.2, 28.0, 25.0, 0.0, 0.1, 1000.0, 24.0);  // one frequency: quick
    const std::size_t count = s.Plane().GetCells().GetCount();
    ASSERT_EQ(count, 280u * 250u);
    const double unset = -5000.0;
    s.FillLevels(unset);

    // The bar as the dialog shows it (16-bit range ends, a position outside
    // the range at its end) against the dots that have their level.
    struct Bar : CRecordingProgress {
        const CListeningPlane* plane = nullptr;
        double unsetLevel = 0.0;
        std::size_t done = 0;
        double largestGap = 0.0;
        double lastShare = 0.0;
        void SetPos(int pos) override
        {
            CRecordingProgress::SetPos(pos);
            const int lo = ProgressDialogLayout::WrapRangeValue(ranges.back().first);
            const int hi = std::max(ProgressDialogLayout::WrapRangeValue(ranges.back().second), lo);
            lastShare = hi > lo ? static_cast<double>(std::clamp(pos, lo, hi) - lo) / (hi - lo) : 0.0;
            const CPlaceElementList& dots = plane->GetCells();
            while (done < dots.GetCount() && dots.GetAt(done)->GetLevel() != unsetLevel)
                ++done;
            const double doneShare = static_cast<double>(done) / static_cast<double>(dots.GetCount());
            largestGap = std::max(largestGap, std::fabs(lastShare - doneShare));
        }
    } bar;
    bar.plane = &s.Plane();
    bar.unsetLevel = unset;
    auto calc = Calc(s, 1);
    UseProgress(*calc, bar);
    calc->CalcColorMap();
    ASSERT_EQ(bar.ranges.size(), 1u);
    const auto levels = s.Levels();
    EXPECT_EQ(std::count(levels.begin(), levels.end(), unset), 0);
    EXPECT_GE(s.Plane().GetMaxLevel(), 40.0);
    EXPECT_LE(bar.largestGap, 0.001);
    if (GetParam() == Evaluation::Reference) {
        EXPECT_EQ(bar.positions.size(), count + 1);  // 0, then after every dot
        EXPECT_GE(bar.lastShare, 0.999);
    }
}

TEST_P(SPLMap, OneDotPlane)
{
    Scene s;
    const int m = s.AddModel(SmallSpeaker());
    s.Install(m, 0.1, 0.1, 3.0);
    s.SetPlane(0.0, 0.0, 1.2, 0.25, 0.25, 0.0, 0.25);
    ASSERT_EQ(s.Plane().GetCells().GetCount(), 1u);
    Calc(s)->CalcColorMap();
    const double level = s.Levels()[0];
    EXPECT_GT(level, 50.0);
    EXPECT_EQ(s.Plane().GetMaxLevel(), level);
    EXPECT_EQ(s.Plane().GetMinLevel(), level);
    EXPECT_NEAR(s.Plane().GetAverageLevel(), level, 1e-12);
    EXPECT_NEAR(s.Plane().GetSpeechAverageLevel(), level - 4.0, 1e-12);
}

TEST_P(SPLMap, NoInstallationLeavesTheMapAndClearsTheGraphs)
{
    Scene s;
    s.AddModel(SmallSpeaker());
    s.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5);
    s.AddGraph();
    s.FillLevels(77.0);
    s.Plane().SetMaxLevel(80.0);
    const double x[3] = {100.0, 200.0, 300.0};
    const double y[3] = {70.0, 71.0, 72.0};
    s.doc->m_soundGraphConditions.GetGraph(0).SetData(0, 3, x, y);
    CRecordingProgress progress;
    int made = 0;
    auto calc = Calc(s);
    UseProgress(*calc, progress, &made);
    calc->CalcColorMap();
    EXPECT_EQ(made, 0);
    ExpectAll(s.Levels(), 77.0);
    EXPECT_EQ(s.Plane().GetMaxLevel(), 80.0);

    calc->CalcFrequencyResponse(CPoint3D(1.0, 1.0, 1.2));
    const CSoundGraphData* curve = s.doc->m_soundGraphConditions.GetGraph(0).GetCurve(0);
    ASSERT_NE(curve, nullptr);
    ASSERT_EQ(curve->GetCount(), 1);
    EXPECT_EQ(curve->GetX(0), 0.0);
    EXPECT_EQ(curve->GetY(0), 0.0);
}

// A reversed twin over the speaker: energy adds the two, interference
// cancels them; an unknown sum mode gives 0, an empty band fails.
TEST_P(SPLMap, BandPressureBySumMode)
{
    Scene s = OneSpeakerScene(1);
    s.Install(0, 1.0, 1.0, 3.0, 0.0, 0.0, 90.0, 6.0, false);
    const CPoint3D pt(0.3, 0.6, 1.2);
    auto calc = Calc(s);
    double p = 1.0;
    ASSERT_EQ(calc->CalcPressureAt(p, pt, 237, 245, 24.0), 0);
    EXPECT_GT(p, 0.0);
    s.Condition().SetSumMode(0);
    ASSERT_EQ(calc->CalcPressureAt(p, pt, 237, 245, 24.0), 0);
    EXPECT_LT(p, 1e-12);
    s.Condition().SetSumMode(5);
    p = 1.0;
    EXPECT_EQ(calc->CalcPressureAt(p, pt, 237, 245, 24.0), 0);
    EXPECT_EQ(p, 0.0);
    s.Condition().SetSumMode(0);
    p = 1.0;
    EXPECT_EQ(calc->CalcPressureAt(p, pt, 240, 240, 24.0), 1);
    EXPECT_EQ(p, 0.0);
}

TEST_P(SPLMap, MapsThatCannotBeFormedKeepTheirDotsAndZeroResults)
{
    // A band that cannot be formed.
    Scene s = OneSpeakerScene(0);
    s.Condition().SetBandFraction(0.0);
    s.FillLevels(55.0);
    Calc(s)->CalcColorMap();
    ExpectAll(s.Levels(), 55.0);
    EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
    // A plane without dots.
    s.doc->m_colorMapConditions.RemoveAll();
    CListeningPlane empty;
    s.doc->m_colorMapConditions.AddNew(1000.0, 3.0, 0, 0, 0, 0, 0, 0, 0, 0.0, empty, 0, 0, 0);
    Calc(s)->CalcColorMap();
    EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
    EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
}

// The second model's series (1/12 octave) lacks the odd 1/24-octave points
// that the first installation's model brings into the band.
TEST_P(SPLMap, ModelOfAnotherSeriesStopsTheMapLikeStop)
{
    Scene s = OneSpeakerScene(0);
    s.Install(s.AddModel(SmallSpeaker(12)), 0.5, 0.5, 3.0);
    s.FillLevels(42.0);
    s.Plane().SetMaxLevel(99.0);
    Calc(s)->CalcColorMap();
    ExpectAll(s.Levels(), 42.0);
    EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
    EXPECT_EQ(s.Plane().GetMinLevel(), 0.0);
    EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
    EXPECT_EQ(s.Plane().GetSpeechAverageLevel(), 0.0);
    double p = 0.0;
    EXPECT_EQ(Calc(s)->CalcPressureAt(p, CPoint3D(1, 1, 1.2), 237, 245, 24.0), 1);
    // A band of even points only is in both series.
    EXPECT_EQ(Calc(s)->CalcPressureAt(p, CPoint3D(1, 1, 1.2), 240, 241, 24.0), 0);

    // The failing response leaves the graphs as they were.
    s.AddGraph();
    const double x[2] = {1.0, 2.0};
    const double y[2] = {3.0, 4.0};
    s.doc->m_soundGraphConditions.GetGraph(0).SetData(0, 2, x, y);
    s.Condition().SetBandFraction(24.0);
    Calc(s)->CalcFrequencyResponse(CPoint3D(1.0, 1.0, 1.2));
    const CSoundGraphData* curve = s.doc->m_soundGraphConditions.GetGraph(0).GetCurve(0);
    ASSERT_EQ(curve->GetCount(), 2);
    EXPECT_EQ(curve->GetY(1), 4.0);
}

// A receiver on the element of the other-series model is not looked up in
// its data: the first dot keeps its new level, the second fails and no
// later dot changes.
TEST_P(SPLMap, FailureAtALaterDotKeepsTheDotsBefore)
{
    for (unsigned threads : {1u, 4u}) {
        Scene s;
        s.doc->m_installations.m_nCeilingKind = 0;
        const int m = s.AddModel(SmallSpeaker());
        const int other = s.AddModel(SmallSpeaker(12));
        s.Install(m, 1.0, 1.0, 3.0);
        s.Install(other, 0.25, 0.25, 1.2);  // the centre of dot 0
        s.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5);
        s.FillLevels(42.0);
        Calc(s, threads)->CalcColorMap();
        auto levels = s.Levels();
        EXPECT_GT(levels[0], 500.0);  // 999 dB on the source
        levels.erase(levels.begin());
        ExpectAll(levels, 42.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
    }
}

// Stop at the first pump changes nothing; a later Stop keeps a prefix of
// new levels and no results.
TEST_P(SPLMap, StopKeepsAPrefixOfNewLevels)
{
    for (int stopAt : {1, 3}) {
        SCOPED_TRACE(stopAt);
        Scene s;
        const int m = s.AddModel(SmallSpeaker());
        for (int i = 0; i < 4; ++i)
            s.Install(m, 1.0 + i, 2.0, 3.0);
        s.SetPlane(0.0, 0.0, 1.2, 10.0, 10.0, 0.0, 0.05);  // 40000 dots
        s.FillLevels(42.0);
        auto calc = Calc(s, 2);
        CRecordingProgress progress;
        progress.stopAfterPumps = stopAt - 1;
        UseProgress(*calc, progress);
        calc->CalcColorMap();
        const auto levels = s.Levels();
        std::size_t changed = 0;
        while (changed < levels.size() && levels[changed] != 42.0)
            ++changed;
        ASSERT_LT(changed, levels.size());
        ExpectAll(std::vector<double>(levels.begin() + static_cast<std::ptrdiff_t>(changed), levels.end()), 42.0);
        EXPECT_EQ(s.Plane().GetMaxLevel(), 0.0);
        EXPECT_EQ(s.Plane().GetAverageLevel(), 0.0);
        if (GetParam() == Evaluation::Reference || stopAt == 1) {
            EXPECT_EQ(changed, static_cast<std::size_t>(stopAt - 1));  // the pump before each dot
        }
    }
}

TEST_P(SPLMap, ResponseCurveOfBandLevels)
{
    Scene s = OneSpeakerScene(0);
    s.AddGraph();
    s.AddGraph();
    Calc(s)->CalcFrequencyResponse(CPoint3D(1.0, 1.0, 1.2));
    for (int g = 0; g < 2; ++g) {
        const CSoundGraphData* curve = s.doc->m_soundGraphConditions.GetGraph(g).GetCurve(0);
        ASSERT_EQ(curve->GetCount(), 30);  // 1/3-octave centres from 25 Hz to 19952.6 Hz
        EXPECT_NEAR(curve->GetX(0), 25.12, 0.01);
        // The 1 kHz band is the level of the map at the point.
        EXPECT_NEAR(curve->GetX(16), 1000.0, 1e-9);
        double p = 0.0;
        ASSERT_EQ(Calc(s)->CalcPressureAt(p, CPoint3D(1.0, 1.0, 1.2), 237, 245, 24.0), 0);
        EXPECT_EQ(curve->GetY(16), 20.0 * std::log10(p / 2e-5));
        // Below the data's lowest frequency the speaker is silent.
        EXPECT_TRUE(std::isinf(curve->GetY(0)));
    }
}

TEST(SPLPressure, OneInstallationAsItsModelComputesIt)
{
    Scene s = OneSpeakerScene(0);
    s.Install(9, 1.0, 1.0, 3.0);  // no such model
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
    // A frequency inside the data's range that is no data frequency fails.
    EXPECT_EQ(calc->CalcPressureFromInstallation(out, point, 1001.0, inst, 24.0, 1), 1);
    // Outside the range nothing is added.
    EXPECT_EQ(calc->CalcPressureFromInstallation(out, point, CSPLMapCalculator::SeriesFrequency(400, 24.0), inst,
                                                 24.0, 1),
              0);
    EXPECT_EQ(out.re, 0.0);
}

Scene CoverageScene()
{
    Scene s = OneSpeakerScene(0);
    s.doc->m_dAutoBand = 3.0;
    s.doc->m_dAutoCenterFreq = 1000.0;
    return s;
}

// Both evaluations scan alike (see the fast-path scenes).
TEST(SPLCoverage, SymmetricSpeakerCoversBothWays)
{
    Scene s = CoverageScene();
    auto calc = s.Calculator(Evaluation::Fast);
    double fx = 0, bx = 0, ox = 0, fy = 0, by = 0, oy = 0;
    ASSERT_EQ(calc->CalcCoverageX(fx, bx, ox, 6.0), 0);
    ASSERT_EQ(calc->CalcCoverageY(fy, by, oy, 6.0), 0);
    EXPECT_GT(fx, 0.5);
    EXPECT_LT(fx, 10.0);
    // The scan grid is shifted by the place of the maximum.
    EXPECT_NEAR(fx, bx, 0.15);
    EXPECT_NEAR(fy, fx, 0.15);
}

// A point source (no directivity, no delay) 1.8 above the scan line and no
// ceiling: the level falls as -20 lg r with r = sqrt(d^2 + 1.8^2), whatever
// the band, so the crossings follow from the distances alone.
//   Forward: the first point, d = 0.1, is the loudest; L(d) < L(0.1) - 6
//   first at d = 3.2 (r^2 = 13.48 > 3.25 * 10^0.6 = 12.94; d = 3.1 gives
//   12.85). Backward from d = 0.1: d = 0 raises the maximum to L(0); the
//   first point below L(0) - 6 (r^2 > 3.24 * 10^0.6 = 12.90) is d = -3.2.
//   Both crossings lie between 3.1 and 3.2, interpolated linearly in level.
TEST_P(SPLMap, CoverageCrossingsOfAPointSource)
{
    ZsbRecipe recipe = SmallSpeaker();
    ZsbUnit unit;
    unit.radius = 0.0;
    unit.delay = 0.0;
    recipe.units.push_back(unit);
    Scene s;
    s.doc->m_installations.m_nCeilingKind = 0;
    s.AddModel(recipe);
    s.Install(0, 1.0, 1.0, 3.0);
    s.SetPlane(0.0, 0.0, 1.2, 2.0, 2.0, 0.0, 0.5, 1000.0, 3.0, 1);
    s.doc->m_dAutoBand = 3.0;
    s.doc->m_dAutoCenterFreq = 1000.0;

    auto level = [](double d) { return -10.0 * std::log10(d * d + 1.8 * 1.8); };
    const double forward = 3.1 + 0.1 * ((level(0.1) - 6.0) - level(3.1)) / (level(3.2) - level(3.1));
    const double backward = 3.1 + 0.1 * ((level(0.0) - 6.0) - level(3.1)) / (level(3.2) - level(3.1));
    ASSERT_NEAR(forward, 3.1143, 1e-4);
    ASSERT_NEAR(backward, 3.1079, 1e-4);
    using Scan = int (CSPLMapCalculator::*)(double&, double&, double&, double);
    for (Scan scan : {Scan(&CSPLMapCalculator::CalcCoverageX), Scan(&CSPLMapCalculator::CalcCoverageY)}) {
        double f = 0, b = 0, o = 0;
        ASSERT_EQ(((*Calc(s)).*scan)(f, b, o, 6.0), 0);
        EXPECT_NEAR(f, forward, 1e-9);
        EXPECT_NEAR(b, backward, 1e-9);
        EXPECT_NEAR(o, 0.1, 1e-12);
    }
}

TEST(SPLCoverage, FailuresAreReported)
{
    Scene s = CoverageScene();
    auto calc = s.Calculator(Evaluation::Fast);
    double f = -1, b = -1, o = -1;
    // No crossing within 10000 length units.
    EXPECT_EQ(calc->CalcCoverageX(f, b, o, 1000.0), 1);
    // An empty judgment band.
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
