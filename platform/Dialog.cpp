#include "platform/Dialog.h"

#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "resources/DialogTemplates.h"

namespace {
IDialogRunner* g_runner = nullptr;
}

IDialogRunner* GetDialogRunner()
{
    return g_runner;
}

void SetDialogRunner(IDialogRunner* runner)
{
    g_runner = runner;
}

int CDialog::DoModal()
{
    if (!g_runner)
        return IDCANCEL;
    m_ended = false;
    m_result = 0;
    const int result = g_runner->RunModal(*this);
    m_controls = nullptr;
    return result;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnEscape()
{
    const DialogTemplate* tmpl = FindDialogTemplate(m_templateId);
    const bool closeBox = tmpl == nullptr || tmpl->systemMenu;
    if (closeBox || (m_controls != nullptr && m_controls->IsWindowVisible(IDCANCEL)))
        OnCancel();
}

void CDialog::OnControlCommand(int, int) {}

void CDialog::OnDrawControl(int, IDrawingContext&, const CRect&) {}

bool CDialog::UpdateData(bool saveAndValidate)
{
    if (!m_controls)
        return false;
    CDataExchange dx(*m_controls, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const CUserException&) {
        return false;
    }
    return true;
}

void CDialog::EndDialog(int result)
{
    m_ended = true;
    m_result = result;
}
