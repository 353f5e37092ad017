// The speaker-data and tap list panes as widgets: columns, rows, clicks,
// the drag to another window and the right-button menu.

#include "document/DocumentUi.h"
#include "document/KDRDoc.h"
#include "platform/AppSettings.h"
#include "platform/RegisteredMessages.h"
#include "platform/qt/ProgramResources.h"
#include "platform/qt/WindowLocator.h"
#include "views/qt/StdSPDataListView.h"
#include "views/qt/TapListView.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include <vector>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_lists_qt";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Answers the file dialog with a fixed path and every question with OK.
class CScriptedUi : public IDocumentUi {
public:
    std::string path;
    std::vector<std::string> questions;
    bool AskSpeakerDataPath(std::string& p) override
    {
        p = path;
        return !path.empty();
    }
    std::unique_ptr<IProgress> CreateProgressDialog() override { return std::make_unique<CNullProgress>(); }
    void ShowProgressDialog(IProgress&) override {}
    void EnableMainWindow(bool) override {}
    int RunMessageDialog(const std::string& text) override
    {
        questions.push_back(text);
        return IDOK;
    }
    bool RunPreferenceDialog(int&, BOOL&) override { return false; }
    bool RunZx1ExportDialog(double&, double&) override { return false; }
};

// A window that answers the drag messages like an SPL map whose whole area
// is room.
class CDropTarget : public QWidget, public IMessageTarget {
public:
    LRESULT OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        documents.push_back(wParam);
        if (lParam)
            points.push_back(*reinterpret_cast<const CPoint*>(lParam));
        return message == WM_IS_POINT_IN_ROOM || message == WM_DROP_NEW_SPEAKER ? 1 : 0;
    }
    std::vector<unsigned> messages;
    std::vector<WPARAM> documents;
    std::vector<CPoint> points;
};

// The two panes side by side in one window, registered with the document
// as the project window does it.
class ListPanesTest : public ::testing::Test {
protected:
    ListPanesTest()
    {
        SetDocumentUi(&ui);
        SetWindowLocator(&locator);
        window.setGeometry(0, 0, 400, 300);
        speakers = new CStdSPDataListView(doc, &window);
        speakers->setGeometry(0, 0, 200, 150);
        taps = new CTapListView(doc, &window);
        taps->setGeometry(0, 150, 200, 150);
        doc.AddView(speakers);
        doc.AddView(taps);
        speakers->OnInitialUpdate();
        taps->OnInitialUpdate();
        window.show();
    }
    ~ListPanesTest() override
    {
        doc.RemoveView(speakers);
        doc.RemoveView(taps);
        SetWindowLocator(nullptr);
        SetDocumentUi(nullptr);
        CStdSPDataListListCtrl::SetMenuRunner(nullptr);
        AppSettings().m_nDeveloperID = 0;
    }

    void ImportExample(const char* file)
    {
        ui.path = std::string(KADREL_SOURCE_DIR) + "/examples/" + file;
        doc.OnSpeakerImport();
    }

