// Room > Room Parameters... of the SPL map window and the level readout
// under the mouse.

#include "FakeDialog.h"
#include "MapWindow.h"

#include "dialogs/PropertyDialog1.h"
#include "models/NumberFormat.h"
#include "platform/AppSettings.h"
#include "platform/ProfileFile.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

using roomprint_test::CMapWindow;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;

namespace {

// The settings file of the test, removed at the end.
struct TempSettings {
    std::string path;
    std::string before;
    int unitBefore;
    TempSettings()
    {
        path = (std::filesystem::temp_directory_path() /
                ("roomprint_" + std::to_string(::getpid()) + "_ZAV_KDR.ini"))
                   .string();
        std::remove(path.c_str());
        before = AppSettings().GetFilePath();
        unitBefore = AppSettings().m_nLengthUnit;
        AppSettings().SetFilePath(path);
    }
    ~TempSettings()
    {
        std::remove(path.c_str());
        AppSettings().SetFilePath(before);
        AppSettings().m_nLengthUnit = unitBefore;
        CInstallationContainer::SetApplicationLengthUnit(unitBefore);
    }
    int StoredUnit() const { return ProfileFile::GetPrivateProfileInt("LENGTH_UNIT", "LengthUnit", -1, path); }
};

// A metric room 10 x 8 x 3 with an XY plane 10 x 8 at 1.2 (pitch 1) and one
// speaker at (2, 3, 2.5).
struct Room {
    Room()
    {
        CInstallationContainer& room = scene.doc->m_installations;
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchX, 1.0);
        room.SetRoom(CInstallationContainer::kGridPitchY, 1.0);
        scene.doc->m_strProjectName = "Hall";
        scene.doc->m_strDate = "Today";
        scene.doc->m_bSameAsRoom = FALSE;
        scene.doc->m_nAdvancedMode = 2;
        model = scene.AddModel(SmallSpeaker());
        scene.Install(model, 2.0, 3.0, 2.5);
        scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0);
        scene.Condition().SetScale(0.001);
    }
    Scene scene{0};
    int model = -1;
};

}  // namespace

