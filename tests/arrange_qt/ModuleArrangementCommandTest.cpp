// Speaker > Module Arrangement... in the running program: the application
// installs the arrangement dialogs, the command opens the LV-3 dialog with
// the splay modes the settings file allows, and OK rearranges the model.
#include "app/FileDialogs.h"
#include "app/KDRApp.h"
#include "app/KDRChildFrame.h"
#include "app/KDRMainFrame.h"
#include "dialogs/ModuleArrangementDialogs.h"
#include "document/KDRDoc.h"
#include "models/SpeakerModel.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"
#include "platform/qt/TemplateDialog.h"
#include "resources/DialogTemplates.h"

#include <QApplication>
#include <QComboBox>
#include <QSettings>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class Runner : public IDialogRunner {
public:
    std::function<void(CTemplateDialog&)> script;
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
            script(dlg);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    }
};

class TestMessages : public IMessageBox {
public:
    std::vector<std::string> shown;
    int Show(const std::string& text, unsigned) override
    {
        shown.push_back(text);
        return IDOK;
    }
    void Beep(unsigned) override {}
};

class NoFiles : public IFileDialogs {
public:
    bool GetOpenFileName(const std::string&, std::string&) override { return false; }
    bool GetSaveFileName(const std::string&, const std::string&, const std::string&, std::string&) override
    {
        return false;
    }
};

}  // namespace

TEST(ModuleArrangementCommand, TheSpeakerMenuOpensTheLV3DialogOfTheProgram)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kadrel_arrange_qt_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string ini = (dir / "ZAV_KDR.ini").string();
    std::ofstream(ini, std::ios::binary) << "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n"
                                            "[SPECIALUSERLEVEL]\r\nSpecialUserLevel=1\r\n";
    Runner runner;
    TestMessages messages;
    NoFiles files;
    {
        CKDRApp app;
        CKDRApp::Options o;
        o.settingsPath = ini;
        o.dialogRunner = &runner;
        o.messages = &messages;
        o.fileDialogs = &files;
        o.recentFilesScope = "KadrelArrangeTest";
        o.showMainWindow = false;
        static char name[] = "kadrel";
        char* argv[] = {name, nullptr};
        ASSERT_TRUE(app.InitInstance(1, argv, o));
        EXPECT_EQ(GetModelDialogs(), &ModuleArrangementDialogs());

        app.OnFileNew();
        ASSERT_EQ(app.GetMainFrame()->ChildFrames().size(), 1);
        CKDRDoc& doc = app.GetMainFrame()->ChildFrames().front()->GetDocument();
        {
            CStdioFile file;
            ASSERT_TRUE(file.Open(std::string(KADREL_SOURCE_DIR) + "/examples/SampleLV3Array.zsb"));
            std::string version;
            ASSERT_TRUE(file.ReadString(version));
            ASSERT_TRUE(doc.m_models.ImportModel(file, 0, nullptr));
        }
        doc.m_models.SetCurrentIndex(0);
        CSpeakerModel* model = doc.m_models.GetAt(0);

        runner.script = [](CTemplateDialog& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Properties for LV-3"));
            auto* joint = qobject_cast<QComboBox*>(dlg.Control(2001));
            ASSERT_NE(joint, nullptr);
            EXPECT_EQ(joint->count(), 7);
            EXPECT_EQ(joint->itemText(6), QStringLiteral("0deg-mode(*)"));
            auto* count = qobject_cast<QComboBox*>(dlg.Control(1052));
            ASSERT_NE(count, nullptr);
            count->setCurrentIndex(0);
            emit count->activated(0);
            EXPECT_TRUE(dlg.PressButton(IDOK));
        };
        runner.ran.clear();
        EXPECT_TRUE(app.GetMainFrame()->RouteCommand(CKDRDoc::kCmdSpeakerModuleArrangement));
        EXPECT_EQ(runner.ran, std::vector<unsigned>{149});
        EXPECT_EQ(model->GetTapTable().GetUpperCount(), 2u);
        EXPECT_EQ(model->GetTapTable().GetLowerCount(), 2u);
        EXPECT_TRUE(doc.IsModified());
        doc.SetModifiedFlag(false);
    }
    EXPECT_EQ(GetModelDialogs(), nullptr);
    QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelArrangeTest")).clear();
    std::filesystem::remove_all(dir);
}
