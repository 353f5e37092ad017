#include "dialogs/PropertyDialog1.h"

#include "models/NumberFormat.h"
#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/DialogTemplates.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>

namespace {

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
constexpr int kLengthUnitStatics[] = {
    CPropertyDialog1::IDC_UNIT_REF_X,        CPropertyDialog1::IDC_UNIT_REF_Y,
    CPropertyDialog1::IDC_UNIT_ROOM_LENGTH,  CPropertyDialog1::IDC_UNIT_ROOM_WIDTH,
    CPropertyDialog1::IDC_UNIT_ROOM_HEIGHT,  CPropertyDialog1::IDC_UNIT_GRID_PITCH_X,
    CPropertyDialog1::IDC_UNIT_GRID_PITCH_Y, CPropertyDialog1::IDC_UNIT_PLANE_ZERO1,
    CPropertyDialog1::IDC_UNIT_PLANE_ZERO2,  CPropertyDialog1::IDC_UNIT_PLANE_LENGTH,
    CPropertyDialog1::IDC_UNIT_PLANE_WIDTH,  CPropertyDialog1::IDC_UNIT_PLANE_POSITION,
    CPropertyDialog1::IDC_UNIT_DOT_PITCH,
};

// The plane edits that "Same as room dimensions" takes over.
constexpr int kRoomPlaneEdits[] = {
    CPropertyDialog1::IDC_EDIT_PLANE_ZERO1,
    CPropertyDialog1::IDC_EDIT_PLANE_ZERO2,
    CPropertyDialog1::IDC_EDIT_PLANE_WIDTH,
    CPropertyDialog1::IDC_EDIT_PLANE_LENGTH,
};

// The rows of the reference point and the plane's zero position, hidden
// outside the advanced mode.
constexpr int kZeroPositionControls[] = {
    CPropertyDialog1::IDC_STATIC_REF_X,       CPropertyDialog1::IDC_EDIT_REF_X,
    CPropertyDialog1::IDC_UNIT_REF_X,         CPropertyDialog1::IDC_STATIC_REF_Y,
    CPropertyDialog1::IDC_EDIT_REF_Y,         CPropertyDialog1::IDC_UNIT_REF_Y,
    CPropertyDialog1::IDC_STATIC_PLANE_ZERO1, CPropertyDialog1::IDC_EDIT_PLANE_ZERO1,
    CPropertyDialog1::IDC_UNIT_PLANE_ZERO1,   CPropertyDialog1::IDC_STATIC_PLANE_ZERO2,
    CPropertyDialog1::IDC_EDIT_PLANE_ZERO2,   CPropertyDialog1::IDC_UNIT_PLANE_ZERO2,
};

ControlTemplate Ctl(ControlTemplate::Kind kind, int id, const char* text, int x, int y, int cx, int cy)
{
    ControlTemplate c;
    c.kind = kind;
    c.id = id;
    c.text = text;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}

// One row of label, edit and unit text.
void AddRow(std::vector<ControlTemplate>& v, int x, int y, int labelWidth, int label, int edit, int unit)
{
    using K = ControlTemplate;
    v.push_back(Ctl(K::Static, label, "Static", x, y + 2, labelWidth, 8));
    v.push_back(Ctl(K::Edit, edit, "", x + labelWidth + 2, y, 56, 12));
    v.push_back(Ctl(K::Static, unit, "[m]", x + labelWidth + 62, y + 2, 20, 8));
}

DialogTemplate BuildTemplate()
{
    using K = ControlTemplate;
    using D = CPropertyDialog1;
    DialogTemplate t;
    t.id = D::IDD;
    t.caption = "Room Parameters";
    t.cx = 336;
    t.cy = 330;
    t.systemMenu = false;
    auto& v = t.controls;

    v.push_back(Ctl(K::Static, D::IDC_STATIC_PROJECT_NAME, "Static", 10, 9, 60, 8));
    v.push_back(Ctl(K::Edit, D::IDC_EDIT_PROJECT_NAME, "", 72, 7, 180, 12));
    v.push_back(Ctl(K::Static, D::IDC_STATIC_DATE, "Static", 10, 25, 60, 8));
    v.push_back(Ctl(K::Edit, D::IDC_EDIT_DATE, "", 72, 23, 180, 12));
    v.push_back(Ctl(K::Static, D::IDC_STATIC_UNITS, "Static", 10, 41, 60, 8));
    ControlTemplate units = Ctl(K::ComboList, D::IDC_COMBO_UNITS, "", 72, 39, 80, 40);
    units.items = {"Metric", "Imperial"};
    v.push_back(units);
    v.push_back(Ctl(K::DefPushButton, IDOK, "OK", 279, 7, 50, 14));
    v.push_back(Ctl(K::PushButton, IDCANCEL, "Cancel", 279, 24, 50, 14));

    // Room.
    v.push_back(Ctl(K::GroupBox, IDC_STATIC, "Room Dimensions", 7, 58, 322, 108));
    AddRow(v, 14, 70, 72, D::IDC_STATIC_ROOM_LENGTH, D::IDC_EDIT_ROOM_LENGTH, D::IDC_UNIT_ROOM_LENGTH);
    AddRow(v, 14, 86, 72, D::IDC_STATIC_ROOM_WIDTH, D::IDC_EDIT_ROOM_WIDTH, D::IDC_UNIT_ROOM_WIDTH);
    AddRow(v, 14, 102, 72, D::IDC_STATIC_ROOM_HEIGHT, D::IDC_EDIT_ROOM_HEIGHT, D::IDC_UNIT_ROOM_HEIGHT);
    AddRow(v, 172, 70, 72, D::IDC_STATIC_REF_X, D::IDC_EDIT_REF_X, D::IDC_UNIT_REF_X);
    AddRow(v, 172, 86, 72, D::IDC_STATIC_REF_Y, D::IDC_EDIT_REF_Y, D::IDC_UNIT_REF_Y);
    AddRow(v, 14, 118, 72, D::IDC_STATIC_GRID_PITCH_X, D::IDC_EDIT_GRID_PITCH_X, D::IDC_UNIT_GRID_PITCH_X);
    AddRow(v, 172, 118, 72, D::IDC_STATIC_GRID_PITCH_Y, D::IDC_EDIT_GRID_PITCH_Y, D::IDC_UNIT_GRID_PITCH_Y);
    v.push_back(Ctl(K::CheckBox, D::IDC_RADIO_HALF_SPACE, "Half Space", 14, 136, 300, 10));
    v.push_back(Ctl(K::CheckBox, D::IDC_RADIO_FULL_SPACE, "Full Space", 14, 150, 300, 10));

    // Calculation plane.
    v.push_back(Ctl(K::GroupBox, IDC_STATIC, "Calculation Plane Dimensions", 7, 172, 214, 150));
    ControlTemplate orientation = Ctl(K::ComboList, D::IDC_COMBO_ORIENTATION, "", 14, 184, 96, 60);
    orientation.items = {"Parallel to XY Plane", "Parallel to YZ Plane", "Parallel to XZ Plane"};
    v.push_back(orientation);
    v.push_back(Ctl(K::CheckBox, D::IDC_CHECK_SAME_AS_ROOM, "Same as room dimensions", 116, 186, 100, 10));
    AddRow(v, 14, 204, 110, D::IDC_STATIC_PLANE_LENGTH, D::IDC_EDIT_PLANE_LENGTH, D::IDC_UNIT_PLANE_LENGTH);
    AddRow(v, 14, 220, 110, D::IDC_STATIC_PLANE_WIDTH, D::IDC_EDIT_PLANE_WIDTH, D::IDC_UNIT_PLANE_WIDTH);
    AddRow(v, 14, 236, 110, D::IDC_STATIC_PLANE_POSITION, D::IDC_EDIT_PLANE_POSITION, D::IDC_UNIT_PLANE_POSITION);
    AddRow(v, 14, 252, 110, D::IDC_STATIC_DOT_PITCH, D::IDC_EDIT_DOT_PITCH, D::IDC_UNIT_DOT_PITCH);
    AddRow(v, 14, 268, 110, D::IDC_STATIC_PLANE_ZERO1, D::IDC_EDIT_PLANE_ZERO1, D::IDC_UNIT_PLANE_ZERO1);
    AddRow(v, 14, 284, 110, D::IDC_STATIC_PLANE_ZERO2, D::IDC_EDIT_PLANE_ZERO2, D::IDC_UNIT_PLANE_ZERO2);

    // Colour map reference.
    v.push_back(Ctl(K::GroupBox, IDC_STATIC, "Color Map Reference", 227, 172, 102, 60));
    AddRow(v, 232, 186, 24, D::IDC_STATIC_COLOR_MAX, D::IDC_EDIT_COLOR_MAX, D::IDC_UNIT_COLOR_MAX);
    AddRow(v, 232, 204, 24, D::IDC_STATIC_COLOR_PITCH, D::IDC_EDIT_COLOR_PITCH, D::IDC_UNIT_COLOR_PITCH);
    return t;
}

void RegisterTemplateOnce()
{
    static const bool registered = [] {
        RegisterDialogTemplate(BuildTemplate());
        return true;
    }();
    (void)registered;
}

}  // namespace

