#include "dialogs/InitialSettingsDialog1.h"

#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "resources/StringTable.h"

void CInitialSettingsDialog1::SetParameters(int unit, int showCancel)
{
    m_nUnit = unit;
    m_bShowCancel = showCancel;
    m_strUnitsLabel = LoadStringId(61683);
}

void CInitialSettingsDialog1::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_STATIC_UNITS, m_strUnitsLabel);
}

bool CInitialSettingsDialog1::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls& c = *Controls();
    c.ShowWindow(IDCANCEL, m_bShowCancel != 0);
    c.SetCurSel(IDC_COMBO_UNITS, m_nUnit == 1 ? 1 : 0);
    return true;
}

void CInitialSettingsDialog1::OnOK()
{
    const int sel = Controls()->GetCurSel(IDC_COMBO_UNITS);
    if (sel == 0 || sel == 1)
        m_nUnit = sel;
    CDialog::OnOK();
}
