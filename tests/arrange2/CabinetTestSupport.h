#pragma once
// In-memory dialog controls that also keep which controls are enabled, a
// dialog runner that plays a script, and unit descriptions of the cabinet
// kinds, for the cabinet arrangement dialogs.

#include "models/AxisElement.h"
#include "platform/Dialog.h"
#include "platform/DialogControls.h"
#include "platform/MessageBox.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace cabinettest {

struct Control {
    std::vector<std::string> items;
    int sel = -1;
    bool enabled = true;
};

class Controls : public IDialogControls {
public:
    std::map<int, Control> c;
    std::vector<int> invalidated;

    std::string GetWindowText(int) const override { return std::string(); }
    void SetWindowText(int, const std::string&) override {}
    int GetCheck(int) const override { return 0; }
    void SetCheck(int, int) override {}
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
    void ShowWindow(int, bool) override {}
    bool IsWindowVisible(int) const override { return true; }
    void EnableWindow(int id, bool enable) override { c[id].enabled = enable; }
    void SetFocus(int) override {}
    void InvalidateControl(int id) override { invalidated.push_back(id); }
    CRect GetClientRect(int) const override { return CRect(0, 0, 200, 300); }

    bool Enabled(int id) const { return Get(id).enabled; }
    const std::vector<std::string>& Items(int id) const { return Get(id).items; }
    // The user picks an item: the selection, then the notification.
    void Choose(CDialog& dialog, int id, int index)
    {
        SetCurSel(id, index);
        dialog.OnControlCommand(id, CBN_SELCHANGE);
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

// Unit descriptions whose vectors (offset, length, splay) tell the units
// apart: unit k has offset 0.01 k and length 0.1 (k + 1), splay 9.0 (which
// the dialogs replace by the element tilts).
inline CAxisElementArray Units(int count)
{
    CAxisElementArray units(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        units[static_cast<std::size_t>(k)].SetVector(CAxisEntity(0.01 * k, 0.1 * (k + 1), 9.0));
    return units;
}

}  // namespace cabinettest
