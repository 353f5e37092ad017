// The document's speaker and tool commands: import, delete, module
// arrangement, preferences, zx1 export and the forwarding to the SPL maps.

#include "ListsTestSupport.h"

#include "resources/StringTable.h"

namespace {

class ModelCommandsTest : public ListsTest {
protected:
    // A graph whose curve 0 holds two non-zero points.
    void AddGraph()
    {
        CSoundGraphDataList graph;
        graph.Init(0, 0, 20.0, 40.0, 20000.0, 120.0, 1.0, 10.0);
        const double x[2] = {100.0, 1000.0};
        const double y[2] = {80.0, 90.0};
        graph.SetData(0, 2, x, y);
        doc.m_soundGraphConditions.Add(-1, 0, 0, 0, 0, 1.0, 1.0, graph);
    }
    // An arrangeable model with one tap, made current.
    CArrangeableModel* AddArrangeable(double ratio, bool lowImpedance, double value, double power, double factor)
    {
        auto owned = std::make_unique<CArrangeableModel>(ratio);
        CArrangeableModel* model = owned.get();
        doc.m_models.Add(std::move(owned));
        model->GetTapTable().SetTapCount(1);
        model->GetTapTable().SetTap(0, lowImpedance, value, power, factor);
        doc.m_models.SetCurrentIndex(doc.m_models.GetCount() - 1);
        return model;
    }
};

// A model whose list name carries a suffix, as the array kinds have.
class CSuffixModel : public CStdSPModel {
public:
    CSuffixModel() : CStdSPModel(0) {}
    std::string GetNameSuffix() const override { return " (x 2)"; }
};

// ---- import -------------------------------------------------------------

TEST_F(ModelCommandsTest, ImportShowsTheModelInBothListsAndMakesItCurrent)
{
    CSpeakerListPane speakers(doc);
    CTapListPane taps(doc);
    Import("Ceiling 6", 3, {"h,100,10", "h,70,5", "l,8,60"});
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(doc.m_bNeverImported, FALSE);
    EXPECT_TRUE(doc.IsModified());

    ASSERT_EQ(speakers.list.GetItemCount(), 1);
    EXPECT_EQ(speakers.list.Text(0, 0), "1");
    EXPECT_EQ(speakers.list.Text(0, 1), "Ceiling 6");
    EXPECT_EQ(speakers.list.selected, 0);
    EXPECT_EQ(speakers.fills, 1);

    ASSERT_EQ(taps.list.GetItemCount(), 3);
    EXPECT_EQ(taps.list.Text(0, 0), "1");
    EXPECT_EQ(taps.list.Text(1, 1), "70V Line  5W");
    EXPECT_EQ(taps.list.Text(2, 0), "3");
    EXPECT_EQ(taps.list.Text(2, 1), "8ohms  60W");
    EXPECT_EQ(taps.fills, 1);

    // The progress dialog: Stop hidden, the message, position 0, shown and
    // destroyed; the main window disabled while the balloons are read.
    EXPECT_EQ(ui.progressCreated, 1);
    EXPECT_EQ(ui.progressShown, 1);
    EXPECT_FALSE(ui.stopButtonShown);
    EXPECT_EQ(ui.progressMessage, "Importing Speaker Data...");
    ASSERT_FALSE(ui.progressPositions.empty());
    EXPECT_EQ(ui.progressPositions.front(), 0);
    EXPECT_TRUE(ui.progressDestroyed);
    EXPECT_GT(ui.pumpCalls, 0);
    EXPECT_TRUE(ui.mainWindowDisabledWhilePumping);
    EXPECT_TRUE(ui.mainWindowEnabled);

    // A second import becomes current and is numbered 2.
    Import("Second", 3);
    ASSERT_EQ(doc.m_models.GetCount(), 2);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 1);
    ASSERT_EQ(speakers.list.GetItemCount(), 2);
    EXPECT_EQ(speakers.list.Text(1, 0), "2");
    EXPECT_EQ(speakers.list.Text(1, 1), "Second");
    EXPECT_EQ(speakers.list.selected, 1);
    EXPECT_EQ(speakers.list.ensured, 1);

