#pragma once
// Asks for an angle and a microphone distance.

#include "platform/Dialog.h"

class CZx1ExportDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 148 };
    enum : int { IDC_EDIT_ANGLE = 1019, IDC_EDIT_MIC_DISTANCE = 1020 };

    CZx1ExportDialog1() : CDialog(IDD) {}

    double m_dAngle = 0.0;
    double m_dMicDistance = 20.0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
