#pragma once
// The "Room Parameters" dialog: project name and date, length unit, the room
// (size, reference point, placement grid, ceiling kind), the calculation
// plane of an SPL map window and the colour-map reference. The caller fills
// it with SetParameters, runs DoModal and reads the members back after IDOK;
// the dialog itself changes no project data.
//
// The plane is passed in the axis order of its orientation: XY (X, Y),
// YZ (Y, Z), XZ (Z, X). For XZ the dialog shows the X values in its first
// row and hands them back in the caller's order on OK.
//
// Everything is defined inline in this header: the SPL map window's
// room-parameters command (views/) runs the dialog, and the view library is
// linked after the dialog library.

#include "models/NumberFormat.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/DialogTemplates.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

class CPropertyDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 153 };
    enum : int {
        IDC_RADIO_HALF_SPACE = 1006,
        IDC_RADIO_FULL_SPACE = 1007,
        IDC_EDIT_PROJECT_NAME = 1038,
        IDC_EDIT_DATE = 1039,
        IDC_STATIC_PROJECT_NAME = 1040,
        IDC_STATIC_DATE = 1041,
        IDC_STATIC_UNITS = 1042,
        IDC_EDIT_ROOM_LENGTH = 1043,
        IDC_EDIT_ROOM_WIDTH = 1044,
        IDC_EDIT_ROOM_HEIGHT = 1045,
        IDC_COMBO_UNITS = 1046,
        IDC_EDIT_GRID_PITCH_X = 1050,
        IDC_EDIT_GRID_PITCH_Y = 1051,
        IDC_STATIC_REF_X = 1052,
        IDC_STATIC_ROOM_LENGTH = 1053,
        IDC_STATIC_ROOM_HEIGHT = 1054,
        IDC_STATIC_GRID_PITCH_X = 1055,
        IDC_STATIC_GRID_PITCH_Y = 1056,
        IDC_STATIC_REF_Y = 1057,
        IDC_STATIC_ROOM_WIDTH = 1058,
        IDC_EDIT_REF_X = 1059,
        IDC_EDIT_REF_Y = 1060,
        IDC_UNIT_REF_X = 1061,
        IDC_UNIT_ROOM_LENGTH = 1062,
        IDC_UNIT_ROOM_HEIGHT = 1063,
        IDC_UNIT_GRID_PITCH_X = 1064,
        IDC_UNIT_REF_Y = 1065,
        IDC_UNIT_ROOM_WIDTH = 1066,
        IDC_UNIT_GRID_PITCH_Y = 1067,
        IDC_EDIT_PLANE_LENGTH = 1068,
        IDC_EDIT_PLANE_WIDTH = 1069,
        IDC_EDIT_PLANE_POSITION = 1070,
        IDC_STATIC_PLANE_ZERO1 = 1071,
        IDC_STATIC_PLANE_LENGTH = 1072,
        IDC_STATIC_PLANE_POSITION = 1073,
        IDC_STATIC_PLANE_ZERO2 = 1074,
        IDC_STATIC_PLANE_WIDTH = 1075,
        IDC_EDIT_PLANE_ZERO1 = 1076,
        IDC_EDIT_PLANE_ZERO2 = 1077,
        IDC_UNIT_PLANE_ZERO1 = 1078,
        IDC_UNIT_PLANE_LENGTH = 1079,
        IDC_UNIT_PLANE_POSITION = 1080,
        IDC_UNIT_PLANE_ZERO2 = 1081,
        IDC_UNIT_PLANE_WIDTH = 1082,
        IDC_EDIT_COLOR_MAX = 1083,
        IDC_EDIT_COLOR_PITCH = 1084,
        IDC_UNIT_COLOR_MAX = 1085,
        IDC_STATIC_COLOR_MAX = 1086,
        IDC_STATIC_COLOR_PITCH = 1087,
        IDC_UNIT_COLOR_PITCH = 1088,
        IDC_EDIT_DOT_PITCH = 1089,
        IDC_STATIC_DOT_PITCH = 1090,
        IDC_UNIT_DOT_PITCH = 1091,
        IDC_CHECK_SAME_AS_ROOM = 1094,
        IDC_COMBO_ORIENTATION = 1096,
    };

    // Conversion factors of the length units.
    static constexpr double kMetresToFeet = 3.2808398950131235;
    static constexpr double kFeetToMetres = 0.30479999999999996;  // the double just below 0.3048
    // The most colour dots a plane may be given from this dialog.
    static constexpr double kMaxColorDots = 1000000.0;

    CPropertyDialog1();

    // Fills every member (see the class comment for the plane's order).
    void SetParameters(const std::string& projectName, const std::string& date, int unit, double refX, double refY,
                       double roomLength, double roomWidth, double roomHeight, double gridPitchX, double gridPitchY,
                       int orientation, double planeZero1, double planeZero2, double planeLength1,
                       double planeLength2, double planePosition, double dotPitch, double colorMax,
                       double colorPitch, int sameAsRoom, int halfSpace, int showCancel, double ceilingHeight,
                       int advancedMode);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnControlCommand(int id, int notifyCode) override;

    void OnCbnSelchangeUnits();
    void OnBnClickedSameAsRoom();
    void OnBnClickedHalfSpace();
    void OnBnClickedFullSpace();
    void OnCbnSelchangeOrientation();

    // The number of colour dots a plane of these in-plane lengths and this
    // pitch is divided into (each length in whole dots, rounded up).
    static double CountColorDots(double length1, double length2, double pitch);

    int m_nAdvancedMode = 0;
    double m_dCeilingHeight = 0.0;
    int m_bHalfSpace = 0;
    int m_bSameAsRoom = 0;
    int m_nUnit = 0;
    int m_nOrientation = 0;

    double m_dPlaneZero2 = 0.0;
    double m_dRefY = 0.0;
    double m_dDotPitch = 0.0;
    std::string m_strDateLabel;
    double m_dPlanePosition = 0.0;
    double m_dRoomHeight = 0.0;
    double m_dPlaneZero1 = 0.0;
    double m_dRefX = 0.0;
    double m_dPlaneWidth = 0.0;
    double m_dRoomWidth = 0.0;
    double m_dGridPitchY = 0.0;
    double m_dColorPitch = 0.0;
    std::string m_strProjectName;
    // Labels.
    std::string m_strProjectNameLabel;
    std::string m_strUnitsLabel;
    std::string m_strRoomLengthLabel;
    std::string m_strRoomWidthLabel;
    std::string m_strRoomHeightLabel;
    std::string m_strRefXLabel;
    std::string m_strRefYLabel;
    std::string m_strGridPitchXLabel;
    std::string m_strGridPitchYLabel;
    std::string m_strPlaneLengthLabel;
    std::string m_strPlaneWidthLabel;
    std::string m_strPlanePositionLabel;
    std::string m_strPlaneZero1Label;
    std::string m_strPlaneZero2Label;
    std::string m_strDotPitchLabel;
    double m_dColorMax = 0.0;
    // Unit texts (13 lengths, two levels) and the level-step label.
    std::string m_strUnitRefX;
    std::string m_strUnitRefY;
    std::string m_strUnitRoomLength;
    std::string m_strUnitRoomWidth;
    std::string m_strUnitRoomHeight;
    std::string m_strUnitGridPitchX;
    std::string m_strUnitGridPitchY;
    std::string m_strUnitPlaneZero1;
    std::string m_strUnitPlaneZero2;
    std::string m_strUnitPlaneLength;
    std::string m_strUnitPlaneWidth;
    std::string m_strUnitPlanePosition;
    std::string m_strUnitDotPitch;
    std::string m_strUnitColorMax;
    std::string m_strUnitColorPitch;
    std::string m_strColorPitchLabel;
    double m_dPlaneLength = 0.0;
    double m_dRoomLength = 0.0;
    std::string m_strDate;
    double m_dGridPitchX = 0.0;
    std::string m_strColorMaxLabel;
    int m_bShowCancel = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void LoadPlaneLabels();
    void SetUnitTexts();
    void ShowPlaneLabels();
    void EnablePlaneEdits(bool enable);
};

