// The band, frequency and summation choices of the SPL map window.

#include "MapViewTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mapview_test;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;

namespace {

struct Fixture {
    explicit Fixture(int pitch = 24, double band = 0.0, double fc = 0.0)
    {
        if (pitch > 0)
            scene.AddModel(SmallSpeaker(pitch));
        scene.SetPlane(0, 0, 1.5, 10, 10, 0, 1.0, fc, band, 1);
        view = std::make_unique<CTestMapView>(*scene.doc);
    }
    CColorMapCondition& Cond() { return scene.Condition(); }
    Scene scene;
    std::unique_ptr<CTestMapView> view;
};

}  // namespace

TEST(ConditionControls, BandListStartsAtTheModelPitch)
{
    const std::pair<int, int> cases[] = {{24, 7}, {12, 6}, {6, 5}, {3, 4}, {1, 3}};
    for (auto [pitch, count] : cases) {
        Fixture f(pitch);
        f.view->UpdateConditionControls(FALSE, FALSE);
        ASSERT_EQ(static_cast<int>(f.view->Band().items.size()), count) << pitch;
        EXPECT_EQ(f.view->Band().items.back(), "4 Oct. Band");
    }
    Fixture one(1);
    one.view->UpdateConditionControls(FALSE, TRUE);
    EXPECT_EQ(one.view->Band().items, (std::vector<std::string>{"1 Oct. Band", "2 Oct. Band", "4 Oct. Band"}));
    EXPECT_EQ(one.view->Selected(CColorMapViewCore::kIdComboBand), "1 Oct. Band");
    EXPECT_EQ(one.Cond().GetBandFraction(), 1.0);
}

TEST(ConditionControls, ResetPicksThirdOctaveAndKeepsWithInstallations)
{
    const std::pair<int, int> cases[] = {{24, 3}, {12, 2}, {6, 1}, {3, 0}};
    for (auto [pitch, selection] : cases) {
        Fixture f(pitch, 12.0);
        f.view->UpdateConditionControls(FALSE, TRUE);
        EXPECT_EQ(f.view->Band().selection, selection) << pitch;
        EXPECT_EQ(f.Cond().GetBandFraction(), 3.0);
        EXPECT_EQ(f.view->Selected(CColorMapViewCore::kIdComboBand), "1/3 Oct. Band");
    }
    // With installations the band is kept although a reset was asked for.
    Fixture f(24, 12.0);
    f.scene.Install(0, 5, 5, 3);
    f.view->UpdateConditionControls(FALSE, TRUE);
    EXPECT_EQ(f.Cond().GetBandFraction(), 12.0);
    EXPECT_EQ(f.view->Selected(CColorMapViewCore::kIdComboBand), "1/12 Oct. Band");
}

TEST(ConditionControls, StoredBandOutsideTheListSelectsFirstAndIsKept)
{
    Fixture f(12, 24.0);
    f.view->UpdateConditionControls(FALSE, FALSE);
    EXPECT_EQ(f.view->Band().selection, 0);
    EXPECT_EQ(f.Cond().GetBandFraction(), 24.0);
    // A condition without a band takes the pitch.
    Fixture g(6, 0.0);
    g.view->UpdateConditionControls(FALSE, FALSE);
    EXPECT_EQ(g.Cond().GetBandFraction(), 6.0);
    EXPECT_EQ(g.view->Band().selection, 0);
}

TEST(ConditionControls, FrequencyListsAndLabels)
{
    // 1/3 octave: k = 14 .. 43 (19.95 Hz is left out), two digits; octave:
    // 31.6 Hz to 15849 Hz. A frequency of 0 looks for exactly 1000 Hz.
    const struct {
        int pitch;
        double band;
        std::size_t count;
        std::string first, last;
        int selection;
    } cases[] = {{24, 3.0, 30, "25[Hz]", "20000[Hz]", 16}, {1, 1.0, 10, "32[Hz]", "16000[Hz]", 5}};
    for (const auto& c : cases) {
        Fixture f(c.pitch, c.band, 0.0);
        f.view->UpdateConditionControls(FALSE, FALSE);
        const auto& items = f.view->Frequency().items;
        ASSERT_EQ(items.size(), c.count) << c.band;
        EXPECT_EQ(items.front(), c.first);
        EXPECT_EQ(items.back(), c.last);
        EXPECT_EQ(f.view->Frequency().selection, c.selection);
        EXPECT_EQ(items[c.selection], "1000[Hz]");
        EXPECT_EQ(f.Cond().GetFrequency(), 1000.0);
        EXPECT_EQ(f.view->SumMode().items, (std::vector<std::string>{"Interference", "Energy"}));
        EXPECT_EQ(f.view->SumMode().selection, 1);
    }
    // Finer than 1/6 octave: three significant digits.
    Fixture g(24, 12.0, 1000.0);
    g.view->UpdateConditionControls(FALSE, FALSE);
    EXPECT_EQ(g.view->Selected(CColorMapViewCore::kIdComboFrequency), "1000[Hz]");
    EXPECT_EQ(g.view->Frequency().items[g.view->Frequency().selection + 1], "1060[Hz]");
}

