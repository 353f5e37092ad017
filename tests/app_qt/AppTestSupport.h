#pragma once
// A QApplication for the tests, a temporary folder, a message box that
// records, and a dialog runner that drives the real template dialogs
// without a modal loop.

#include "platform/Dialog.h"
#include "platform/MessageBox.h"
#include "platform/qt/TemplateDialog.h"
#include "resources/DialogTemplates.h"

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "test_app_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kadrel_app_XXXXXX").string();
        m_path = mkdtemp(tmpl.data());
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const char* name) const { return m_path + "/" + name; }

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

class RecordingMessages : public IMessageBox {
public:
    std::vector<std::string> texts;
    std::vector<unsigned> types;
    int answer = IDOK;
    int Show(const std::string& text, unsigned type) override
    {
        texts.push_back(text);
        types.push_back(type);
        return answer;
    }
    void Beep(unsigned) override {}
};

// Builds each dialog from its template as the program does and hands it to
// the script, which presses its buttons.
class DrivingRunner : public IDialogRunner {
public:
    std::function<void(CTemplateDialog&, CDialog&)> script;
    std::vector<unsigned> ran;

    int RunModal(CDialog& d) override
    {
        ran.push_back(d.GetTemplateId());
        const DialogTemplate* t = FindDialogTemplate(d.GetTemplateId());
        if (!t)
            return IDCANCEL;
        CTemplateDialog dlg(d, *t);
        dlg.Initialize();
        if (script)
            script(dlg, d);
        const int result = d.IsEnded() ? d.GetResult() : IDCANCEL;
        return result;
    }
};
