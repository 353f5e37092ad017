#pragma once
// Tool > Preference...: switches Advanced Mode and Manual Recalculation of
// the project.

#include "platform/Dialog.h"

class CPreferenceDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 140 };
    enum : int { IDC_CHECK_ADVANCED = 1007, IDC_CHECK_MANUAL = 1018 };

    CPreferenceDialog1() : CDialog(IDD) {}

    void SetParameters(int advancedMode, int manualRecalculation);

    bool OnInitDialog() override;
    void OnOK() override;

    int m_bManualRecalculation = 0;
    // 2 when "Advanced Mode" is checked, 0 when not.
    int m_nAdvancedMode = 0;
};
