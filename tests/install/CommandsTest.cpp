// Installation > Manually / Properties / Remove / Remove All, Room
// Parameters, Recalculate, their enabling and the paging of the printed
// installation table.

#include "InstallTestSupport.h"

#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* const kMixed = "High and low impedance speakers can not be mixed in one room.";
const char* const kSamePlace =
    "Are you sure that you want to install this speaker at the same position where you already installed? ";
const char* const kRemove = "Are you sure you want to remove this speaker?";

const std::vector<long> kInstallationUpdate = {kHintRecalcMaps, kHintInstallationList, kHintGraphs};

class InstallCommandsTest : public ::testing::Test {
protected:
    InstallCommandsTest()
    {
        doc.m_nLengthUnit = 0;
        CInstallationContainer& room = doc.m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, 0.0);
        room.SetRoom(CInstallationContainer::kReferenceY0, 0.0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 10.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
    }
    void Install(double x, double y, double z, double az = 0.0, double rot = 0.0, double el = 0.0)
    {
        doc.m_installations.AddInstallation(static_cast<DWORD>(doc.m_models.GetCurrentIndex()), 0, x, y, z, az, rot,
                                            el, 10.0, TRUE);
        doc.m_installations.SetCurrentIndex(doc.m_installations.GetCount() - 1);
    }
    bool Enabled(unsigned id)
    {
        bool enabled = false;
        EXPECT_TRUE(doc.GetInstallCommandEnabled(id, enabled));
        return enabled;
    }

    CKDRDoc doc;
    CFakeInstallationUi ui;
    CFakeDocumentUi docUi;
};

TEST_F(InstallCommandsTest, ManuallyProposesTheRoomCentreAtRoomHeightWithTheModelsDefaults)
{
    CTestModel& model = AddModel(doc, 1, 3, {{false, 10.0}, {false, 5.0}}, 1);
    model.defaultElevation = 90.0;
    doc.m_nAdvancedMode = 2;
    AddCondition(doc, 1.2);
    AddGraph(doc);
    CHintRecorder hints(doc);
    ui.edit = [](CInstallationValues& v) { v.pos[0] = 4.0; };

    doc.OnInstallationManually();

    ASSERT_EQ(ui.shown.size(), 1u);
    const CInstallationValues& v = ui.shown[0];
    EXPECT_EQ(v.pos[0], 5.0);
    EXPECT_EQ(v.pos[1], 5.0);
    EXPECT_EQ(v.pos[2], 3.0);
    EXPECT_EQ(v.angles[0], 0.0);
    EXPECT_EQ(v.angles[1], 0.0);
    EXPECT_EQ(v.angles[2], 90.0);
    EXPECT_EQ(v.power, 5.0);  // the current tap's power
    EXPECT_EQ(v.polarityNormal, TRUE);
    EXPECT_EQ(ui.shownUnit[0], 0);
    EXPECT_EQ(ui.shownFullMode[0], 2);

    ASSERT_EQ(doc.m_installations.GetCount(), 1);
    const CInstallationElement* e = doc.m_installations.GetCurrent();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetPosition().x, 4.0);
    EXPECT_EQ(e->GetTapIndex(), 1u);
    EXPECT_EQ(e->GetPower(), 5.0);
    EXPECT_EQ(hints.hints, kInstallationUpdate);
    EXPECT_TRUE(hints.graphCleared.back());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(InstallCommandsTest, CancelOrNoModelChangesNothingAndSendsNoHint)
{
    CHintRecorder hints(doc);
    EXPECT_EQ(doc.InstallSpeakerAt(1.0, 1.0), 1);  // no model
    EXPECT_TRUE(ui.shown.empty());

    // An offset room proposes its own centre; Cancel installs nothing.
    AddModel(doc, 0, 3, {{false, 10.0}});
    doc.m_installations.SetRoom(CInstallationContainer::kReferenceX0, -2.0);
    doc.m_installations.SetRoom(CInstallationContainer::kReferenceY0, 1.0);
    doc.m_installations.SetRoom(CInstallationContainer::kRoomLengthX, 7.0);
    doc.m_installations.SetRoom(CInstallationContainer::kRoomWidthY, 3.0);
    ui.dialogOk = false;
    doc.OnInstallationManually();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].pos[0], 1.5);
    EXPECT_EQ(ui.shown[0].pos[1], 2.5);
    EXPECT_EQ(doc.m_installations.GetCount(), 0);
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(InstallCommandsTest, TheFirstInstallationDecidesTheImpedanceOfTheRoom)
{
    AddModel(doc, 0, 3, {{false, 10.0}, {true, 60.0}});
    Install(1.0, 1.0, 3.0);                      // line tap
    AddModel(doc, 0, 3, {{true, 30.0}});         // low-impedance tap current
    EXPECT_EQ(doc.InstallSpeakerAt(2.0, 2.0), 1);
    EXPECT_EQ(docUi.messages, std::vector<std::string>{kMixed});
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(doc.m_installations.GetCount(), 1);

    // Only the first installation decides: a low-impedance second one of
    // the first model does not let another low-impedance model in.
    doc.m_models.SetCurrentIndex(0);
    doc.m_models.GetAt(0)->SetCurrentTap(1);
    doc.m_installations.AddInstallation(0, 1, 5.0, 5.0, 3.0, 0, 0, 0, 60.0, TRUE);
    doc.m_models.SetCurrentIndex(1);
    docUi.messages.clear();
    EXPECT_EQ(doc.InstallSpeakerAt(2.0, 2.0), 1);
    EXPECT_EQ(docUi.messages, std::vector<std::string>{kMixed});

    // Same kind: goes on to the dialog.
    doc.m_models.SetCurrentIndex(0);
    doc.m_models.GetAt(0)->SetCurrentTap(0);
    docUi.messages.clear();
    EXPECT_EQ(doc.InstallSpeakerAt(2.0, 2.0), 0);
    EXPECT_TRUE(docUi.messages.empty());
    EXPECT_EQ(doc.m_installations.GetCount(), 3);
}

