// Changing the module arrangement of the array kinds through the dialog
// double, and what a saved and reloaded arrangement keeps.
#include "ArrayTestData.h"

#include "models/LV3Model.h"
#include "models/TypeAModel.h"
#include "models/TypeHModel.h"
#include "models/TypeSModel.h"

#include <gtest/gtest.h>

using namespace arraytest;

namespace {

// Eight LV-3 modules, each named and splayed after its place: U0..U3 the
// upper half, L0..L3 the lower half.
std::string LV3TwoBoxes()
{
    std::vector<Axis> axes = Modules(4, 0.3, 0.1, {1, 2, 3, 4}, "U");
    for (const Axis& a : Modules(4, 0.3, 0.1, {2, 3, 4, 5}, "L"))
        axes.push_back(a);
    for (Axis& a : axes)
        a.share = 0.125;
    return MakeText(5, {"0", "4", "4"}, axes, 1);
}

std::string TypeSOneBox()
{
    return MakeText(3, {"0", "0", "8"}, Modules(8, 0.1, 0.04, {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5}, "S"), 1);
}

// Every test runs its arrangements through the dialog double.
class Arrangement : public ::testing::Test {
protected:
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope{&dialogs};
};

}  // namespace

TEST_F(Arrangement, LVTwoToThreeBoxesRegroupsTheHalves)
{
    auto m = Imported(LV3TwoBoxes());
    auto* lv = dynamic_cast<CLV3Model*>(m.get());
    ASSERT_NE(lv, nullptr);
    lv->SetModuleCounts(0, 6, 6);

    const CSPVariableParamArray& p = lv->GetPlacements();
    ASSERT_EQ(p.size(), 12u);
    const char* names[12] = {"U0", "U1", "U2", "U3", "U3", "U3", "L0", "L1", "L2", "L3", "L3", "L3"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(p[i].GetAxis().GetName(), names[i]) << i;
        EXPECT_DOUBLE_EQ(p[i].GetShare(), 1.0 / 12.0) << i;
    }
    EXPECT_EQ(p[11].GetEntity(), CAxisEntity(0.1, 0.3, 5.0));
    EXPECT_EQ(Counts(*lv), (std::vector<DWORD>{0, 6, 6}));
    EXPECT_EQ(lv->GetElements().size(), 12u);
    EXPECT_EQ(lv->GetAxisElements().size(), 12u);
    EXPECT_EQ(lv->GetNameSuffix(), " (x 3)");
    // The lower half hangs from the rigging point again: its first module
    // (old lower 0, splay 2) sits just below it.
    EXPECT_DOUBLE_EQ(p[6].GetAngles().z, 2.0);
    EXPECT_LT(p[6].GetPositionMetres().z, 0.0);
    EXPECT_GT(p[6].GetPositionMetres().z, -0.3);

    // And back to two boxes: each half keeps its inner modules.
    lv->SetModuleCounts(0, 4, 4);
    ASSERT_EQ(lv->GetPlacements().size(), 8u);
    EXPECT_EQ(lv->GetPlacements()[4].GetAxis().GetName(), "L0");
    EXPECT_DOUBLE_EQ(lv->GetPlacements()[7].GetShare(), 0.125);

    // Through the dialog: it is shown the model's counts and module vectors;
    // the result is the old total over the new one.
    dialogs.counts = {0, 6, 6};
    dialogs.entities.assign(12, CAxisEntity(0.1, 0.3, 1.5));
    EXPECT_DOUBLE_EQ(m->DoModuleArrangement(1), 8.0 / 12.0);
    EXPECT_EQ(dialogs.shownTypeCode, 5);
    EXPECT_EQ(dialogs.shownLengthUnit, 1);
    EXPECT_EQ(dialogs.shownCounts, (std::vector<DWORD>{0, 4, 4}));
    ASSERT_EQ(dialogs.shownEntities.size(), 8u);
    EXPECT_EQ(dialogs.shownEntities[5], CAxisEntity(0.1, 0.3, 3.0));
    ASSERT_EQ(p.size(), 12u);
    EXPECT_NEAR(p[5].GetAngles().z, 9.0, 1e-12);
    EXPECT_NEAR(p[11].GetAngles().z, 9.0, 1e-12);
    EXPECT_EQ(m->GetElements().size(), 12u);
}