    static void Send(QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
                     Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    static void Click(CReportListCtrl* list, int row)
    {
        const QPoint p = list->RowPoint(row);
        Send(list->viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        Send(list->viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    static bool SameCursor(const QCursor& a, const QCursor& b)
    {
        return a.shape() == b.shape() && a.pixmap().toImage() == b.pixmap().toImage();
    }

    CScriptedUi ui;
    CQtWindowLocator locator;
    CKDRDoc doc;
    QWidget window;
    CStdSPDataListView* speakers = nullptr;
    CTapListView* taps = nullptr;
};

TEST_F(ListPanesTest, ColumnsFillTheirPaneAndListsRefillOnTheirOwnHints)
{
    CStdSPDataListListCtrl* list = speakers->GetListCtrl();
    CTapListListCtrl* tapList = taps->GetListCtrl();
    for (CReportListCtrl* l : {static_cast<CReportListCtrl*>(list), static_cast<CReportListCtrl*>(tapList)}) {
        ASSERT_EQ(l->columnCount(), 2);
        EXPECT_EQ(l->headerItem()->text(0).toStdString(), "No");
        EXPECT_EQ(l->columnWidth(0), 27);
        EXPECT_EQ(l->columnWidth(1), 150);
    }
    EXPECT_EQ(list->headerItem()->text(1).toStdString(), "Speaker Name");
    EXPECT_EQ(tapList->headerItem()->text(1).toStdString(), "Tap");
    EXPECT_EQ(list->geometry(), QRect(0, 0, 200, 150));

    auto model = CSpeakerModel::CreateModel(0);
    model->GetHeader().SetName("Direct");
    doc.m_models.Add(std::move(model));
    doc.UpdateAllViews(nullptr, kHintTapList);
    EXPECT_EQ(list->GetItemCount(), 0);
    doc.UpdateAllViews(nullptr, kHintSpeakerList);
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 1), "Direct");
}

TEST_F(ListPanesTest, ImportedExamplesShowWithTheirTapsAndClicksMakeThemCurrent)
{
    ImportExample("SampleCeilingC6.zsb");
    CStdSPDataListListCtrl* list = speakers->GetListCtrl();
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 0), "1");
    EXPECT_EQ(list->GetItemText(0, 1), "Sample Ceiling C6");
    EXPECT_EQ(list->GetSelectedRow(), 0);

    CTapListListCtrl* tapList = taps->GetListCtrl();
    const std::vector<std::string> ceilingTaps{"100V Line  6W", "100V Line  3W", "100V Line  1.5W", "70V Line  3W"};
    ASSERT_EQ(tapList->GetItemCount(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(tapList->GetItemText(row, 0), std::to_string(row + 1));
        EXPECT_EQ(tapList->GetItemText(row, 1), ceilingTaps[row]);
    }
    EXPECT_EQ(tapList->GetSelectedRow(), 0);

    doc.SetModifiedFlag(false);
    Click(tapList, 2);
    EXPECT_EQ(doc.m_models.GetCurrent()->GetCurrentTap(), 2);
    EXPECT_EQ(tapList->GetSelectedRow(), 2);
    EXPECT_FALSE(doc.IsModified());

    // A click below the last row selects the current tap again.
    tapList->clearSelection();
    Click(tapList, 6);
    EXPECT_EQ(tapList->GetSelectedRow(), 2);
    EXPECT_EQ(doc.m_models.GetCurrent()->GetCurrentTap(), 2);

    ImportExample("SampleForwardF8.zsb");
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(1, 0), "2");
    EXPECT_EQ(list->GetItemText(1, 1), "Sample Forward F8");
    EXPECT_EQ(list->GetSelectedRow(), 1);
    ASSERT_EQ(tapList->GetItemCount(), 1);
    EXPECT_EQ(tapList->GetItemText(0, 1), "8ohms  60W");

    // A click on a speaker row switches the tap list.
    Click(list, 0);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(list->GetSelectedRow(), 0);
    EXPECT_EQ(tapList->GetItemCount(), 4);
    EXPECT_EQ(tapList->GetSelectedRow(), 2);
    EXPECT_FALSE(list->IsDragging());

    // The keyboard's highlight makes its model and its tap current as well.
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 1);
    EXPECT_EQ(tapList->GetItemText(0, 1), "8ohms  60W");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    QTest::keyClick(tapList, Qt::Key_Home);
    EXPECT_EQ(doc.m_models.GetCurrent()->GetCurrentTap(), 0);
}

