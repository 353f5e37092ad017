// Start-up: the settings file, the first-start question, the main window,
// and the shell registration files.

#include "AppTestSupport.h"

#include "app/KDRMainFrame.h"
#include "platform/AppSettings.h"
#include "resources/CommandIds.h"

#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <unistd.h>

using StartUp = AppTest;

TEST_F(StartUp, FirstStartCancelEndsTheProgramAndWritesNothing)
{
    runner.script = [](CTemplateDialog& dlg, CDialog&) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Initial Settings"));
        auto* cancel = qobject_cast<QPushButton*>(dlg.Control(IDCANCEL));
        ASSERT_NE(cancel, nullptr);
        EXPECT_FALSE(cancel->isHidden());
        EXPECT_TRUE(dlg.PressButton(IDCANCEL));
    };
    EXPECT_FALSE(Start({"kadrel"}));
    EXPECT_EQ(runner.ran, (std::vector<unsigned>{143}));
    EXPECT_FALSE(std::filesystem::exists(dir.File("ZAV_KDR.ini")));
}

TEST_F(StartUp, FirstStartOkWritesTheUnitAndClearsTheFlag)
{
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
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(ReadAll(dir.File("ZAV_KDR.ini")),
              "[LENGTH_UNIT]\r\nLengthUnit=1\r\n[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
    EXPECT_EQ(AppSettings().m_nLengthUnit, 1);
    EXPECT_EQ(AppSettings().m_bAppFirstTime, 0);
    EXPECT_EQ(AppSettings().m_nDeveloperID, 0);
    EXPECT_EQ(AppSettings().m_nSpecialUserLevel, 0);

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

TEST_F(StartUp, LaterStartsAskNothingAndReadTheSettings)
{
    WriteAll(dir.File("ZAV_KDR.ini"),
             "[LENGTH_UNIT]\r\nLengthUnit=1\r\n[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n"
             "[DEVELOPER_ID]\r\nDeveloperID=1\r\n[SPECIALUSERLEVEL]\r\nSpecialUserLevel=1\r\n");
    ASSERT_TRUE(Start({"kadrel", "/some/project.zkdr"}));
    EXPECT_TRUE(runner.ran.empty());
    EXPECT_EQ(AppSettings().m_nLengthUnit, 1);
    EXPECT_EQ(AppSettings().m_nDeveloperID, 1);
    EXPECT_EQ(AppSettings().m_nSpecialUserLevel, 1);
    // A project named on the command line is not opened.
    EXPECT_TRUE(app.GetMainFrame()->MdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(app.m_hCurrentSpeakerIcon.isNull());
    EXPECT_EQ(app.m_hSpeakerIcon.size(), QSize(32, 32));
}

// Each test process keeps its recent files, settings, caches and temporary
// files in a folder of its own, apart from the processes running beside it.
TEST_F(StartUp, TheTestProcessKeepsItsFilesToItself)
{
    const std::string own = "/kadrel-test-" + std::to_string(::getpid()) + "-";
    for (const std::string& path :
         {QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelTest")).fileName().toStdString(),
          ChooseSettingsFilePath(""), std::filesystem::temp_directory_path().string(),
          QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation).toStdString(),
          QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString()})
        EXPECT_NE(path.find(own), std::string::npos) << path;
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
    for (const char* part : {"<mime-type type=\"application/x-kadrel-project\">",
                             "<mime-type type=\"application/x-kadrel-project-old\">", "<glob pattern=\"*.zkdr\"/>",
                             "<glob pattern=\"*.kdr\"/>", "value=\"ZAVKDRDoc\""})
        EXPECT_NE(mime.find(part), std::string::npos) << part;

    const std::string categories = ";" + value("Categories");
    const auto has = [&](const char* c) { return categories.find(";" + std::string(c) + ";") != std::string::npos; };
    EXPECT_TRUE(!has("Audio") || has("AudioVideo"));
    EXPECT_TRUE(!has("Engineering") || has("Science") || has("Education"));
}
