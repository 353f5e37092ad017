#pragma once
// Shared by the GUI-free and the Qt tests: in-memory dialog controls, a
// message box that records what it shows, and a temporary folder.

#include "platform/DialogControls.h"
#include "platform/MessageBox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
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

// Installed as the program's message box while it lives.
class RecordingMessages : public IMessageBox {
public:
    std::vector<std::string> texts;
    std::vector<unsigned> types;
    int answer = IDOK;

    RecordingMessages() { SetMessages(this); }
    ~RecordingMessages() override { SetMessages(nullptr); }
    int Show(const std::string& text, unsigned type) override
    {
        texts.push_back(text);
        types.push_back(type);
        return answer;
    }
    void Beep(unsigned) override {}
};

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kadrel_test_XXXXXX").string();
        m_path = mkdtemp(tmpl.data());
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const char* name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}
