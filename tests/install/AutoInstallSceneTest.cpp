// The automatic installation with a real speaker model and the SPL map
// calculation behind the coverage scan, through the dialogs as the program
// runs them.

#include "InstallTestSupport.h"

#include "dialogs/InstallationCommandsUi.h"
#include "document/AutoInstallLayout.h"
#include "platform/TextFile.h"
#include "tools/zsbgen/ZsbWriter.h"
#include "views/SPLMapCalculator.h"

#include <gtest/gtest.h>

namespace {

void ImportCeilingSpeaker(CKDRDoc& doc)
{
    ZsbRecipe recipe;
    recipe.typeCode = 1;
    recipe.name = "Auto Ceiling";
    recipe.pitch = 3;
    recipe.lowest = 100.0;
    recipe.highest = 10000.0;
    recipe.meridianStep = 30.0;
    recipe.polarStep = 15.0;
    recipe.taps.push_back(ZsbTap{'h', 100.0, 6.0});
    CStdioFile file;
    file.OpenText(MakeZsbText(recipe));
    std::string first;
    file.ReadString(first);
    ASSERT_TRUE(doc.m_models.ImportModel(file, doc.m_nLengthUnit, nullptr));
    doc.m_models.SetCurrentIndex(doc.m_models.GetCount() - 1);
}

class AutoInstallSceneTest : public ::testing::Test {
protected:
    AutoInstallSceneTest()
    {
        doc.m_nLengthUnit = 0;
        doc.m_installations.m_nCeilingKind = 1;
        CInstallationContainer& room = doc.m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, 0.0);
        room.SetRoom(CInstallationContainer::kReferenceY0, 0.0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, 20.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 12.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 4.0);
    }
    CKDRDoc doc;
    CInstallationCommandsUi ui;
    CScopedInstallationUi scopedUi{&ui};
    CFakeDocumentUi docUi;
    CScriptRunner runner;
};

TEST_F(AutoInstallSceneTest, TheGridFollowsTheMeasuredCoverageOfTheProbe)
{
    ImportCeilingSpeaker(doc);
    AddCondition(doc, 1.2);
    CFakeMapView map(doc, 0);
    doc.m_nAdvancedMode = 2;
    // The user keeps everything but picks 1 octave at the proposed 1 kHz.
    runner.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1028].text, "4");     // room height
        EXPECT_EQ(c.c[1030].text, "90");    // ceiling kind looks down
        c.c[1010].sel = 1;                  // "1 Oct. Band" (the list starts at the data's 1/3)
        d.OnControlCommand(1010, CBN_SELCHANGE);
        d.OnOK();
    };

    ASSERT_EQ(doc.AutoInstall(), 0);
    EXPECT_EQ(doc.m_dAutoBand, 1.0);
    EXPECT_NEAR(doc.m_dAutoCenterFreq, 1000.0, 1e-9);
    ASSERT_TRUE(doc.m_bAutoInstalled);

    // The same scan on a probe alone, by hand.
    CKDRDoc probe;
    probe.m_installations.m_nCeilingKind = 1;
    for (int i = 0; i < CInstallationContainer::kRoomEntries; ++i)
        probe.m_installations.SetRoom(i, doc.m_installations.GetRoom(i));
    ImportCeilingSpeaker(probe);
    AddCondition(probe, 1.2);
    probe.m_dAutoBand = 1.0;
    probe.m_dAutoCenterFreq = doc.m_dAutoCenterFreq;
    probe.m_installations.AddInstallation(0, 0, 0.0, 0.0, 4.0, 0.0, 0.0, 90.0, 6.0, TRUE);
    CSPLMapCalculator calc(probe, 0);
    double d[4] = {0, 0, 0, 0};
    double offset = 0.0;
    ASSERT_EQ(calc.CalcCoverageX(d[0], d[1], offset, 6.0), 0);
    ASSERT_EQ(calc.CalcCoverageY(d[2], d[3], offset, 6.0), 0);
    CAutoInstallLayout layout;
    ASSERT_TRUE(layout.Compute(d, 2, CAutoInstallLayout::kRectangle, 0.0, 0.0, 20.0, 12.0));
    ASSERT_GT(layout.m_points.size(), 1u);

    ASSERT_EQ(doc.m_installations.GetCount(), static_cast<int>(layout.m_points.size()));
    for (int i = 0; i < doc.m_installations.GetCount(); ++i) {
        const CInstallationElement* e = doc.m_installations.GetAt(i);
        EXPECT_EQ(e->GetPosition().x, layout.m_points[static_cast<std::size_t>(i)].x) << i;
        EXPECT_EQ(e->GetPosition().y, layout.m_points[static_cast<std::size_t>(i)].y) << i;
        EXPECT_EQ(e->GetPosition().z, 4.0);
        EXPECT_EQ(e->GetAngles().z, 90.0);
        EXPECT_EQ(e->GetPower(), 6.0);
    }
    EXPECT_EQ(doc.m_dAutoDistance[3], d[0] + d[1]);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,0)"});
}

TEST_F(AutoInstallSceneTest, ABandTheSpeakerDoesNotReachKeepsTheRoomAndSaysSo)
{
    ImportCeilingSpeaker(doc);
    AddCondition(doc, 1.2);
    doc.m_installations.AddInstallation(0, 0, 3.0, 4.0, 4.0, 0.0, 0.0, 90.0, 6.0, TRUE);
    doc.m_nAdvancedMode = 2;
    CRecordingMessageBox box;
    runner.script = [](CDialog& d, CFakeControls& c) {
        // 1/3 octave at the top of the list: far above the data's 10 kHz.
        c.c[1010].sel = 0;
        d.OnControlCommand(1010, CBN_SELCHANGE);
        c.c[1015].sel = static_cast<int>(c.c[1015].items.size()) - 1;
        d.OnControlCommand(1015, CBN_SELCHANGE);
        d.OnOK();
    };
    EXPECT_EQ(doc.AutoInstall(), 1);
    EXPECT_EQ(doc.m_dAutoCenterFreq, 0.0);  // the dialog's values given back
    ASSERT_EQ(doc.m_installations.GetCount(), 1);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().x, 3.0);
    EXPECT_FALSE(doc.m_bAutoInstalled);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].first.rfind("The automatic installation could not be made: the coverage", 0), 0u);
}

}  // namespace
