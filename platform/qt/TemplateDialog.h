#pragma once
// A Qt dialog built from a dialog template and driven by a GUI-free CDialog:
// the controls are laid out in dialog units, OK, Cancel, Escape and the
// close box reach the CDialog's handlers, and the CDialog reads and writes
// the controls through IDialogControls.

#include "platform/Dialog.h"
#include "resources/DialogTemplates.h"

#include <QDialog>
#include <functional>
#include <map>

class CTemplateDialog : public QDialog, public IDialogControls {
    Q_OBJECT
public:
    CTemplateDialog(CDialog& dialog, const DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~CTemplateDialog() override;

    // Connects the CDialog and runs its OnInitDialog (once).
    void Initialize();
    // Initialize, the modal loop, and the CDialog's result.
    int Run();

    // What a click on the button with the id does (tests drive the dialog
    // with it without a modal loop). True when the dialog has ended.
    bool PressButton(int id);
    // Escape or the close box.
    bool PressEscape();

    QWidget* Control(int id) const;
    // The control that SetFocus last went to (0 for none).
    int LastFocusId() const { return m_lastFocusId; }

    // IDialogControls
    std::string GetWindowText(int id) const override;
    void SetWindowText(int id, const std::string& text) override;
    int GetCheck(int id) const override;
    void SetCheck(int id, int state) override;
    void ResetContent(int id) override;
    int AddString(int id, const std::string& text) override;
    int GetCount(int id) const override;
    int GetCurSel(int id) const override;
    void SetCurSel(int id, int index) override;
    void ShowWindow(int id, bool show) override;
    bool IsWindowVisible(int id) const override;
    void EnableWindow(int id, bool enable) override;
    void SetFocus(int id) override;
    void InvalidateControl(int id) override;
    CRect GetClientRect(int id) const override;

public slots:
    void reject() override;

private:
    void Build(const DialogTemplate& tmpl);
    void FinishIfEnded();

    CDialog& m_dialog;
    std::map<int, QWidget*> m_controls;
    bool m_initialized = false;
    int m_lastFocusId = 0;
};

// Runs every CDialog as a CTemplateDialog built from its template, unless a
// Qt dialog of its own was registered for its template id.
class CQtDialogRunner : public IDialogRunner {
public:
    using Factory = std::function<int(CDialog&)>;

    int RunModal(CDialog& dialog) override;

    static void RegisterDialog(unsigned templateId, Factory factory);
};
