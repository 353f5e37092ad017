// The arrangement runner: a request opens the dialog of its kind, OK hands
// the counts and module vectors back to the model, Cancel nothing; the
// power of a low-impedance tap follows the new module count.
#include "ArrangeTestSupport.h"

#include "dialogs/ModuleArrangementDialogs.h"
#include "document/KDRDoc.h"
#include "models/ModuleArrangementRequests.h"
#include "models/SpeakerModel.h"
#include "platform/AppSettings.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

using namespace arrangetest;

namespace {

CAxisEntityArray LV3Modules()
{
    CAxisEntityArray a;
    const double splays[8] = {-1.875, -3.75, -3.75, -3.75, 1.875, 3.75, 3.75, 3.75};
    for (int i = 0; i < 8; ++i)
        a.emplace_back(0.12, 0.32, splays[i]);
    return a;
}

}  // namespace

TEST(ArrangementRunner, TheProgramRegistryKnowsTheLineArrays)
{
    CModuleArrangementDialogs& r = ModuleArrangementDialogs();
    EXPECT_TRUE(r.IsRegistered(5));
    EXPECT_TRUE(r.IsRegistered(8));
    EXPECT_TRUE(r.IsRegistered(3));
    EXPECT_FALSE(r.IsRegistered(2));  // TypeT has no arrangement dialog

    ScriptedRunner runner;
    runner.script = [](CDialog&, Controls&) { return IDOK; };
    CModuleVectorArrangementRequest typeT(2, 0, 0, 0, 8);
    EXPECT_FALSE(r.RunModuleArrangement(typeT));
    EXPECT_TRUE(runner.shown.empty());
    // A request of the wrong shape for its code is not shown either.
    CCabinetArrangementRequest wrong(5, 0, 0, 4, 4);
    EXPECT_FALSE(r.RunModuleArrangement(wrong));
    EXPECT_TRUE(runner.shown.empty());
}

TEST(ArrangementRunner, OkHandsBackTheCountsAndVectorsCancelNothing)
{
    CModuleArrangementDialogs r;
    RegisterLineArrayArrangementDialogs(r);
    CScopedModelDialogs installed(&r);
    ScriptedRunner runner;
    const int saved = AppSettings().m_nSpecialUserLevel;
    AppSettings().m_nSpecialUserLevel = 0;

    CModuleVectorArrangementRequest request(5, 0, 0, 4, 4);
    request.m_entities = LV3Modules();
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 1052, 0);  // "LV-3 x 1"
        c.Choose(d, 2002, 0);  // the rigging joint: "60deg-mode"
        return IDCANCEL;
    };
    EXPECT_FALSE(RunModuleArrangementDialog(request));
    EXPECT_EQ(runner.shown, std::vector<unsigned>{149});
    EXPECT_EQ(request.m_nUpper, 4u);
    EXPECT_EQ(request.m_entities, LV3Modules());

    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 1052, 0);
        c.Choose(d, 2002, 0);
        return IDOK;
    };
    EXPECT_TRUE(RunModuleArrangementDialog(request));
    EXPECT_EQ(request.m_nCentre, 0u);
    EXPECT_EQ(request.m_nUpper, 2u);
    EXPECT_EQ(request.m_nLower, 2u);
    ASSERT_EQ(request.m_entities.size(), 4u);
    EXPECT_EQ(request.m_entities[0].z, -7.5);
    EXPECT_EQ(request.m_entities[1].z, -3.75);
    EXPECT_EQ(request.m_entities[2].z, 7.5);
    EXPECT_EQ(request.m_entities[3].z, 3.75);

    CModuleVectorArrangementRequest lv6(8, 0, 0, 2, 2);
    lv6.m_entities = {CAxisEntity(0, 0.4, -1.875), CAxisEntity(0, 0.4, -3.75), CAxisEntity(0, 0.4, 1.875),
                      CAxisEntity(0, 0.4, 3.75)};
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 1120, 1);
        return IDOK;
    };
    EXPECT_TRUE(RunModuleArrangementDialog(lv6));
    EXPECT_EQ(runner.shown.back(), 159u);
    EXPECT_EQ(lv6.GetTotal(), 8u);
    EXPECT_EQ(lv6.m_entities.size(), 8u);

    // Fewer vectors than counted modules: the dialog works on a full set.
    CModuleVectorArrangementRequest typeS(3, 0, 0, 0, 16);
    typeS.m_entities = {CAxisEntity(0.04, 0.1, 0.0)};
    runner.script = [](CDialog& d, Controls& c) {
        c.Click(d, 1101, BST_CHECKED);
        return IDOK;
    };
    EXPECT_TRUE(RunModuleArrangementDialog(typeS));
    EXPECT_EQ(runner.shown.back(), 155u);
    EXPECT_EQ(typeS.m_nLower, 16u);
    ASSERT_EQ(typeS.m_entities.size(), 16u);
    EXPECT_EQ(typeS.m_entities[15].z, 2.2);
    EXPECT_EQ(typeS.m_entities[7].z, 0.0);

    AppSettings().m_nSpecialUserLevel = saved;
}

