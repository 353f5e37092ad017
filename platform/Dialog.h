#pragma once
// A modal dialog without a GUI: the dialog object keeps its members, knows
// its template id and gets the init, OK, Cancel and control notifications;
// DoModal hands it to the installed runner, which shows the template's
// controls (the Qt half) or plays a script (tests).

#include "platform/DialogControls.h"

class CDataExchange;
class CDialog;
class IDrawingContext;

class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    // Runs the dialog until it ends; returns its result (IDOK, IDCANCEL...).
    virtual int RunModal(CDialog& dialog) = 0;
};

// The runner in use; nullptr (the default) makes every DoModal give IDCANCEL.
IDialogRunner* GetDialogRunner();
void SetDialogRunner(IDialogRunner* runner);

class CDialog {
public:
    explicit CDialog(unsigned templateId) : m_templateId(templateId) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    unsigned GetTemplateId() const { return m_templateId; }

    // Runs the dialog with the installed runner; IDOK or IDCANCEL.
    int DoModal();

    // --- called by a runner while the dialog is shown -------------------
    // Connects the controls (nullptr when the dialog closes).
    void AttachControls(IDialogControls* controls) { m_controls = controls; m_ended = false; }
    IDialogControls* Controls() const { return m_controls; }
    // Fills the controls: by default the data exchange into them.
    virtual bool OnInitDialog();
    // The OK button (or Enter): by default the data exchange back with
    // validation, and the end with IDOK when it succeeds.
    virtual void OnOK();
    // Cancel, Escape or the close box: the end with IDCANCEL.
    virtual void OnCancel();
    // Escape or the window manager's close: OnCancel while the dialog has a
    // close box (its template a system menu) or shows a Cancel button;
    // otherwise nothing, since the dialog offers no way out but its buttons.
    void OnEscape();
    // A control other than OK and Cancel was clicked or changed.
    virtual void OnControlCommand(int id, int notifyCode);
    // Draws a control of the template's Custom kind; client is its area.
    virtual void OnDrawControl(int id, IDrawingContext& dc, const CRect& client);

    // Runs DoDataExchange; false when a field failed (the user was told).
    bool UpdateData(bool saveAndValidate);
    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    int GetResult() const { return m_result; }

protected:
    virtual void DoDataExchange(CDataExchange&) {}

private:
    unsigned m_templateId;
    IDialogControls* m_controls = nullptr;
    bool m_ended = false;
    int m_result = 0;
};
