// The Room Parameters dialog driven through in-memory controls.

#include "FakeDialog.h"

#include "dialogs/PropertyDialog1.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

namespace {

using D = CPropertyDialog1;

// A metric room 10 x 8 x 3 m, XY plane 10 x 8 at 1.2 m, advanced mode on.
void Fill(CPropertyDialog1& d, int orientation = 0, int unit = 0, int sameAsRoom = 0, int showCancel = 1,
          int advanced = 2)
{
    d.SetParameters("Hall", "2026-12-07", unit, 0.5, 0.25, 10.0, 8.0, 3.0, 1.0, 2.0, orientation, 0.5, 0.25, 10.0,
                    8.0, 1.2, 0.5, 100.0, 3.0, sameAsRoom, 1, showCancel, 2.75, advanced);
}

}  // namespace

TEST(PropertyDialog, TemplateHasNoCloseBoxAndEveryBoundControl)
{
    CPropertyDialog1 d;
    const DialogTemplate* t = FindDialogTemplate(D::IDD);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "Room Parameters");
    EXPECT_FALSE(t->systemMenu);
    const int ids[] = {1006, 1007, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1050, 1051, 1052, 1053,
                       1054, 1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068,
                       1069, 1070, 1071, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083,
                       1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1094, 1096, IDOK, IDCANCEL};
    for (int id : ids) {
        int n = 0;
        for (const ControlTemplate& c : t->controls)
            n += c.id == id;
        EXPECT_EQ(n, 1) << id;
    }
    std::vector<std::string> groups;
    for (const ControlTemplate& c : t->controls)
        if (c.kind == ControlTemplate::GroupBox)
            groups.push_back(c.text);
    EXPECT_EQ(groups, (std::vector<std::string>{"Room Dimensions", "Calculation Plane Dimensions",
                                                "Color Map Reference"}));
}

TEST(PropertyDialog, NewProjectHidesCancelAndShowsLabelsUnitsAndValues)
{
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d, 0, 1, 1, 0, 2);
    r.script = [](CDialog&, FakeControls& c) {
        EXPECT_FALSE(c.c[IDCANCEL].visible);
        EXPECT_EQ(c.c[1046].sel, 1);
        EXPECT_EQ(c.c[1096].sel, 0);
        EXPECT_EQ(c.c[1040].text, "Project Name : ");
        EXPECT_EQ(c.c[1041].text, "Date : ");
        EXPECT_EQ(c.c[1042].text, "Units : ");
        EXPECT_EQ(c.c[1053].text, "Length(X) : ");
        EXPECT_EQ(c.c[1058].text, "Width(Y) : ");
        EXPECT_EQ(c.c[1054].text, "Height(Z) : ");
        EXPECT_EQ(c.c[1052].text, "Zero Position(X) : ");
        EXPECT_EQ(c.c[1057].text, "Zero Position(Y) : ");
        EXPECT_EQ(c.c[1055].text, "Grid Pitch(X) : ");
        EXPECT_EQ(c.c[1056].text, "Grid Pitch(Y) : ");
        EXPECT_EQ(c.c[1090].text, "Pitch of Color Dot : ");
        EXPECT_EQ(c.c[1086].text, "Max : ");
        EXPECT_EQ(c.c[1087].text, "Pitch : ");
        EXPECT_EQ(c.c[1073].text, "Height(Z) from XY Plane :");
        EXPECT_EQ(c.c[1094].text, "Same as room dimensions");
        EXPECT_EQ(c.c[1006].text, "Half Space (Solid Ceiling Material)");
        EXPECT_EQ(c.c[1007].text, "Full Space (Absorbent Ceiling Material / No Ceiling)");
        for (int id : {1061, 1065, 1062, 1066, 1063, 1064, 1067, 1078, 1081, 1079, 1082, 1080, 1091})
            EXPECT_EQ(c.c[id].text, "[ft]") << id;
        EXPECT_EQ(c.c[1085].text, "[dB]");
        EXPECT_EQ(c.c[1088].text, "[dB]");
        EXPECT_EQ(c.c[1038].text, "Hall");
        EXPECT_EQ(c.c[1070].text, "1.2");
        EXPECT_EQ(c.c[1094].check, BST_CHECKED);
        for (int id : {1076, 1077, 1069, 1068})
            EXPECT_FALSE(c.c[id].enabled) << id;
        EXPECT_TRUE(c.c[1070].enabled);
        EXPECT_EQ(c.c[1006].check, BST_CHECKED);
        EXPECT_EQ(c.c[1007].check, BST_UNCHECKED);
    };
    EXPECT_EQ(d.DoModal(), IDCANCEL);  // the script pressed nothing
}