TEST(RoomParameters, SwitchingToFeetConvertsPositionsFitsAndRecordsTheUnit)
{
    TempSettings settings;
    Room r;
    CKDRDoc& doc = *r.scene.doc;
    doc.m_dAutoDistance[0] = 1.0;
    doc.m_dAutoDistance[3] = 4.0;
    CMapWindow view(doc);
    ScriptRunner runner;
    runner.script = [](CDialog& d, FakeControls& c) {
        EXPECT_TRUE(c.c[IDOK].visible);
        EXPECT_TRUE(c.c[IDCANCEL].visible);  // from the command: Cancel shown
        EXPECT_EQ(c.c[1038].text, "Hall");
        EXPECT_EQ(c.c[1068].text, "10");
        EXPECT_EQ(c.c[1070].text, "1.2");
        c.c[1046].sel = 1;
        d.OnControlCommand(1046, CBN_SELCHANGE);
        c.c[1038].text = "Hall B";
        d.OnOK();
    };
    EXPECT_EQ(view.EditRoomParameters(TRUE), 0);

    const CPoint3D p = doc.m_installations.GetAt(0)->GetPosition();
    EXPECT_EQ(p.x, 2.0 * 3.2808398950131235);
    EXPECT_EQ(p.y, 3.0 * 3.2808398950131235);
    EXPECT_EQ(p.z, 2.5 * 3.2808398950131235);
    EXPECT_DOUBLE_EQ(p.x, 6.561679790026247);
    EXPECT_DOUBLE_EQ(p.z, 8.202099737532809);
    // Not auto-installed: the remembered distances stay.
    EXPECT_EQ(doc.m_dAutoDistance[0], 1.0);
    EXPECT_EQ(doc.m_dAutoDistance[3], 4.0);
    EXPECT_EQ(doc.m_nLengthUnit, 1);
    EXPECT_EQ(AppSettings().m_nLengthUnit, 1);
    EXPECT_EQ(CInstallationContainer::GetApplicationLengthUnit(), 1);
    EXPECT_EQ(settings.StoredUnit(), 1);
    EXPECT_EQ(doc.m_models.GetAt(r.model)->GetUnitFlag(), 1);
    EXPECT_EQ(doc.m_strProjectName, "Hall B");
    // The room and plane come back as the dialog shows them (4 digits).
    EXPECT_DOUBLE_EQ(doc.m_installations.GetRoom(CInstallationContainer::kRoomLengthX), 32.81);
    EXPECT_DOUBLE_EQ(doc.m_dAutoHeight, 9.843);
    EXPECT_DOUBLE_EQ(r.scene.Plane().GetExtent(0), 32.81);
    EXPECT_DOUBLE_EQ(r.scene.Plane().GetOrigin(2), 3.937);
    // Fitted anew.
    EXPECT_NE(r.scene.Condition().GetScale(), 0.001);

    // And back: each length times the double just below 0.3048.
    doc.m_bAutoInstalled = TRUE;
    runner.script = [](CDialog& d, FakeControls& c) {
        c.c[1046].sel = 0;
        d.OnControlCommand(1046, CBN_SELCHANGE);
        d.OnOK();
    };
    EXPECT_EQ(view.EditRoomParameters(TRUE), 0);
    const CPoint3D back = doc.m_installations.GetAt(0)->GetPosition();
    EXPECT_EQ(back.x, p.x * 0.30479999999999996);
    EXPECT_EQ(doc.m_dAutoDistance[3], 4.0 * 0.30479999999999996);
    EXPECT_EQ(settings.StoredUnit(), 0);
    EXPECT_EQ(doc.m_models.GetAt(r.model)->GetUnitFlag(), 0);
}

TEST(RoomParameters, WithoutUnitChangeKeepsPositionsAndScaleButWritesTheSettings)
{
    TempSettings settings;
    Room r;
    CKDRDoc& doc = *r.scene.doc;
    CMapWindow view(doc);
    ScriptRunner runner;
    runner.script = [](CDialog& d, FakeControls& c) {
        c.c[1006].check = BST_UNCHECKED;
        d.OnControlCommand(1006, BN_CLICKED);
        c.c[1045].text = "4";
        c.c[1089].text = "0.5";
        c.c[1083].text = "90";
        d.OnOK();
    };
    EXPECT_EQ(view.EditRoomParameters(TRUE), 0);
    EXPECT_EQ(settings.StoredUnit(), 0);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().x, 2.0);
    EXPECT_EQ(r.scene.Condition().GetScale(), 0.001);
    EXPECT_EQ(doc.m_installations.m_nCeilingKind, 0);
    EXPECT_EQ(doc.m_installations.GetRoom(CInstallationContainer::kRoomHeight), 4.0);
    EXPECT_EQ(doc.m_dAutoHeight, 4.0);
    EXPECT_EQ(r.scene.Plane().GetPitch(), 0.5);
    EXPECT_EQ(r.scene.Plane().GetTopLevel(), 90.0);
    EXPECT_EQ(r.scene.Plane().GetCellCount(), 20u * 16u);
}

TEST(RoomParameters, CancelChangesNothingButANewProjectTakesTheApplicationUnit)
{
    TempSettings settings;
    Room r;
    CKDRDoc& doc = *r.scene.doc;
    doc.m_nLengthUnit = 0;
    AppSettings().m_nLengthUnit = 1;
    CMapWindow view(doc);
    ScriptRunner runner;
    runner.script = [](CDialog& d, FakeControls& c) {
        EXPECT_FALSE(c.c[IDCANCEL].visible);  // a new project's dialog
        EXPECT_EQ(c.c[1046].sel, 1);
        EXPECT_EQ(c.c[1062].text, "[ft]");
        c.c[1068].text = "5";
        d.OnCancel();
    };
    EXPECT_EQ(view.EditRoomParameters(FALSE), 1);
    EXPECT_EQ(doc.m_nLengthUnit, 1);
    EXPECT_EQ(r.scene.Plane().GetExtent(0), 10.0);
    EXPECT_EQ(doc.m_strProjectName, "Hall");
    EXPECT_EQ(settings.StoredUnit(), -1);  // not written
}