    // The list shows a name followed by its suffix.
    auto model = std::make_unique<CSuffixModel>();
    model->GetHeader().SetName("Column");
    doc.m_models.Add(std::move(model));
    doc.UpdateAllViews(nullptr, kHintSpeakerList);
    ASSERT_EQ(speakers.list.GetItemCount(), 3);
    EXPECT_EQ(speakers.list.Text(2, 1), "Column (x 2)");
}

TEST_F(ModelCommandsTest, CancelledFileDialogStillClearsNeverImportedAndModifies)
{
    ui.fileDialogOk = false;
    ASSERT_FALSE(doc.IsModified());
    doc.OnSpeakerImport();
    EXPECT_EQ(ui.fileDialogs, 1);
    EXPECT_EQ(doc.m_bNeverImported, FALSE);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_models.GetCount(), 0);
    EXPECT_EQ(ui.progressCreated, 0);
}

TEST_F(ModelCommandsTest, FirstLineMustBeExactlyTheVersionLine)
{
    CSpeakerListPane speakers(doc);
    CHintRecorder hints(doc);
    CRecordingMessageBox box(ui);
    for (const char* line : {"Version 1.0.1", "version 1.0.0", "Version 1.0.0 ", "Version 1.0.", ""}) {
        SCOPED_TRACE(line);
        ui.path = WriteTempFile("bad.zsb", StdSpeakerZsb("Bad", 3, {"h,100,10"}, line));
        doc.ImportSpeakerData();
        EXPECT_EQ(doc.m_models.GetCount(), 0);
    }
    // Closed at once with a message each time: no progress dialog, no
    // refill, no hint.
    EXPECT_EQ(box.texts, std::vector<std::string>(5, "\"bad.zsb\" was not imported: it holds no speaker data."));
    EXPECT_EQ(ui.progressCreated, 0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(speakers.fills, 0);
    EXPECT_TRUE(hints.hints.empty());

    // A file written with Windows line ends is accepted.
    std::string crlf;
    for (char c : StdSpeakerZsb("Crlf", 3, {"h,100,10"})) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    ui.path = WriteTempFile("crlf.zsb", crlf);
    doc.ImportSpeakerData();
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(doc.m_models.GetAt(0)->GetName(), "Crlf");
}

TEST_F(ModelCommandsTest, FailingImportLeavesTheListAlone)
{
    {
        // The first import fails: no current model, nothing compared.
        CFakeMapView map(doc);
        Install(0, 10.0);  // an installation without a model (as in a damaged project)
        ui.path = WriteTempFile("short.zsb", "Version 1.0.0\n0\nName only\n");
        doc.ImportSpeakerData();
        EXPECT_EQ(doc.m_models.GetCount(), 0);
        EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
        EXPECT_TRUE(map.calls.empty());
        EXPECT_EQ(doc.m_nDragInstallState, 2);
    }
    Import("Good", 3);
    Import("Other", 3);
    doc.m_models.SetCurrentIndex(0);
    // Type code 9 is refused by the container.
    ui.path = WriteTempFile("nine.zsb", "Version 1.0.0\n9\n");
    doc.ImportSpeakerData();
    EXPECT_EQ(doc.m_models.GetCount(), 2);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);  // the current model stays
    EXPECT_TRUE(ui.mainWindowEnabled);
    EXPECT_TRUE(ui.progressDestroyed);
}

TEST_F(ModelCommandsTest, ImportRebuildsMapControlsOnlyWhenThePitchChanges)
{
    CFakeMapView map(doc);
    Import("A", 3);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});  // 3 differs from "no model" (0.0)
    map.calls.clear();
    Import("B", 3);
    EXPECT_TRUE(map.calls.empty());
    EXPECT_EQ(doc.m_nDragInstallState, 2);

    Install(0, 10.0);
    Import("C", 1);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});
    EXPECT_EQ(doc.m_nDragInstallState, 0);  // pitch 1 against the installed pitch 3

    Import("D", 3);
    EXPECT_EQ(doc.m_nDragInstallState, 2);
}