// ---- definitions --------------------------------------------------------------

// String ids, control groups and the template of the dialog.
namespace PropertyDialog1Detail {

enum : unsigned {
    IDS_COLOR_MAX = 61640,
    IDS_COLOR_PITCH = 61641,
    IDS_ZERO_X = 61642,
    IDS_ZERO_Y = 61643,
    IDS_LENGTH_X = 61644,
    IDS_WIDTH_Y = 61645,
    IDS_HEIGHT_Z = 61646,
    IDS_GRID_PITCH_X = 61647,
    IDS_GRID_PITCH_Y = 61648,
    IDS_DOT_PITCH = 61649,
    IDS_PROJECT_NAME = 61681,
    IDS_DATE = 61682,
    IDS_UNITS = 61683,
    IDS_SAME_AS_ROOM = 61685,
    IDS_HALF_SPACE = 61687,
    IDS_FULL_SPACE = 61689,
    IDS_HEIGHT_FROM_XY = 63706,
    IDS_LENGTH_FROM_YZ = 63707,
    IDS_LENGTH_FROM_XZ = 63708,
    IDS_LENGTH_Y = 63709,
    IDS_WIDTH_Z = 63710,
    IDS_ZERO_Z = 63712,
    IDS_TOO_MANY_DOTS = 63720,
};

// The edits and unit statics of the lengths.
inline constexpr int kLengthUnitStatics[] = {
    CPropertyDialog1::IDC_UNIT_REF_X,        CPropertyDialog1::IDC_UNIT_REF_Y,
    CPropertyDialog1::IDC_UNIT_ROOM_LENGTH,  CPropertyDialog1::IDC_UNIT_ROOM_WIDTH,
    CPropertyDialog1::IDC_UNIT_ROOM_HEIGHT,  CPropertyDialog1::IDC_UNIT_GRID_PITCH_X,
    CPropertyDialog1::IDC_UNIT_GRID_PITCH_Y, CPropertyDialog1::IDC_UNIT_PLANE_ZERO1,
    CPropertyDialog1::IDC_UNIT_PLANE_ZERO2,  CPropertyDialog1::IDC_UNIT_PLANE_LENGTH,
    CPropertyDialog1::IDC_UNIT_PLANE_WIDTH,  CPropertyDialog1::IDC_UNIT_PLANE_POSITION,
    CPropertyDialog1::IDC_UNIT_DOT_PITCH,
};

// The plane edits that "Same as room dimensions" takes over.
inline constexpr int kRoomPlaneEdits[] = {
    CPropertyDialog1::IDC_EDIT_PLANE_ZERO1,
    CPropertyDialog1::IDC_EDIT_PLANE_ZERO2,
    CPropertyDialog1::IDC_EDIT_PLANE_WIDTH,
    CPropertyDialog1::IDC_EDIT_PLANE_LENGTH,
};

// The rows of the reference point and the plane's zero position, hidden
// outside the advanced mode.
inline constexpr int kZeroPositionControls[] = {
    CPropertyDialog1::IDC_STATIC_REF_X,       CPropertyDialog1::IDC_EDIT_REF_X,
    CPropertyDialog1::IDC_UNIT_REF_X,         CPropertyDialog1::IDC_STATIC_REF_Y,
    CPropertyDialog1::IDC_EDIT_REF_Y,         CPropertyDialog1::IDC_UNIT_REF_Y,
    CPropertyDialog1::IDC_STATIC_PLANE_ZERO1, CPropertyDialog1::IDC_EDIT_PLANE_ZERO1,
    CPropertyDialog1::IDC_UNIT_PLANE_ZERO1,   CPropertyDialog1::IDC_STATIC_PLANE_ZERO2,
    CPropertyDialog1::IDC_EDIT_PLANE_ZERO2,   CPropertyDialog1::IDC_UNIT_PLANE_ZERO2,
};

// One row of label, edit and unit text.
inline void AddRow(std::vector<ControlTemplate>& v, int x, int y, int labelWidth, int label, int edit, int unit,
                   int editWidth = 56)
{
    using K = ControlTemplate;
    v.push_back(MakeControl(K::Static, label, "Static", x, y + 2, labelWidth, 8));
    v.push_back(MakeControl(K::Edit, edit, "", x + labelWidth + 2, y, editWidth, 12));
    v.push_back(MakeControl(K::Static, unit, "[m]", x + labelWidth + editWidth + 6, y + 2, 20, 8));
}

inline DialogTemplate BuildTemplate()
{
    using K = ControlTemplate;
    using D = CPropertyDialog1;
    DialogTemplate t;
    t.id = D::IDD;
    t.caption = "Room Parameters";
    t.cx = 336;
    t.cy = 326;
    t.systemMenu = false;
    auto& v = t.controls;

    v.push_back(MakeControl(K::Static, D::IDC_STATIC_PROJECT_NAME, "Static", 10, 9, 60, 8));
    v.push_back(MakeControl(K::Edit, D::IDC_EDIT_PROJECT_NAME, "", 72, 7, 180, 12));
    v.push_back(MakeControl(K::Static, D::IDC_STATIC_DATE, "Static", 10, 25, 60, 8));
    v.push_back(MakeControl(K::Edit, D::IDC_EDIT_DATE, "", 72, 23, 180, 12));
    v.push_back(MakeControl(K::Static, D::IDC_STATIC_UNITS, "Static", 10, 41, 60, 8));
    ControlTemplate units = MakeControl(K::ComboList, D::IDC_COMBO_UNITS, "", 72, 39, 80, 40);
    units.items = {"Metric", "Imperial"};
    v.push_back(units);
    v.push_back(MakeControl(K::DefPushButton, IDOK, "OK", 279, 7, 50, 14));
    v.push_back(MakeControl(K::PushButton, IDCANCEL, "Cancel", 279, 24, 50, 14));

    // Room.
    v.push_back(MakeControl(K::GroupBox, IDC_STATIC, "Room Dimensions", 7, 58, 322, 108));
    AddRow(v, 14, 70, 72, D::IDC_STATIC_ROOM_LENGTH, D::IDC_EDIT_ROOM_LENGTH, D::IDC_UNIT_ROOM_LENGTH);
    AddRow(v, 14, 86, 72, D::IDC_STATIC_ROOM_WIDTH, D::IDC_EDIT_ROOM_WIDTH, D::IDC_UNIT_ROOM_WIDTH);
    AddRow(v, 14, 102, 72, D::IDC_STATIC_ROOM_HEIGHT, D::IDC_EDIT_ROOM_HEIGHT, D::IDC_UNIT_ROOM_HEIGHT);
    AddRow(v, 172, 70, 72, D::IDC_STATIC_REF_X, D::IDC_EDIT_REF_X, D::IDC_UNIT_REF_X);
    AddRow(v, 172, 86, 72, D::IDC_STATIC_REF_Y, D::IDC_EDIT_REF_Y, D::IDC_UNIT_REF_Y);
    AddRow(v, 14, 118, 72, D::IDC_STATIC_GRID_PITCH_X, D::IDC_EDIT_GRID_PITCH_X, D::IDC_UNIT_GRID_PITCH_X);
    AddRow(v, 172, 118, 72, D::IDC_STATIC_GRID_PITCH_Y, D::IDC_EDIT_GRID_PITCH_Y, D::IDC_UNIT_GRID_PITCH_Y);
    v.push_back(MakeControl(K::RadioButton, D::IDC_RADIO_HALF_SPACE, "Half Space", 14, 136, 300, 10));
    v.push_back(MakeControl(K::RadioButton, D::IDC_RADIO_FULL_SPACE, "Full Space", 14, 150, 300, 10));

    // Calculation plane.
    v.push_back(MakeControl(K::GroupBox, IDC_STATIC, "Calculation Plane Dimensions", 7, 172, 214, 146));
    ControlTemplate orientation = MakeControl(K::ComboList, D::IDC_COMBO_ORIENTATION, "", 14, 184, 96, 60);
    orientation.items = {"Parallel to XY Plane", "Parallel to YZ Plane", "Parallel to XZ Plane"};
    v.push_back(orientation);
    v.push_back(MakeControl(K::CheckBox, D::IDC_CHECK_SAME_AS_ROOM, "Same as room dimensions", 14, 201, 196, 10));
    AddRow(v, 14, 216, 110, D::IDC_STATIC_PLANE_LENGTH, D::IDC_EDIT_PLANE_LENGTH, D::IDC_UNIT_PLANE_LENGTH);
    AddRow(v, 14, 232, 110, D::IDC_STATIC_PLANE_WIDTH, D::IDC_EDIT_PLANE_WIDTH, D::IDC_UNIT_PLANE_WIDTH);
    AddRow(v, 14, 248, 110, D::IDC_STATIC_PLANE_POSITION, D::IDC_EDIT_PLANE_POSITION, D::IDC_UNIT_PLANE_POSITION);
    AddRow(v, 14, 264, 110, D::IDC_STATIC_DOT_PITCH, D::IDC_EDIT_DOT_PITCH, D::IDC_UNIT_DOT_PITCH);
    AddRow(v, 14, 280, 110, D::IDC_STATIC_PLANE_ZERO1, D::IDC_EDIT_PLANE_ZERO1, D::IDC_UNIT_PLANE_ZERO1);
    AddRow(v, 14, 296, 110, D::IDC_STATIC_PLANE_ZERO2, D::IDC_EDIT_PLANE_ZERO2, D::IDC_UNIT_PLANE_ZERO2);

    // Colour map reference.
    v.push_back(MakeControl(K::GroupBox, IDC_STATIC, "Color Map Reference", 227, 172, 102, 60));
    // Narrower edits keep the "[dB]" texts inside the group and the dialog.
    AddRow(v, 232, 186, 28, D::IDC_STATIC_COLOR_MAX, D::IDC_EDIT_COLOR_MAX, D::IDC_UNIT_COLOR_MAX, 40);
    AddRow(v, 232, 204, 28, D::IDC_STATIC_COLOR_PITCH, D::IDC_EDIT_COLOR_PITCH, D::IDC_UNIT_COLOR_PITCH, 40);
    return t;
}

inline void RegisterTemplateOnce()
{
    static const bool registered = [] {
        RegisterDialogTemplate(BuildTemplate());
        return true;
    }();
    (void)registered;
}

}  // namespace PropertyDialog1Detail

