// Project windows: the five panes, the template's open check, the commands'
// enabling, the modified mark and the save question.

#include "AppTestSupport.h"

#include "app/FileDialogs.h"
#include "app/KDRApp.h"
#include "app/KDRChildFrame.h"
#include "app/KDRDocTemplate.h"
#include "app/KDRMainFrame.h"
#include "document/DocumentUi.h"
#include "document/KDRDoc.h"
#include "platform/CommandTarget.h"
#include "platform/qt/MenuBuilder.h"
#include "resources/CommandIds.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class TestFileDialogs : public IFileDialogs {
public:
    std::string lastFilter;
    std::string answer;  // empty: cancelled
    bool GetOpenFileName(const std::string& filter, std::string& path) override
    {
        lastFilter = filter;
        path = answer;
        return !answer.empty();
    }
    bool GetSaveFileName(const std::string& filter, const std::string&, const std::string&, std::string& path) override
    {
        lastFilter = filter;
        path = answer;
        return !answer.empty();
    }
};

// Makes sure the QApplication exists before the fixture's members.
struct WithApp {
    WithApp() { TestApp(); }
};

class FramesTest : public ::testing::Test, private WithApp {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
        CKDRApp::Options o;
        o.settingsPath = dir.File("ZAV_KDR.ini");
        o.dialogRunner = &runner;
        o.messages = &msgs;
        o.fileDialogs = &files;
        o.recentFilesScope = "KadrelTest";
        o.showMainWindow = true;
        ASSERT_TRUE(app.InitInstance(0, nullptr, o));
        frame = app.GetMainFrame();
    }

    void TearDown() override
    {
        // The recent-file list of the tests goes with them.
        QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelTest")).clear();
    }

    bool Enabled(unsigned id)
    {
        CCmdUI ui(id);
        frame->RouteUpdate(ui);
        return ui.m_bEnabled;
    }

    TempDir dir;
    TestFileDialogs files;
    DrivingRunner runner;
    RecordingMessages msgs;
    CKDRApp app;
    CKDRMainFrame* frame = nullptr;
};

QRect PaneRect(QWidget* pane, QWidget* relativeTo)
{
    return QRect(pane->mapTo(relativeTo, QPoint(0, 0)), pane->size());
}

}  // namespace

TEST_F(FramesTest, NewProjectWindowHasFivePanesInTheirPlacesAndSizes)
{
    app.OnFileNew();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    CKDRChildFrame* child = frame->ChildFrames().front();
    QApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(0, 0, 785, 500));
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Untitled1[*]"));
    EXPECT_EQ(frame->CurrentMenuId(), static_cast<unsigned>(IDR_KDRTYPE));

    QWidget* speaker = child->GetPane(PaneKind::SpeakerData);
    QWidget* tap = child->GetPane(PaneKind::Tap);
    QWidget* graph = child->GetPane(PaneKind::FrequencyResponse);
    QWidget* map = child->GetPane(PaneKind::SplMap);
    QWidget* inst = child->GetPane(PaneKind::InstallationInfo);
    ASSERT_TRUE(speaker && tap && graph && map && inst);
    EXPECT_EQ(speaker->objectName(), QStringLiteral("Speaker Data View"));
    EXPECT_EQ(tap->objectName(), QStringLiteral("Tap View"));
    EXPECT_EQ(graph->objectName(), QStringLiteral("Frequency Response View"));
    EXPECT_EQ(map->objectName(), QStringLiteral("SPL Map View"));
    EXPECT_EQ(inst->objectName(), QStringLiteral("Installation Info View"));

    QWidget* client = child->widget();
    const QRect rs = PaneRect(speaker, client), rt = PaneRect(tap, client), rg = PaneRect(graph, client);
    const QRect rm = PaneRect(map, client), ri = PaneRect(inst, client);
    // The narrow column: speaker list, tap list and graph stacked.
    EXPECT_EQ(rs.topLeft(), QPoint(0, 0));
    EXPECT_EQ(rs.width(), 200);
    EXPECT_EQ(rs.height(), 100);
    EXPECT_EQ(rt.height(), 100);
    EXPECT_EQ(rt.left(), 0);
    EXPECT_GT(rt.top(), rs.bottom());
    EXPECT_GT(rg.top(), rt.bottom());
    EXPECT_EQ(rg.width(), 200);
    // The upper row is 400 high: the graph ends where the map ends.
    EXPECT_EQ(rm.top(), 0);
    EXPECT_EQ(rm.height(), 400);
    EXPECT_EQ(rg.bottom(), rm.bottom());
    EXPECT_GT(rm.left(), rs.right());
    EXPECT_EQ(rm.right(), client->width() - 1);
    // The installation list across the bottom.
    EXPECT_EQ(ri.left(), 0);
    EXPECT_EQ(ri.width(), client->width());
    EXPECT_GT(ri.top(), rm.bottom());
    EXPECT_EQ(ri.bottom(), client->height() - 1);
}

