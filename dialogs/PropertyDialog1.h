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

#include "platform/Dialog.h"

#include <string>

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