CPropertyDialog1::CPropertyDialog1() : CDialog(IDD)
{
    RegisterTemplateOnce();
}

double CPropertyDialog1::CountColorDots(double length1, double length2, double pitch)
{
    if (!(pitch > 0.0))
        return HUGE_VAL;
    // The plane snaps a length within a hundredth of a dot to whole dots.
    auto count = [pitch](double length) { return std::max(1.0, std::ceil(std::fabs(length) / pitch - 0.01)); };
    return count(length1) * count(length2);
}

void CPropertyDialog1::SetParameters(const std::string& projectName, const std::string& date, int unit, double refX,
                                     double refY, double roomLength, double roomWidth, double roomHeight,
                                     double gridPitchX, double gridPitchY, int orientation, double planeZero1,
                                     double planeZero2, double planeLength1, double planeLength2,
                                     double planePosition, double dotPitch, double colorMax, double colorPitch,
                                     int sameAsRoom, int halfSpace, int showCancel, double ceilingHeight,
                                     int advancedMode)
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

    m_strProjectNameLabel = LoadStringId(IDS_PROJECT_NAME);
    m_strDateLabel = LoadStringId(IDS_DATE);
    m_strUnitsLabel = LoadStringId(IDS_UNITS);
    m_strRoomLengthLabel = LoadStringId(IDS_LENGTH_X);
    m_strRoomWidthLabel = LoadStringId(IDS_WIDTH_Y);
    m_strRoomHeightLabel = LoadStringId(IDS_HEIGHT_Z);
    m_strRefXLabel = LoadStringId(IDS_ZERO_X);
    m_strRefYLabel = LoadStringId(IDS_ZERO_Y);
    m_strGridPitchXLabel = LoadStringId(IDS_GRID_PITCH_X);
    m_strGridPitchYLabel = LoadStringId(IDS_GRID_PITCH_Y);
    m_strDotPitchLabel = LoadStringId(IDS_DOT_PITCH);
    m_strColorMaxLabel = LoadStringId(IDS_COLOR_MAX);
    m_strColorPitchLabel = LoadStringId(IDS_COLOR_PITCH);
    LoadPlaneLabels();
    SetUnitTexts();
    m_strUnitColorMax = "[dB]";
    m_strUnitColorPitch = "[dB]";

    if (m_nOrientation == 2) {
        std::swap(m_dPlaneLength, m_dPlaneWidth);
        std::swap(m_dPlaneZero1, m_dPlaneZero2);
    }
}