TEST_F(InstallCommandsTest, TheExactPlaceOfAnInstallationIsQuestionedOncePerEqualInstallation)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    Install(5.0, 5.0, 3.0);
    Install(5.0, 5.0, 3.0);
    Install(5.0, 5.0, 3.0, 0.0, 0.0, 10.0);  // other elevation

    // Cancel at the first question: nothing added.
    docUi.answers = {IDCANCEL};
    EXPECT_EQ(doc.InstallSpeakerAt(5.0, 5.0), 1);
    EXPECT_EQ(docUi.messages, std::vector<std::string>{kSamePlace});
    EXPECT_EQ(doc.m_installations.GetCount(), 3);

    // OK twice: one question for each equal installation.
    docUi.messages.clear();
    docUi.answers.clear();
    EXPECT_EQ(doc.InstallSpeakerAt(5.0, 5.0), 0);
    EXPECT_EQ(docUi.messages.size(), 2u);
    EXPECT_EQ(doc.m_installations.GetCount(), 4);
    EXPECT_EQ(doc.m_installations.GetCurrentIndex(), 3);

    // Moved by the smallest amount: no question.
    docUi.messages.clear();
    ui.edit = [](CInstallationValues& v) { v.pos[0] = std::nextafter(5.0, 6.0); };
    EXPECT_EQ(doc.InstallSpeakerAt(5.0, 5.0), 0);
    EXPECT_TRUE(docUi.messages.empty());
}

TEST_F(InstallCommandsTest, InstallingRebuildsThePlanesAndEndsTheAutomaticLayout)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 1.2);
    CListeningPlane& plane = doc.m_colorMapConditions.GetAt(0)->GetPlane();
    for (auto& dot : plane.GetCells())
        dot->SetLevel(80.0);
    plane.SetMaxLevel(80.0);
    doc.m_bAutoInstalled = TRUE;

    EXPECT_EQ(doc.InstallSpeakerAt(1.0, 2.0), 0);
    EXPECT_FALSE(doc.m_bAutoInstalled);
    for (auto& dot : plane.GetCells())
        EXPECT_EQ(dot->GetLevel(), 0.0);
    EXPECT_EQ(plane.GetMaxLevel(), 0.0);
}

