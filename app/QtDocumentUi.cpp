#include "app/QtDocumentUi.h"

#include "app/FileDialogs.h"
#include "app/KDRApp.h"
#include "app/KDRMainFrame.h"
#include "dialogs/MessageDialog1.h"
#include "dialogs/PreferenceDialog1.h"
#include "dialogs/Zx1ExportDialog1.h"
#include "platform/qt/ProgressDialog1.h"

bool CQtDocumentUi::AskSpeakerDataPath(std::string& path)
{
    // Listed as "ZSB Files (*.zsb)", matching "*.zsb".
    return m_app.FileDialogs().GetOpenFileName("ZSB Files (*.zsb) (*.zsb)", path);
}

std::unique_ptr<IProgress> CQtDocumentUi::CreateProgressDialog()
{
    return std::make_unique<CProgressDialog1>(m_app.GetMainFrame());
}

void CQtDocumentUi::ShowProgressDialog(IProgress& progress)
{
    if (auto* dlg = dynamic_cast<CProgressDialog1*>(&progress))
        dlg->show();
}

void CQtDocumentUi::EnableMainWindow(bool enable)
{
    if (CKDRMainFrame* f = m_app.GetMainFrame())
        f->EnableMainWindow(enable);
}

int CQtDocumentUi::RunMessageDialog(const std::string& text)
{
    CMessageDialog1 dlg;
    dlg.m_strMessage = text;
    return dlg.DoModal() == IDOK ? IDOK : IDCANCEL;
}

bool CQtDocumentUi::RunPreferenceDialog(int& advancedMode, BOOL& manualRecalculation)
{
    CPreferenceDialog1 dlg;
    dlg.SetParameters(advancedMode, manualRecalculation);
    if (dlg.DoModal() != IDOK)
        return false;
    advancedMode = dlg.m_nAdvancedMode;
    manualRecalculation = dlg.m_bManualRecalculation;
    return true;
}

bool CQtDocumentUi::RunZx1ExportDialog(double& angle, double& micDistance)
{
    CZx1ExportDialog1 dlg;
    if (dlg.DoModal() != IDOK)
        return false;
    angle = dlg.m_dAngle;
    micDistance = dlg.m_dMicDistance;
    return true;
}
