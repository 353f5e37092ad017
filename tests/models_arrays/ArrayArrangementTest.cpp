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
    std::vector<Axis> axes;
    for (int i = 0; i < 4; ++i)
        axes.push_back({"U" + std::to_string(i), 0.3, 0.1, 1.0 + i, 0.125});
    for (int i = 0; i < 4; ++i)
        axes.push_back({"L" + std::to_string(i), 0.3, 0.1, 2.0 + i, 0.125});
    return MakeText(5, {"0", "4", "4"}, axes, 1);
}

std::string TypeSOneBox()
{
    std::vector<Axis> axes;
    for (int i = 0; i < 8; ++i)
        axes.push_back({"S" + std::to_string(i), 0.1, 0.04, 0.5 * i, 0.125});
    return MakeText(3, {"0", "0", "8"}, axes, 1);
}

std::vector<Axis> Units(int n)
{
    std::vector<Axis> axes;
    for (int i = 0; i < n; ++i)
        axes.push_back({"U" + std::to_string(i), 0.4 - 0.05 * i, 0.2, 0.0, 1.0});
    return axes;
}

struct Snapshot {
    std::vector<CPoint3D> positions, angles;
    std::vector<double> shares;
    CAxisEntityArray vectors;
    DWORD counts[3];
};

Snapshot Take(const CSpeakerModel& m)
{
    Snapshot s;
    for (const CSPVariableParam& p : m.GetPlacements()) {
        s.positions.push_back(p.GetPositionMetres());
        s.angles.push_back(p.GetAngles());
        s.shares.push_back(p.GetShare());
        s.vectors.push_back(p.GetEntity());
    }
    s.counts[0] = m.GetTapTable().GetCentreCount();
    s.counts[1] = m.GetTapTable().GetUpperCount();
    s.counts[2] = m.GetTapTable().GetLowerCount();
    return s;
}

void ExpectSame(const Snapshot& a, const Snapshot& b)
{
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.angles, b.angles);
    EXPECT_EQ(a.shares, b.shares);
    EXPECT_EQ(a.vectors, b.vectors);
    EXPECT_EQ(a.counts[0], b.counts[0]);
    EXPECT_EQ(a.counts[1], b.counts[1]);
    EXPECT_EQ(a.counts[2], b.counts[2]);
}

}  // namespace

TEST(LVArrangement, TwoToThreeBoxesRegroupsTheHalves)
{
    auto m = Import(LV3TwoBoxes());
    ASSERT_NE(m, nullptr);
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
    EXPECT_EQ(lv->GetTapTable().GetUpperCount(), 6u);
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
}

TEST(LVArrangement, DialogResultAppliesCountsAndVectors)
{
    auto m = Import(LV3TwoBoxes());
    ASSERT_NE(m, nullptr);
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    dialogs.counts = {0, 6, 6};
    for (int i = 0; i < 12; ++i)
        dialogs.entities.emplace_back(0.1, 0.3, 1.5);
    EXPECT_DOUBLE_EQ(m->DoModuleArrangement(1), 8.0 / 12.0);

    // The dialog was shown the counts and the module vectors of the model.
    EXPECT_EQ(dialogs.shownTypeCode, 5);
    EXPECT_EQ(dialogs.shownLengthUnit, 1);
    EXPECT_EQ(dialogs.shownCounts, (std::vector<DWORD>{0, 4, 4}));
    ASSERT_EQ(dialogs.shownEntities.size(), 8u);
    EXPECT_EQ(dialogs.shownEntities[5], CAxisEntity(0.1, 0.3, 3.0));

    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 12u);
    EXPECT_NEAR(p[5].GetAngles().z, 9.0, 1e-12);
    EXPECT_NEAR(p[11].GetAngles().z, 9.0, 1e-12);
    EXPECT_EQ(m->GetElements().size(), 12u);
}

TEST(LVArrangement, SplaysOnlyKeepTheCountsAndMoveTheModules)
{
    auto m = Import(LV3TwoBoxes());
    ASSERT_NE(m, nullptr);
    const double zBefore = m->GetPlacements()[7].GetPositionMetres().z;
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    dialogs.counts = {0, 4, 4};
    dialogs.entities.assign(8, CAxisEntity(0.1, 0.3, 0.0));
    EXPECT_EQ(m->DoModuleArrangement(0), 1.0);
    EXPECT_EQ(m->GetPlacements()[7].GetAngles().z, 0.0);
    EXPECT_NEAR(m->GetPlacements()[7].GetPositionMetres().z, -1.05, 1e-12);
    EXPECT_NE(m->GetPlacements()[7].GetPositionMetres().z, zBefore);
    EXPECT_DOUBLE_EQ(m->GetPlacements()[7].GetShare(), 0.125);
}

