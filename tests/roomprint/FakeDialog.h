#pragma once
// In-memory dialog controls, a recording message box and a runner that
// plays a script against the controls.

#include "platform/Dialog.h"
#include "platform/DialogControls.h"
#include "platform/MessageBox.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

struct FakeControl {
    std::string text;
    int check = 0;
    int sel = -1;
    bool visible = true;
    bool enabled = true;
};

class FakeControls : public IDialogControls {
public:
    std::map<int, FakeControl> c;
    std::vector<int> focusHistory;

    std::string GetWindowText(int id) const override { return Get(id).text; }
    void SetWindowText(int id, const std::string& text) override { c[id].text = text; }
    int GetCheck(int id) const override { return Get(id).check; }
    void SetCheck(int id, int state) override { c[id].check = state; }
    void ResetContent(int id) override { c[id].sel = -1; }
    int AddString(int, const std::string&) override { return 0; }
    int GetCount(int) const override { return 0; }
    int GetCurSel(int id) const override { return Get(id).sel; }
    void SetCurSel(int id, int index) override { c[id].sel = index; }
    void ShowWindow(int id, bool show) override { c[id].visible = show; }
    bool IsWindowVisible(int id) const override { return Get(id).visible; }
    void EnableWindow(int id, bool enable) override { c[id].enabled = enable; }
    void SetFocus(int id) override { focusHistory.push_back(id); }

private:
    const FakeControl& Get(int id) const
    {
        static const FakeControl none;
        auto it = c.find(id);
        return it == c.end() ? none : it->second;
    }
};

class RecordingMessages : public IMessageBox {
public:
    std::vector<std::string> shown;
    int answer = IDOK;

    RecordingMessages() { SetMessages(this); }
    ~RecordingMessages() override { SetMessages(nullptr); }
    int Show(const std::string& text, unsigned) override
    {
        shown.push_back(text);
        return answer;
    }
    void Beep(unsigned) override {}
};

// Runs the dialog's init, then the script (which presses OK or Cancel).
class ScriptRunner : public IDialogRunner {
public:
    std::function<void(CDialog&, FakeControls&)> script;
    FakeControls controls;
    int runs = 0;
    ScriptRunner() { SetDialogRunner(this); }
    ~ScriptRunner() override { SetDialogRunner(nullptr); }
    int RunModal(CDialog& d) override
    {
        ++runs;
        controls = FakeControls();
        d.AttachControls(&controls);
        d.OnInitDialog();
        if (script)
            script(d, controls);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    }
};
