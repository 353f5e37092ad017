// The TypeA and TypeC arrangement dialogs: items, the tilt rule between L
// and S cabinets, re-opening on stored tilts and the box count.
#include "CabinetTestSupport.h"

#include "dialogs/TypeAModuleArrangementDialog1.h"
#include "dialogs/TypeCModuleArrangementDialog1.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

using namespace cabinettest;

namespace {

using TypeA = CTypeAModuleArrangementDialog1;
using TypeC = CTypeCModuleArrangementDialog1;
const std::vector<std::string> kAngles = {"0deg", "1deg", "2deg", "3deg", "4deg", "5deg"};

// A TypeA dialog shown on in-memory controls with the given parameters.
struct OpenTypeA : Open<TypeA> {
    explicit OpenTypeA(const CTypeAandCParamArray& params) : Open<TypeA>(Units(2), params) {}
    double Tilt(std::size_t i) const { return dlg.GetParams()[i].m_dAngle; }
};

}  // namespace

TEST(TypeAArrangementDialog, OneCabinetOpensWithEveryJointOffAndGrowsStraight)
{
    OpenTypeA a({CTypeAandCParam(0, 0.0)});
    EXPECT_EQ(a.c.Items(3000), (std::vector<std::string>{"DM-K14 x 1", "DM-K14 x 2", "DM-K14 x 3", "DM-K14 x 4",
                                                          "DM-K14 x 5", "DM-K14 x 6", "DM-K14 x 7", "DM-K14 x 8"}));
    EXPECT_EQ(a.c.Selected(3000), "DM-K14 x 1");
    for (int id = 3001; id <= 3008; ++id) {
        EXPECT_EQ(a.c.Items(id), (std::vector<std::string>{"DM-K14L ", "DM-K14S"})) << id;
        EXPECT_EQ(a.c.Selected(id), "DM-K14L ") << id;
        EXPECT_EQ(a.c.Enabled(id), id == 3001) << id;
    }
    for (int id = 3011; id <= 3017; ++id) {
        EXPECT_EQ(a.c.Items(id), kAngles) << id;
        EXPECT_EQ(a.c.Selected(id), "5deg") << id;
        EXPECT_FALSE(a.c.Enabled(id)) << id;
    }
    EXPECT_EQ(a.c.GetCount(3018), 0);  // TypeA has seven joints
    // The vector of the L unit, hanging straight; the L wedge and depth.
    ASSERT_EQ(a.dlg.GetVectors().size(), 1u);
    EXPECT_EQ(a.dlg.GetVectors()[0], CAxisEntity(0.0, 0.1, 0.0));
    EXPECT_EQ(a.dlg.GetWedges(), std::vector<double>{5.0});
    EXPECT_EQ(a.dlg.GetDepths(), std::vector<double>{0.469});
    EXPECT_TRUE(a.c.invalidated.empty());

    a.c.Choose(a.dlg, 3000, 2);
    ASSERT_EQ(a.dlg.GetParams().size(), 3u);
    EXPECT_EQ(a.dlg.GetParams(), (CTypeAandCParamArray{{0, 0.0}, {0, 0.0}, {0, 0.0}}));
    unsigned counts[4];
    a.dlg.GetViewParam().GetModuleCounts(counts);
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[1], 0u);
    EXPECT_EQ(counts[2], 3u);
    EXPECT_EQ(counts[3], 3u);
    EXPECT_TRUE(a.c.Enabled(3003));
    EXPECT_FALSE(a.c.Enabled(3004));
    EXPECT_TRUE(a.c.Enabled(3012));
    EXPECT_FALSE(a.c.Enabled(3013));
    EXPECT_EQ(a.c.invalidated, std::vector<int>{1103});
    EXPECT_EQ(a.dlg.GetVectors().size(), 3u);
}