// Speaker > Module Arrangement... on the LV-3 sample: two boxes become four,
// so each of twice as many modules takes half the power, and the installed
// power of its low-impedance tap doubles.
TEST(ArrangementRunner, ThePowerRatioReachesTheModuleArrangementCommand)
{
    CKDRDoc doc;
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(std::string(KADREL_SOURCE_DIR) + "/examples/SampleLV3Array.zsb"));
        std::string version;
        ASSERT_TRUE(file.ReadString(version));
        ASSERT_TRUE(doc.m_models.ImportModel(file, 0, nullptr));
    }
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    doc.m_models.SetCurrentIndex(0);
    CSpeakerModel* model = doc.m_models.GetAt(0);
    ASSERT_EQ(model->GetTypeCode(), 5);
    model->SetCurrentTap(0);
    ASSERT_TRUE(model->IsLowImpedanceTap(0));
    doc.m_installations.AddInstallation(0, 0, 1.0, 1.0, 3.0, 0.0, 0.0, 0.0, 60.0, TRUE);

    CModuleArrangementDialogs r;
    RegisterLineArrayArrangementDialogs(r);
    CScopedModelDialogs installed(&r);
    ScriptedRunner runner;
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 1052, 3);  // "LV-3 x 4"
        return IDOK;
    };
    ASSERT_TRUE(doc.OnUpdateSpeakerModuleArrangement());
    doc.OnSpeakerModuleArrangement();
    EXPECT_EQ(runner.shown, std::vector<unsigned>{149});
    EXPECT_EQ(model->GetTapTable().GetUpperCount(), 8u);
    EXPECT_EQ(model->GetTapTable().GetLowerCount(), 8u);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 120.0);
    EXPECT_TRUE(doc.IsModified());

    // Cancel changes neither the model nor the power.
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 1052, 0);
        return IDCANCEL;
    };
    doc.OnSpeakerModuleArrangement();
    EXPECT_EQ(model->GetTapTable().GetUpperCount(), 8u);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 120.0);
}

// The LV-3 and LV-6 examples open their dialogs with a splay mode selected
// in every joint's combo, at the user level that offers the fewest modes;
// choosing the box count they have rewrites every splay from the combos and
// leaves each as the file gave it.
TEST(ArrangementRunner, TheLineArrayExamplesOpenWithAModeInEveryJoint)
{
    struct Case {
        const char* file;
        int typeCode;
        int countCombo;
        int firstAngleCombo;
        int angleCombos;
    };
    const int saved = AppSettings().m_nSpecialUserLevel;
    AppSettings().m_nSpecialUserLevel = 0;
    for (const Case& ex : {Case{"SampleLV3Array.zsb", 5, 1052, 2001, 15}, Case{"SampleLV6Array.zsb", 8, 1120, 1121, 7}}) {
        SCOPED_TRACE(ex.file);
        CKDRDoc doc;
        CStdioFile file;
        ASSERT_TRUE(file.Open(std::string(KADREL_SOURCE_DIR) + "/examples/" + ex.file));
        std::string version;
        ASSERT_TRUE(file.ReadString(version));
        ASSERT_TRUE(doc.m_models.ImportModel(file, 0, nullptr));
        doc.m_models.SetCurrentIndex(0);
        CSpeakerModel* model = doc.m_models.GetAt(0);
        ASSERT_EQ(model->GetTypeCode(), ex.typeCode);
        CAxisEntityArray before;
        for (const CSPVariableParam& p : model->GetPlacements())
            before.push_back(p.GetEntity());

        CModuleArrangementDialogs r;
        RegisterLineArrayArrangementDialogs(r);
        CScopedModelDialogs installed(&r);
        ScriptedRunner runner;
        int visible = 0;
        runner.script = [&ex, &visible](CDialog& d, Controls& c) {
            for (int id = ex.firstAngleCombo; id < ex.firstAngleCombo + ex.angleCombos; ++id) {
                if (!c.IsWindowVisible(id))
                    continue;
                ++visible;
                EXPECT_NE(c.Selected(id), "") << id;
            }
            c.Choose(d, ex.countCombo, c.GetCurSel(ex.countCombo));
            return IDOK;
        };
        doc.OnSpeakerModuleArrangement();
        ASSERT_EQ(runner.shown.size(), 1u);
        EXPECT_EQ(visible, static_cast<int>(before.size()) - 1);
        ASSERT_EQ(model->GetPlacements().size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(model->GetPlacements()[i].GetEntity(), before[i]) << i;
    }
    AppSettings().m_nSpecialUserLevel = saved;
}

// Counts the dialogs never make (an import file's uneven halves, very long
// arrays) open and close without reaching past the controls or vectors;
// counts beyond any model are refused.
TEST(ArrangementRunner, UnusualCountsStayWithinTheControls)
{
    CModuleArrangementDialogs r;
    RegisterLineArrayArrangementDialogs(r);
    ScriptedRunner runner;

    CModuleVectorArrangementRequest uneven(5, 0, 0, 3, 5);
    uneven.m_entities = LV3Modules();
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 2004, 1);
        c.Choose(d, 1052, 1);
        return IDOK;
    };
    EXPECT_TRUE(r.RunModuleArrangement(uneven));
    EXPECT_EQ(uneven.m_nUpper, 4u);
    EXPECT_EQ(uneven.m_nLower, 4u);
    EXPECT_EQ(uneven.m_entities.size(), 8u);

    CModuleVectorArrangementRequest longArray(8, 0, 0, 2048, 2048);
    longArray.m_entities.assign(4096, CAxisEntity(0.0, 0.4, 3.75));
    runner.script = [](CDialog& d, Controls& c) {
        EXPECT_EQ(c.GetCurSel(1120), CB_ERR);
        c.Choose(d, 1121, 0);
        return IDOK;
    };
    EXPECT_TRUE(r.RunModuleArrangement(longArray));
    EXPECT_EQ(longArray.m_entities.size(), 4096u);

    CModuleVectorArrangementRequest tooLong(3, 0, 0, 0, 5000);
    runner.shown.clear();
    EXPECT_FALSE(r.RunModuleArrangement(tooLong));
    EXPECT_TRUE(runner.shown.empty());

    CModuleVectorArrangementRequest wrapping(3, 0, 0, 0xFFFFFFFFu, 2);
    EXPECT_FALSE(r.RunModuleArrangement(wrapping));
    EXPECT_TRUE(runner.shown.empty());
}
