#pragma once
// In-memory dialog controls and a message box that records what it shows.

#include "platform/DialogControls.h"
#include "platform/MessageBox.h"

#include <map>
#include <string>
#include <vector>

struct FakeControl {
    std::string text;
    int check = 0;
    std::vector<std::string> items;
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
    void ResetContent(int id) override { c[id].items.clear(); c[id].sel = -1; }
    int AddString(int id, const std::string& text) override
    {
        c[id].items.push_back(text);
        return static_cast<int>(c[id].items.size()) - 1;
    }
    int GetCount(int id) const override { return static_cast<int>(Get(id).items.size()); }
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
    struct Shown {
        std::string text;
        unsigned type;
    };
    std::vector<Shown> shown;
    int answer = IDOK;

    RecordingMessages() { SetMessages(this); }
    ~RecordingMessages() override { SetMessages(nullptr); }
    int Show(const std::string& text, unsigned type) override
    {
        shown.push_back({text, type});
        return answer;
    }
    void Beep(unsigned) override {}
};