TEST(TypeAArrangementDialog, TheAngleSettingTiltsByTheHalfWedgesOnBothSides)
{
    OpenTypeA a({{0, 0.0}, {0, 0.0}, {1, 0.0}, {1, 0.0}});
    a.c.Choose(a.dlg, 3011, 3);  // two L, "3deg"
    EXPECT_EQ(a.Tilt(1), 2.0);
    a.c.Choose(a.dlg, 3012, 5);  // an L above an S, "5deg"
    EXPECT_EQ(a.Tilt(2), 5.0);
    a.c.Choose(a.dlg, 3013, 0);  // two S, "0deg"
    EXPECT_EQ(a.Tilt(3), 15.0);
    a.c.Choose(a.dlg, 3013, 5);
    EXPECT_EQ(a.Tilt(3), 10.0);
    // The tilts reach the vectors and the S cabinets their wedge and depth.
    EXPECT_EQ(a.dlg.GetVectors()[0].z, 0.0);
    EXPECT_EQ(a.dlg.GetVectors()[1].z, 2.0);
    EXPECT_EQ(a.dlg.GetVectors()[2], CAxisEntity(0.01, 0.2, 5.0));
    EXPECT_EQ(a.dlg.GetWedges(), (std::vector<double>{5.0, 5.0, 15.0, 15.0}));
    EXPECT_EQ(a.dlg.GetDepths(), (std::vector<double>{0.469, 0.469, 0.467, 0.467}));
}

TEST(TypeAArrangementDialog, ReopeningSelectsTheAngleOfEachStoredTilt)
{
    // Tilts 3.0 and 4.5 between L cabinets, 7.0 between an L and an S,
    // 12.0 between two S, and -2.0, which no setting produces.
    OpenTypeA a({{0, 7.0}, {0, 3.0}, {0, 4.5}, {1, 7.0}, {1, 12.0}, {1, -2.0}});
    EXPECT_EQ(a.c.Selected(3011), "2deg");
    EXPECT_EQ(a.c.Selected(3012), "0deg");  // 0.5 truncated
    EXPECT_EQ(a.c.Selected(3013), "3deg");  // 2.5 + 7.5 - 7
    EXPECT_EQ(a.c.Selected(3014), "3deg");
    EXPECT_EQ(a.c.GetCurSel(3015), CB_ERR);
    EXPECT_EQ(a.c.Selected(3016), "5deg");  // no cabinet below: unused joint
    EXPECT_EQ(a.c.Selected(3004), "DM-K14S");
    EXPECT_EQ(a.c.Selected(3000), "DM-K14 x 6");
    // Opening changes no parameter.
    EXPECT_EQ(a.Tilt(0), 7.0);
    EXPECT_EQ(a.Tilt(2), 4.5);
    // The top cabinet hangs straight whatever its stored tilt.
    EXPECT_EQ(a.dlg.GetVectors()[0].z, 0.0);

    // A kind change recomputes the tilts from the angle settings; the joint
    // without a setting keeps its tilt.
    a.c.Choose(a.dlg, 3002, 0);
    EXPECT_EQ(a.Tilt(2), 5.0);
    EXPECT_EQ(a.Tilt(5), -2.0);
}

TEST(TypeAArrangementDialog, ChangingAKindMovesTheTiltsOnBothSidesOfIt)
{
    OpenTypeA a({{0, 0.0}, {0, 0.0}, {0, 0.0}});
    a.c.Choose(a.dlg, 3011, 2);
    a.c.Choose(a.dlg, 3012, 4);
    EXPECT_EQ(a.Tilt(1), 3.0);
    EXPECT_EQ(a.Tilt(2), 1.0);
    a.c.Choose(a.dlg, 3002, 1);
    EXPECT_EQ(a.dlg.GetParams()[1].m_nType, 1);
    EXPECT_EQ(a.Tilt(1), 8.0);
    EXPECT_EQ(a.Tilt(2), 6.0);
    EXPECT_EQ(a.c.Selected(3011), "2deg");
    EXPECT_EQ(a.c.Selected(3012), "4deg");
    EXPECT_EQ(a.dlg.GetDepths()[1], 0.467);
}