TEST_F(FramesTest, NewWindowIsDisabledInEveryState)
{
    EXPECT_FALSE(Enabled(ID_WINDOW_NEW));
    app.OnFileNew();
    EXPECT_FALSE(Enabled(ID_WINDOW_NEW));
    // The menu item too.
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->text() != QStringLiteral("&Window"))
            continue;
        QMenu* m = top->menu();
        ASSERT_NE(m, nullptr);
        emit m->aboutToShow();
        ASSERT_FALSE(m->actions().isEmpty());
        EXPECT_EQ(m->actions().front()->text(), QStringLiteral("&New Window..."));
        EXPECT_FALSE(m->actions().front()->isEnabled());
    }
}

TEST_F(FramesTest, CommandsFollowTheirUpdateHandlers)
{
    // Without a project only the application's and the frame's commands work.
    EXPECT_TRUE(Enabled(ID_FILE_NEW));
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_FALSE(Enabled(ID_SPEAKER_IMPORT));
    app.OnFileNew();
    EXPECT_TRUE(Enabled(ID_FILE_SAVE));
    EXPECT_TRUE(Enabled(ID_SPEAKER_IMPORT));
    EXPECT_TRUE(Enabled(ID_TOOL_PREFERENCE));
    EXPECT_FALSE(Enabled(ID_SPEAKER_DELETE));  // no model yet
    EXPECT_EQ(Enabled(ID_FILE_SEND_MAIL), CKDRMainFrame::HasMailProgram());
}

TEST_F(FramesTest, ATextFileIsRefusedByTheTypeCheckWhileAProjectIsOpen)
{
    const std::string text = dir.File("notes.zkdr");
    WriteAll(text, "just some text, not a project\n");
    app.OnFileNew();
    ASSERT_EQ(app.GetDocTemplate()->GetDocuments().size(), 1u);
    msgs.texts.clear();
    EXPECT_EQ(app.OpenDocumentFile(text), nullptr);
    EXPECT_EQ(app.GetDocTemplate()->GetDocuments().size(), 1u);
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    ASSERT_EQ(msgs.texts.size(), 1u);
    EXPECT_EQ(msgs.texts[0], "Unexpected file format.");
}

TEST_F(FramesTest, ATextFileIsRefusedByTheLoadWithNoProjectOpen)
{
    const std::string text = dir.File("notes.zkdr");
    WriteAll(text, "just some text, not a project\n");
    EXPECT_EQ(app.OpenDocumentFile(text), nullptr);
    EXPECT_TRUE(app.GetDocTemplate()->GetDocuments().empty());
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_FALSE(msgs.texts.empty());
    EXPECT_EQ(frame->CurrentMenuId(), static_cast<unsigned>(IDR_MAINFRAME));
}

