#pragma once
// The installation commands' user interface as the application runs it: the
// installation and automatic-installation dialogs through the installed
// dialog runner, and the coverage scan and frequency response of an SPL map
// window through its calculator.

#include "document/InstallationUi.h"

class CInstallationCommandsUi : public IInstallationUi {
public:
    bool RunInstallationDialog(CInstallationValues& values, int lengthUnit, BOOL fullMode) override;
    bool RunAutoInstallationDialog(CAutoInstallationValues& values, int lengthUnit, int level) override;
    int CalcCoverage(CKDRDoc& doc, int conditionIndex, int axis, double& forward, double& backward, double& offset,
                     double drop) override;
    void CalcFrequencyResponse(CKDRDoc& doc, int conditionIndex, const CPoint3D& point) override;
};

// Installs an implementation for the lifetime of the object and restores the
// previous one afterwards.
class CScopedInstallationUi {
public:
    explicit CScopedInstallationUi(IInstallationUi* ui) : m_previous(&InstallationUi()) { SetInstallationUi(ui); }
    ~CScopedInstallationUi() { SetInstallationUi(m_previous); }
    CScopedInstallationUi(const CScopedInstallationUi&) = delete;
    CScopedInstallationUi& operator=(const CScopedInstallationUi&) = delete;

private:
    IInstallationUi* m_previous;
};