TEST(TypeAArrangementDialog, LoweringAndRaisingTheBoxCountKeepsTheCombos)
{
    OpenTypeA a({{0, 0.0}, {1, 5.0}, {1, 10.0}, {0, 0.0}});
    a.c.Choose(a.dlg, 3013, 1);  // S above L: 7.5 + 2.5 - 1
    EXPECT_EQ(a.Tilt(3), 9.0);
    a.c.Choose(a.dlg, 3000, 1);
    EXPECT_EQ(a.dlg.GetParams().size(), 2u);
    EXPECT_EQ(a.dlg.GetVectors().size(), 2u);
    EXPECT_EQ(a.dlg.GetWedges().size(), 2u);
    EXPECT_EQ(a.Tilt(1), 5.0);  // L above S with the opening's "5deg"
    EXPECT_FALSE(a.c.Enabled(3003));
    a.c.Choose(a.dlg, 3000, 3);
    EXPECT_EQ(a.dlg.GetParams(), (CTypeAandCParamArray{{0, 0.0}, {1, 5.0}, {1, 10.0}, {0, 9.0}}));
}

TEST(TypeAArrangementDialog, TemplateControlsAndOk)
{
    TypeA dlg(0, 0, 2, Units(2), 1);
    const DialogTemplate* t = FindDialogTemplate(157);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->cx, 360);
    EXPECT_EQ(t->cy, 340);
    int combos = 0;
    const ControlTemplate* preview = nullptr;
    for (const ControlTemplate& k : t->controls) {
        combos += k.kind == ControlTemplate::ComboList;
        if (k.id == 1103)
            preview = &k;
    }
    EXPECT_EQ(combos, 1 + 8 + 7);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->kind, ControlTemplate::Custom);
    EXPECT_EQ(preview->x, 161);
    EXPECT_EQ(preview->cy, 275);

    Controls c;
    dlg.AttachControls(&c);
    dlg.OnInitDialog();
    dlg.OnOK();
    EXPECT_EQ(dlg.GetResult(), IDOK);
}

TEST(TypeCArrangementDialog, TwelveCabinetsWithTheirOwnItemsAndDepths)
{
    Open<TypeC> o(Units(2), {{0, 0.0}});
    auto& [c, dlg] = o;
    ASSERT_EQ(c.Items(1110).size(), 12u);
    EXPECT_EQ(c.Items(1110).front(), "DM-P6 x 1");
    EXPECT_EQ(c.Items(1110)[9], "DM-P6 x 10");  // the list is not sorted
    EXPECT_EQ(c.Items(1110).back(), "DM-P6 x 12");
    EXPECT_EQ(c.Items(1122), (std::vector<std::string>{"DM-P6L", "DM-P6S"}));
    EXPECT_EQ(c.Items(3021), kAngles);
    EXPECT_EQ(c.GetCount(3022), 0);
    EXPECT_EQ(dlg.GetDepths(), std::vector<double>{0.27});

    c.Choose(dlg, 1110, 11);
    EXPECT_EQ(dlg.GetParams().size(), 12u);
    EXPECT_TRUE(c.Enabled(1122));
    EXPECT_TRUE(c.Enabled(3021));
    c.Choose(dlg, 1122, 1);
    c.Choose(dlg, 3021, 2);  // L above S: 2.5 + 7.5 - 2
    EXPECT_EQ(dlg.GetParams()[11], CTypeAandCParam(1, 8.0));
    EXPECT_EQ(dlg.GetDepths()[11], 0.268);
    EXPECT_EQ(dlg.GetWedges()[11], 15.0);
    EXPECT_EQ(c.invalidated.back(), 1109);

    const DialogTemplate* t = FindDialogTemplate(169);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->cy, 334);
}