TEST(RoomParameters, ThePlaneOfOneWindowBecomesThePlaneOfEveryWindow)
{
    TempSettings settings;
    Room r;
    CKDRDoc& doc = *r.scene.doc;
    CListeningPlane other;
    other.Set(4.0, 0.5, 0.25, 0, 8, 3, 1.0, 100.0, 2.0);  // a YZ plane
    doc.m_colorMapConditions.AddNew(500.0, 1.0, 1, 0, 0, 110, 44, 40, 324, 0.001, other, 0, 0, 0);
    CMapWindow first(doc, 0);
    CMapWindow second(doc, 1);
    ScriptRunner runner;
    runner.script = [](CDialog& d, FakeControls& c) {
        // The second window's own plane, in the YZ axis order.
        EXPECT_EQ(c.c[1096].sel, 1);
        EXPECT_EQ(c.c[1068].text, "8");
        EXPECT_EQ(c.c[1069].text, "3");
        EXPECT_EQ(c.c[1076].text, "0.5");
        EXPECT_EQ(c.c[1077].text, "0.25");
        EXPECT_EQ(c.c[1070].text, "4");
        c.c[1096].sel = 2;  // XZ: X row first, then Z
        d.OnControlCommand(1096, CBN_SELCHANGE);
        c.c[1068].text = "6";
        c.c[1069].text = "2.5";
        c.c[1076].text = "1";
        c.c[1077].text = "0.25";
        c.c[1070].text = "3";
        d.OnOK();
    };
    EXPECT_EQ(second.EditRoomParameters(TRUE), 0);
    for (int i = 0; i < 2; ++i) {
        const CListeningPlane& plane = doc.m_colorMapConditions.GetAt(i)->GetPlane();
        EXPECT_EQ(plane.GetOrigin(0), 1.0) << i;
        EXPECT_EQ(plane.GetOrigin(1), 3.0) << i;
        EXPECT_EQ(plane.GetOrigin(2), 0.25) << i;
        EXPECT_EQ(plane.GetExtent(0), 6.0) << i;
        EXPECT_EQ(plane.GetExtent(1), 0.0) << i;
        EXPECT_EQ(plane.GetExtent(2), 2.5) << i;
    }
    // An XZ plane opens with its X values in the first row and comes back unchanged.
    runner.script = [](CDialog& d, FakeControls& c) {
        EXPECT_EQ(c.c[1096].sel, 2);
        EXPECT_EQ(c.c[1068].text, "6");
        EXPECT_EQ(c.c[1069].text, "2.5");
        EXPECT_EQ(c.c[1073].text, "Length(Y) from XZ Plane :");
        d.OnOK();
    };
    EXPECT_EQ(first.EditRoomParameters(TRUE), 0);
    EXPECT_EQ(r.scene.Plane().GetExtent(0), 6.0);
    EXPECT_EQ(r.scene.Plane().GetExtent(2), 2.5);
    EXPECT_EQ(r.scene.Plane().GetOrigin(0), 1.0);
}