TEST_F(FramesTest, ASavedProjectOpensOnceAndJoinsTheRecentFiles)
{
    const std::string path = dir.File("room.zkdr");
    {
        CKDRDoc doc;
        ASSERT_TRUE(doc.OnSaveDocument(path));
    }
    CKDRDoc* opened = app.OpenDocumentFile(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(frame->ChildFrames().front()->windowTitle(), QStringLiteral("room.zkdr[*]"));
    EXPECT_FALSE(app.RecentFiles().isEmpty());
    EXPECT_EQ(app.RecentFiles().front().toStdString(), std::filesystem::absolute(path).string());
    // Opening it again brings the same project forward.
    EXPECT_EQ(app.OpenDocumentFile(path), opened);
    EXPECT_EQ(app.GetDocTemplate()->GetDocuments().size(), 1u);
    // With a project open, a project file passes the type check.
    const std::string other = dir.File("other.zkdr");
    {
        CKDRDoc doc;
        ASSERT_TRUE(doc.OnSaveDocument(other));
    }
    EXPECT_NE(app.OpenDocumentFile(other), nullptr);
    EXPECT_EQ(app.GetDocTemplate()->GetDocuments().size(), 2u);
    EXPECT_LE(app.RecentFiles().size(), CKDRApp::kRecentFileCount);
}

TEST_F(FramesTest, TheModifiedMarkAndTheSaveQuestionOnClose)
{
    app.OnFileNew();
    CKDRChildFrame* child = frame->ChildFrames().front();
    CKDRDoc& doc = child->GetDocument();
    EXPECT_FALSE(child->isWindowModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel - Untitled1[*]"));
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(child->isWindowModified());
    EXPECT_TRUE(frame->isWindowModified());

    msgs.texts.clear();
    msgs.answer = IDCANCEL;
    EXPECT_TRUE(frame->RouteCommand(ID_FILE_CLOSE));
    ASSERT_EQ(msgs.texts.size(), 1u);
    EXPECT_EQ(msgs.texts[0], "Save changes to Untitled1?");
    EXPECT_EQ(msgs.types[0] & 0x0F, static_cast<unsigned>(MB_YESNOCANCEL));
    EXPECT_EQ(frame->ChildFrames().size(), 1);

    msgs.answer = IDNO;
    EXPECT_TRUE(frame->RouteCommand(ID_FILE_CLOSE));
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_TRUE(app.GetDocTemplate()->GetDocuments().empty());
    EXPECT_EQ(frame->CurrentMenuId(), static_cast<unsigned>(IDR_MAINFRAME));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel"));
}

TEST_F(FramesTest, OpenListsBothExtensionsSaveAsOnlyTheNewOne)
{
    app.OnFileOpen();
    EXPECT_EQ(files.lastFilter, "KDR Files(*.zkdr,*kdr) (*.zkdr *.kdr);;All Files (*.*) (*)");
    EXPECT_EQ(app.GetDocTemplate()->GetDocStrings().MakeFilter(), "KDR Files(*.zkdr) (*.zkdr)");
    app.OnFileNew();
    frame->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(files.lastFilter, "KDR Files(*.zkdr) (*.zkdr)");

    // A name chosen in Save As is where the project goes.
    files.answer = dir.File("saved.zkdr");
    frame->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadAll(files.answer).substr(0, 13), std::string("ZAVKDRDoc\0\0\0\2", 13));
    EXPECT_EQ(frame->ChildFrames().front()->windowTitle(), QStringLiteral("saved.zkdr[*]"));
}

TEST_F(FramesTest, DroppedFilesOpenAndATextFileIsRefusedWhileAProjectIsOpen)
{
    const std::string project = dir.File("dropped.zkdr");
    {
        CKDRDoc doc;
        ASSERT_TRUE(doc.OnSaveDocument(project));
    }
    const std::string text = dir.File("readme.txt");
    WriteAll(text, "plain text\n");

    EXPECT_TRUE(frame->acceptDrops());
    auto drop = [this](const std::string& path) { frame->OnDropFiles({QString::fromStdString(path)}); };
    drop(project);
    ASSERT_EQ(app.GetDocTemplate()->GetDocuments().size(), 1u);
    msgs.texts.clear();
    drop(text);
    EXPECT_EQ(app.GetDocTemplate()->GetDocuments().size(), 1u);
    ASSERT_EQ(msgs.texts.size(), 1u);
    EXPECT_EQ(msgs.texts[0], "Unexpected file format.");
}

TEST_F(FramesTest, F6MovesThroughThePanes)
{
    app.OnFileNew();
    CKDRChildFrame* child = frame->ChildFrames().front();
    EXPECT_EQ(child->GetActivePane(), child->GetPane(PaneKind::SpeakerData));
    frame->RouteCommand(ID_NEXT_PANE);
    EXPECT_EQ(child->GetActivePane(), child->GetPane(PaneKind::Tap));
    frame->RouteCommand(ID_PREV_PANE);
    frame->RouteCommand(ID_PREV_PANE);
    EXPECT_EQ(child->GetActivePane(), child->GetPane(PaneKind::InstallationInfo));
}

TEST_F(FramesTest, YesOnTheCloseQuestionOfAnUntitledProjectAsksForAName)
{
    app.OnFileNew();
    CKDRDoc& doc = frame->ChildFrames().front()->GetDocument();
    doc.SetModifiedFlag(true);
    msgs.answer = IDYES;
    files.answer.clear();  // the name dialog is cancelled: the project stays open
    frame->RouteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(files.lastFilter, "KDR Files(*.zkdr) (*.zkdr)");

    files.answer = dir.File("kept.zkdr");
    frame->RouteCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_EQ(ReadAll(files.answer).substr(0, 9), "ZAVKDRDoc");
}

TEST_F(FramesTest, TheDocumentsQuestionsRunTheSmallDialogs)
{
    IDocumentUi& ui = DocumentUi();
    runner.script = [](CTemplateDialog& dlg, CDialog&) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Message from Kadrel"));
        EXPECT_EQ(dlg.GetWindowText(1035), "High and low impedance speakers can not be mixed in one room.");
        dlg.reject();
    };
    EXPECT_EQ(ui.RunMessageDialog("High and low impedance speakers can not be mixed in one room."), IDCANCEL);

    runner.script = [](CTemplateDialog& dlg, CDialog&) {
        dlg.SetCheck(1007, BST_CHECKED);
        dlg.SetCheck(1018, BST_CHECKED);
        dlg.PressButton(IDOK);
    };
    int advanced = 0;
    BOOL manual = 0;
    ASSERT_TRUE(ui.RunPreferenceDialog(advanced, manual));
    EXPECT_EQ(advanced, 2);
    EXPECT_EQ(manual, 1);

    runner.script = [](CTemplateDialog& dlg, CDialog&) {
        dlg.SetWindowText(1019, "90");
        dlg.SetWindowText(1020, "2.5");
        dlg.PressButton(IDOK);
    };
    double angle = 0.0, distance = 0.0;
    ASSERT_TRUE(ui.RunZx1ExportDialog(angle, distance));
    EXPECT_DOUBLE_EQ(angle, 90.0);
    EXPECT_DOUBLE_EQ(distance, 2.5);

    // While a long loop runs, the user reaches neither menus nor windows.
    app.OnFileNew();
    ui.EnableMainWindow(false);
    EXPECT_FALSE(frame->menuBar()->isEnabled());
    EXPECT_FALSE(frame->MdiArea()->isEnabled());
    EXPECT_FALSE(frame->close());  // the window stays while the loop runs
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    ui.EnableMainWindow(true);
    EXPECT_TRUE(frame->menuBar()->isEnabled());
}