TEST_F(InstallCommandsTest, PropertiesExcludeTheCurrentInstallationFromTheSamePlaceCheck)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    Install(1.0, 1.0, 3.0, 10.0, 20.0, 30.0);
    Install(2.0, 2.0, 3.0);
    doc.m_installations.GetAt(0)->SetPolarity(FALSE);
    doc.m_installations.SetCurrentIndex(0);
    AddGraph(doc);
    CHintRecorder hints(doc);

    doc.OnInstallationProperties();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].pos[0], 1.0);
    EXPECT_EQ(ui.shown[0].angles[0], 10.0);
    EXPECT_EQ(ui.shown[0].angles[1], 20.0);
    EXPECT_EQ(ui.shown[0].angles[2], 30.0);
    EXPECT_EQ(ui.shown[0].polarityNormal, FALSE);
    EXPECT_TRUE(docUi.messages.empty());
    EXPECT_EQ(hints.hints, kInstallationUpdate);

    // Onto the other installation: asked; Cancel leaves it.
    ui.edit = [](CInstallationValues& v) {
        v.pos[0] = v.pos[1] = 2.0;
        v.angles[0] = v.angles[1] = v.angles[2] = 0.0;
        v.power = 99.0;
    };
    docUi.answers = {IDCANCEL};
    hints.hints.clear();
    EXPECT_EQ(doc.EditInstallationProperties(1.0, 1.0, 3.0, 10.0, 20.0, 30.0, 10.0, FALSE), 1);
    EXPECT_EQ(docUi.messages, std::vector<std::string>{kSamePlace});
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 10.0);
    EXPECT_TRUE(hints.hints.empty());

    // OK: changed, and the total power follows.
    docUi.answers = {IDOK};
    EXPECT_EQ(doc.EditInstallationProperties(1.0, 1.0, 3.0, 10.0, 20.0, 30.0, 10.0, FALSE), 0);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 99.0);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().x, 2.0);
    EXPECT_EQ(doc.m_installations.m_dTotalPower, 109.0);
}

TEST_F(InstallCommandsTest, RemoveAsksOnceAndRemovesTheCurrentOrAll)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    Install(1.0, 1.0, 3.0);
    Install(2.0, 2.0, 3.0);
    Install(3.0, 3.0, 3.0);
    doc.m_installations.SetCurrentIndex(1);
    doc.m_bAutoInstalled = TRUE;
    CHintRecorder hints(doc);

    docUi.answers = {IDCANCEL};
    doc.OnInstallationRemove();
    EXPECT_EQ(doc.m_installations.GetCount(), 3);
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_TRUE(doc.m_bAutoInstalled);

    doc.OnInstallationRemove();
    ASSERT_EQ(doc.m_installations.GetCount(), 2);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().x, 1.0);
    EXPECT_EQ(doc.m_installations.GetAt(1)->GetPosition().x, 3.0);
    EXPECT_FALSE(doc.m_bAutoInstalled);
    EXPECT_EQ(hints.hints, kInstallationUpdate);
    EXPECT_EQ(docUi.messages, (std::vector<std::string>{kRemove, kRemove}));
}