inline CPropertyDialog1::CPropertyDialog1() : CDialog(IDD)
{
    PropertyDialog1Detail::RegisterTemplateOnce();
}

inline double CPropertyDialog1::CountColorDots(double length1, double length2, double pitch)
{
    if (!(pitch > 0.0))
        return HUGE_VAL;
    // The plane snaps a length within a hundredth of a dot to whole dots.
    auto count = [pitch](double length) { return std::max(1.0, std::ceil(std::fabs(length) / pitch - 0.01)); };
    return count(length1) * count(length2);
}

inline void CPropertyDialog1::SetParameters(const std::string& projectName, const std::string& date, int unit,
                                            double refX, double refY, double roomLength, double roomWidth,
                                            double roomHeight, double gridPitchX, double gridPitchY, int orientation,
                                            double planeZero1, double planeZero2, double planeLength1,
                                            double planeLength2, double planePosition, double dotPitch,
                                            double colorMax, double colorPitch, int sameAsRoom, int halfSpace,
                                            int showCancel, double ceilingHeight, int advancedMode)
{
    m_strProjectName = projectName;
    m_strDate = date;
    m_nUnit = unit;
    m_dRefX = refX;
    m_dRefY = refY;
    m_dRoomLength = roomLength;
    m_dRoomWidth = roomWidth;
    m_dRoomHeight = roomHeight;
    m_dGridPitchX = gridPitchX;
    m_dGridPitchY = gridPitchY;
    m_nOrientation = orientation;
    m_dPlaneZero1 = planeZero1;
    m_dPlaneZero2 = planeZero2;
    m_dPlaneLength = planeLength1;
    m_dPlaneWidth = planeLength2;
    m_dPlanePosition = planePosition;
    m_dDotPitch = dotPitch;
    m_dColorMax = colorMax;
    m_dColorPitch = colorPitch;
    m_bSameAsRoom = sameAsRoom;
    m_bHalfSpace = halfSpace;
    m_bShowCancel = showCancel;
    m_dCeilingHeight = ceilingHeight;
    m_nAdvancedMode = advancedMode;

    m_strProjectNameLabel = LoadStringId(PropertyDialog1Detail::IDS_PROJECT_NAME);
    m_strDateLabel = LoadStringId(PropertyDialog1Detail::IDS_DATE);
    m_strUnitsLabel = LoadStringId(PropertyDialog1Detail::IDS_UNITS);
    m_strRoomLengthLabel = LoadStringId(PropertyDialog1Detail::IDS_LENGTH_X);
    m_strRoomWidthLabel = LoadStringId(PropertyDialog1Detail::IDS_WIDTH_Y);
    m_strRoomHeightLabel = LoadStringId(PropertyDialog1Detail::IDS_HEIGHT_Z);
    m_strRefXLabel = LoadStringId(PropertyDialog1Detail::IDS_ZERO_X);
    m_strRefYLabel = LoadStringId(PropertyDialog1Detail::IDS_ZERO_Y);
    m_strGridPitchXLabel = LoadStringId(PropertyDialog1Detail::IDS_GRID_PITCH_X);
    m_strGridPitchYLabel = LoadStringId(PropertyDialog1Detail::IDS_GRID_PITCH_Y);
    m_strDotPitchLabel = LoadStringId(PropertyDialog1Detail::IDS_DOT_PITCH);
    m_strColorMaxLabel = LoadStringId(PropertyDialog1Detail::IDS_COLOR_MAX);
    m_strColorPitchLabel = LoadStringId(PropertyDialog1Detail::IDS_COLOR_PITCH);
    LoadPlaneLabels();
    SetUnitTexts();
    m_strUnitColorMax = "[dB]";
    m_strUnitColorPitch = "[dB]";

    if (m_nOrientation == 2) {
        std::swap(m_dPlaneLength, m_dPlaneWidth);
        std::swap(m_dPlaneZero1, m_dPlaneZero2);
    }
}