TEST_F(Arrangement, LVSplaysOnlyKeepTheCountsAndMoveTheModules)
{
    auto m = Imported(LV3TwoBoxes());
    const double zBefore = m->GetPlacements()[7].GetPositionMetres().z;
    dialogs.counts = {0, 4, 4};
    dialogs.entities.assign(8, CAxisEntity(0.1, 0.3, 0.0));
    EXPECT_EQ(m->DoModuleArrangement(0), 1.0);
    EXPECT_EQ(m->GetPlacements()[7].GetAngles().z, 0.0);
    EXPECT_NEAR(m->GetPlacements()[7].GetPositionMetres().z, -1.05, 1e-12);
    EXPECT_NE(m->GetPlacements()[7].GetPositionMetres().z, zBefore);
    EXPECT_DOUBLE_EQ(m->GetPlacements()[7].GetShare(), 0.125);
}

TEST_F(Arrangement, LVSameTotalCentreModulesOrWrappedHalvesChangeNoCounts)
{
    auto m = Imported(MakeText(5, {"0", "3", "5"}, Modules(8, 0.3, 0.1, std::vector<double>(8, 1.0)), 1));
    dialogs.counts = {0, 4, 4};
    dialogs.entities.assign(8, CAxisEntity(0.1, 0.3, 2.0));
    EXPECT_EQ(m->DoModuleArrangement(0), 1.0);
    EXPECT_EQ(Counts(*m), (std::vector<DWORD>{0, 3, 5}));
    EXPECT_EQ(m->GetPlacements()[0].GetEntity().z, 2.0);

    // A centre module in the result: counts and shares stay.
    auto* lv = dynamic_cast<CLV3Model*>(m.get());
    lv->SetModuleCounts(1, 4, 4);
    EXPECT_EQ(lv->GetTotalCount(), 8u);
    EXPECT_EQ(lv->GetPlacements().size(), 8u);

    // Halves whose sum wraps around the counter (here to 4 modules) are no
    // module counts either: nothing changes, and nothing is saved that could
    // not be loaded again.
    dialogs.counts = {0, 0xFFFFFFFFu, 5};
    EXPECT_EQ(m->DoModuleArrangement(0), 1.0);
    EXPECT_EQ(Counts(*m), (std::vector<DWORD>{0, 3, 5}));
    EXPECT_EQ(lv->GetPlacements().size(), 8u);
    EXPECT_NE(Load(Store(*lv)), nullptr);
}

TEST_F(Arrangement, CancelOrAnEmptyResultChangesNothing)
{
    for (const std::string& text : {LV3TwoBoxes(), TypeSOneBox(), MakeText(6, {"0", "0", "1"}, Units(2), 2),
                                    MakeText(4, {"0", "0", "1"}, Units(4), 4)}) {
        auto m = Imported(text);
        SCOPED_TRACE(m->GetTypeCode());
        const Snapshot before = Take(*m);
        dialogs.ok = false;
        dialogs.counts = {0, 0, 16};
        dialogs.entities.assign(16, CAxisEntity(1, 1, 1));
        dialogs.params.assign(16, CTypeAandCParam(1, 4.0));
        EXPECT_EQ(m->DoModuleArrangement(0), 0.0);
        ExpectSame(before, Take(*m));
        dialogs.ok = true;
        dialogs.counts = {0, 0, 0};
        EXPECT_EQ(m->DoModuleArrangement(0), 0.0);
        ExpectSame(before, Take(*m));
        // Without any dialog installed, every arrangement counts as cancelled.
        CScopedModelDialogs none(nullptr);
        EXPECT_EQ(m->DoModuleArrangement(0), 0.0);
    }
}

