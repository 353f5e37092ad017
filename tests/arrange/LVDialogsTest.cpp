// The LV-3 and LV-6 arrangement dialogs: combos from the module splays,
// splays from the combos, box-count changes and the splay modes offered.
#include "ArrangeTestSupport.h"

#include "dialogs/LV3ModuleArrangementDialog1.h"
#include "dialogs/LV6ModuleArrangementDialog.h"
#include "platform/AppSettings.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

using namespace arrangetest;

namespace {

using LV3 = CLV3ModuleArrangementDialog1;
using LV6 = CLV6ModuleArrangementDialog;

// Modules of 0.32 length whose x offset tells them apart (index / 100).
CAxisEntityArray Modules(const std::vector<double>& splays)
{
    CAxisEntityArray a;
    for (std::size_t i = 0; i < splays.size(); ++i)
        a.emplace_back(static_cast<double>(i) / 100.0, 0.32, splays[i]);
    return a;
}

class SpecialUserLevel {
public:
    explicit SpecialUserLevel(int level) : m_saved(AppSettings().m_nSpecialUserLevel)
    {
        AppSettings().m_nSpecialUserLevel = level;
    }
    ~SpecialUserLevel() { AppSettings().m_nSpecialUserLevel = m_saved; }

private:
    int m_saved;
};

int VisibleCount(const Controls& c, int first, int count)
{
    int n = 0;
    for (int id = first; id < first + count; ++id)
        n += c.IsWindowVisible(id) ? 1 : 0;
    return n;
}

}  // namespace

TEST(LV3ArrangementDialog, OpeningSelectsTheModesOfTheSplaysAndShowsTwoBoxes)
{
    SpecialUserLevel level(0);
    CAxisEntityArray e = Modules({-1.875, -3.75, -3.75, -3.75, 1.875, 3.75, 3.75, 3.75});
    const CAxisEntityArray before = e;
    LV3 dlg(0, 4, 4, &e, 0);
    EXPECT_EQ(dlg.GetWedges(), std::vector<double>(8, 15.0));
    EXPECT_EQ(dlg.GetDepths(), std::vector<double>(8, 0.256));
    Controls c;
    dlg.AttachControls(&c);
    EXPECT_TRUE(dlg.OnInitDialog());

    EXPECT_EQ(c.Selected(1052), "LV-3 x 2");
    EXPECT_EQ(c.c[1052].items, (std::vector<std::string>{"LV-3 x 1", "LV-3 x 2", "LV-3 x 3", "LV-3 x 4"}));
    for (int id = 2001; id <= 2007; ++id)
        EXPECT_EQ(c.Selected(id), "15deg-mode") << id;
    EXPECT_EQ(VisibleCount(c, 2001, 15), 7);
    EXPECT_EQ(VisibleCount(c, 1021, 16), 8);
    EXPECT_EQ(VisibleCount(c, 1055, 4), 2);
    EXPECT_EQ(VisibleCount(c, 1059, 3), 1);
    EXPECT_TRUE(c.IsWindowVisible(1059));
    EXPECT_EQ(e, before);  // opening changes no module vector
}

TEST(LV3ArrangementDialog, SpecialUserLevelOneOffersThreeFurtherModes)
{
    CAxisEntityArray e = Modules({-1.25, -2.5, 0.0, 0.0, 1.25, 2.5, 0.0, 0.0});
    {
        SpecialUserLevel level(0);
        Open<LV3> o(4, 4, e);
        auto& [c, dlg] = o;
        EXPECT_EQ(c.c[2001].items,
                  (std::vector<std::string>{"60deg-mode", "45deg-mode", "30deg-mode", "15deg-mode"}));
        // 2.5 and 0.0 are modes this user is not offered: no selection.
        EXPECT_EQ(c.GetCurSel(2004), CB_ERR);
        EXPECT_EQ(c.GetCurSel(2003), CB_ERR);
        // A combo without a selection leaves its modules as they are.
        c.Choose(dlg, 2005, 0);
        EXPECT_EQ(e[0].z, -1.25);
        EXPECT_EQ(e[4].z, 1.25);
        EXPECT_EQ(e[5].z, 15.0);
    }
    {
        SpecialUserLevel level(1);
        CAxisEntityArray e2 = Modules({-1.25, -2.5, 0.0, 0.0, 1.25, 2.5, 0.0, 0.0});
        Open<LV3> o(4, 4, e2);
        auto& [c, dlg] = o;
        EXPECT_EQ(c.c[2001].items,
                  (std::vector<std::string>{"60deg-mode", "45deg-mode", "30deg-mode", "15deg-mode", "10deg-mode(*)",
                                            "5deg-mode(*)", "0deg-mode(*)"}));
        EXPECT_EQ(c.Selected(2004), "10deg-mode(*)");  // 1.25 / 0.5
        EXPECT_EQ(c.Selected(2003), "10deg-mode(*)");  // module 1: -2.5 / -1
        EXPECT_EQ(c.Selected(2001), "0deg-mode(*)");
        EXPECT_EQ(c.Selected(2007), "0deg-mode(*)");
    }
}

