#pragma once
// The first-start dialog: chooses the application's length unit.

#include "platform/Dialog.h"

#include <string>

class CInitialSettingsDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 143 };
    enum : int { IDC_STATIC_UNITS = 1042, IDC_COMBO_UNITS = 1046 };

    CInitialSettingsDialog1() : CDialog(IDD) {}

    // unit: 0 metric, 1 imperial; showCancel non-zero shows the Cancel button.
    void SetParameters(int unit, int showCancel);

    bool OnInitDialog() override;
    void OnOK() override;

    int m_nUnit = 0;
    std::string m_strUnitsLabel;
    int m_bShowCancel = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