TEST_F(InstallCommandsTest, RemoveAllEmptiesTheRoomClearsResultsAndComputesTheEmptyResponse)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 1.2);
    AddCondition(doc, 1.5);
    CFakeMapView first(doc, 0), second(doc, 1);
    Install(1.0, 1.0, 3.0);
    Install(2.0, 2.0, 3.0);
    Install(3.0, 3.0, 3.0);
    for (const auto& condition : doc.m_colorMapConditions) {
        CListeningPlane& plane = condition->GetPlane();
        plane.SetMaxLevel(90.0);
        plane.SetMinLevel(70.0);
        plane.SetAverageLevel(80.0);
        plane.SetSpeechAverageLevel(81.0);
    }
    CHintRecorder hints(doc);

    doc.OnInstallationRemoveAll();
    EXPECT_EQ(docUi.messages.size(), 1u);
    EXPECT_EQ(doc.m_installations.GetCount(), 0);
    EXPECT_EQ(doc.m_installations.m_dTotalPower, 0.0);
    EXPECT_EQ(ui.responseConditions, (std::vector<int>{0, 1}));
    for (const auto& condition : doc.m_colorMapConditions) {
        const CListeningPlane& plane = condition->GetPlane();
        EXPECT_EQ(plane.GetMaxLevel(), 0.0);
        EXPECT_EQ(plane.GetMinLevel(), 0.0);
        EXPECT_EQ(plane.GetAverageLevel(), 0.0);
        EXPECT_EQ(plane.GetSpeechAverageLevel(), 0.0);
    }
    EXPECT_EQ(hints.hints, kInstallationUpdate);
}

TEST_F(InstallCommandsTest, AnEmptiedRoomTakesAModelOfAnyPitchAgain)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    Install(1.0, 1.0, 3.0);
    AddModel(doc, 0, 12, {{false, 10.0}});
    doc.UpdateDragInstallState();
    ASSERT_EQ(doc.m_nDragInstallState, 0);
    EXPECT_FALSE(Enabled(CKDRDoc::kCmdInstallationManually));

    doc.OnInstallationRemoveAll();
    EXPECT_EQ(doc.m_nDragInstallState, 2);
    EXPECT_TRUE(Enabled(CKDRDoc::kCmdInstallationManually));

    // Removing one of two keeps the rule of the first remaining one.
    doc.m_models.SetCurrentIndex(0);
    Install(1.0, 1.0, 3.0);
    Install(2.0, 2.0, 3.0);
    doc.m_models.SetCurrentIndex(1);
    doc.m_installations.SetCurrentIndex(1);
    doc.OnInstallationRemove();
    EXPECT_EQ(doc.m_nDragInstallState, 0);
}

TEST_F(InstallCommandsTest, EnablingFollowsModelsInstallationsDragStateAndPlane)
{
    EXPECT_TRUE(Enabled(CKDRDoc::kCmdRoomParameters));
    EXPECT_FALSE(Enabled(CKDRDoc::kCmdInstallationManually));  // state 2, no model
    EXPECT_FALSE(Enabled(CKDRDoc::kCmdInstallationAuto));
    for (unsigned id : {CKDRDoc::kCmdInstallationProperties, CKDRDoc::kCmdInstallationRemove,
                        CKDRDoc::kCmdInstallationRemoveAll, CKDRDoc::kCmdToolRecalculate})
        EXPECT_FALSE(Enabled(id));

    CTestModel& model = AddModel(doc, 0, 3, {{false, 10.0}});
    EXPECT_TRUE(Enabled(CKDRDoc::kCmdInstallationManually));
    EXPECT_TRUE(Enabled(CKDRDoc::kCmdInstallationAuto));
    model.canAuto = FALSE;
    EXPECT_FALSE(Enabled(CKDRDoc::kCmdInstallationAuto));
    model.canAuto = TRUE;

    // A vertical plane anywhere disables Auto.
    AddCondition(doc, 1.2);
    EXPECT_TRUE(Enabled(CKDRDoc::kCmdInstallationAuto));
    CListeningPlane vertical;
    ASSERT_TRUE(vertical.Set(0.0, 5.0, 0.0, 10.0, 0.0, 3.0, 1.0, 100.0, 3.0));
    doc.m_colorMapConditions.AddNew(1000.0, 3.0, 0, 400, 300, 10, 10, 10, 10, 1.0, vertical, 0.0, 0.0, 0.0);
    EXPECT_FALSE(Enabled(CKDRDoc::kCmdInstallationAuto));

    Install(1.0, 1.0, 3.0);
    for (unsigned id : {CKDRDoc::kCmdInstallationProperties, CKDRDoc::kCmdInstallationRemove,
                        CKDRDoc::kCmdInstallationRemoveAll, CKDRDoc::kCmdToolRecalculate})
        EXPECT_TRUE(Enabled(id));

    // Another drag state leaves the item as it was.
    doc.m_nDragInstallState = 7;
    bool enabled = true;
    EXPECT_TRUE(doc.GetInstallCommandEnabled(CKDRDoc::kCmdInstallationManually, enabled));
    EXPECT_TRUE(enabled);
    enabled = false;
    EXPECT_TRUE(doc.GetInstallCommandEnabled(CKDRDoc::kCmdInstallationManually, enabled));
    EXPECT_FALSE(enabled);

    // Not one of these commands.
    EXPECT_FALSE(doc.GetInstallCommandEnabled(CKDRDoc::kCmdSpeakerImport, enabled));
    EXPECT_FALSE(doc.OnInstallCommand(CKDRDoc::kCmdSpeakerImport));
}

