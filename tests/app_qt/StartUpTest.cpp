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
