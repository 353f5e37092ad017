#pragma once
// The program started with the test's settings file, dialogs and messages,
// and a dialog runner that drives the real template dialogs without a modal
// loop.

#include "QtTestApplication.h"
#include "platform_gui/TestSupport.h"

#include "app/FileDialogs.h"
#include "app/KDRApp.h"
#include "platform/Dialog.h"
#include "platform/qt/TemplateDialog.h"
#include "resources/DialogTemplates.h"

#include <QSettings>
#include <functional>
#include <gtest/gtest.h>

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
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    }
};

class TestFileDialogs : public IFileDialogs {
public:
    std::string lastFilter;
    std::string lastProposed;
    std::string answer;  // empty: cancelled
    bool GetOpenFileName(const std::string& filter, std::string& path) override
    {
        lastFilter = filter;
        path = answer;
        return !answer.empty();
    }
    bool GetSaveFileName(const std::string& filter, const std::string&, const std::string& proposed,
                         std::string& path) override
    {
        lastProposed = proposed;
        return GetOpenFileName(filter, path);
    }
};

// The program with its settings file in a folder of its own, the test's
// dialogs and messages, and a recent-file list of its own.
class AppTest : public ::testing::Test {
protected:
    bool Start(std::vector<std::string> args = {}, bool showMainWindow = false)
    {
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        CKDRApp::Options o;
        o.settingsPath = dir.File("ZAV_KDR.ini");
        o.dialogRunner = &runner;
        o.messages = &msgs;
        o.fileDialogs = &files;
        o.recentFilesScope = "KadrelTest";
        o.showMainWindow = showMainWindow;
        return app.InitInstance(static_cast<int>(args.size()), argv.data(), o);
    }
    void TearDown() override { QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelTest")).clear(); }

    TempDir dir;
    TestFileDialogs files;
    DrivingRunner runner;
    RecordingMessages msgs;
    CKDRApp app;
};