void CPropertyDialog1::LoadPlaneLabels()
{
    switch (m_nOrientation) {
    case 1:
        m_strPlaneLengthLabel = LoadStringId(IDS_LENGTH_Y);
        m_strPlaneWidthLabel = LoadStringId(IDS_WIDTH_Z);
        m_strPlanePositionLabel = LoadStringId(IDS_LENGTH_FROM_YZ);
        m_strPlaneZero1Label = LoadStringId(IDS_ZERO_Y);
        m_strPlaneZero2Label = LoadStringId(IDS_ZERO_Z);
        break;
    case 2:
        m_strPlaneLengthLabel = LoadStringId(IDS_LENGTH_X);
        m_strPlaneWidthLabel = LoadStringId(IDS_WIDTH_Z);
        m_strPlanePositionLabel = LoadStringId(IDS_LENGTH_FROM_XZ);
        m_strPlaneZero1Label = LoadStringId(IDS_ZERO_X);
        m_strPlaneZero2Label = LoadStringId(IDS_ZERO_Z);
        break;
    default:
        m_strPlaneLengthLabel = LoadStringId(IDS_LENGTH_X);
        m_strPlaneWidthLabel = LoadStringId(IDS_WIDTH_Y);
        m_strPlanePositionLabel = LoadStringId(IDS_HEIGHT_FROM_XY);
        m_strPlaneZero1Label = LoadStringId(IDS_ZERO_X);
        m_strPlaneZero2Label = LoadStringId(IDS_ZERO_Y);
        break;
    }
}

