// Speaker > Module Arrangement... of the cabinet arrays reaches their
// dialogs through the program's registry; OK hands the counts and
// parameters back to the model, Cancel nothing.
#include "CabinetTestSupport.h"

#include "dialogs/CabinetArrangementDialogs.h"
#include "document/KDRDoc.h"
#include "models/CabinetArrayModel.h"
#include "models/ModuleArrangementRequests.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

using namespace cabinettest;

namespace {

// A document holding the example model of one kind, current.
CCabinetArrayModel* Import(CKDRDoc& doc, const char* example, int typeCode)
{
    CStdioFile file;
    if (!file.Open(std::string(KADREL_SOURCE_DIR) + "/examples/" + example))
        return nullptr;
    std::string version;
    if (!file.ReadString(version) || !doc.m_models.ImportModel(file, 0, nullptr) || doc.m_models.GetCount() != 1)
        return nullptr;
    doc.m_models.SetCurrentIndex(0);
    CSpeakerModel* model = doc.m_models.GetAt(0);
    if (model == nullptr || model->GetTypeCode() != typeCode)
        return nullptr;
    return dynamic_cast<CCabinetArrayModel*>(model);
}

}  // namespace

TEST(CabinetArrangementRunner, TheProgramRegistryOpensTheCabinetDialogs)
{
    CModuleArrangementDialogs& r = ModuleArrangementDialogs();
    EXPECT_TRUE(r.IsRegistered(6));
    EXPECT_TRUE(r.IsRegistered(7));
    EXPECT_TRUE(r.IsRegistered(4));
    EXPECT_TRUE(r.IsRegistered(5));  // the line arrays stay registered

    ScriptedRunner runner;
    runner.script = [](CDialog&, Controls&) { return IDOK; };
    // A request of the wrong shape for its code is not shown.
    CModuleVectorArrangementRequest wrong(6, 0, 0, 0, 2);
    EXPECT_FALSE(r.RunModuleArrangement(wrong));
    // Nor counts beyond any model.
    CCabinetArrangementRequest tooLong(4, 0, 0, 0, 5000);
    EXPECT_FALSE(r.RunModuleArrangement(tooLong));
    EXPECT_TRUE(runner.shown.empty());
}

TEST(CabinetArrangementRunner, OkHandsBackCountsAndParametersCancelNothing)
{
    CModuleArrangementDialogs r;
    RegisterCabinetArrangementDialogs(r);
    ScriptedRunner runner;

    CCabinetArrangementRequest request(6, 0, 0, 0, 2);
    request.m_units = Units(2);
    request.m_params = {{0, 0.0}, {0, 3.0}};
    runner.script = [](CDialog& d, Controls& c) {
        EXPECT_EQ(c.Selected(3011), "2deg");
        c.Choose(d, 3000, 2);
        c.Choose(d, 3003, 1);
        return IDCANCEL;
    };
    EXPECT_FALSE(r.RunModuleArrangement(request));
    EXPECT_EQ(runner.shown, std::vector<unsigned>{157});
    EXPECT_EQ(request.m_nLower, 2u);
    EXPECT_EQ(request.m_params, (CTypeAandCParamArray{{0, 0.0}, {0, 3.0}}));

    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 3000, 2);
        c.Choose(d, 3003, 1);
        c.Choose(d, 3012, 1);  // L above S, "1deg"
        return IDOK;
    };
    EXPECT_TRUE(r.RunModuleArrangement(request));
    EXPECT_EQ(request.m_nCentre, 0u);
    EXPECT_EQ(request.m_nUpper, 0u);
    EXPECT_EQ(request.m_nLower, 3u);
    EXPECT_EQ(request.m_params, (CTypeAandCParamArray{{0, 0.0}, {0, 3.0}, {1, 9.0}}));

    // OK without a change hands back the counts and parameters it was given.
    CCabinetArrangementRequest typeC(7, 0, 0, 1, 0);
    typeC.m_units = Units(2);
    typeC.m_params = {{1, 0.0}};
    runner.script = [](CDialog&, Controls&) { return IDOK; };
    EXPECT_TRUE(r.RunModuleArrangement(typeC));
    EXPECT_EQ(runner.shown.back(), 169u);
    EXPECT_EQ(typeC.m_nUpper, 1u);
    EXPECT_EQ(typeC.m_params, (CTypeAandCParamArray{{1, 0.0}}));
}

// Speaker > Module Arrangement... on the TypeA example: one cabinet becomes
// three, so each installation's power follows the ratio 1 / 3.
TEST(CabinetArrangementRunner, ModuleArrangementOfTheTypeAExample)
{
    CKDRDoc doc;
    CCabinetArrayModel* model = Import(doc, "SampleTypeACabinets.zsb", 6);
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->GetTotalCount(), 1u);

    CModuleArrangementDialogs r;
    RegisterCabinetArrangementDialogs(r);
    CScopedModelDialogs installed(&r);
    ScriptedRunner runner;
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 3000, 2);
        c.Choose(d, 3011, 3);  // two L: 2.0
        c.Choose(d, 3012, 2);  // two L: 3.0
        return IDOK;
    };
    ASSERT_TRUE(doc.OnUpdateSpeakerModuleArrangement());
    doc.OnSpeakerModuleArrangement();
    EXPECT_EQ(runner.shown, std::vector<unsigned>{157});
    EXPECT_EQ(model->GetTapTable().GetLowerCount(), 3u);
    EXPECT_EQ(model->GetParams(), (CTypeAandCParamArray{{0, 0.0}, {0, 2.0}, {0, 3.0}}));
    EXPECT_TRUE(doc.IsModified());

    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 3000, 0);
        return IDCANCEL;
    };
    doc.OnSpeakerModuleArrangement();
    EXPECT_EQ(model->GetTapTable().GetLowerCount(), 3u);
}

TEST(CabinetArrangementRunner, ModuleArrangementOfTheTypeCAndTypeHExamples)
{
    CModuleArrangementDialogs r;
    RegisterCabinetArrangementDialogs(r);
    CScopedModelDialogs installed(&r);
    ScriptedRunner runner;

    CKDRDoc docC;
    CCabinetArrayModel* typeC = Import(docC, "SampleTypeCCabinets.zsb", 7);
    ASSERT_NE(typeC, nullptr);
    runner.script = [](CDialog& d, Controls& c) {
        c.Choose(d, 1110, 11);
        return IDOK;
    };
    docC.OnSpeakerModuleArrangement();
    EXPECT_EQ(runner.shown.back(), 169u);
    EXPECT_EQ(typeC->GetTapTable().GetLowerCount(), 12u);

    CKDRDoc docH;
    CCabinetArrayModel* typeH = Import(docH, "SampleTypeHArray.zsb", 4);
    ASSERT_NE(typeH, nullptr);
    ASSERT_EQ(typeH->GetTotalCount(), 9u);
    runner.script = [](CDialog& d, Controls& c) {
        EXPECT_EQ(c.Selected(1105), "DM-W5L");
        c.Choose(d, 1105, 3);  // one curved "DM-W7S" box
        return IDOK;
    };
    docH.OnSpeakerModuleArrangement();
    EXPECT_EQ(runner.shown.back(), 168u);
    ASSERT_EQ(typeH->GetTotalCount(), 16u);
    EXPECT_EQ(typeH->GetParams()[15], CTypeAandCParam(3, 3.18));
    EXPECT_EQ(typeH->GetParams()[1], CTypeAandCParam(3, 0.03));
}