inline void CPropertyDialog1::LoadPlaneLabels()
{
    switch (m_nOrientation) {
    case 1:
        m_strPlaneLengthLabel = LoadStringId(PropertyDialog1Detail::IDS_LENGTH_Y);
        m_strPlaneWidthLabel = LoadStringId(PropertyDialog1Detail::IDS_WIDTH_Z);
        m_strPlanePositionLabel = LoadStringId(PropertyDialog1Detail::IDS_LENGTH_FROM_YZ);
        m_strPlaneZero1Label = LoadStringId(PropertyDialog1Detail::IDS_ZERO_Y);
        m_strPlaneZero2Label = LoadStringId(PropertyDialog1Detail::IDS_ZERO_Z);
        break;
    case 2:
        m_strPlaneLengthLabel = LoadStringId(PropertyDialog1Detail::IDS_LENGTH_X);
        m_strPlaneWidthLabel = LoadStringId(PropertyDialog1Detail::IDS_WIDTH_Z);
        m_strPlanePositionLabel = LoadStringId(PropertyDialog1Detail::IDS_LENGTH_FROM_XZ);
        m_strPlaneZero1Label = LoadStringId(PropertyDialog1Detail::IDS_ZERO_X);
        m_strPlaneZero2Label = LoadStringId(PropertyDialog1Detail::IDS_ZERO_Z);
        break;
    default:
        m_strPlaneLengthLabel = LoadStringId(PropertyDialog1Detail::IDS_LENGTH_X);
        m_strPlaneWidthLabel = LoadStringId(PropertyDialog1Detail::IDS_WIDTH_Y);
        m_strPlanePositionLabel = LoadStringId(PropertyDialog1Detail::IDS_HEIGHT_FROM_XY);
        m_strPlaneZero1Label = LoadStringId(PropertyDialog1Detail::IDS_ZERO_X);
        m_strPlaneZero2Label = LoadStringId(PropertyDialog1Detail::IDS_ZERO_Y);
        break;
    }
}