TEST_F(Arrangement, TypeSElementsKeepTheirIndexAndShareThePowerEqually)
{
    auto m = Imported(TypeSOneBox());
    dialogs.counts = {0, 0, 16};
    for (int i = 0; i < 16; ++i)
        dialogs.entities.emplace_back(0.04, 0.1, i < 8 ? 0.0 : 1.0);
    EXPECT_DOUBLE_EQ(m->DoModuleArrangement(0), 0.5);
    EXPECT_EQ(dialogs.shownTypeCode, 3);
    ASSERT_EQ(dialogs.shownEntities.size(), 8u);
    EXPECT_EQ(dialogs.shownEntities[3], CAxisEntity(0.04, 0.1, 1.5));

    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(p[7].GetAxis().GetName(), "S7");
    EXPECT_EQ(p[8].GetAxis().GetName(), "");
    for (int i = 0; i < 16; ++i) {
        EXPECT_DOUBLE_EQ(p[i].GetShare(), 1.0 / 16.0);
        EXPECT_NEAR(p[i].GetAngles().z, i < 8 ? 0.0 : i - 7.0, 1e-12);
    }
    EXPECT_NEAR(p[7].GetPositionMetres().z, -0.75, 1e-12);
    EXPECT_EQ(m->GetNameSuffix(), " (x 2)");
    EXPECT_EQ(m->GetElements().size(), 16u);

    // Upper modules are not a TypeS arrangement.
    dialogs.counts = {0, 8, 8};
    EXPECT_DOUBLE_EQ(m->DoModuleArrangement(0), 1.0);
    EXPECT_EQ(m->GetTapTable().GetLowerCount(), 16u);

    // An imported upper count is neither placed nor changed.
    auto u = Imported(MakeText(3, {"0", "2", "6"}, std::vector<Axis>(8, Axis{"S", 0.1, 0.04, 2.0, 0.125}), 1));
    for (const CSPVariableParam& q : u->GetPlacements())
        EXPECT_EQ(q.GetAngles().z, 0.0);
    auto* s = dynamic_cast<CTypeSModel*>(u.get());
    s->ApplyArrangement(0, 2, 14, 16);
    EXPECT_EQ(s->GetTotalCount(), 8u);
}

TEST_F(Arrangement, CabinetsReturnOldOverNewCount)
{
    auto m = Imported(MakeText(6, {"0", "0", "1"}, Units(2), 2));
    auto* a = dynamic_cast<CTypeAModel*>(m.get());
    ASSERT_TRUE(a->ApplyArrangement(0, 0, 4, 4, CTypeAandCParamArray(4)));

    dialogs.counts = {0, 0, 2};
    dialogs.params = {{1, 0.0}, {1, 6.0}};
    EXPECT_DOUBLE_EQ(a->DoModuleArrangement(0), 2.0);
    EXPECT_EQ(dialogs.shownTypeCode, 6);
    ASSERT_EQ(dialogs.shownUnits.size(), 2u);
    EXPECT_EQ(dialogs.shownUnits[1].GetName(), "U1");
    EXPECT_EQ(dialogs.shownParams.size(), 4u);
    EXPECT_EQ(a->GetParams(), dialogs.params);
    EXPECT_DOUBLE_EQ(a->GetPlacements()[1].GetAngles().z, 6.0);
    EXPECT_DOUBLE_EQ(a->GetPlacements()[1].GetShare(), 0.5);
    EXPECT_EQ(a->GetElements()[0].GetBalloon(), &a->GetBalloons()[1]);

    dialogs.counts = {0, 0, 4};
    dialogs.params.assign(4, CTypeAandCParam(0, 1.0));
    EXPECT_DOUBLE_EQ(a->DoModuleArrangement(0), 0.5);
    EXPECT_EQ(a->GetNameSuffix(), "(x 4)");

    // A result naming a unit the model does not have is not applied.
    const Snapshot before = Take(*a);
    dialogs.counts = {0, 0, 2};
    dialogs.params = {{0, 0.0}, {7, 0.0}};
    EXPECT_EQ(a->DoModuleArrangement(0), 0.0);
    ExpectSame(before, Take(*a));
}