TEST(LV3ArrangementDialog, SplayAgainstItsHalfLeavesTheComboUnselected)
{
    SpecialUserLevel level(1);
    // Module 1 splays forward although it is in the upper half.
    CAxisEntityArray e = Modules({-1.875, 3.75, -3.75, -3.75, 1.875, 3.75, 3.75, 3.75});
    Open<LV3> o(4, 4, e);
    auto& [c, dlg] = o;
    EXPECT_EQ(c.GetCurSel(2003), CB_ERR);
    dlg.ApplyComboAngles(8);
    EXPECT_EQ(e[1].z, 3.75);
}

TEST(LV3ArrangementDialog, TheRiggingJointSplaysBothCentreModulesByHalf)
{
    SpecialUserLevel level(0);
    CAxisEntityArray e = Modules({-1.875, -3.75, -3.75, -3.75, 1.875, 3.75, 3.75, 3.75});
    Open<LV3> o(4, 4, e);
    auto& [c, dlg] = o;
    c.Choose(dlg, 2004, 0);  // combo h-1: "60deg-mode"
    EXPECT_EQ(e[0].z, -7.5);
    EXPECT_EQ(e[4].z, 7.5);
    EXPECT_EQ(c.invalidated, std::vector<int>{1098});

    c.Choose(dlg, 2001, 2);  // the joint between the two top modules: "30deg-mode"
    EXPECT_EQ(e[3].z, -7.5);
    c.Choose(dlg, 2007, 1);  // the joint between the two bottom modules: "45deg-mode"
    EXPECT_EQ(e[7].z, 11.25);
    EXPECT_EQ(e[1].z, -3.75);
    EXPECT_EQ(e[5].z, 3.75);
}

// The two centre modules share the rigging joint's combo. When their splays
// disagree, the first module of the lower half decides its selection; a
// change of any combo then writes half that mode to both, opposite in sign.
TEST(LVArrangementDialogs, TheSharedRiggingComboFollowsTheFirstLowerModule)
{
    SpecialUserLevel level(0);
    {
        // LV-3 x 2: module 0 says 15deg (-1.875 / -0.5), module 4 60deg (7.5 / 0.5).
        CAxisEntityArray e = Modules({-1.875, -3.75, -3.75, -3.75, 7.5, 3.75, 3.75, 3.75});
        Open<LV3> o(4, 4, e);
        auto& [c, dlg] = o;
        EXPECT_EQ(c.Selected(2004), "60deg-mode");
        c.Choose(dlg, 2001, 3);  // the top joint, unchanged
        EXPECT_EQ(e[0].z, -7.5);
        EXPECT_EQ(e[4].z, 7.5);
    }
    {
        // LV-6 x 1: module 0 says 60deg (-7.5 / -0.5), module 2 15deg (1.875 / 0.5).
        CAxisEntityArray e = Modules({-7.5, -3.75, 1.875, 3.75});
        Open<LV6> o(2, 2, e);
        auto& [c, dlg] = o;
        EXPECT_EQ(c.Selected(1122), "15deg-mode");
        c.Choose(dlg, 1121, 3);
        EXPECT_EQ(e[0].z, -1.875);
        EXPECT_EQ(e[2].z, 1.875);
    }
}

TEST(LV3ArrangementDialog, FewerBoxesKeepTheModulesNextToTheRiggingPoint)
{
    SpecialUserLevel level(0);
    CAxisEntityArray e = Modules({-1.875, -3.75, -7.5, -11.25, 1.875, 3.75, 7.5, 11.25});
    Open<LV3> o(4, 4, e);
    auto& [c, dlg] = o;
    c.Choose(dlg, 1052, 0);  // "LV-3 x 1"
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].x, 0.00);
    EXPECT_EQ(e[1].x, 0.01);
    EXPECT_EQ(e[2].x, 0.04);
    EXPECT_EQ(e[3].x, 0.05);
    EXPECT_EQ(e[0].z, -1.875);
    EXPECT_EQ(e[1].z, -3.75);
    EXPECT_EQ(e[2].z, 1.875);
    EXPECT_EQ(e[3].z, 3.75);
    unsigned counts[4];
    dlg.GetViewParam().GetModuleCounts(counts);
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[1], 2u);
    EXPECT_EQ(counts[2], 2u);
    EXPECT_EQ(counts[3], 4u);
    EXPECT_EQ(dlg.GetWedges().size(), 4u);
    EXPECT_EQ(VisibleCount(c, 2001, 15), 3);
    EXPECT_EQ(VisibleCount(c, 1021, 16), 4);
    EXPECT_EQ(VisibleCount(c, 1055, 4), 1);
    EXPECT_EQ(VisibleCount(c, 1059, 3), 0);
}