// ---- delete -------------------------------------------------------------

TEST_F(ModelCommandsTest, DeleteAsksAndCancelChangesNothing)
{
    Import("A", 3);
    Install(0, 10.0);
    doc.SetModifiedFlag(false);
    CHintRecorder hints(doc);
    ui.messageAnswer = IDCANCEL;
    doc.OnSpeakerDelete();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Are you sure you want to remove this speaker?");
    EXPECT_EQ(ui.messages[0], LoadStringId(61633));
    EXPECT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(doc.m_installations.GetCount(), 1);
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ModelCommandsTest, DeletingTheOnlyModelRemovesEverythingInHintOrder)
{
    CSpeakerListPane speakers(doc);
    CTapListPane taps(doc);
    CFakeMapView map(doc);
    Import("A", 3);
    Install(0, 10.0);
    Install(0, 5.0);
    AddGraph();
    CListeningPlane plane;
    CListeningPlane& p =
        doc.m_colorMapConditions.AddNew(1000.0, 3.0, 0, 100, 100, 0, 0, 0, 0, 1.0, plane, 0.0, 0.0, 0.0)->GetPlane();
    p.SetMaxLevel(95.0);
    p.SetMinLevel(70.0);
    p.SetAverageLevel(85.0);
    p.SetSpeechAverageLevel(81.0);
    doc.m_bAutoInstalled = TRUE;
    doc.m_nAutoOverlapMode = 4;
    doc.m_nAutoLayoutPattern = 1;
    doc.m_dAutoDistance[2] = 3.0;
    doc.m_dAutoCenterFreq = 1000.0;
    doc.m_dAutoBand = 3.0;
    doc.SetModifiedFlag(false);
    map.calls.clear();

    CHintRecorder hints(doc);
    doc.OnSpeakerDelete();
    EXPECT_EQ(doc.m_models.GetCount(), 0);
    EXPECT_EQ(doc.m_installations.GetCount(), 0);
    EXPECT_EQ(doc.m_installations.GetTotalPower(), 0.0);
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 3, 5, 4}));
    EXPECT_TRUE(hints.graphClearedAtHint4);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(speakers.list.GetItemCount(), 0);
    EXPECT_EQ(taps.list.GetItemCount(), 0);
    // The results of every plane are cleared.
    EXPECT_EQ(p.GetMaxLevel(), 0.0);
    EXPECT_EQ(p.GetMinLevel(), 0.0);
    EXPECT_EQ(p.GetAverageLevel(), 0.0);
    EXPECT_EQ(p.GetSpeechAverageLevel(), 0.0);
    // The remembered automatic installation is forgotten.
    EXPECT_EQ(doc.m_bAutoInstalled, FALSE);
    EXPECT_EQ(doc.m_nAutoOverlapMode, 2);
    EXPECT_EQ(doc.m_nAutoLayoutPattern, 0);
    EXPECT_EQ(doc.m_dAutoDistance[2], 0.0);
    EXPECT_EQ(doc.m_dAutoCenterFreq, 0.0);
    EXPECT_EQ(doc.m_dAutoBand, 0.0);
}

TEST_F(ModelCommandsTest, DeletingAMiddleModelRenumbersTheLaterInstallations)
{
    Import("A", 3);
    Import("B", 3);
    Import("C", 3);
    Install(0, 1.0);
    Install(1, 2.0);
    Install(2, 4.0);
    Install(1, 8.0);
    CFakeMapView map(doc);
    doc.m_models.SetCurrentIndex(1);
    doc.OnSpeakerDelete();
    ASSERT_EQ(doc.m_models.GetCount(), 2);
    EXPECT_EQ(doc.m_models.GetAt(0)->GetName(), "A");
    EXPECT_EQ(doc.m_models.GetAt(1)->GetName(), "C");
    ASSERT_EQ(doc.m_installations.GetCount(), 2);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetModelIndex(), 0u);
    EXPECT_EQ(doc.m_installations.GetAt(1)->GetModelIndex(), 1u);
    EXPECT_EQ(doc.m_installations.GetAt(1)->GetPower(), 4.0);
    EXPECT_EQ(doc.m_installations.GetTotalPower(), 5.0);
    EXPECT_TRUE(map.calls.empty());  // models remain: the map keeps its choices
}

