#include "document/InstallationUi.h"

namespace {

class CNoInstallationUi : public IInstallationUi {
public:
    bool RunInstallationDialog(CInstallationValues&, int, BOOL) override { return false; }
    bool RunAutoInstallationDialog(CAutoInstallationValues&, int, int) override { return false; }
    int CalcCoverage(CKDRDoc&, int, int, double&, double&, double&, double) override { return 1; }
    void CalcFrequencyResponse(CKDRDoc&, int, const CPoint3D&) override {}
};

CNoInstallationUi g_default;
IInstallationUi* g_ui = nullptr;

}  // namespace

IInstallationUi& InstallationUi()
{
    return g_ui != nullptr ? *g_ui : g_default;
}

void SetInstallationUi(IInstallationUi* ui)
{
    g_ui = ui;
}