inline void CPropertyDialog1::SetUnitTexts()
{
    const std::string u = m_nUnit == 1 ? "[ft]" : "[m]";
    for (std::string* s : {&m_strUnitRefX, &m_strUnitRefY, &m_strUnitRoomLength, &m_strUnitRoomWidth,
                           &m_strUnitRoomHeight, &m_strUnitGridPitchX, &m_strUnitGridPitchY, &m_strUnitPlaneZero1,
                           &m_strUnitPlaneZero2, &m_strUnitPlaneLength, &m_strUnitPlaneWidth,
                           &m_strUnitPlanePosition, &m_strUnitDotPitch})
        *s = u;
}

inline void CPropertyDialog1::ShowPlaneLabels()
{
    IDialogControls& c = *Controls();
    c.SetWindowText(IDC_STATIC_PLANE_ZERO1, m_strPlaneZero1Label);
    c.SetWindowText(IDC_STATIC_PLANE_ZERO2, m_strPlaneZero2Label);
    c.SetWindowText(IDC_STATIC_PLANE_LENGTH, m_strPlaneLengthLabel);
    c.SetWindowText(IDC_STATIC_PLANE_WIDTH, m_strPlaneWidthLabel);
    c.SetWindowText(IDC_STATIC_PLANE_POSITION, m_strPlanePositionLabel);
}