void CPropertyDialog1::SetUnitTexts()
{
    const std::string u = m_nUnit == 1 ? "[ft]" : "[m]";
    for (std::string* s : {&m_strUnitRefX, &m_strUnitRefY, &m_strUnitRoomLength, &m_strUnitRoomWidth,
                           &m_strUnitRoomHeight, &m_strUnitGridPitchX, &m_strUnitGridPitchY, &m_strUnitPlaneZero1,
                           &m_strUnitPlaneZero2, &m_strUnitPlaneLength, &m_strUnitPlaneWidth,
                           &m_strUnitPlanePosition, &m_strUnitDotPitch})
        *s = u;
}

void CPropertyDialog1::ShowPlaneLabels()
{
    IDialogControls& c = *Controls();
    c.SetWindowText(IDC_STATIC_PLANE_ZERO1, m_strPlaneZero1Label);
    c.SetWindowText(IDC_STATIC_PLANE_ZERO2, m_strPlaneZero2Label);
    c.SetWindowText(IDC_STATIC_PLANE_LENGTH, m_strPlaneLengthLabel);
    c.SetWindowText(IDC_STATIC_PLANE_WIDTH, m_strPlaneWidthLabel);
    c.SetWindowText(IDC_STATIC_PLANE_POSITION, m_strPlanePositionLabel);
}

void CPropertyDialog1::EnablePlaneEdits(bool enable)
{
    for (int id : kRoomPlaneEdits)
        Controls()->EnableWindow(id, enable);
}

void CPropertyDialog1::DoDataExchange(CDataExchange& dx)
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

bool CPropertyDialog1::OnInitDialog()
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
    c.SetWindowText(IDC_CHECK_SAME_AS_ROOM, LoadStringId(IDS_SAME_AS_ROOM));
    c.SetWindowText(IDC_RADIO_HALF_SPACE, LoadStringId(IDS_HALF_SPACE));
    c.SetWindowText(IDC_RADIO_FULL_SPACE, LoadStringId(IDS_FULL_SPACE));
    if (m_nAdvancedMode == 0) {
        for (int id : kZeroPositionControls)
            c.ShowWindow(id, false);
    }
    return true;
}

void CPropertyDialog1::OnControlCommand(int id, int notifyCode)
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

void CPropertyDialog1::OnBnClickedSameAsRoom()
{
    const bool checked = Controls()->GetCheck(IDC_CHECK_SAME_AS_ROOM) == BST_CHECKED;
    EnablePlaneEdits(!checked);
    m_bSameAsRoom = checked ? 1 : 0;
}

// The two ceiling buttons are groups of their own: each keeps the other in
// the opposite state.
void CPropertyDialog1::OnBnClickedHalfSpace()
{
    IDialogControls& c = *Controls();
    c.SetCheck(IDC_RADIO_FULL_SPACE,
               c.GetCheck(IDC_RADIO_HALF_SPACE) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

void CPropertyDialog1::OnBnClickedFullSpace()
{
    IDialogControls& c = *Controls();
    c.SetCheck(IDC_RADIO_HALF_SPACE,
               c.GetCheck(IDC_RADIO_FULL_SPACE) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

void CPropertyDialog1::OnCbnSelchangeOrientation()
{
    const int sel = Controls()->GetCurSel(IDC_COMBO_ORIENTATION);
    if (sel < 0 || sel > 2)
        return;
    m_nOrientation = sel;
    LoadPlaneLabels();
    ShowPlaneLabels();
}

void CPropertyDialog1::OnCbnSelchangeUnits()
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
    for (int id : kLengthUnitStatics)
        c.SetWindowText(id, u);
}

void CPropertyDialog1::OnOK()
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

    // Every dot is calculated and drawn: a pitch far below the plane's size
    // would ask for more dots than the map can hold.
    const double dots = CountColorDots(m_dPlaneLength, m_dPlaneWidth, m_dDotPitch);
    if (!(dots <= kMaxColorDots)) {
        AfxMessageBox(DataExchange::FormatString2(LoadStringId(IDS_TOO_MANY_DOTS), Numbers::Format("%.0f", dots),
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
