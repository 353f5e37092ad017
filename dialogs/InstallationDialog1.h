#pragma once
// "Properties for Installation": position, aim angles, power and polarity of
// one installed speaker. Without full mode only the position is shown; the
// other values come back as they were given.

#include "platform/Dialog.h"
#include "platform/Types.h"

#include <string>

class CInstallationDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 158 };
    enum : int {
        IDC_UNIT_X = 1002,
        IDC_UNIT_Y = 1003,
        IDC_UNIT_Z = 1004,
        IDC_UNIT_AZIMUTH = 1005,
        IDC_UNIT_ELEVATION = 1006,
        IDC_UNIT_ROTATION = 1007,
        IDC_UNIT_POWER = 1008,
        IDC_LABEL_Z = 1009,
        IDC_LABEL_AZIMUTH = 1011,
        IDC_LABEL_ELEVATION = 1012,
        IDC_LABEL_ROTATION = 1013,
        IDC_LABEL_X = 1020,
        IDC_LABEL_Y = 1021,
        IDC_LABEL_POWER = 1022,
        IDC_LABEL_POLARITY = 1023,
        IDC_EDIT_X = 1026,
        IDC_EDIT_Y = 1027,
        IDC_EDIT_Z = 1028,
        IDC_EDIT_AZIMUTH = 1029,
        IDC_EDIT_ELEVATION = 1030,
        IDC_EDIT_ROTATION = 1031,
        IDC_EDIT_POWER = 1032,
        IDC_COMBO_POLARITY = 1033,
    };

    CInstallationDialog1();

    // pos: x, y, z; angles: azimuth, rotation, elevation; unit 1 feet, else
    // metres; fullMode non-zero shows the angles, power and polarity.
    void SetParameters(const double pos[3], const double angles[3], double power, BOOL polarityNormal, int unit,
                       BOOL fullMode);

    bool OnInitDialog() override;
    void OnOK() override;

    // Read back after IDOK.
    int m_bFullMode = 0;
    int m_bPolarityNormal = 1;
    double m_dPower = 0.0;
    std::string m_strAzimuthLabel;
    std::string m_strElevationLabel;
    std::string m_strPolarityLabel;
    std::string m_strPowerLabel;
    std::string m_strRotationLabel;
    std::string m_strXLabel;
    std::string m_strYLabel;
    std::string m_strZLabel;
    std::string m_strUnitX;
    std::string m_strUnitY;
    std::string m_strUnitZ;
    double m_dX = 0.0;
    double m_dAzimuth = 0.0;
    double m_dY = 0.0;
    double m_dRotation = 0.0;
    double m_dZ = 0.0;
    double m_dElevation = 0.0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