inline void CPropertyDialog1::EnablePlaneEdits(bool enable)
{
    for (int id : PropertyDialog1Detail::kRoomPlaneEdits)
        Controls()->EnableWindow(id, enable);
}

inline void CPropertyDialog1::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_EDIT_PLANE_ZERO2, m_dPlaneZero2);
    DDV_MinMaxDouble(dx, m_dPlaneZero2, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_REF_Y, m_dRefY);
    DDV_MinMaxDouble(dx, m_dRefY, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_DOT_PITCH, m_dDotPitch);
    DDV_MinMaxDouble(dx, m_dDotPitch, 0.001, 10000.0);
    DDX_Text(dx, IDC_STATIC_DATE, m_strDateLabel);
    DDX_Text(dx, IDC_EDIT_PLANE_POSITION, m_dPlanePosition);
    DDV_MinMaxDouble(dx, m_dPlanePosition, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_ROOM_HEIGHT, m_dRoomHeight);
    DDV_MinMaxDouble(dx, m_dRoomHeight, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_PLANE_ZERO1, m_dPlaneZero1);
    DDV_MinMaxDouble(dx, m_dPlaneZero1, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_REF_X, m_dRefX);
    DDV_MinMaxDouble(dx, m_dRefX, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_PLANE_WIDTH, m_dPlaneWidth);
    DDV_MinMaxDouble(dx, m_dPlaneWidth, 0.001, 10000.0);
    DDX_Text(dx, IDC_EDIT_ROOM_WIDTH, m_dRoomWidth);
    DDV_MinMaxDouble(dx, m_dRoomWidth, 0.001, 10000.0);
    DDX_Text(dx, IDC_EDIT_GRID_PITCH_Y, m_dGridPitchY);
    DDV_MinMaxDouble(dx, m_dGridPitchY, 0.001, 10000.0);
    DDX_Text(dx, IDC_EDIT_COLOR_PITCH, m_dColorPitch);
    DDV_MinMaxDouble(dx, m_dColorPitch, 0.001, 10000.0);
    DDX_Text(dx, IDC_EDIT_PROJECT_NAME, m_strProjectName);
    DDX_Text(dx, IDC_STATIC_PROJECT_NAME, m_strProjectNameLabel);
    DDX_Text(dx, IDC_STATIC_UNITS, m_strUnitsLabel);
    DDX_Text(dx, IDC_STATIC_ROOM_LENGTH, m_strRoomLengthLabel);
    DDX_Text(dx, IDC_STATIC_ROOM_WIDTH, m_strRoomWidthLabel);
    DDX_Text(dx, IDC_STATIC_ROOM_HEIGHT, m_strRoomHeightLabel);
    DDX_Text(dx, IDC_STATIC_REF_X, m_strRefXLabel);
    DDX_Text(dx, IDC_STATIC_REF_Y, m_strRefYLabel);
    DDX_Text(dx, IDC_STATIC_GRID_PITCH_X, m_strGridPitchXLabel);
    DDX_Text(dx, IDC_STATIC_GRID_PITCH_Y, m_strGridPitchYLabel);
    DDX_Text(dx, IDC_STATIC_PLANE_LENGTH, m_strPlaneLengthLabel);
    DDX_Text(dx, IDC_STATIC_PLANE_WIDTH, m_strPlaneWidthLabel);
    DDX_Text(dx, IDC_STATIC_PLANE_POSITION, m_strPlanePositionLabel);
    DDX_Text(dx, IDC_STATIC_PLANE_ZERO1, m_strPlaneZero1Label);
    DDX_Text(dx, IDC_STATIC_PLANE_ZERO2, m_strPlaneZero2Label);
    DDX_Text(dx, IDC_STATIC_DOT_PITCH, m_strDotPitchLabel);
    DDX_Text(dx, IDC_EDIT_COLOR_MAX, m_dColorMax);
    DDV_MinMaxDouble(dx, m_dColorMax, -10000.0, 10000.0);
    DDX_Text(dx, IDC_UNIT_REF_X, m_strUnitRefX);
    DDX_Text(dx, IDC_UNIT_REF_Y, m_strUnitRefY);
    DDX_Text(dx, IDC_UNIT_ROOM_LENGTH, m_strUnitRoomLength);
    DDX_Text(dx, IDC_UNIT_ROOM_WIDTH, m_strUnitRoomWidth);
    DDX_Text(dx, IDC_UNIT_ROOM_HEIGHT, m_strUnitRoomHeight);
    DDX_Text(dx, IDC_UNIT_GRID_PITCH_X, m_strUnitGridPitchX);
    DDX_Text(dx, IDC_UNIT_GRID_PITCH_Y, m_strUnitGridPitchY);
    DDX_Text(dx, IDC_UNIT_PLANE_ZERO1, m_strUnitPlaneZero1);
    DDX_Text(dx, IDC_UNIT_PLANE_ZERO2, m_strUnitPlaneZero2);
    DDX_Text(dx, IDC_UNIT_PLANE_LENGTH, m_strUnitPlaneLength);
    DDX_Text(dx, IDC_UNIT_PLANE_WIDTH, m_strUnitPlaneWidth);
    DDX_Text(dx, IDC_UNIT_PLANE_POSITION, m_strUnitPlanePosition);
    DDX_Text(dx, IDC_UNIT_DOT_PITCH, m_strUnitDotPitch);
    DDX_Text(dx, IDC_UNIT_COLOR_MAX, m_strUnitColorMax);
    DDX_Text(dx, IDC_UNIT_COLOR_PITCH, m_strUnitColorPitch);
    DDX_Text(dx, IDC_STATIC_COLOR_PITCH, m_strColorPitchLabel);
    DDX_Text(dx, IDC_EDIT_PLANE_LENGTH, m_dPlaneLength);
    DDV_MinMaxDouble(dx, m_dPlaneLength, 0.001, 10000.0);
    DDX_Text(dx, IDC_EDIT_ROOM_LENGTH, m_dRoomLength);
    DDV_MinMaxDouble(dx, m_dRoomLength, 0.001, 10000.0);
    DDX_Text(dx, IDC_EDIT_DATE, m_strDate);
    DDX_Text(dx, IDC_EDIT_GRID_PITCH_X, m_dGridPitchX);
    DDV_MinMaxDouble(dx, m_dGridPitchX, 0.001, 10000.0);
    DDX_Text(dx, IDC_STATIC_COLOR_MAX, m_strColorMaxLabel);
}

