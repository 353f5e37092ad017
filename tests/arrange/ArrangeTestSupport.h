#pragma once
// In-memory dialog controls and a dialog runner that plays a script, for
// the arrangement dialogs (the line arrays here, the cabinet arrays in
// tests/arrange2).

#include "models/AxisEntity.h"
#include "platform/Dialog.h"
#include "platform/DialogControls.h"
#include "platform/MessageBox.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace arrangetest {

struct Control {
    std::string text;
    int check = 0;
    std::vector<std::string> items;
    int sel = -1;
    bool visible = true;
    bool enabled = true;
};

class Controls : public IDialogControls {
public:
    std::map<int, Control> c;
    std::vector<int> invalidated;
    CRect client{0, 0, 200, 300};

    std::string GetWindowText(int id) const override { return Get(id).text; }
    void SetWindowText(int id, const std::string& text) override { c[id].text = text; }
    int GetCheck(int id) const override { return Get(id).check; }
    void SetCheck(int id, int state) override { c[id].check = state; }
    void ResetContent(int id) override { c[id].items.clear(); c[id].sel = -1; }
    int AddString(int id, const std::string& text) override
    {
        c[id].items.push_back(text);
        return static_cast<int>(c[id].items.size()) - 1;
    }
    int GetCount(int id) const override { return static_cast<int>(Get(id).items.size()); }
    int GetCurSel(int id) const override { return Get(id).sel; }
    // As a combo box does: an index outside the items selects nothing.
    void SetCurSel(int id, int index) override
    {
        c[id].sel = index >= 0 && index < static_cast<int>(c[id].items.size()) ? index : -1;
    }
    void ShowWindow(int id, bool show) override { c[id].visible = show; }
    bool IsWindowVisible(int id) const override { return Get(id).visible; }
    void EnableWindow(int id, bool enable) override { c[id].enabled = enable; }
    void SetFocus(int) override {}
    void InvalidateControl(int id) override { invalidated.push_back(id); }
    CRect GetClientRect(int) const override { return client; }

    bool Enabled(int id) const { return Get(id).enabled; }
    const std::vector<std::string>& Items(int id) const { return Get(id).items; }

    // The user picks an item: the selection, then the notification.
    void Choose(CDialog& dialog, int id, int index)
    {
        SetCurSel(id, index);
        dialog.OnControlCommand(id, CBN_SELCHANGE);
    }
    void Click(CDialog& dialog, int id, int check)
    {
        SetCheck(id, check);
        dialog.OnControlCommand(id, BN_CLICKED);
    }
    std::string Selected(int id) const
    {
        const Control& k = Get(id);
        return k.sel >= 0 && k.sel < static_cast<int>(k.items.size()) ? k.items[static_cast<std::size_t>(k.sel)] : "";
    }

private:
    const Control& Get(int id) const
    {
        static const Control none;
        auto it = c.find(id);
        return it == c.end() ? none : it->second;
    }
};

// A line-array dialog on the module vectors e, shown on in-memory controls
// (bind both with `auto& [c, dlg] = open;`).
template <class Dialog>
struct Open {
    Open(unsigned upper, unsigned lower, CAxisEntityArray& e) : dlg(0, upper, lower, &e, 0)
    {
        dlg.AttachControls(&c);
        dlg.OnInitDialog();
    }
    Controls c;
    Dialog dlg;
};

// Shows a dialog on in-memory controls: OnInitDialog, then the script, which
// answers IDOK (the dialog's OnOK runs) or IDCANCEL.
class ScriptedRunner : public IDialogRunner {
public:
    using Script = std::function<int(CDialog&, Controls&)>;
    Script script;
    std::vector<unsigned> shown;

    ScriptedRunner() : m_previous(GetDialogRunner()) { SetDialogRunner(this); }
    ~ScriptedRunner() override { SetDialogRunner(m_previous); }

    int RunModal(CDialog& dialog) override
    {
        shown.push_back(dialog.GetTemplateId());
        Controls controls;
        dialog.AttachControls(&controls);
        dialog.OnInitDialog();
        const int answer = script ? script(dialog, controls) : IDCANCEL;
        if (answer == IDOK)
            dialog.OnOK();
        else
            dialog.OnCancel();
        dialog.AttachControls(nullptr);
        return dialog.GetResult();
    }

private:
    IDialogRunner* m_previous;
};

}  // namespace arrangetest