TEST(LV3ArrangementDialog, MoreBoxesRepeatTheOutermostModuleOfEachHalf)
{
    SpecialUserLevel level(0);
    CAxisEntityArray e = Modules({-1.875, -7.5, 1.875, 7.5});
    Open<LV3> o(2, 2, e);
    auto& [c, dlg] = o;
    EXPECT_EQ(c.Selected(1052), "LV-3 x 1");
    c.Choose(dlg, 1052, 2);  // "LV-3 x 3"
    ASSERT_EQ(e.size(), 12u);
    const double xs[12] = {0.00, 0.01, 0.01, 0.01, 0.01, 0.01, 0.02, 0.03, 0.03, 0.03, 0.03, 0.03};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(e[static_cast<std::size_t>(i)].x, xs[i]) << i;
    // The splays are written again from the combos: the repeated modules
    // keep "30deg-mode" of the old outermost joints.
    EXPECT_EQ(e[0].z, -1.875);
    EXPECT_EQ(e[5].z, -7.5);
    EXPECT_EQ(e[6].z, 1.875);
    EXPECT_EQ(e[11].z, 7.5);
    EXPECT_EQ(dlg.GetViewParam().GetTotalModules(), 12u);
    EXPECT_EQ(dlg.GetViewParam().m_nUpper, 6u);
    EXPECT_EQ(VisibleCount(c, 2001, 15), 11);
    EXPECT_EQ(VisibleCount(c, 1055, 4), 3);
    EXPECT_EQ(VisibleCount(c, 1059, 3), 2);
}

TEST(LV3ArrangementDialog, TemplateHoldsTheControlsAtTheirPlaces)
{
    CAxisEntityArray e = Modules({0, 0});
    LV3 dlg(0, 1, 1, &e, 0);
    const DialogTemplate* t = FindDialogTemplate(149);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "Properties for LV-3");
    EXPECT_EQ(t->cx, 452);
    EXPECT_EQ(t->cy, 420);
    auto find = [t](int id) {
        for (const ControlTemplate& k : t->controls)
            if (k.id == id)
                return k;
        return ControlTemplate();
    };
    // The joint between two boxes sits in its connector left of the boxes,
    // at their meeting line.
    EXPECT_EQ(find(2012).x, 10);
    EXPECT_EQ(find(2012).y, 300);
    EXPECT_EQ(find(2013).x, 90);
    EXPECT_EQ(find(1036).x, 160);
    EXPECT_EQ(find(1036).y, 104 + 270);
    EXPECT_EQ(find(1036).text, "4th Module");
    EXPECT_EQ(find(1058).x, 85);
    EXPECT_EQ(find(1058).text, "LV-3 (4)");
    EXPECT_EQ(find(1061).y, 290);
    EXPECT_EQ(find(1061).text, "QJ-RT3");
    EXPECT_EQ(find(1098).kind, ControlTemplate::Custom);
    EXPECT_EQ(find(1098).cx, 210);
}

TEST(LV6ArrangementDialog, OneCabinetOpensWithFourModulesAndNoConnector)
{
    CAxisEntityArray e = Modules({-1.875, -3.75, 1.875, 3.75});
    Open<LV6> o(2, 2, e);
    auto& [c, dlg] = o;
    EXPECT_EQ(c.c[1120].items, (std::vector<std::string>{"LV-6 x 1", "LV-6 x 2"}));
    EXPECT_EQ(c.Selected(1120), "LV-6 x 1");
    EXPECT_EQ(VisibleCount(c, 1130, 8), 4);
    EXPECT_EQ(VisibleCount(c, 1121, 7), 3);
    EXPECT_TRUE(c.IsWindowVisible(1139));
    EXPECT_FALSE(c.IsWindowVisible(1140));
    EXPECT_FALSE(c.IsWindowVisible(1138));
    EXPECT_EQ(c.Selected(1122), "15deg-mode");
    EXPECT_EQ(c.Selected(1121), "15deg-mode");

    c.Choose(dlg, 1120, 1);  // "LV-6 x 2"
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(VisibleCount(c, 1130, 8), 8);
    EXPECT_EQ(VisibleCount(c, 1121, 7), 7);
    EXPECT_TRUE(c.IsWindowVisible(1140));
    EXPECT_TRUE(c.IsWindowVisible(1138));
    const double xs[8] = {0.00, 0.01, 0.01, 0.01, 0.02, 0.03, 0.03, 0.03};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(e[static_cast<std::size_t>(i)].x, xs[i]) << i;
    EXPECT_EQ(e[3].z, -3.75);
    EXPECT_EQ(e[7].z, 3.75);
    EXPECT_EQ(c.invalidated.back(), 1129);
    const DialogTemplate* t = FindDialogTemplate(159);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "Properties for LV-6");
}

TEST(LV6ArrangementDialog, EveryComboOffersZeroDegreesWhateverTheUserLevel)
{
    SpecialUserLevel level(0);
    CAxisEntityArray e = Modules({0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    Open<LV6> o(4, 4, e);
    auto& [c, dlg] = o;
    for (int id = 1121; id <= 1127; ++id) {
        EXPECT_EQ(c.c[id].items,
                  (std::vector<std::string>{"60deg-mode", "45deg-mode", "30deg-mode", "15deg-mode", "0deg-mode"}));
        EXPECT_EQ(c.Selected(id), "0deg-mode") << id;
    }
    c.Choose(dlg, 1124, 3);
    EXPECT_EQ(e[0].z, -1.875);
    EXPECT_EQ(e[4].z, 1.875);
    EXPECT_EQ(e[1].z, 0.0);
}