TEST_F(FramesTest, ToolbarButtonsInTheirOrder)
{
    std::vector<unsigned> ids;
    for (QAction* a : frame->ToolBar()->actions())
        ids.push_back(a->isSeparator() ? 0u : MenuBuilder::CommandId(a));
    const std::vector<unsigned> expected = {
        57600, 57601, 57603, 57607, 0, 32799, 32809, 32802, 32803, 0, 32777, 32771, 32784, 0,
        32794, 32787, 0, 32793, 32798, 32797, 0, 57664};
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 15));
    EXPECT_EQ(frame->ToolBar()->actions()[1]->toolTip(), QStringLiteral("Open Project"));
}

TEST_F(FramesTest, EveryToolbarButtonHasItsOwnImage)
{
    std::vector<QImage> images;
    for (QAction* a : frame->ToolBar()->actions()) {
        if (a->isSeparator())
            continue;
        SCOPED_TRACE(MenuBuilder::CommandId(a));
        EXPECT_FALSE(a->toolTip().isEmpty());
        const QPixmap pm = a->icon().pixmap(QSize(16, 15));
        ASSERT_FALSE(pm.isNull());
        EXPECT_EQ(pm.size(), QSize(16, 15));
        const QImage img = pm.toImage();
        // Something is drawn, and no two buttons look alike.
        bool drawn = false;
        for (int y = 0; y < img.height() && !drawn; ++y)
            for (int x = 0; x < img.width() && !drawn; ++x)
                drawn = qAlpha(img.pixel(x, y)) != 0;
        EXPECT_TRUE(drawn);
        for (const QImage& other : images)
            EXPECT_NE(other, img);
        images.push_back(img);
    }
    EXPECT_EQ(images.size(), 17u);
}

