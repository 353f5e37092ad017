// The TypeS arrangement dialog: box count, the curved bottom box and the
// rebuild of the column from its first element.
#include "ArrangeTestSupport.h"

#include "dialogs/TypeSModuleArrangementDialog1.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

using namespace arrangetest;

namespace {

using TypeS = CTypeSModuleArrangementDialog1;
const double kSplays[8] = {0.1, 0.3, 0.6, 0.9, 1.3, 1.5, 1.9, 2.2};
const double kWedges[8] = {0.15, 0.35, 0.65, 1.15, 1.4, 1.7, 2.15, 2.45};

CAxisEntityArray Column(std::size_t n, double lastSplay)
{
    CAxisEntityArray a;
    for (std::size_t i = 0; i < n; ++i)
        a.emplace_back(0.04 + static_cast<double>(i), 0.1, i == 0 ? 0.5 : 0.0);
    a.back().z = lastSplay;
    return a;
}

}  // namespace

TEST(TypeSArrangementDialog, TwoStraightBoxesGiveSixteenEqualElements)
{
    CAxisEntityArray e = Column(8, 0.0);
    TypeS dlg(0, 0, 8, &e, 0);
    EXPECT_EQ(dlg.GetWedges(), std::vector<double>(8, 0.0));
    EXPECT_EQ(dlg.GetDepths(), std::vector<double>(8, 0.255));
    Controls c;
    dlg.AttachControls(&c);
    dlg.OnInitDialog();
    EXPECT_EQ(c.c[1099].items, (std::vector<std::string>{"DM-R2 x 1", "DM-R2 x 2", "DM-R2 x 3", "DM-R2 x 4"}));
    EXPECT_EQ(c.Selected(1099), "DM-R2 x 1");
    EXPECT_EQ(c.GetCheck(1101), BST_UNCHECKED);
    EXPECT_EQ(e[0].z, 0.5);  // opening changes nothing

    c.Choose(dlg, 1099, 1);
    ASSERT_EQ(e.size(), 16u);
    for (const CAxisEntity& m : e)
        EXPECT_EQ(m, CAxisEntity(0.04, 0.1, 0.0));
    unsigned counts[4];
    dlg.GetViewParam().GetModuleCounts(counts);
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[1], 0u);
    EXPECT_EQ(counts[2], 16u);
    EXPECT_EQ(counts[3], 16u);
    EXPECT_EQ(dlg.GetWedges(), std::vector<double>(16, 0.0));
    EXPECT_EQ(c.Selected(1099), "DM-R2 x 2");
    EXPECT_EQ(c.invalidated, std::vector<int>{1102});
}

TEST(TypeSArrangementDialog, TheCurvedBottomBoxTakesItsTablesAndGoesAgain)
{
    CAxisEntityArray e = Column(8, 0.0);
    Open<TypeS> odlg(0, 8, e);
    auto& [c, dlg] = odlg;
    c.Click(dlg, 1101, BST_CHECKED);
    ASSERT_EQ(e.size(), 8u);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(e[k].z, kSplays[k]) << k;
        EXPECT_EQ(dlg.GetWedges()[k], kWedges[k]) << k;
    }
    c.Click(dlg, 1101, BST_UNCHECKED);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(e[k].z, 0.0) << k;
        EXPECT_EQ(dlg.GetWedges()[k], 0.0) << k;
    }
}

TEST(TypeSArrangementDialog, FourBoxesCurveOnlyTheLastEightElements)
{
    CAxisEntityArray e = Column(16, 0.0);
    Open<TypeS> odlg(0, 16, e);
    auto& [c, dlg] = odlg;
    c.SetCheck(1101, BST_CHECKED);
    c.Choose(dlg, 1099, 3);
    ASSERT_EQ(e.size(), 32u);
    for (std::size_t i = 0; i < 24; ++i)
        EXPECT_EQ(e[i].z, 0.0) << i;
    for (std::size_t k = 0; k < 8; ++k)
        EXPECT_EQ(e[24 + k].z, kSplays[k]) << k;
    EXPECT_EQ(dlg.GetViewParam().GetTotalModules(), 32u);
}

TEST(TypeSArrangementDialog, ACurvedLastElementOpensWithTheBoxChecked)
{
    CAxisEntityArray e = Column(24, 2.2);
    Open<TypeS> odlg(0, 24, e);
    auto& [c, dlg] = odlg;
    EXPECT_EQ(c.GetCheck(1101), BST_CHECKED);
    EXPECT_EQ(c.Selected(1099), "DM-R2 x 3");

    const DialogTemplate* t = FindDialogTemplate(155);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "Dialog");
    EXPECT_EQ(t->cx, 345);
    EXPECT_EQ(t->cy, 313);
}

TEST(TypeSArrangementDialog, NoBoxCountOrNoElementBuildsNothing)
{
    CAxisEntityArray e = Column(8, 0.0);
    Open<TypeS> odlg(0, 8, e);
    auto& [c, dlg] = odlg;
    c.Choose(dlg, 1099, -1);
    EXPECT_EQ(e.size(), 8u);
    EXPECT_EQ(e[0].z, 0.5);

    CAxisEntityArray none;
    Open<TypeS> oempty(0, 0, none);
    auto& [c2, empty] = oempty;
    EXPECT_EQ(c2.GetCurSel(1099), CB_ERR);
    c2.Choose(empty, 1099, 1);
    EXPECT_TRUE(none.empty());
}
