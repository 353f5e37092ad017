#include "dialogs/PreferenceDialog1.h"

#include "platform/MessageBox.h"
#include "resources/StringTable.h"

void CPreferenceDialog1::SetParameters(int advancedMode, int manualRecalculation)
{
    m_nAdvancedMode = advancedMode;
    m_bManualRecalculation = manualRecalculation;
}

bool CPreferenceDialog1::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls& c = *Controls();
    c.SetWindowText(IDC_CHECK_ADVANCED, LoadStringId(61691));
    c.SetCheck(IDC_CHECK_ADVANCED, m_nAdvancedMode != 0 ? BST_CHECKED : BST_UNCHECKED);
    c.SetWindowText(IDC_CHECK_MANUAL, LoadStringId(61693));
    // Only 0 and 1 are shown; any other value leaves the box as created.
    if (m_bManualRecalculation == 1)
        c.SetCheck(IDC_CHECK_MANUAL, BST_CHECKED);
    else if (m_bManualRecalculation == 0)
        c.SetCheck(IDC_CHECK_MANUAL, BST_UNCHECKED);
    return true;
}

void CPreferenceDialog1::OnOK()
{
    IDialogControls& c = *Controls();
    m_nAdvancedMode = c.GetCheck(IDC_CHECK_ADVANCED) == BST_CHECKED ? 2 : 0;
    m_bManualRecalculation = c.GetCheck(IDC_CHECK_MANUAL) == BST_CHECKED ? 1 : 0;
    CDialog::OnOK();
}
