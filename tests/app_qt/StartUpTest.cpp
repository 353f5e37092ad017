// Start-up: the settings file, the first-start question, the main window.

#include "AppTestSupport.h"

#include "app/KDRApp.h"
#include "app/KDRMainFrame.h"
#include "platform/AppSettings.h"
#include "resources/CommandIds.h"

#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

CKDRApp::Options MakeOptions(const TempDir& dir, DrivingRunner& runner, RecordingMessages& msgs)
{
    CKDRApp::Options o;
    o.settingsPath = dir.File("ZAV_KDR.ini");
    o.dialogRunner = &runner;
    o.messages = &msgs;
    o.recentFilesScope = "KadrelTest";
    o.showMainWindow = false;
    return o;
}

}  // namespace

TEST(StartUp, FirstStartCancelEndsTheProgramAndWritesNothing)
{
    TestApp();
    TempDir dir;
    DrivingRunner runner;
    RecordingMessages msgs;
    runner.script = [](CTemplateDialog& dlg, CDialog&) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Initial Settings"));
        auto* cancel = qobject_cast<QPushButton*>(dlg.Control(IDCANCEL));
        ASSERT_NE(cancel, nullptr);
        EXPECT_FALSE(cancel->isHidden());
        EXPECT_TRUE(dlg.PressButton(IDCANCEL));
    };
    CKDRApp app;
    char arg0[] = "kadrel";
    char* argv[] = {arg0, nullptr};
    EXPECT_FALSE(app.InitInstance(1, argv, MakeOptions(dir, runner, msgs)));
    EXPECT_EQ(runner.ran, (std::vector<unsigned>{143}));
    EXPECT_FALSE(std::filesystem::exists(dir.File("ZAV_KDR.ini")));
}

TEST(StartUp, FirstStartOkWritesTheUnitAndClearsTheFlag)
{
    TestApp();
    TempDir dir;
    DrivingRunner runner;
    RecordingMessages msgs;
    runner.script = [](CTemplateDialog& dlg, CDialog&) {
        auto* combo = qobject_cast<QComboBox*>(dlg.Control(1046));
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->itemText(0), QStringLiteral("Metric"));
        EXPECT_EQ(combo->itemText(1), QStringLiteral("Imperial"));
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(dlg.GetWindowText(1042), "Units : ");
        combo->setCurrentIndex(1);
        EXPECT_TRUE(dlg.PressButton(IDOK));
    };
    CKDRApp app;
    ASSERT_TRUE(app.InitInstance(0, nullptr, MakeOptions(dir, runner, msgs)));
    EXPECT_EQ(ReadAll(dir.File("ZAV_KDR.ini")),
              "[LENGTH_UNIT]\r\nLengthUnit=1\r\n[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
    EXPECT_EQ(AppSettings().m_nLengthUnit, 1);
    EXPECT_EQ(AppSettings().m_bAppFirstTime, 0);

    // The main window without a project.
    CKDRMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel"));
    EXPECT_EQ(frame->size(), QSize(800, 600));
    EXPECT_EQ(frame->CurrentMenuId(), static_cast<unsigned>(IDR_MAINFRAME));
    QStringList menus;
    for (QAction* a : frame->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));
    EXPECT_TRUE(frame->MdiArea()->subWindowList().isEmpty());
}

TEST(StartUp, LaterStartsAskNothingAndReadTheSettings)
{
    TestApp();
    TempDir dir;
    WriteAll(dir.File("ZAV_KDR.ini"),
             "[LENGTH_UNIT]\r\nLengthUnit=1\r\n[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n"
             "[DEVELOPER_ID]\r\nDeveloperID=1\r\n[SPECIALUSERLEVEL]\r\nSpecialUserLevel=1\r\n");
    DrivingRunner runner;
    RecordingMessages msgs;
    CKDRApp app;
    char arg0[] = "kadrel";
    char arg1[] = "/some/project.zkdr";
    char* argv[] = {arg0, arg1, nullptr};
    ASSERT_TRUE(app.InitInstance(2, argv, MakeOptions(dir, runner, msgs)));
    EXPECT_TRUE(runner.ran.empty());
    EXPECT_EQ(AppSettings().m_nLengthUnit, 1);
    EXPECT_EQ(AppSettings().m_nDeveloperID, 1);
    EXPECT_EQ(AppSettings().m_nSpecialUserLevel, 1);
    // A project named on the command line is not opened.
    EXPECT_TRUE(app.GetMainFrame()->MdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(app.m_hSpeakerIcon.isNull());
    EXPECT_FALSE(app.m_hCurrentSpeakerIcon.isNull());
    EXPECT_EQ(app.m_hSpeakerIcon.size(), QSize(32, 32));
}

// The desktop entry that `cmake --install` registers: the project types it
// opens are the ones the mime package declares, and its categories are ones
// the desktop menus accept (an additional category with its main one).
TEST(ShellRegistration, DesktopEntryOpensTheDeclaredProjectTypes)
{
    const std::string entry = ReadAll(std::string(KADREL_SOURCE_DIR) + "/resources/kadrel.desktop");
    const std::string mime = ReadAll(std::string(KADREL_SOURCE_DIR) + "/resources/kadrel-mime.xml");
    ASSERT_FALSE(entry.empty());
    ASSERT_FALSE(mime.empty());
    const auto value = [&](const std::string& key) {
        const size_t at = entry.find("\n" + key + "=");
        if (at == std::string::npos)
            return std::string();
        const size_t start = at + key.size() + 2;
        return entry.substr(start, entry.find('\n', start) - start);
    };
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_EQ(value("Type"), "Application");
    EXPECT_EQ(value("Exec"), "kadrel %f");
    EXPECT_EQ(value("MimeType"), "application/x-kadrel-project;application/x-kadrel-project-old;");
    EXPECT_NE(mime.find("<mime-type type=\"application/x-kadrel-project\">"), std::string::npos);
    EXPECT_NE(mime.find("<mime-type type=\"application/x-kadrel-project-old\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.zkdr\"/>"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.kdr\"/>"), std::string::npos);
    EXPECT_NE(mime.find("value=\"ZAVKDRDoc\""), std::string::npos);

    const std::string categories = ";" + value("Categories");
    const auto has = [&](const char* c) { return categories.find(";" + std::string(c) + ";") != std::string::npos; };
    if (has("Audio")) {
        EXPECT_TRUE(has("AudioVideo"));
    }
    if (has("Engineering")) {
        EXPECT_TRUE(has("Science") || has("Education"));
    }
}
