// The installation commands reached from the menus of the main window.

#include "app_qt/AppTestSupport.h"

#include "app/KDRChildFrame.h"
#include "app/KDRMainFrame.h"
#include "document/KDRDoc.h"
#include "models/StdSPModel.h"
#include "platform/CommandTarget.h"
#include "resources/CommandIds.h"

namespace {

class InstallRoutingTest : public AppTest {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
        ASSERT_TRUE(Start({}, true));
        frame = app.GetMainFrame();
        app.OnFileNew();
        ASSERT_EQ(frame->ChildFrames().size(), 1);
        doc = &frame->ChildFrames().front()->GetDocument();
    }
    // Nothing here writes the recent-file list, so the shared test scope is
    // left alone for the shell's own tests running beside these.
    void TearDown() override {}
    bool Enabled(unsigned id)
    {
        CCmdUI ui(id);
        frame->RouteUpdate(ui);
        return ui.m_bEnabled;
    }
    void AddModel()
    {
        auto model = std::make_unique<CStdSPModel>(CStdSPModel::kCeilingType);
        model->GetTapTable().SetTapCount(1);
        model->GetTapTable().SetTap(0, false, 100.0, 6.0, 1.0);
        doc->m_models.Add(std::move(model));
    }

    CKDRMainFrame* frame = nullptr;
    CKDRDoc* doc = nullptr;
};

TEST_F(InstallRoutingTest, MenuCommandsFollowTheProjectAndRunTheirDialogs)
{
    EXPECT_TRUE(Enabled(ID_ROOM_PARAMETERS));
    EXPECT_FALSE(Enabled(ID_INSTALLATION_MANUALLY));
    EXPECT_FALSE(Enabled(ID_INSTALLATION_REMOVE_ALL));
    AddModel();
    EXPECT_TRUE(Enabled(ID_INSTALLATION_MANUALLY));
    EXPECT_TRUE(Enabled(ID_INSTALLATION_AUTO));

    // Manually...: the installation dialog of the program, OK.
    runner.ran.clear();
    runner.script = [](CTemplateDialog& dlg, CDialog& d) {
        if (d.GetTemplateId() == 158 || d.GetTemplateId() == 167)
            dlg.PressButton(IDOK);
    };
    EXPECT_TRUE(frame->RouteCommand(ID_INSTALLATION_MANUALLY));
    EXPECT_EQ(runner.ran, std::vector<unsigned>{158});
    ASSERT_EQ(doc->m_installations.GetCount(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Enabled(ID_INSTALLATION_REMOVE_ALL));
    EXPECT_TRUE(Enabled(ID_TOOL_RECALCULATE));

    // Remove All...: the question in the message dialog, OK.
    runner.ran.clear();
    EXPECT_TRUE(frame->RouteCommand(ID_INSTALLATION_REMOVE_ALL));
    EXPECT_EQ(runner.ran, std::vector<unsigned>{167});
    EXPECT_EQ(doc->m_installations.GetCount(), 0);
}

}  // namespace