TEST(LVArrangement, SameTotalOrCentreModulesChangeNoCounts)
{
    auto m = Import(MakeText(5, {"0", "3", "5"}, {{"A", 0.3, 0.1, 1.0, 0.125}, {"A", 0.3, 0.1, 1.0, 0.125},
                                                  {"A", 0.3, 0.1, 1.0, 0.125}, {"A", 0.3, 0.1, 1.0, 0.125},
                                                  {"A", 0.3, 0.1, 1.0, 0.125}, {"A", 0.3, 0.1, 1.0, 0.125},
                                                  {"A", 0.3, 0.1, 1.0, 0.125}, {"A", 0.3, 0.1, 1.0, 0.125}},
                          1));
    ASSERT_NE(m, nullptr);
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    dialogs.counts = {0, 4, 4};
    dialogs.entities.assign(8, CAxisEntity(0.1, 0.3, 2.0));
    EXPECT_EQ(m->DoModuleArrangement(0), 1.0);
    EXPECT_EQ(m->GetTapTable().GetUpperCount(), 3u);
    EXPECT_EQ(m->GetTapTable().GetLowerCount(), 5u);
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
    EXPECT_EQ(lv->GetTapTable().GetUpperCount(), 3u);
    EXPECT_EQ(lv->GetTapTable().GetLowerCount(), 5u);
    EXPECT_EQ(lv->GetPlacements().size(), 8u);
    EXPECT_NE(Load(Store(*lv)), nullptr);
}

TEST(ArrayArrangement, CancelOrAnEmptyResultChangesNothing)
{
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    std::vector<std::unique_ptr<CSpeakerModel>> models;
    models.push_back(Import(LV3TwoBoxes()));
    models.push_back(Import(TypeSOneBox()));
    models.push_back(Import(MakeText(6, {"0", "0", "1"}, Units(2), 2)));
    models.push_back(Import(MakeText(4, {"0", "0", "1"}, Units(4), 4)));
    for (auto& m : models) {
        ASSERT_NE(m, nullptr);
        const Snapshot before = Take(*m);
        dialogs.ok = false;
        dialogs.counts = {0, 0, 16};
        dialogs.entities.assign(16, CAxisEntity(1, 1, 1));
        dialogs.params.assign(16, CTypeAandCParam(1, 4.0));
        EXPECT_EQ(m->DoModuleArrangement(0), 0.0) << m->GetTypeCode();
        ExpectSame(before, Take(*m));
        dialogs.ok = true;
        dialogs.counts = {0, 0, 0};
        EXPECT_EQ(m->DoModuleArrangement(0), 0.0) << m->GetTypeCode();
        ExpectSame(before, Take(*m));
    }
    // Without any dialog installed, every arrangement counts as cancelled.
    SetModelDialogs(nullptr);
    EXPECT_EQ(models[0]->DoModuleArrangement(0), 0.0);
    SetModelDialogs(&dialogs);
}

TEST(TypeSArrangement, ElementsKeepTheirIndexAndShareThePowerEqually)
{
    auto m = Import(TypeSOneBox());
    ASSERT_NE(m, nullptr);
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
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
}

TEST(TypeSArrangement, ImportedUpperCountIsNeitherPlacedNorChanged)
{
    std::vector<Axis> axes(8, Axis{"S", 0.1, 0.04, 2.0, 0.125});
    auto m = Import(MakeText(3, {"0", "2", "6"}, axes, 1));
    ASSERT_NE(m, nullptr);
    for (const CSPVariableParam& p : m->GetPlacements())
        EXPECT_EQ(p.GetAngles().z, 0.0);
    auto* s = dynamic_cast<CTypeSModel*>(m.get());
    s->ApplyArrangement(0, 2, 14, 16);
    EXPECT_EQ(s->GetTotalCount(), 8u);
}

TEST(CabinetArrangement, ReturnsOldOverNewCount)
{
    auto m = Import(MakeText(6, {"0", "0", "1"}, Units(2), 2));
    ASSERT_NE(m, nullptr);
    auto* a = dynamic_cast<CTypeAModel*>(m.get());
    ASSERT_TRUE(a->ApplyArrangement(0, 0, 4, 4, CTypeAandCParamArray(4)));

    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
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

TEST(CabinetArrangement, TypeHOneCurvedBoxToTwoStraightBoxes)
{
    auto m = Import(MakeText(4, {"0", "0", "0"}, Units(4), 4));
    ASSERT_NE(m, nullptr);
    auto* h = dynamic_cast<CTypeHModel*>(m.get());
    CTypeAandCParamArray w7s(16, CTypeAandCParam(3, 1.0));
    ASSERT_TRUE(h->ApplyArrangement(0, 0, 16, 16, w7s));
    EXPECT_EQ(h->GetNameSuffix(), "");
    EXPECT_NEAR(h->GetPlacements()[15].GetAngles().z, 15.0, 1e-12);

    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
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

TEST(ArrayArrangement, SavedArrangementKeepsPositionsAndAimAngles)
{
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);

    auto lv = Import(LV3TwoBoxes());
    ASSERT_NE(lv, nullptr);
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

    auto a = Import(MakeText(7, {"0", "0", "1"}, Units(2), 2));
    ASSERT_NE(a, nullptr);
    dialogs.counts = {0, 0, 5};
    dialogs.params = {{0, 0.0}, {1, 1.0}, {0, 2.0}, {1, 4.0}, {1, 8.0}};
    ASSERT_DOUBLE_EQ(a->DoModuleArrangement(0), 0.2);
    const Snapshot cabinets = Take(*a);
    auto aLoaded = Load(Store(*a));
    ASSERT_NE(aLoaded, nullptr);
    ExpectSame(Take(*aLoaded), cabinets);
    EXPECT_EQ(dynamic_cast<CTypeAandCParamArray const&>(dynamic_cast<CCabinetArrayModel&>(*aLoaded).GetParams()),
              dialogs.params);
    EXPECT_EQ(aLoaded->GetNameSuffix(), "(x 5)");
    EXPECT_EQ(aLoaded->GetElements()[4].GetBalloon(), &aLoaded->GetBalloons()[1]);
}