TEST_F(InstallCommandsTest, RecalculateRequestsTheMapsOnlyDuringItsHints)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    Install(1.0, 1.0, 3.0);
    AddGraph(doc);
    doc.m_bManualRecalculation = TRUE;
    CHintRecorder hints(doc);
    EXPECT_TRUE(doc.OnInstallCommand(CKDRDoc::kCmdToolRecalculate));
    EXPECT_EQ(hints.hints, kInstallationUpdate);
    EXPECT_EQ(hints.recalcRequested, (std::vector<BOOL>{TRUE, TRUE, TRUE}));
    EXPECT_EQ(hints.graphCleared.back(), true);
    EXPECT_FALSE(doc.m_bRecalcRequested);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(InstallCommandsTest, RoomParametersAppliedUpdatesCancelledDoesNot)
{
    CFakeMapView map(doc, 0);
    CHintRecorder hints(doc);
    doc.m_bAutoInstalled = TRUE;
    map.roomResult = 1;
    doc.OnRoomParameters();
    EXPECT_EQ(map.calls, std::vector<std::string>{"Room(1)"});
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_TRUE(doc.m_bAutoInstalled);
    EXPECT_FALSE(doc.IsModified());

    map.roomResult = 0;
    doc.OnRoomParameters();
    EXPECT_EQ(hints.hints, kInstallationUpdate);
    EXPECT_FALSE(doc.m_bAutoInstalled);
    EXPECT_TRUE(doc.IsModified());
}

TEST(PrintPages, RowsPerPageAndPagesInUnsignedArithmetic)
{
    CKDRDoc doc;
    CRecordingDC dc;
    dc.SetDeviceCaps(VERTRES, 1000);
    doc.CalcPrintPages(&dc, 20, 100, 100);  // 800 / 20 + 1
    EXPECT_EQ(doc.m_nPrintRowsPerPage, 41);
    EXPECT_EQ(doc.m_nPrintPageCount, 1);   // no installation: one page

    for (int i = 0; i < 41; ++i)
        doc.m_installations.AddInstallation(0, 0, i, 0, 0, 0, 0, 0, 1.0, TRUE);
    doc.CalcPrintPages(&dc, 20, 100, 100);
    EXPECT_EQ(doc.m_nPrintPageCount, 2);   // an exact multiple gives a page more
    doc.m_installations.RemoveInstallation(0);
    doc.CalcPrintPages(&dc, 20, 100, 100);
    EXPECT_EQ(doc.m_nPrintPageCount, 1);

    // Margins taller than the page, and a zero row height, stay finite.
    doc.CalcPrintPages(&dc, 20, 900, 200);
    EXPECT_EQ(doc.m_nPrintRowsPerPage, 1);
    EXPECT_EQ(doc.m_nPrintPageCount, 41);
    doc.CalcPrintPages(&dc, 0, 0, 0);
    EXPECT_EQ(doc.m_nPrintRowsPerPage, 1001);
}

}  // namespace
