// Project windows: the five panes, the template's open check, the commands'
// enabling, the modified mark and the save question, toolbar and menus.

#include "AppTestSupport.h"

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
#include <QToolBar>

namespace {

class FramesTest : public AppTest {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
        ASSERT_TRUE(Start({}, true));
        frame = app.GetMainFrame();
    }

    bool Enabled(unsigned id)
    {
        CCmdUI ui(id);
        frame->RouteUpdate(ui);
        return ui.m_bEnabled;
    }

    // An empty project saved under name in the test's folder.
    std::string SavedProject(const char* name)
    {
        const std::string path = dir.File(name);
        CKDRDoc doc;
        EXPECT_TRUE(doc.OnSaveDocument(path));
        return path;
    }

    // A menu of the menu bar, told that it is about to show.
    QMenu* ShownMenu(const QString& title)
    {
        for (QAction* top : frame->menuBar()->actions())
            if (top->menu() && top->menu()->title() == title) {
                QMetaObject::invokeMethod(top->menu(), "aboutToShow");
                return top->menu();
            }
        return nullptr;
    }

    size_t Documents() const { return app.GetDocTemplate()->GetDocuments().size(); }

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

    const std::pair<PaneKind, const char*> panes[] = {
        {PaneKind::SpeakerData, "Speaker Data View"},       {PaneKind::Tap, "Tap View"},
        {PaneKind::FrequencyResponse, "Frequency Response View"}, {PaneKind::SplMap, "SPL Map View"},
        {PaneKind::InstallationInfo, "Installation Info View"}};
    for (const auto& [kind, name] : panes) {
        ASSERT_NE(child->GetPane(kind), nullptr) << name;
        EXPECT_EQ(child->GetPane(kind)->objectName(), QString::fromLatin1(name));
    }
    QWidget* client = child->widget();
    const auto rect = [&](PaneKind k) { return PaneRect(child->GetPane(k), client); };
    const QRect rs = rect(PaneKind::SpeakerData), rt = rect(PaneKind::Tap), rg = rect(PaneKind::FrequencyResponse);
    const QRect rm = rect(PaneKind::SplMap), ri = rect(PaneKind::InstallationInfo);
    // The narrow column: speaker list, tap list and graph stacked.
    EXPECT_EQ(rs, QRect(0, 0, 200, 100));
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

// Without a project only the application's and the frame's commands work;
// New Window is disabled in every state.
TEST_F(FramesTest, CommandsFollowTheirUpdateHandlers)
{
    const struct {
        unsigned id;
        bool without, with;
    } cases[] = {
        {ID_FILE_NEW, true, true},          {ID_FILE_OPEN, true, true},        {ID_APP_ABOUT, true, true},
        {ID_FILE_SAVE, false, true},        {ID_SPEAKER_IMPORT, false, true},  {ID_TOOL_PREFERENCE, false, true},
        {ID_SPEAKER_DELETE, false, false},  {ID_WINDOW_NEW, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Enabled(c.id), c.without) << c.id;
    app.OnFileNew();
    for (const auto& c : cases)
        EXPECT_EQ(Enabled(c.id), c.with) << c.id;
    EXPECT_EQ(Enabled(ID_FILE_SEND_MAIL), CKDRMainFrame::HasMailProgram());
    QMenu* window = ShownMenu(QStringLiteral("&Window"));
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(window->actions().isEmpty());
    EXPECT_EQ(window->actions().front()->text(), QStringLiteral("&New Window..."));
    EXPECT_FALSE(window->actions().front()->isEnabled());
}

// A text file named like a project: the load refuses it without a project
// open; with one open the template's type check refuses it, opened or
// dropped.
TEST_F(FramesTest, ATextFileIsRefusedAndDroppedProjectsOpen)
{
    const std::string text = dir.File("notes.zkdr");
    WriteAll(text, "just some text, not a project\n");
    EXPECT_EQ(app.OpenDocumentFile(text), nullptr);
    EXPECT_EQ(Documents(), 0u);
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_FALSE(msgs.texts.empty());
    EXPECT_EQ(frame->CurrentMenuId(), static_cast<unsigned>(IDR_MAINFRAME));

    EXPECT_TRUE(frame->acceptDrops());
    frame->OnDropFiles({QString::fromStdString(SavedProject("dropped.zkdr"))});
    ASSERT_EQ(Documents(), 1u);
    msgs.texts.clear();
    EXPECT_EQ(app.OpenDocumentFile(text), nullptr);
    const std::string readme = dir.File("readme.txt");
    WriteAll(readme, "plain text\n");
    frame->OnDropFiles({QString::fromStdString(readme)});
    EXPECT_EQ(Documents(), 1u);
    EXPECT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_EQ(msgs.texts, (std::vector<std::string>{"Unexpected file format.", "Unexpected file format."}));
}

TEST_F(FramesTest, ASavedProjectOpensOnceAndJoinsTheRecentFiles)
{
    const std::string path = SavedProject("room.zkdr");
    CKDRDoc* opened = app.OpenDocumentFile(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(frame->ChildFrames().front()->windowTitle(), QStringLiteral("room.zkdr[*]"));
    ASSERT_FALSE(app.RecentFiles().isEmpty());
    EXPECT_EQ(app.RecentFiles().front().toStdString(), std::filesystem::absolute(path).string());
    // Opening it again brings the same project forward.
    EXPECT_EQ(app.OpenDocumentFile(path), opened);
    EXPECT_EQ(Documents(), 1u);
    // With a project open, a project file passes the type check.
    EXPECT_NE(app.OpenDocumentFile(SavedProject("other.zkdr")), nullptr);
    EXPECT_EQ(Documents(), 2u);
    EXPECT_LE(app.RecentFiles().size(), CKDRApp::kRecentFileCount);
}

// Save As to an old-form name writes the new-form one, and that is the
// name the recent-file list and the window show.
TEST_F(FramesTest, SaveAsToAnOldNameListsTheFileWritten)
{
    app.OnFileNew();
    msgs.answer = IDOK;
    files.answer = dir.File("hall.kdr");
    frame->RouteCommand(ID_FILE_SAVE_AS);
    const std::string written = dir.File("hall.zkdr");
    EXPECT_EQ(ReadAll(written).substr(0, 9), "ZAVKDRDoc");
    EXPECT_FALSE(std::filesystem::exists(files.answer));
    ASSERT_FALSE(app.RecentFiles().isEmpty());
    EXPECT_EQ(app.RecentFiles().front().toStdString(), std::filesystem::absolute(written).string());
    for (const QString& f : app.RecentFiles())
        EXPECT_FALSE(f.endsWith(QStringLiteral(".kdr"))) << f.toStdString();
    EXPECT_EQ(frame->ChildFrames().front()->windowTitle(), QStringLiteral("hall.zkdr[*]"));
}

// Closing a modified project asks; Cancel, and Yes with the name dialog
// cancelled, keep it; No closes it unsaved; Yes with a name saves it.
TEST_F(FramesTest, TheModifiedMarkAndTheSaveQuestionOnClose)
{
    app.OnFileNew();
    CKDRChildFrame* child = frame->ChildFrames().front();
    EXPECT_FALSE(child->isWindowModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel - Untitled1[*]"));
    child->GetDocument().SetModifiedFlag(true);
    EXPECT_TRUE(child->isWindowModified());
    EXPECT_TRUE(frame->isWindowModified());

    msgs.texts.clear();
    for (int answer : {IDCANCEL, IDYES}) {
        msgs.answer = answer;
        EXPECT_TRUE(frame->RouteCommand(ID_FILE_CLOSE));
        EXPECT_EQ(frame->ChildFrames().size(), 1);
    }
    EXPECT_EQ(msgs.texts, (std::vector<std::string>(2, "Save changes to Untitled1?")));
    EXPECT_EQ(msgs.types[0] & 0x0F, static_cast<unsigned>(MB_YESNOCANCEL));
    EXPECT_EQ(files.lastFilter, "KDR Files(*.zkdr) (*.zkdr)");

    msgs.answer = IDNO;
    EXPECT_TRUE(frame->RouteCommand(ID_FILE_CLOSE));
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_EQ(Documents(), 0u);
    EXPECT_EQ(frame->CurrentMenuId(), static_cast<unsigned>(IDR_MAINFRAME));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel"));

    app.OnFileNew();
    frame->ChildFrames().front()->GetDocument().SetModifiedFlag(true);
    msgs.answer = IDYES;
    files.answer = dir.File("kept.zkdr");
    frame->RouteCommand(ID_FILE_CLOSE);
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
    EXPECT_EQ(ReadAll(files.answer).substr(0, 9), "ZAVKDRDoc");
    // Saved under a name by way of the question: a recent file like any other.
    ASSERT_FALSE(app.RecentFiles().isEmpty());
    EXPECT_EQ(app.RecentFiles().front().toStdString(), std::filesystem::absolute(files.answer).string());
}

// The main window's caption names the active project window's document:
// after Save As in a maximized window, after opening a second project,
// after Tile, and after a failed open, which leaves the modified mark of
// the project in front as it was.
TEST_F(FramesTest, TheCaptionNamesTheActiveProjectWindow)
{
    const auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    const std::string hallA = SavedProject("hallA.zkdr");
    app.OnFileNew();
    CKDRChildFrame* untitled = frame->ChildFrames().front();
    untitled->showMaximized();
    settle();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel - [Untitled1[*]]"));
    files.answer = dir.File("hallB.zkdr");
    frame->RouteCommand(ID_FILE_SAVE_AS);
    settle();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel - [hallB.zkdr[*]]"));

    ASSERT_NE(app.OpenDocumentFile(hallA), nullptr);
    settle();
    ASSERT_EQ(frame->ActiveChildFrame(), frame->ChildFrames().back());
    EXPECT_EQ(frame->windowTitle(), frame->ActiveChildFrame()->isMaximized()
                                        ? QStringLiteral("Kadrel - [hallA.zkdr[*]]")
                                        : QStringLiteral("Kadrel - hallA.zkdr[*]"));

    frame->MdiArea()->setActiveSubWindow(untitled);
    frame->RouteCommand(ID_WINDOW_TILE_HORZ);
    settle();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel - hallB.zkdr[*]"));

    untitled->GetDocument().SetModifiedFlag(true);
    untitled->showMaximized();
    settle();
    ASSERT_TRUE(frame->isWindowModified());
    const std::string truncated = dir.File("truncated.zkdr");
    WriteAll(truncated, ReadAll(hallA).substr(0, 40));
    EXPECT_EQ(app.OpenDocumentFile(truncated), nullptr);
    settle();
    EXPECT_EQ(frame->ChildFrames().size(), 2);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Kadrel - [hallB.zkdr[*]]"));
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(untitled->isWindowModified());
    EXPECT_TRUE(untitled->GetDocument().IsModified());
}

TEST_F(FramesTest, OpenListsBothExtensionsSaveAsOnlyTheNewOne)
{
    app.OnFileOpen();
    EXPECT_EQ(files.lastFilter, "KDR Files(*.zkdr,*kdr) (*.zkdr *.kdr);;All Files (*.*) (*)");
    app.OnFileNew();
    frame->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(files.lastFilter, "KDR Files(*.zkdr) (*.zkdr)");

    // A name chosen in Save As is where the project goes; the next Save As
    // offers it, in a folder that exists.
    std::filesystem::create_directory(dir.File("sub"));
    files.answer = dir.File("sub/saved.zkdr");
    frame->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadAll(files.answer).substr(0, 13), std::string("ZAVKDRDoc\0\0\0\2", 13));
    EXPECT_EQ(frame->ChildFrames().front()->windowTitle(), QStringLiteral("saved.zkdr[*]"));
    // Save As of a project whose file is there asks for the name too, the
    // file's own offered; Cancel writes nothing.
    files.answer.clear();
    files.lastProposed.clear();
    const std::string before = ReadAll(dir.File("sub/saved.zkdr"));
    frame->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(files.lastProposed, dir.File("sub/saved.zkdr"));
    EXPECT_EQ(ReadAll(dir.File("sub/saved.zkdr")), before);
    std::filesystem::remove_all(dir.File("sub"));
    frame->RouteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(files.lastProposed, dir.File("saved.zkdr"));
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
    // A loop inside a loop: the window comes back with the outer one's end.
    ui.EnableMainWindow(false);
    ui.EnableMainWindow(true);
    EXPECT_FALSE(frame->menuBar()->isEnabled());
    ui.EnableMainWindow(true);
    EXPECT_TRUE(frame->menuBar()->isEnabled());
}

// The buttons in their order, each with a tip and its own 16 x 15 image.
TEST_F(FramesTest, ToolbarButtonsInTheirOrder)
{
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 15));
    std::vector<unsigned> ids;
    std::vector<QImage> images;
    for (QAction* a : frame->ToolBar()->actions()) {
        ids.push_back(a->isSeparator() ? 0u : MenuBuilder::CommandId(a));
        if (a->isSeparator())
            continue;
        SCOPED_TRACE(ids.back());
        EXPECT_FALSE(a->toolTip().isEmpty());
        const QImage img = a->icon().pixmap(QSize(16, 15)).toImage();
        ASSERT_EQ(img.size(), QSize(16, 15));
        bool drawn = false;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                drawn = drawn || qAlpha(img.pixel(x, y)) != 0;
        EXPECT_TRUE(drawn);
        for (const QImage& other : images)
            EXPECT_NE(other, img);
        images.push_back(img);
    }
    EXPECT_EQ(ids, (std::vector<unsigned>{57600, 57601, 57603, 57607, 0, 32799, 32809, 32802, 32803, 0, 32777, 32771,
                                          32784, 0, 32794, 32787, 0, 32793, 32798, 32797, 0, 57664}));
    EXPECT_EQ(frame->ToolBar()->actions()[1]->toolTip(), QStringLiteral("Open Project"));
}

TEST_F(FramesTest, WindowMenuListsTheProjectWindowsAndActivatesTheChosenOne)
{
    app.OnFileNew();
    app.OnFileNew();
    ASSERT_EQ(frame->ChildFrames().size(), 2);
    const auto listed = [&] {
        QList<QAction*> out;
        for (QAction* a : ShownMenu(QStringLiteral("&Window"))->actions())
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
    const std::string path = SavedProject("R&D.zkdr");
    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    QMenu* file = ShownMenu(QStringLiteral("&File"));
    ASSERT_NE(file, nullptr);
    QStringList recent;
    for (QAction* a : file->actions())
        if (a->property("kadrelRecent").toBool())
            recent << a->text();
    ASSERT_FALSE(recent.isEmpty());
    QString expected = QString::fromStdString(std::filesystem::absolute(path).string());
    expected.replace('&', QStringLiteral("&&"));
    EXPECT_EQ(recent.front(), QStringLiteral("&1 ") + expected);

    QMenu* window = ShownMenu(QStringLiteral("&Window"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->actions().back()->text(), QStringLiteral("&1 R&&D.zkdr"));
}

// A project opened while another project window is maximised opens
// maximised too: it fills the area, and so do its panes; restored, it has
// the size of a new window.
TEST_F(FramesTest, AWindowOpenedMaximisedLaysItsPanesOutForTheWholeArea)
{
    frame->resize(1200, 900);
    app.OnFileNew();
    QApplication::processEvents();
    frame->ChildFrames().front()->showMaximized();
    QApplication::processEvents();
    app.OnFileNew();
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 2);
    CKDRChildFrame* child = frame->ChildFrames().back();
    const QRect area = frame->MdiArea()->viewport()->rect();
    ASSERT_GT(area.width(), 785);
    ASSERT_GT(area.height(), 500);
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(child->geometry(), area);
    QWidget* client = child->widget();
    EXPECT_EQ(PaneRect(client, child), QRect(QPoint(0, 0), child->size()));
    const QRect rm = PaneRect(child->GetPane(PaneKind::SplMap), client);
    const QRect ri = PaneRect(child->GetPane(PaneKind::InstallationInfo), client);
    EXPECT_EQ(rm.right(), client->width() - 1);
    EXPECT_EQ(ri.width(), client->width());
    EXPECT_EQ(ri.bottom(), client->height() - 1);
    EXPECT_EQ(PaneRect(child->GetPane(PaneKind::SpeakerData), client), QRect(0, 0, 200, 100));

    child->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(0, 0, 785, 500));
    EXPECT_EQ(PaneRect(child->GetPane(PaneKind::InstallationInfo), client).bottom(), client->height() - 1);
}

// Closing the maximised project window, by its close box or by File >
// Close, leaves the window that comes to the front maximised.
TEST_F(FramesTest, TheWindowInFrontStaysMaximisedWhenTheMaximisedOneCloses)
{
    frame->resize(1200, 900);
    app.OnFileNew();
    app.OnFileNew();
    app.OnFileNew();
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 3);
    const QRect area = frame->MdiArea()->viewport()->rect();
    CKDRChildFrame* last = frame->ChildFrames().back();
    last->showMaximized();
    QApplication::processEvents();