inline bool CPropertyDialog1::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls& c = *Controls();
    c.ShowWindow(IDCANCEL, m_bShowCancel != 0);
    c.SetCurSel(IDC_COMBO_UNITS, m_nUnit == 1 ? 1 : 0);
    c.SetCurSel(IDC_COMBO_ORIENTATION, m_nOrientation);
    if (m_bSameAsRoom == 1) {
        c.SetCheck(IDC_CHECK_SAME_AS_ROOM, BST_CHECKED);
        EnablePlaneEdits(false);
    } else {
        c.SetCheck(IDC_CHECK_SAME_AS_ROOM, BST_UNCHECKED);
        EnablePlaneEdits(true);
    }
    c.SetCheck(IDC_RADIO_HALF_SPACE, m_bHalfSpace == 1 ? BST_CHECKED : BST_UNCHECKED);
    c.SetCheck(IDC_RADIO_FULL_SPACE, m_bHalfSpace == 1 ? BST_UNCHECKED : BST_CHECKED);
    c.SetWindowText(IDC_CHECK_SAME_AS_ROOM, LoadStringId(PropertyDialog1Detail::IDS_SAME_AS_ROOM));
    c.SetWindowText(IDC_RADIO_HALF_SPACE, LoadStringId(PropertyDialog1Detail::IDS_HALF_SPACE));
    c.SetWindowText(IDC_RADIO_FULL_SPACE, LoadStringId(PropertyDialog1Detail::IDS_FULL_SPACE));
    if (m_nAdvancedMode == 0) {
        for (int id : PropertyDialog1Detail::kZeroPositionControls)
            c.ShowWindow(id, false);
    }
    return true;
}

inline void CPropertyDialog1::OnControlCommand(int id, int notifyCode)
{
    if (id == IDC_COMBO_UNITS && notifyCode == CBN_SELCHANGE)
        OnCbnSelchangeUnits();
    else if (id == IDC_COMBO_ORIENTATION && notifyCode == CBN_SELCHANGE)
        OnCbnSelchangeOrientation();
    else if (id == IDC_CHECK_SAME_AS_ROOM && notifyCode == BN_CLICKED)
        OnBnClickedSameAsRoom();
    else if (id == IDC_RADIO_HALF_SPACE && notifyCode == BN_CLICKED)
        OnBnClickedHalfSpace();
    else if (id == IDC_RADIO_FULL_SPACE && notifyCode == BN_CLICKED)
        OnBnClickedFullSpace();
}

inline void CPropertyDialog1::OnBnClickedSameAsRoom()
{
    const bool checked = Controls()->GetCheck(IDC_CHECK_SAME_AS_ROOM) == BST_CHECKED;
    EnablePlaneEdits(!checked);
    m_bSameAsRoom = checked ? 1 : 0;
}