TEST(ConditionControls, SnapsToTheNearestSeriesValue)
{
    // 1100 Hz lies between 1000 and 1258.9: the nearer, 1000, is taken.
    Fixture f(24, 3.0, 1100.0);
    f.view->UpdateConditionControls(FALSE, FALSE);
    EXPECT_EQ(f.Cond().GetFrequency(), 1000.0);
    // Just above halfway: the upper one, exactly on the series.
    const double lo = std::pow(10.0, 0.3 * 30 / 3.0);
    const double hi = std::pow(10.0, 0.3 * 31 / 3.0);
    Fixture g(24, 3.0, (lo + hi) / 2.0 + 0.01);
    g.view->UpdateConditionControls(FALSE, FALSE);
    EXPECT_EQ(g.Cond().GetFrequency(), hi);
    // A damaged frequency still ends on the series: far above, the top item;
    // not a number, the first.
    const std::pair<double, double> damaged[] = {{5.0e7, std::pow(10.0, 0.3 * 43 / 3.0)},
                                                 {std::nan(""), std::pow(10.0, 0.3 * 14 / 3.0)}};
    for (auto [stored, expected] : damaged) {
        Fixture d(24, 3.0, stored);
        d.view->UpdateConditionControls(FALSE, FALSE);
        EXPECT_EQ(d.Cond().GetFrequency(), expected) << stored;
        EXPECT_GE(d.view->Frequency().selection, 0);
    }
}

TEST(ConditionControls, ChangingBandKeepsTheNearestFrequency)
{
    Fixture f(24, 3.0, std::pow(10.0, 3.1));
    f.view->UpdateConditionControls(FALSE, FALSE);
    EXPECT_EQ(f.view->Selected(CColorMapViewCore::kIdComboFrequency), "1300[Hz]");
    // The user picks "1 Oct. Band" (row 4; the list began at row 0).
    f.view->Band().selection = 4;
    f.view->UpdateConditionControls(TRUE, FALSE);
    EXPECT_EQ(f.Cond().GetBandFraction(), 1.0);
    EXPECT_EQ(f.Cond().GetFrequency(), std::pow(10.0, 3.0));
    EXPECT_EQ(f.view->Selected(CColorMapViewCore::kIdComboFrequency), "1000[Hz]");
    EXPECT_EQ(f.view->Frequency().items.size(), 10u);
}

TEST(ConditionControls, StoringReadsFrequencyAndMode)
{
    Fixture f(12, 3.0, 1000.0);
    f.view->UpdateConditionControls(FALSE, FALSE);
    f.view->Frequency().selection = 0;  // 25 Hz
    f.view->SumMode().selection = 0;
    f.view->UpdateConditionControls(TRUE, FALSE);
    EXPECT_EQ(f.Cond().GetFrequency(), std::pow(10.0, 0.3 * 14 / 3.0));
    EXPECT_EQ(f.Cond().GetSumMode(), 0);
    EXPECT_EQ(f.Cond().GetBandFraction(), 3.0);  // 6 items, selection 2 -> row 3
    // No selection in the mode list leaves the mode.
    f.view->SumMode().selection = -1;
    f.view->UpdateConditionControls(TRUE, FALSE);
    EXPECT_EQ(f.Cond().GetSumMode(), 0);
}

TEST(ConditionControls, NoModelEmptiesTheListsAndStoresNothing)
{
    Fixture f(0, 3.0, 500.0);
    f.view->Band().items = {"x"};
    f.view->UpdateConditionControls(FALSE, TRUE);
    EXPECT_TRUE(f.view->Band().items.empty());
    EXPECT_TRUE(f.view->Frequency().items.empty());
    EXPECT_TRUE(f.view->SumMode().items.empty());
    f.view->UpdateConditionControls(TRUE, FALSE);
    EXPECT_EQ(f.Cond().GetBandFraction(), 3.0);
    EXPECT_EQ(f.Cond().GetFrequency(), 500.0);
    EXPECT_EQ(f.Cond().GetSumMode(), 1);
}

TEST(ConditionControls, ChoiceChangesRebuildPlanesAndRecalculate)
{
    Fixture f(24, 3.0, 1000.0);
    f.scene.FillLevels(77.0);
    // A second window's plane, with a result of its last calculation.
    CColorMapCondition* other = f.scene.doc->m_colorMapConditions.AddCopyOf(0);
    ASSERT_NE(other, nullptr);
    other->GetPlane().SetMaxLevel(77.0);
    ASSERT_EQ(other->GetPlane().GetCells().GetAt(0)->GetLevel(), 77.0);
    f.scene.doc->m_bManualRecalculation = TRUE;
    f.view->UpdateConditionControls(FALSE, FALSE);
    const int before = f.view->redraws;
    f.view->SumMode().selection = 0;
    f.view->OnCbnSelchangeSumMode();
    EXPECT_EQ(f.Cond().GetSumMode(), 0);
    EXPECT_EQ(f.scene.Levels().front(), 77.0);  // the plane is not rebuilt
    EXPECT_EQ(f.view->redraws, before + 1);
    f.view->Frequency().selection = 3;
    f.view->OnCbnSelchangeBandFrequency();
    EXPECT_EQ(f.scene.Levels().front(), 0.0);  // rebuilt; manual mode keeps it uncalculated
    EXPECT_EQ(f.view->redraws, before + 2);
    // Every window's plane is rebuilt, not only this window's.
    ASSERT_EQ(other->GetPlane().GetCells().GetCount(), 100u);
    for (const auto& dot : other->GetPlane().GetCells())
        EXPECT_EQ(dot->GetLevel(), 0.0);
    EXPECT_EQ(other->GetPlane().GetMaxLevel(), 0.0);
}