TEST_F(Arrangement, TypeHOneCurvedBoxToTwoStraightBoxes)
{
    auto m = Imported(MakeText(4, {"0", "0", "0"}, Units(4), 4));
    auto* h = dynamic_cast<CTypeHModel*>(m.get());
    ASSERT_TRUE(h->ApplyArrangement(0, 0, 16, 16, CTypeAandCParamArray(16, CTypeAandCParam(3, 1.0))));
    EXPECT_EQ(h->GetNameSuffix(), "");
    EXPECT_NEAR(h->GetPlacements()[15].GetAngles().z, 15.0, 1e-12);

    dialogs.counts = {0, 0, 32};
    dialogs.params.assign(32, CTypeAandCParam(1, 0.0));
    EXPECT_DOUBLE_EQ(h->DoModuleArrangement(0), 0.5);
    EXPECT_EQ(dialogs.shownTypeCode, 4);
    EXPECT_EQ(dialogs.shownUnits.size(), 4u);
    EXPECT_EQ(h->GetNameSuffix(), "(x 2)");
    EXPECT_EQ(h->GetElements().size(), 32u);
    EXPECT_EQ(h->GetElements()[31].GetBalloon(), &h->GetBalloons()[1]);
    EXPECT_NEAR(h->GetPlacements()[31].GetPositionMetres().z, -32 * 0.35 + 0.175, 1e-12);
}

TEST_F(Arrangement, SavedArrangementKeepsPositionsAndAimAngles)
{
    auto lv = Imported(LV3TwoBoxes());
    dialogs.counts = {0, 6, 6};
    dialogs.entities.assign(12, CAxisEntity(0.1, 0.3, 2.5));
    ASSERT_DOUBLE_EQ(lv->DoModuleArrangement(0), 8.0 / 12.0);
    const Snapshot arranged = Take(*lv);

    auto loaded = Load(Store(*lv));
    ASSERT_NE(loaded, nullptr);
    const Snapshot back = Take(*loaded);
    EXPECT_EQ(back.positions, arranged.positions);
    EXPECT_EQ(back.angles, arranged.angles);
    EXPECT_EQ(back.shares, arranged.shares);
    EXPECT_EQ(loaded->GetNameSuffix(), " (x 3)");
    EXPECT_EQ(loaded->GetElements().size(), 12u);
    // The dialog then starts from the axis elements: the imported splays,
    // and zero vectors for the modules the count change added.
    dialogs.ok = false;
    EXPECT_EQ(loaded->DoModuleArrangement(0), 0.0);
    ASSERT_EQ(dialogs.shownEntities.size(), 12u);
    EXPECT_EQ(dialogs.shownEntities[0], CAxisEntity(0.1, 0.3, 1.0));
    EXPECT_EQ(dialogs.shownEntities[7], CAxisEntity(0.1, 0.3, 5.0));
    EXPECT_EQ(dialogs.shownEntities[11], CAxisEntity());
    dialogs.ok = true;

    auto a = Imported(MakeText(7, {"0", "0", "1"}, Units(2), 2));
    dialogs.counts = {0, 0, 5};
    dialogs.params = {{0, 0.0}, {1, 1.0}, {0, 2.0}, {1, 4.0}, {1, 8.0}};
    ASSERT_DOUBLE_EQ(a->DoModuleArrangement(0), 0.2);
    const Snapshot cabinets = Take(*a);
    auto aLoaded = Load(Store(*a));
    ASSERT_NE(aLoaded, nullptr);
    ExpectSame(Take(*aLoaded), cabinets);
    EXPECT_EQ(dynamic_cast<CCabinetArrayModel&>(*aLoaded).GetParams(), dialogs.params);
    EXPECT_EQ(aLoaded->GetNameSuffix(), "(x 5)");
    EXPECT_EQ(aLoaded->GetElements()[4].GetBalloon(), &aLoaded->GetBalloons()[1]);
}