TEST_F(ModelCommandsTest, DeletingTheInstalledModelFreesTheRoomForAnyPitch)
{
    Import("Installed", 3);
    Install(0, 10.0);
    Import("Other pitch", 1);
    ASSERT_EQ(doc.m_nDragInstallState, 0);
    doc.m_models.SetCurrentIndex(0);
    doc.OnSpeakerDelete();
    EXPECT_EQ(doc.m_installations.GetCount(), 0);
    EXPECT_EQ(doc.m_nDragInstallState, 2);
}

// ---- module arrangement -------------------------------------------------

TEST_F(ModelCommandsTest, ModuleArrangementWithALowImpedanceTapDividesThePower)
{
    Import("Line tap", 3);
    CArrangeableModel* model = AddArrangeable(2.0, true, 8.0, 60.0, 2.0);
    ASSERT_TRUE(model->IsLowImpedanceTap(0));
    doc.m_nLengthUnit = 0;
    Install(1, 60.0);
    Install(0, 10.0);
    Install(1, 30.0);
    AddGraph();
    doc.m_bAutoInstalled = TRUE;
    CHintRecorder hints(doc);
    EXPECT_TRUE(doc.OnUpdateSpeakerModuleArrangement());
    doc.OnSpeakerModuleArrangement();
    EXPECT_EQ(model->lastUnit, 0);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 30.0);
    EXPECT_EQ(doc.m_installations.GetAt(1)->GetPower(), 10.0);
    EXPECT_EQ(doc.m_installations.GetAt(2)->GetPower(), 15.0);
    EXPECT_EQ(doc.m_installations.GetTotalPower(), 55.0);
    EXPECT_EQ(doc.m_bAutoInstalled, FALSE);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(hints.graphClearedAtHint4);
}

TEST_F(ModelCommandsTest, ModuleArrangementWithALineTapKeepsThePowerAndCancelChangesNothing)
{
    AddArrangeable(2.0, false, 100.0, 10.0, 1.0);
    Install(0, 10.0);
    doc.m_installations.SetTotalPower(10.0);
    {
        CHintRecorder hints(doc);
        doc.OnSpeakerModuleArrangement();
        EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 10.0);
        EXPECT_EQ(doc.m_installations.GetTotalPower(), 10.0);
        EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 3, 4, 5}));
    }
    // A cancelled arrangement (ratio 0) of a low-impedance tap.
    AddArrangeable(0.0, true, 8.0, 60.0, 2.0);
    Install(1, 60.0);
    doc.m_bAutoInstalled = TRUE;
    doc.SetModifiedFlag(false);
    CHintRecorder hints(doc);
    doc.OnSpeakerModuleArrangement();
    EXPECT_EQ(doc.m_installations.GetAt(1)->GetPower(), 60.0);
    EXPECT_EQ(doc.m_bAutoInstalled, TRUE);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(hints.hints.empty());
}

// ---- preferences and zx1 ------------------------------------------------

