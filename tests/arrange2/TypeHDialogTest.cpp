// The TypeH arrangement dialog: box count and first box's kind give the
// element count, units and tilts; the curved kinds only in one box.
#include "CabinetTestSupport.h"

#include "dialogs/TypeHModuleArrangementDialog.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

using namespace cabinettest;

namespace {

using TypeH = CTypeHModuleArrangementDialog;
const std::vector<std::string> kAllKinds = {"DM-W5L", "DM-W7L", "DM-W5S", "DM-W7S"};
const std::vector<std::string> kStraightKinds = {"DM-W5L", "DM-W7L"};
const double kW5S[9] = {0.0, 0.17, 0.34, 0.68, 1.19, 1.87, 2.72, 3.74, 4.93};
const double kW7S[16] = {0.0, 0.03, 0.06, 0.12, 0.21, 0.33, 0.48, 0.66,
                         0.87, 1.11, 1.38, 1.68, 2.01, 2.37, 2.76, 3.18};

struct OpenTypeH : Open<TypeH> {
    OpenTypeH(std::size_t n, int unit) : Open<TypeH>(Units(4), CTypeAandCParamArray(n, CTypeAandCParam(unit, 0.5))) {}
    unsigned Total() const { return dlg.GetViewParam().GetTotalModules(); }
    void ExpectAll(std::size_t n, int unit) const
    {
        ASSERT_EQ(dlg.GetParams().size(), n);
        for (const CTypeAandCParam& p : dlg.GetParams())
            EXPECT_EQ(p.m_nType, unit);
    }
};

}  // namespace

TEST(TypeHArrangementDialog, OneCurvedBoxTakesItsTiltTable)
{
    OpenTypeH h(9, 0);
    EXPECT_EQ(h.c.Items(3003), (std::vector<std::string>{"DM-W x 1", "DM-W x 2"}));
    EXPECT_EQ(h.c.Items(1105), kAllKinds);
    EXPECT_EQ(h.c.Items(1106), std::vector<std::string>{"DM-W7L"});
    EXPECT_EQ(h.c.Selected(3003), "DM-W x 1");
    EXPECT_EQ(h.c.Selected(1105), "DM-W5L");
    EXPECT_FALSE(h.c.Enabled(1106));
    EXPECT_TRUE(h.c.Enabled(3003));
    // Opening keeps the parameters; every element gets wedge 0 and depth 0.08.
    EXPECT_EQ(h.dlg.GetParams()[3].m_dAngle, 0.5);
    EXPECT_EQ(h.dlg.GetWedges(), std::vector<double>(9, 0.0));
    EXPECT_EQ(h.dlg.GetDepths(), std::vector<double>(9, 0.08));

    h.c.Choose(h.dlg, 1105, 2);  // "DM-W5S"
    h.ExpectAll(9, 2);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(h.dlg.GetParams()[i].m_dAngle, kW5S[i]) << i;
    EXPECT_FALSE(h.c.Enabled(3003));
    EXPECT_EQ(h.dlg.GetVectors()[8], CAxisEntity(0.01 * 2, 0.1 * 3, 4.93));
    EXPECT_EQ(h.c.invalidated, std::vector<int>{1107});

    h.c.Choose(h.dlg, 1105, 3);  // "DM-W7S"
    h.ExpectAll(16, 3);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(h.dlg.GetParams()[i].m_dAngle, kW7S[i]) << i;
    EXPECT_EQ(h.Total(), 16u);

    h.c.Choose(h.dlg, 1105, 0);  // back to the straight "DM-W5L"
    h.ExpectAll(9, 0);
    for (const CTypeAandCParam& p : h.dlg.GetParams())
        EXPECT_EQ(p.m_dAngle, 0.0);
    EXPECT_TRUE(h.c.Enabled(3003));
}

TEST(TypeHArrangementDialog, TwoBoxesAreStraightDmW7LElements)
{
    OpenTypeH h(9, 0);
    h.c.Choose(h.dlg, 3003, 1);
    h.ExpectAll(25, 1);
    for (const CTypeAandCParam& p : h.dlg.GetParams())
        EXPECT_EQ(p.m_dAngle, 0.0);
    EXPECT_EQ(h.c.Items(1105), kStraightKinds);
    EXPECT_EQ(h.c.Selected(1105), "DM-W5L");
    EXPECT_TRUE(h.c.Enabled(1106));
    EXPECT_EQ(h.c.Selected(1106), "DM-W7L");
    unsigned counts[4];
    h.dlg.GetViewParam().GetModuleCounts(counts);
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[1], 0u);
    EXPECT_EQ(counts[2], 25u);

    h.c.Choose(h.dlg, 1105, 1);
    h.ExpectAll(32, 1);
    h.c.Choose(h.dlg, 1106, 0);
    EXPECT_EQ(h.Total(), 32u);

    // Back to one box: the curved kinds are offered again, once.
    h.c.Choose(h.dlg, 3003, 0);
    EXPECT_EQ(h.c.Items(1105), kAllKinds);
    h.ExpectAll(16, 1);
    EXPECT_FALSE(h.c.Enabled(1106));
    h.c.Choose(h.dlg, 3003, 0);
    EXPECT_EQ(h.c.Items(1105), kAllKinds);
}

TEST(TypeHArrangementDialog, OpeningOnTwoBoxesOffersOnlyTheStraightKinds)
{
    OpenTypeH h32(32, 1);
    EXPECT_EQ(h32.c.Selected(3003), "DM-W x 2");
    EXPECT_EQ(h32.c.Items(1105), kStraightKinds);
    EXPECT_EQ(h32.c.Selected(1105), "DM-W7L");
    EXPECT_TRUE(h32.c.Enabled(1106));
    EXPECT_EQ(h32.c.Selected(1106), "DM-W7L");

    OpenTypeH h25(25, 1);
    EXPECT_EQ(h25.c.Selected(1105), "DM-W5L");
    EXPECT_EQ(h25.c.Selected(3003), "DM-W x 2");

    // One curved box: the box count cannot be changed.
    OpenTypeH curved(16, 3);
    EXPECT_EQ(curved.c.Selected(1105), "DM-W7S");
    EXPECT_FALSE(curved.c.Enabled(3003));
    EXPECT_EQ(curved.c.Items(1105), kAllKinds);
}

TEST(TypeHArrangementDialog, OkRebuildsTheElementsFromTheCombos)
{
    OpenTypeH h(9, 2);  // a curved box whose tilts are all 0.5
    h.dlg.OnOK();
    EXPECT_EQ(h.dlg.GetResult(), IDOK);
    h.ExpectAll(9, 2);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(h.dlg.GetParams()[i].m_dAngle, kW5S[i]) << i;

    OpenTypeH odd(10, 5);  // counts and a unit the dialog never makes
    EXPECT_EQ(odd.c.GetCurSel(1105), CB_ERR);
    odd.dlg.OnOK();
    EXPECT_EQ(odd.Total(), 0u);  // nothing chosen: no element
    EXPECT_TRUE(odd.dlg.GetParams().empty());
}

TEST(TypeHArrangementDialog, Template)
{
    TypeH dlg(0, 0, 9, Units(4), 0);
    const DialogTemplate* t = FindDialogTemplate(168);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->cx, 360);
    EXPECT_EQ(t->cy, 318);
    std::vector<int> ids;
    for (const ControlTemplate& k : t->controls)
        if (k.kind == ControlTemplate::ComboList || k.kind == ControlTemplate::Custom)
            ids.push_back(k.id);
    EXPECT_EQ(ids, (std::vector<int>{3003, 1105, 1106, 1107}));
}