TEST_F(ListPanesTest, DragFromTheListAsksTheWindowUnderTheCursorAndDropsThere)
{
    ImportExample("SampleCeilingC6.zsb");
    ImportExample("SampleForwardF8.zsb");
    CDropTarget target;
    target.setGeometry(600, 400, 200, 200);
    target.show();
    QApplication::processEvents();

    CStdSPDataListListCtrl* list = speakers->GetListCtrl();
    QWidget* viewport = list->viewport();
    Send(viewport, QEvent::MouseButtonPress, list->RowPoint(1), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(list->IsDragging());
    EXPECT_TRUE(SameCursor(viewport->cursor(), LoadProgramCursor(133)));
    // Over another row nothing can be dropped; over its own row it can.
    Send(viewport, QEvent::MouseMove, list->RowPoint(0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(SameCursor(viewport->cursor(), LoadProgramCursor(134)));
    Send(viewport, QEvent::MouseMove, list->RowPoint(1), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(SameCursor(viewport->cursor(), LoadProgramCursor(133)));
    EXPECT_TRUE(target.messages.empty());

    // Over the target, which reports the room under the point.
    const QPoint overTarget = viewport->mapFromGlobal(QPoint(700, 500));
    Send(viewport, QEvent::MouseMove, overTarget, Qt::NoButton, Qt::LeftButton);
    ASSERT_FALSE(target.messages.empty());
    EXPECT_EQ(target.messages[0], static_cast<unsigned>(WM_IS_POINT_IN_ROOM));
    EXPECT_EQ(target.documents[0], reinterpret_cast<WPARAM>(static_cast<CDocument*>(&doc)));
    EXPECT_EQ(target.points[0], CPoint(700, 500));
    EXPECT_TRUE(SameCursor(viewport->cursor(), LoadProgramCursor(133)));

    Send(viewport, QEvent::MouseButtonRelease, overTarget, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(list->IsDragging());
    ASSERT_GE(target.messages.size(), 2u);
    EXPECT_EQ(target.messages.back(), static_cast<unsigned>(WM_DROP_NEW_SPEAKER));
    EXPECT_EQ(target.points.back(), CPoint(700, 500));

    // Released on the list itself, nothing is installed or sent.
    const std::size_t sent = target.messages.size();
    Send(viewport, QEvent::MouseButtonPress, list->RowPoint(1), Qt::LeftButton, Qt::LeftButton);
    Send(viewport, QEvent::MouseButtonRelease, list->RowPoint(1), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(doc.m_installations.GetCount(), 0);
    EXPECT_EQ(target.messages.size(), sent);

    // Hovering without a button shows the speaker cursor over the rows.
    Send(viewport, QEvent::MouseMove, list->RowPoint(0), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(SameCursor(viewport->cursor(), LoadProgramCursor(131)));

    // A model that may not be installed leaves the ordinary cursor.
    doc.m_nDragInstallState = 0;
    Send(viewport, QEvent::MouseMove, list->RowPoint(0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(viewport->testAttribute(Qt::WA_SetCursor));
}

TEST_F(ListPanesTest, RightClickOffersTheSpeakerMenuAndRunsItsCommand)
{
    ImportExample("SampleCeilingC6.zsb");
    ImportExample("SampleForwardF8.zsb");
    CStdSPDataListListCtrl* list = speakers->GetListCtrl();

    std::vector<std::string> items;
    std::vector<bool> enabled;
    CStdSPDataListListCtrl::SetMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        items.clear();
        enabled.clear();
        QAction* remove = nullptr;
        for (QAction* a : menu.actions()) {
            items.push_back(a->isSeparator() ? "-" : a->text().toStdString());
            enabled.push_back(a->isEnabled());
            if (a->data().toUInt() == CKDRDoc::kCmdSpeakerDelete)
                remove = a;
        }
        return remove;
    });

    const QPoint p = list->RowPoint(0);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, list->viewport()->mapToGlobal(p));
    QApplication::sendEvent(list->viewport(), &event);
    EXPECT_EQ(items, (std::vector<std::string>{"&Import...", "-", "&Module Arrangement...", "-", "Delete..."}));
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, true, true}));
    // The model under the click was deleted after the question.
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "Are you sure you want to remove this speaker?");
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(doc.m_models.GetAt(0)->GetName(), "Sample Forward F8");
    EXPECT_EQ(list->GetItemCount(), 1);

    AppSettings().m_nDeveloperID = 1;
    const QPoint q = list->RowPoint(0);
    QContextMenuEvent developer(QContextMenuEvent::Mouse, q, list->viewport()->mapToGlobal(q));
    QApplication::sendEvent(list->viewport(), &developer);
    EXPECT_EQ(items, (std::vector<std::string>{"Delete...", "-", "&Module Arrangement...", "-", "&Import...", "-",
                                               "Export zx1..."}));
    EXPECT_EQ(doc.m_models.GetCount(), 0);
}

}  // namespace