    // The window used before the closed one comes to the front.
    frame->MdiArea()->setActiveSubWindow(frame->ChildFrames()[1]);
    frame->MdiArea()->setActiveSubWindow(last);
    QApplication::processEvents();
    const auto expectMaximisedInFront = [&](const std::string& title, size_t windows) {
        QApplication::processEvents();
        ASSERT_EQ(frame->ChildFrames().size(), windows);
        CKDRChildFrame* front = frame->ActiveChildFrame();
        ASSERT_NE(front, nullptr);
        EXPECT_EQ(frame->MdiArea()->activeSubWindow(), front);
        EXPECT_EQ(front->GetDocument().GetTitle(), title);
        EXPECT_TRUE(front->isMaximized());
        EXPECT_EQ(front->geometry(), area);
        EXPECT_EQ(frame->windowTitle().toStdString(), "Kadrel - [" + title + "[*]]");
    };
    last->close();
    expectMaximisedInFront("Untitled2", 2);
    frame->RouteCommand(ID_FILE_CLOSE);
    expectMaximisedInFront("Untitled1", 1);

    // A window that was not maximised leaves the next one as it is.
    frame->ActiveChildFrame()->showNormal();
    app.OnFileNew();
    QApplication::processEvents();
    ASSERT_FALSE(frame->ActiveChildFrame()->isMaximized());
    frame->RouteCommand(ID_FILE_CLOSE);
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    EXPECT_FALSE(frame->ChildFrames().front()->isMaximized());
    EXPECT_EQ(frame->ChildFrames().front()->geometry(), QRect(0, 0, 785, 500));
}