TEST_F(FramesTest, WindowMenuListsTheProjectWindowsAndActivatesTheChosenOne)
{
    app.OnFileNew();
    app.OnFileNew();
    ASSERT_EQ(frame->ChildFrames().size(), 2);
    QMenu* window = nullptr;
    for (QAction* top : frame->menuBar()->actions())
        if (top->menu() && top->menu()->title() == QStringLiteral("&Window"))
            window = top->menu();
    ASSERT_NE(window, nullptr);

    const auto listed = [&] {
        QMetaObject::invokeMethod(window, "aboutToShow");
        QList<QAction*> out;
        for (QAction* a : window->actions())
            if (a->isCheckable() && a->text().startsWith('&'))
                out << a;
        return out;
    };
    frame->MdiArea()->setActiveSubWindow(frame->ChildFrames().back());
    QList<QAction*> entries = listed();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 Untitled1"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("&2 Untitled2"));
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_TRUE(entries[1]->isChecked());

    entries[0]->trigger();
    EXPECT_EQ(frame->ActiveChildFrame(), frame->ChildFrames().front());
    // Opening the menu again lists the windows once, not twice.
    entries = listed();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0]->isChecked());

    frame->CloseDocumentNow(frame->ChildFrames().back()->GetDocument());
    EXPECT_EQ(listed().size(), 1);
}

TEST_F(FramesTest, AnAmpersandInAFileNameIsShownInTheMenus)
{
    const std::string path = dir.File("R&D.zkdr");
    {
        CKDRDoc doc;
        ASSERT_TRUE(doc.OnSaveDocument(path));
    }
    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    const auto topMenu = [&](const QString& title) -> QMenu* {
        for (QAction* top : frame->menuBar()->actions())
            if (top->menu() && top->menu()->title() == title)
                return top->menu();
        return nullptr;
    };
    QMenu* file = topMenu(QStringLiteral("&File"));
    ASSERT_NE(file, nullptr);
    QMetaObject::invokeMethod(file, "aboutToShow");
    QStringList recent;
    for (QAction* a : file->actions())
        if (a->property("kadrelRecent").toBool())
            recent << a->text();
    ASSERT_FALSE(recent.isEmpty());
    QString expected = QString::fromStdString(std::filesystem::absolute(path).string());
    expected.replace('&', QStringLiteral("&&"));
    EXPECT_EQ(recent.front(), QStringLiteral("&1 ") + expected);

    QMenu* window = topMenu(QStringLiteral("&Window"));
    ASSERT_NE(window, nullptr);
    QMetaObject::invokeMethod(window, "aboutToShow");
    EXPECT_EQ(window->actions().back()->text(), QStringLiteral("&1 R&&D.zkdr"));
}
