#include "dialogs/InstallationDialog1.h"

#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "resources/DialogTemplates.h"
#include "resources/StringTable.h"

namespace {

// Registers the template once, the first time the dialog is made.
void RegisterTemplate()
{
    static const bool registered = [] {
        using K = ControlTemplate;
        DialogTemplate t;
        t.id = CInstallationDialog1::IDD;
        t.caption = "Properties for Installation";
        t.cx = 230;
        t.cy = 160;
        struct Row {
            int label, field, unit;
            const char* unitText;
        };
        const Row rows[] = {
            {1020, 1026, 1002, "[m]"}, {1021, 1027, 1003, "[m]"}, {1009, 1028, 1004, "[m]"},
            {1011, 1029, 1005, "[deg]"}, {1012, 1030, 1006, "[deg]"}, {1013, 1031, 1007, "[deg]"},
            {1022, 1032, 1008, "[W]"}, {1023, 1033, 0, ""},
        };
        int y = 9;
        for (const Row& r : rows) {
            t.controls.push_back(MakeControl(K::Static, r.label, "Static", 7, y + 2, 70, 8));
            if (r.field == 1033)
                t.controls.push_back(MakeControl(K::ComboList, r.field, "", 80, y, 60, 40));
            else
                t.controls.push_back(MakeControl(K::Edit, r.field, "", 80, y, 60, 12));
            if (r.unit != 0)
                t.controls.push_back(MakeControl(K::Static, r.unit, r.unitText, 144, y + 2, 22, 8));
            y += 18;
        }
        t.controls.push_back(MakeControl(K::DefPushButton, IDOK, "OK", 173, 7, 50, 14));
        t.controls.push_back(MakeControl(K::PushButton, IDCANCEL, "Cancel", 173, 24, 50, 14));
        RegisterDialogTemplate(t);
        return true;
    }();
    (void)registered;
}

}  // namespace

CInstallationDialog1::CInstallationDialog1() : CDialog(IDD)
{
    RegisterTemplate();
}

void CInstallationDialog1::SetParameters(const double pos[3], const double angles[3], double power,
                                         BOOL polarityNormal, int unit, BOOL fullMode)
{
    m_dX = pos[0];
    m_dY = pos[1];
    m_dZ = pos[2];
    m_dAzimuth = angles[0];
    m_dRotation = angles[1];
    m_dElevation = angles[2];
    m_dPower = power;
    m_bPolarityNormal = polarityNormal;
    m_bFullMode = fullMode;
    const char* unitText = unit == 1 ? "[ft]" : "[m]";
    m_strUnitX = m_strUnitY = m_strUnitZ = unitText;
    m_strXLabel = LoadStringId(61618);
    m_strYLabel = LoadStringId(61619);
    m_strZLabel = LoadStringId(61620);
    m_strAzimuthLabel = LoadStringId(61621);
    m_strElevationLabel = LoadStringId(61622);
    m_strRotationLabel = LoadStringId(61623);
    m_strPowerLabel = LoadStringId(61624);
    m_strPolarityLabel = LoadStringId(61625);
}

void CInstallationDialog1::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_EDIT_POWER, m_dPower);
    DDV_MinMaxDouble(dx, m_dPower, 0.0, 10000.0);
    DDX_Text(dx, IDC_LABEL_AZIMUTH, m_strAzimuthLabel);
    DDX_Text(dx, IDC_LABEL_ELEVATION, m_strElevationLabel);
    DDX_Text(dx, IDC_LABEL_POLARITY, m_strPolarityLabel);
    DDX_Text(dx, IDC_LABEL_POWER, m_strPowerLabel);
    DDX_Text(dx, IDC_LABEL_ROTATION, m_strRotationLabel);
    DDX_Text(dx, IDC_LABEL_X, m_strXLabel);
    DDX_Text(dx, IDC_LABEL_Y, m_strYLabel);
    DDX_Text(dx, IDC_LABEL_Z, m_strZLabel);
    DDX_Text(dx, IDC_UNIT_X, m_strUnitX);
    DDX_Text(dx, IDC_UNIT_Y, m_strUnitY);
    DDX_Text(dx, IDC_UNIT_Z, m_strUnitZ);
    DDX_Text(dx, IDC_EDIT_X, m_dX);
    DDV_MinMaxDouble(dx, m_dX, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_AZIMUTH, m_dAzimuth);
    DDV_MinMaxDouble(dx, m_dAzimuth, -180.0, 180.0);
    DDX_Text(dx, IDC_EDIT_Y, m_dY);
    DDV_MinMaxDouble(dx, m_dY, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_ROTATION, m_dRotation);
    DDV_MinMaxDouble(dx, m_dRotation, -180.0, 180.0);
    DDX_Text(dx, IDC_EDIT_Z, m_dZ);
    DDV_MinMaxDouble(dx, m_dZ, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_ELEVATION, m_dElevation);
    DDV_MinMaxDouble(dx, m_dElevation, -180.0, 180.0);
}

bool CInstallationDialog1::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls& c = *Controls();
    c.ResetContent(IDC_COMBO_POLARITY);
    c.AddString(IDC_COMBO_POLARITY, "normal");
    c.AddString(IDC_COMBO_POLARITY, "reverse");
    c.SetCurSel(IDC_COMBO_POLARITY, m_bPolarityNormal == 1 ? 0 : 1);
    if (m_bFullMode == 0) {
        static const int hidden[] = {IDC_EDIT_AZIMUTH,   IDC_EDIT_ELEVATION, IDC_EDIT_ROTATION, IDC_LABEL_AZIMUTH,
                                     IDC_LABEL_ELEVATION, IDC_LABEL_ROTATION, IDC_UNIT_AZIMUTH,  IDC_UNIT_ELEVATION,
                                     IDC_UNIT_ROTATION,  IDC_EDIT_POWER,     IDC_COMBO_POLARITY, IDC_LABEL_POWER,
                                     IDC_LABEL_POLARITY, IDC_UNIT_POWER};
        for (int id : hidden)
            c.ShowWindow(id, false);
    }
    return true;
}

void CInstallationDialog1::OnOK()
{
    m_bPolarityNormal = Controls()->GetCurSel(IDC_COMBO_POLARITY) == 0 ? 1 : 0;
    CDialog::OnOK();
}