TEST(PropertyDialog, ReducedModeHidesTheZeroRowsButStillValidatesThem)
{
    RecordingMessages m;
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d, 0, 0, 0, 1, 0);
    r.script = [](CDialog& dlg, FakeControls& c) {
        for (int id : {1052, 1059, 1061, 1057, 1060, 1065, 1071, 1076, 1078, 1074, 1077, 1081})
            EXPECT_FALSE(c.c[id].visible) << id;
        EXPECT_TRUE(c.c[1043].visible);
        c.c[1059].text = "20000";  // hidden room X zero position
        dlg.OnOK();
        EXPECT_FALSE(dlg.IsEnded());
        c.c[1059].text = "0.5";
        dlg.OnOK();
    };
    EXPECT_EQ(d.DoModal(), IDOK);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0], "Enter a number between -10000 and 10000.");
    EXPECT_EQ(r.controls.focusHistory, std::vector<int>{1059});
    EXPECT_DOUBLE_EQ(d.m_dRefX, 0.5);
}

TEST(PropertyDialog, ValidationTakesTheFirstFailingFieldInExchangeOrder)
{
    RecordingMessages m;
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d);
    r.script = [](CDialog& dlg, FakeControls& c) {
        c.c[1050].text = "0";    // grid pitch x (exchanged last)
        c.c[1051].text = "-1";   // grid pitch y
        c.c[1089].text = "abc";  // dot pitch (exchanged third)
        dlg.OnOK();
        c.c[1089].text = "0.5";
        dlg.OnOK();
        c.c[1051].text = "2";
        dlg.OnOK();
        c.c[1050].text = "0.001";
        c.c[1083].text = "-10000";  // Max accepts levels down to -10000
        c.c[1084].text = "0.0009";  // Pitch must be at least 0.001
        dlg.OnOK();
        c.c[1084].text = "0.001";
        dlg.OnOK();
    };
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(m.shown, (std::vector<std::string>{"Enter a number.", "Enter a number between 0.001 and 10000.",
                                                 "Enter a number between 0.001 and 10000.",
                                                 "Enter a number between 0.001 and 10000."}));
    EXPECT_EQ(r.controls.focusHistory, (std::vector<int>{1089, 1051, 1050, 1084}));
    EXPECT_DOUBLE_EQ(d.m_dGridPitchX, 0.001);
    EXPECT_DOUBLE_EQ(d.m_dColorMax, -10000.0);
    EXPECT_DOUBLE_EQ(d.m_dCeilingHeight, 3.0);  // the room height on OK
}

TEST(PropertyDialog, SameAsRoomTakesTheRoomForEachOrientation)
{
    ScriptRunner r;
    // XY: the room rectangle at the entered position, whatever the disabled fields show.
    {
        CPropertyDialog1 d;
        Fill(d, 0, 0, 0);
        r.script = [](CDialog& dlg, FakeControls& c) {
            c.c[1094].check = BST_CHECKED;
            dlg.OnControlCommand(1094, BN_CLICKED);
            EXPECT_FALSE(c.c[1068].enabled);
            c.c[1068].text = "1";
            c.c[1070].text = "1.5";
            dlg.OnOK();
        };
        ASSERT_EQ(d.DoModal(), IDOK);
        EXPECT_EQ(d.m_bSameAsRoom, 1);
        EXPECT_DOUBLE_EQ(d.m_dPlaneLength, 10.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneWidth, 8.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneZero1, 0.5);
        EXPECT_DOUBLE_EQ(d.m_dPlaneZero2, 0.25);
        EXPECT_DOUBLE_EQ(d.m_dPlanePosition, 1.5);
    }
    // YZ: width and height of the room, zero (room Y zero, 0).
    {
        CPropertyDialog1 d;
        Fill(d, 1, 0, 1);
        r.script = [](CDialog& dlg, FakeControls&) { dlg.OnOK(); };
        ASSERT_EQ(d.DoModal(), IDOK);
        EXPECT_DOUBLE_EQ(d.m_dPlaneLength, 8.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneWidth, 3.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneZero1, 0.25);
        EXPECT_DOUBLE_EQ(d.m_dPlaneZero2, 0.0);
    }
    // XZ: the caller gets (Z, X) order: lengths (height, length), zeros (0, room X zero).
    {
        CPropertyDialog1 d;
        Fill(d, 2, 0, 1);
        r.script = [](CDialog& dlg, FakeControls&) { dlg.OnOK(); };
        ASSERT_EQ(d.DoModal(), IDOK);
        EXPECT_DOUBLE_EQ(d.m_dPlaneLength, 3.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneWidth, 10.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneZero1, 0.0);
        EXPECT_DOUBLE_EQ(d.m_dPlaneZero2, 0.5);
    }
}