// The two ceiling buttons are groups of their own: each keeps the other in
// the opposite state.
inline void CPropertyDialog1::OnBnClickedHalfSpace()
{
    IDialogControls& c = *Controls();
    c.SetCheck(IDC_RADIO_FULL_SPACE,
               c.GetCheck(IDC_RADIO_HALF_SPACE) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

inline void CPropertyDialog1::OnBnClickedFullSpace()
{
    IDialogControls& c = *Controls();
    c.SetCheck(IDC_RADIO_HALF_SPACE,
               c.GetCheck(IDC_RADIO_FULL_SPACE) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

inline void CPropertyDialog1::OnCbnSelchangeOrientation()
{
    const int sel = Controls()->GetCurSel(IDC_COMBO_ORIENTATION);
    if (sel < 0 || sel > 2)
        return;
    m_nOrientation = sel;
    LoadPlaneLabels();
    ShowPlaneLabels();
}

inline void CPropertyDialog1::OnCbnSelchangeUnits()
{
    IDialogControls& c = *Controls();
    const int sel = c.GetCurSel(IDC_COMBO_UNITS);
    if (sel == m_nUnit || (sel != 0 && sel != 1))
        return;
    const double f = sel == 1 ? kMetresToFeet : kFeetToMetres;
    m_dCeilingHeight *= f;
    const std::pair<double*, int> lengths[] = {
        {&m_dRefX, IDC_EDIT_REF_X},
        {&m_dRefY, IDC_EDIT_REF_Y},
        {&m_dRoomWidth, IDC_EDIT_ROOM_WIDTH},
        {&m_dRoomLength, IDC_EDIT_ROOM_LENGTH},
        {&m_dRoomHeight, IDC_EDIT_ROOM_HEIGHT},
        {&m_dGridPitchX, IDC_EDIT_GRID_PITCH_X},
        {&m_dGridPitchY, IDC_EDIT_GRID_PITCH_Y},
        {&m_dPlaneZero1, IDC_EDIT_PLANE_ZERO1},
        {&m_dPlaneZero2, IDC_EDIT_PLANE_ZERO2},
        {&m_dPlaneWidth, IDC_EDIT_PLANE_WIDTH},
        {&m_dPlaneLength, IDC_EDIT_PLANE_LENGTH},
        {&m_dPlanePosition, IDC_EDIT_PLANE_POSITION},
        {&m_dDotPitch, IDC_EDIT_DOT_PITCH},
    };
    for (const auto& [value, edit] : lengths) {
        *value *= f;
        c.SetWindowText(edit, FormatNumber(*value, 4));
    }
    m_nUnit = sel;
    SetUnitTexts();
    const std::string& u = m_strUnitDotPitch;
    for (int id : PropertyDialog1Detail::kLengthUnitStatics)
        c.SetWindowText(id, u);
}

inline void CPropertyDialog1::OnOK()
{
    IDialogControls& c = *Controls();
    const int unit = c.GetCurSel(IDC_COMBO_UNITS);
    if (unit == 0 || unit == 1)
        m_nUnit = unit;
    const int orientation = c.GetCurSel(IDC_COMBO_ORIENTATION);
    if (orientation >= 0 && orientation <= 2)
        m_nOrientation = orientation;

    if (!UpdateData(true))
        return;

    if (c.GetCheck(IDC_CHECK_SAME_AS_ROOM) == BST_CHECKED) {
        switch (m_nOrientation) {
        case 1:
            m_dPlaneLength = m_dRoomWidth;
            m_dPlaneWidth = m_dRoomHeight;
            m_dPlaneZero1 = m_dRefY;
            m_dPlaneZero2 = 0.0;
            break;
        case 2:
            m_dPlaneLength = m_dRoomLength;
            m_dPlaneWidth = m_dRoomHeight;
            m_dPlaneZero1 = m_dRefX;
            m_dPlaneZero2 = 0.0;
            break;
        default:
            m_dPlaneLength = m_dRoomLength;
            m_dPlaneWidth = m_dRoomWidth;
            m_dPlaneZero1 = m_dRefX;
            m_dPlaneZero2 = m_dRefY;
            break;
        }
    }

    // A vertical plane the size of the room takes the room's height, which
    // may be 0 or below (the height field allows it): such a plane has no
    // area, so the height is asked for again as a plane length would be.
    if (m_dPlaneLength < 0.001 || m_dPlaneWidth < 0.001) {
        AfxMessageBox(DataExchange::FormatString2(LoadStringId(DataExchange::IDP_PARSE_REAL_RANGE),
                                                  DataExchange::FormatDouble(0.001),
                                                  DataExchange::FormatDouble(10000.0)),
                      MB_ICONEXCLAMATION);
        c.SetFocus(IDC_EDIT_ROOM_HEIGHT);
        return;
    }

    // Every dot is calculated and drawn: a pitch far below the plane's size
    // would ask for more dots than the map can hold.
    const double dots = CountColorDots(m_dPlaneLength, m_dPlaneWidth, m_dDotPitch);
    if (!(dots <= kMaxColorDots)) {
        AfxMessageBox(DataExchange::FormatString2(LoadStringId(PropertyDialog1Detail::IDS_TOO_MANY_DOTS),
                                                  Numbers::Format("%.0f", dots),
                                                  Numbers::Format("%.0f", kMaxColorDots)),
                      MB_ICONEXCLAMATION);
        c.SetFocus(IDC_EDIT_DOT_PITCH);
        return;
    }

    if (m_nOrientation == 2) {
        std::swap(m_dPlaneLength, m_dPlaneWidth);
        std::swap(m_dPlaneZero1, m_dPlaneZero2);
    }
    m_dCeilingHeight = m_dRoomHeight;
    if (c.GetCheck(IDC_RADIO_HALF_SPACE) == BST_CHECKED)
        m_bHalfSpace = 1;
    else if (c.GetCheck(IDC_RADIO_FULL_SPACE) == BST_CHECKED)
        m_bHalfSpace = 0;
    EndDialog(IDOK);
}