// Window > Cascade gives every project window the size of a new window
// (within the area), also windows that were maximised, and Tile shares the
// area out among them.
TEST_F(FramesTest, CascadeAndTileKeepTheWindowsUsable)
{
    frame->resize(1200, 900);
    app.OnFileNew();
    app.OnFileNew();
    QApplication::processEvents();
    ASSERT_EQ(frame->ChildFrames().size(), 2);
    frame->ChildFrames().back()->showMaximized();
    QApplication::processEvents();

    frame->RouteCommand(ID_WINDOW_CASCADE);
    QApplication::processEvents();
    const QRect area = frame->MdiArea()->viewport()->rect();
    for (CKDRChildFrame* child : frame->ChildFrames()) {
        SCOPED_TRACE(child->GetDocument().GetTitle());
        EXPECT_FALSE(child->isMaximized());
        EXPECT_EQ(child->size(), QSize(785, 500));
        EXPECT_TRUE(area.contains(child->geometry()));
    }
    EXPECT_NE(frame->ChildFrames()[0]->pos(), frame->ChildFrames()[1]->pos());

    frame->RouteCommand(ID_WINDOW_TILE_HORZ);
    QApplication::processEvents();
    int covered = 0;
    for (CKDRChildFrame* child : frame->ChildFrames())
        covered += child->width() * child->height();
    EXPECT_EQ(covered, area.width() * area.height());
}