TEST(PropertyDialog, AnXZPlaneShowsItsXRowFirstAndHandsBackTheCallersOrder)
{
    ScriptRunner r;
    CPropertyDialog1 d;
    d.SetParameters("", "", 0, 0, 0, 10, 8, 3, 1, 1, 2, 0.75, 1.5, 3.0, 10.0, 2.0, 0.5, 100, 3, 0, 1, 1, 3, 2);
    r.script = [](CDialog& dlg, FakeControls& c) {
        EXPECT_EQ(c.c[1072].text, "Length(X) : ");
        EXPECT_EQ(c.c[1068].text, "10");
        EXPECT_EQ(c.c[1075].text, "Width(Z) :");
        EXPECT_EQ(c.c[1069].text, "3");
        EXPECT_EQ(c.c[1071].text, "Zero Position(X) : ");
        EXPECT_EQ(c.c[1076].text, "1.5");
        EXPECT_EQ(c.c[1074].text, "Zero Position(Z) : ");
        EXPECT_EQ(c.c[1077].text, "0.75");
        EXPECT_EQ(c.c[1073].text, "Length(Y) from XZ Plane :");
        // The ceiling buttons keep each other opposite.
        c.c[1007].check = BST_CHECKED;
        dlg.OnControlCommand(1007, BN_CLICKED);
        EXPECT_EQ(c.c[1006].check, BST_UNCHECKED);
        dlg.OnOK();
    };
    ASSERT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.m_bHalfSpace, 0);
    EXPECT_DOUBLE_EQ(d.m_dPlaneLength, 3.0);
    EXPECT_DOUBLE_EQ(d.m_dPlaneWidth, 10.0);
    EXPECT_DOUBLE_EQ(d.m_dPlaneZero1, 0.75);
    EXPECT_DOUBLE_EQ(d.m_dPlaneZero2, 1.5);
    EXPECT_EQ(d.m_nOrientation, 2);
}

TEST(PropertyDialog, ChangingTheOrientationRelabelsAndKeepsTheNumbers)
{
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d);
    r.script = [](CDialog& dlg, FakeControls& c) {
        c.c[1096].sel = 1;
        dlg.OnControlCommand(1096, CBN_SELCHANGE);
        EXPECT_EQ(c.c[1072].text, "Length(Y) :");
        EXPECT_EQ(c.c[1075].text, "Width(Z) :");
        EXPECT_EQ(c.c[1073].text, "Length(X) from YZ Plane :");
        EXPECT_EQ(c.c[1071].text, "Zero Position(Y) : ");
        EXPECT_EQ(c.c[1074].text, "Zero Position(Z) : ");
        EXPECT_EQ(c.c[1068].text, "10");
        EXPECT_EQ(c.c[1069].text, "8");
        c.c[1096].sel = 2;
        dlg.OnControlCommand(1096, CBN_SELCHANGE);
        EXPECT_EQ(c.c[1072].text, "Length(X) : ");
        EXPECT_EQ(c.c[1073].text, "Length(Y) from XZ Plane :");
        dlg.OnOK();
    };
    ASSERT_EQ(d.DoModal(), IDOK);
    // Now XZ: the shown rows (X 10, Z 8) go back as (Z, X).
    EXPECT_EQ(d.m_nOrientation, 2);
    EXPECT_DOUBLE_EQ(d.m_dPlaneLength, 8.0);
    EXPECT_DOUBLE_EQ(d.m_dPlaneWidth, 10.0);
}