TEST_F(ModelCommandsTest, PreferencesSwitchingAdvancedModeOffResetsTheAutoValues)
{
    struct Case {
        bool ok;
        int newMode;
        bool reset;
    };
    for (const Case c : {Case{true, 0, true}, Case{true, 2, false}, Case{false, 0, false}}) {
        SCOPED_TRACE(testing::Message() << c.ok << " " << c.newMode);
        CKDRDoc d;
        d.m_nAdvancedMode = 2;
        d.m_bManualRecalculation = 0;
        d.m_installations.SetRoom(CInstallationContainer::kRoomHeight, 4.5);
        d.m_dAutoHeight = 2.5;
        d.m_ptAutoAngles = CPoint3D(10.0, 20.0, 30.0);
        d.m_dAutoCenterFreq = 2000.0;
        d.m_dAutoBand = 3.0;
        ui.preferenceOk = c.ok;
        ui.newAdvancedMode = c.newMode;
        ui.newManual = 1;
        CHintRecorder hints(d);
        d.OnToolPreference();
        EXPECT_EQ(ui.preferenceStartAdvanced, 2);
        EXPECT_EQ(ui.preferenceStartManual, 0);
        EXPECT_EQ(d.m_nAdvancedMode, c.ok ? c.newMode : 2);
        EXPECT_EQ(d.m_bManualRecalculation, c.ok ? 1 : 0);
        EXPECT_EQ(d.m_dAutoHeight, c.reset ? 4.5 : 2.5);
        EXPECT_EQ(d.m_ptAutoAngles, c.reset ? CPoint3D(100000.0, 100000.0, 100000.0) : CPoint3D(10.0, 20.0, 30.0));
        EXPECT_EQ(d.m_dAutoCenterFreq, c.reset ? 0.0 : 2000.0);
        EXPECT_EQ(d.m_dAutoBand, c.reset ? 0.0 : 3.0);
        EXPECT_EQ(hints.hints, c.ok ? std::vector<long>{2} : std::vector<long>{});
        EXPECT_EQ(d.IsModified(), c.ok);
    }
}

TEST_F(ModelCommandsTest, Zx1ExportRunsTheDialogOnlyWithAModelAndChangesNothing)
{
    doc.OnSpeakerExportZx1();
    EXPECT_EQ(ui.zx1Calls, 0);
    Import("A", 3);
    doc.SetModifiedFlag(false);
    doc.OnSpeakerExportZx1();
    EXPECT_EQ(ui.zx1Calls, 1);
    EXPECT_EQ(ui.zx1StartAngle, 0.0);
    EXPECT_EQ(ui.zx1StartDistance, 20.0);
    EXPECT_FALSE(doc.IsModified());
}

// ---- enabling and forwarding --------------------------------------------

TEST_F(ModelCommandsTest, CommandsAreEnabledAsTheModelsAllow)
{
    auto enabled = [&](unsigned id) {
        bool on = false;
        EXPECT_TRUE(doc.GetModelCommandEnabled(id, on)) << id;
        return on;
    };
    // delete, zx1 export, module arrangement, import
    EXPECT_FALSE(enabled(32773));
    EXPECT_FALSE(enabled(32810));
    EXPECT_FALSE(enabled(32811));
    EXPECT_TRUE(enabled(32771));
    bool unused = false;
    EXPECT_FALSE(doc.GetModelCommandEnabled(32784, unused));  // not one of these commands

    Import("A", 3);
    EXPECT_TRUE(enabled(32773));
    EXPECT_FALSE(enabled(32811));  // a standard speaker has no module arrangement
    doc.m_models.Add(std::make_unique<CArrangeableModel>(1.0));
    doc.m_models.SetCurrentIndex(1);
    EXPECT_TRUE(enabled(32811));
}

TEST_F(ModelCommandsTest, PrintAndRoomCommandsGoToEveryMapView)
{
    CFakeMapView first(doc);
    CFakeMapView second(doc);
    EXPECT_TRUE(doc.OnModelCommand(57607));
    EXPECT_FALSE(doc.IsModified());
    for (unsigned id : {57609u, 32793u, 32798u, 32797u, 32799u, 32809u, 32802u, 32803u}) {
        EXPECT_TRUE(doc.OnModelCommand(id)) << id;
    }
    const std::vector<std::string> expected{"Print(57607)", "Print(57609)", "Fit", "ZoomIn", "ZoomOut",
                                            "X-", "Y+", "Z-", "Diagonal"};
    EXPECT_EQ(first.calls, expected);
    EXPECT_EQ(second.calls, expected);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.OnModelCommand(57603));
}

}  // namespace