TEST(CursorReadout, WritesTheLevelAndThePointOnLineFive)
{
    Room r;
    CKDRDoc& doc = *r.scene.doc;
    CMapWindow view(doc);
    view.UpdateScrollSizes(TRUE);
    const double point[3] = {2.5, 3.75, 1.2};
    view.DrawCursorSPL(point);

    // The level as the map calculation gives it for the window's band.
    CSPLMapCalculator calc(doc, 0);
    int lo = 0, hi = 0;
    CSPLMapCalculator::CalcBandIndices(1000.0, 3.0, 24.0, lo, hi);
    double p = 0.0;
    ASSERT_EQ(calc.CalcPressureAt(p, CPoint3D(2.5, 3.75, 1.2), lo, hi, 24.0), 0);
    const double level = 20.0 * std::log10(p / 2e-5);
    ASSERT_TRUE(std::isfinite(level));
    const std::string levelText = "Average SPL @Cursor Point : " + FormatNumber(level, 4) + "[dB]";
    EXPECT_EQ(view.GetCursorLevelText(), levelText);
    EXPECT_EQ(view.GetCursorPointText(), "(X=2.5[m] Y=3.75[m] Z=1.2[m])");

    // Written straight onto the window; the map is not redrawn for it.
    EXPECT_EQ(view.redraws, 0);
    ASSERT_EQ(view.readouts.size(), 1u);
    const auto texts = view.readouts[0].OpsOf(CDrawOp::TextOut);
    ASSERT_EQ(texts.size(), 4u);
    const int h = view.m_fontScreen.height;
    const CRect margin = r.scene.Condition().GetMargin();
    const int y = 5 * h - margin.bottom + view.GetTotalSize().cy;
    EXPECT_EQ(texts[0].text, std::string(40, ' '));
    EXPECT_EQ(texts[0].points[0], CPoint(margin.left, y));
    EXPECT_EQ(texts[1].text, levelText);
    EXPECT_EQ(texts[1].points[0], CPoint(margin.left, y));
    EXPECT_EQ(texts[3].text, "(X=2.5[m] Y=3.75[m] Z=1.2[m])");
    EXPECT_EQ(texts[3].points[0], CPoint(margin.left + 20 * h, y));
    EXPECT_EQ(texts[1].bkColor, RGB(255, 255, 255));
    EXPECT_EQ(view.GetCursorReadoutRect(900), CRect(0, y, 900, y + h + 1));

    // Not remembered: a redraw of the window does not repeat the line, nor
    // does it take the level anew after the speaker moved.
    doc.m_installations.GetAt(0)->SetPosition(8.0, 6.0, 2.5);
    CRecordingDC again;
    view.OnDraw(again);
    for (const CDrawOp& op : again.OpsOf(CDrawOp::TextOut)) {
        EXPECT_EQ(op.text.find("Average SPL @Cursor Point"), std::string::npos);
        EXPECT_EQ(op.text.find("(X="), std::string::npos);
    }
    EXPECT_EQ(view.readouts.size(), 1u);
    EXPECT_EQ(view.GetCursorLevelText(), levelText);
}

TEST(CursorReadout, FeetAndNothingWithoutInstallationsOrWithAnEmptyBand)
{
    Room r;
    CKDRDoc& doc = *r.scene.doc;
    doc.m_nLengthUnit = 1;
    CMapWindow view(doc);
    const double point[3] = {1.0, 2.0, 0.5};
    view.DrawCursorSPL(point);
    EXPECT_EQ(view.GetCursorPointText(), "(X=1[ft] Y=2[ft] Z=0.5[ft])");
    ASSERT_EQ(view.readouts.size(), 1u);

    // A band that holds no frequency: nothing is written.
    r.scene.Condition().SetBandFraction(0.0);
    const double other[3] = {3.0, 3.0, 0.5};
    view.DrawCursorSPL(other);
    EXPECT_EQ(view.GetCursorPointText(), "(X=1[ft] Y=2[ft] Z=0.5[ft])");

    doc.m_installations.RemoveAll();
    r.scene.Condition().SetBandFraction(3.0);
    view.DrawCursorSPL(other);
    EXPECT_EQ(view.GetCursorPointText(), "(X=1[ft] Y=2[ft] Z=0.5[ft])");
    EXPECT_EQ(view.readouts.size(), 1u);
    EXPECT_EQ(view.redraws, 0);
}