TEST(PropertyDialog, UnitChangeConvertsTheStoredLengthsAndOkReadsTheShownText)
{
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d);
    r.script = [](CDialog& dlg, FakeControls& c) {
        c.c[1043].text = "12";  // typed, then replaced by the conversion
        c.c[1046].sel = 1;
        dlg.OnControlCommand(1046, CBN_SELCHANGE);
        // The stored members times the exact factor; the edits show 4 digits.
        const auto& pd = static_cast<const CPropertyDialog1&>(dlg);
        EXPECT_EQ(pd.m_dRoomLength, 10.0 * 3.2808398950131235);
        EXPECT_EQ(pd.m_dCeilingHeight, 2.75 * 3.2808398950131235);
        EXPECT_EQ(c.c[1043].text, "32.81");
        EXPECT_EQ(c.c[1044].text, "26.25");
        EXPECT_EQ(c.c[1045].text, "9.843");
        EXPECT_EQ(c.c[1089].text, "1.64");
        EXPECT_EQ(c.c[1083].text, "100");  // levels are not converted
        for (int id : {1061, 1065, 1062, 1066, 1063, 1064, 1067, 1078, 1081, 1079, 1082, 1080, 1091})
            EXPECT_EQ(c.c[id].text, "[ft]") << id;
        EXPECT_EQ(c.c[1085].text, "[dB]");
        // Selecting the unit already set converts nothing.
        dlg.OnControlCommand(1046, CBN_SELCHANGE);
        EXPECT_EQ(c.c[1043].text, "32.81");
        c.c[1046].sel = 0;
        dlg.OnControlCommand(1046, CBN_SELCHANGE);
        EXPECT_EQ(c.c[1043].text, "10");
        EXPECT_EQ(c.c[1062].text, "[m]");
        c.c[1046].sel = 1;
        dlg.OnControlCommand(1046, CBN_SELCHANGE);
        dlg.OnOK();
    };
    ASSERT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.m_nUnit, 1);
    EXPECT_DOUBLE_EQ(d.m_dRoomLength, 32.81);  // four significant digits, read from the text
    EXPECT_DOUBLE_EQ(d.m_dCeilingHeight, 9.843);
    EXPECT_DOUBLE_EQ(d.m_dColorMax, 100.0);
    EXPECT_EQ(D::kFeetToMetres, 0.30479999999999996);
    EXPECT_LT(D::kFeetToMetres, 0.3048);
}

TEST(PropertyDialog, ADotPitchThatWouldNeedTooManyDotsIsRefused)
{
    RecordingMessages m;
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d);
    r.script = [](CDialog& dlg, FakeControls& c) {
        c.c[1068].text = "60";
        c.c[1069].text = "60";
        c.c[1089].text = "0.001";  // 60000 x 60000 dots
        dlg.OnOK();
        EXPECT_FALSE(dlg.IsEnded());
        c.c[1089].text = "0.06";  // 1000 x 1000 dots: the most allowed
        dlg.OnOK();
    };
    ASSERT_EQ(d.DoModal(), IDOK);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_NE(m.shown[0].find("3600000000 dots"), std::string::npos) << m.shown[0];
    EXPECT_NE(m.shown[0].find("at most 1000000"), std::string::npos) << m.shown[0];
    EXPECT_EQ(r.controls.focusHistory, std::vector<int>{1089});
    EXPECT_DOUBLE_EQ(d.m_dDotPitch, 0.06);
}

TEST(PropertyDialog, AVerticalPlaneTheSizeOfARoomWithoutHeightIsRefused)
{
    RecordingMessages m;
    ScriptRunner r;
    CPropertyDialog1 d;
    Fill(d, 1, 0, 1);  // YZ, same as room
    r.script = [](CDialog& dlg, FakeControls& c) {
        c.c[1045].text = "0";  // a valid room height, but the plane would have no area
        dlg.OnOK();
        EXPECT_FALSE(dlg.IsEnded());
        c.c[1045].text = "2.5";
        dlg.OnOK();
    };
    ASSERT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(m.shown, std::vector<std::string>{"Enter a number between 0.001 and 10000."});
    EXPECT_EQ(r.controls.focusHistory, std::vector<int>{1045});
    EXPECT_DOUBLE_EQ(d.m_dPlaneWidth, 2.5);
}
