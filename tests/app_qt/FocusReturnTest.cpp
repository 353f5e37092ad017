// The project window and the pane the user worked in keep the focus through
// the progress window of a long loop and the dialogs before it, so that the
// next command, Print above all, goes where the user looks.

#include "AppTestSupport.h"

#include "app/KDRChildFrame.h"
#include "app/KDRMainFrame.h"
#include "document/KDRDoc.h"
#include "platform/RegisteredMessages.h"
#include "platform/qt/ProgressDialog1.h"
#include "platform/qt/QtMessageBox.h"
#include "resources/CommandIds.h"
#include "views/qt/ColorMapView.h"

#include <QComboBox>
#include <QDialog>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QWheelEvent>

#include <memory>

namespace {

// Counts the progress windows shown, so that a case knows its command ran
// one.
class ProgressWindowCounter : public QObject {
public:
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<CProgressDialog1*>(watched))
            ++shown;
        return false;
    }
};

class FocusReturnTest : public AppTest {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
        ASSERT_TRUE(Start({}, true));
        frame = app.GetMainFrame();
        // Every dialog is answered with OK: the Room Parameters of a new
        // project, the automatic installation, the installation of a drop.
        runner.script = [](CTemplateDialog& dlg, CDialog&) { dlg.PressButton(IDOK); };
        qApp->installEventFilter(&progress);
        app.OnFileNew();
        app.OnFileNew();
        Settle();
        ASSERT_EQ(frame->ChildFrames().size(), 2);
        first = frame->ChildFrames().front();
        second = frame->ChildFrames().back();
        ASSERT_EQ(QApplication::activeWindow(), frame);
        ASSERT_EQ(frame->ActiveChildFrame(), second);
    }
    void TearDown() override
    {
        qApp->removeEventFilter(&progress);
        AppTest::TearDown();
    }

    // Lets the window activations that the last command set off happen.
    static void Settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    // The user clicks into a pane of the second project window.
    void WorkIn(PaneKind kind)
    {
        second->SetActivePane(second->GetPane(kind), Qt::MouseFocusReason);
        Settle();
        ASSERT_EQ(second->GetActivePane(), second->GetPane(kind));
    }

    void ImportInto(const char* file = "SampleCeilingC6.zsb")
    {
        files.answer = std::string(KADREL_SOURCE_DIR) + "/examples/" + file;
        frame->RouteCommand(ID_SPEAKER_IMPORT);
        Settle();
    }

    // The second project window is in front with the pane as the one its
    // commands go to, and the keyboard focus is inside that pane.
    void ExpectSecondWindowWith(PaneKind kind)
    {
        EXPECT_EQ(QApplication::activeWindow(), frame);
        EXPECT_EQ(frame->MdiArea()->activeSubWindow(), second);
        EXPECT_EQ(frame->ActiveChildFrame(), second);
        EXPECT_EQ(frame->windowTitle().toStdString(),
                  second->isMaximized() ? "Kadrel - [Untitled2[*]]" : "Kadrel - Untitled2[*]");
        EXPECT_EQ(second->GetActivePane(), second->GetPane(kind));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus && (focus == second->GetPane(kind) || second->GetPane(kind)->isAncestorOf(focus)));
    }

    // The pane that File > Print Preview prints: the parent of the preview
    // window that opens (closed again at once); null when none opens.
    QWidget* PreviewedPane()
    {
        auto seen = std::make_shared<QPointer<QWidget>>();
        auto done = std::make_shared<bool>(false);
        QTimer::singleShot(0, [seen, done] {
            if (*done)
                return;
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                *seen = preview->parentWidget();
                preview->reject();
            }
        });
        frame->RouteCommand(ID_FILE_PRINT_PREVIEW);
        *done = true;
        Settle();
        return seen->data();
    }

    CKDRMainFrame* frame = nullptr;
    CKDRChildFrame* first = nullptr;
    CKDRChildFrame* second = nullptr;
    ProgressWindowCounter progress;
};

}  // namespace

// Two projects; in the second one, commands whose long loops show the
// progress window: afterwards the second window and the pane worked in are
// still the ones in front, whatever the window manager does.
TEST_F(FocusReturnTest, ImportAutoAndRecalculationLeaveTheWindowAndPaneInFront)
{
    struct Step {
        const char* name;
        unsigned command;
        PaneKind pane;
    };
    const Step steps[] = {
        {"Speaker > Import", ID_SPEAKER_IMPORT, PaneKind::Tap},
        {"Installation > Auto", ID_INSTALLATION_AUTO, PaneKind::InstallationInfo},
        {"Tool > Recalculate", ID_TOOL_RECALCULATE, PaneKind::SpeakerData},
        {"Room > Room Parameters", ID_ROOM_PARAMETERS, PaneKind::FrequencyResponse},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        WorkIn(step.pane);
        progress.shown = 0;
        if (step.command == ID_SPEAKER_IMPORT) {
            ImportInto();
        } else {
            frame->RouteCommand(step.command);
            Settle();
        }
        EXPECT_GT(progress.shown, 0);
        ExpectSecondWindowWith(step.pane);

        // The window manager activates the program's window once more (as
        // it may after a window of the program goes): nothing moves.
        frame->activateWindow();
        Settle();
        ExpectSecondWindowWith(step.pane);
    }
    EXPECT_EQ(second->GetDocument().m_models.GetCount(), 1);
    EXPECT_GT(second->GetDocument().m_installations.GetCount(), 0);
    EXPECT_EQ(first->GetDocument().m_models.GetCount(), 0);

    // A message box of the program, closed: once the window manager gives
    // the main window back its activation, the same window and pane.
    WorkIn(PaneKind::Tap);
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            box->accept();
    });
    CQtMessageBox().Show("Enter a number.", MB_OK | MB_ICONEXCLAMATION);
    frame->activateWindow();
    Settle();
    ExpectSecondWindowWith(PaneKind::Tap);

    // The same with the windows maximised.
    second->showMaximized();
    WorkIn(PaneKind::Tap);
    progress.shown = 0;
    frame->RouteCommand(ID_TOOL_RECALCULATE);
    Settle();
    EXPECT_GT(progress.shown, 0);
    EXPECT_TRUE(second->isMaximized());
    ExpectSecondWindowWith(PaneKind::Tap);
}

// Print and Print Preview act on the pane the user last worked in: a list
// (forwarded to the SPL map) or the graph; a change of a map choice list
// makes it the map.
TEST_F(FocusReturnTest, PrintGoesToThePaneLastWorkedIn)
{
    auto* map = dynamic_cast<CColorMapView*>(second->GetPane(PaneKind::SplMap));
    ASSERT_NE(map, nullptr);

    // A new window prints its map: its speaker list is the pane in use.
    EXPECT_EQ(second->GetActivePane(), second->GetPane(PaneKind::SpeakerData));
    EXPECT_EQ(PreviewedPane(), map);

    ImportInto();
    ASSERT_EQ(second->GetDocument().m_models.GetCount(), 1);

    // Auto from the speaker list, then a switch to the other window and back.
    WorkIn(PaneKind::SpeakerData);
    progress.shown = 0;
    frame->RouteCommand(ID_INSTALLATION_AUTO);
    Settle();
    ASSERT_GT(second->GetDocument().m_installations.GetCount(), 0);
    EXPECT_GT(progress.shown, 0);
    frame->MdiArea()->setActiveSubWindow(first);
    Settle();
    frame->MdiArea()->setActiveSubWindow(second);
    Settle();
    ExpectSecondWindowWith(PaneKind::SpeakerData);
    EXPECT_EQ(PreviewedPane(), map);

    // A speaker row clicked, then the map's frequency changed with the
    // mouse wheel: the map recalculates under the progress window.
    WorkIn(PaneKind::SpeakerData);
    QComboBox* frequency = map->GetCombo(CColorMapView::kIdComboFrequency);
    ASSERT_GT(frequency->count(), 1);
    const int before = frequency->currentIndex();
    progress.shown = 0;
    const QPoint inside = frequency->rect().center();
    QWheelEvent wheel(QPointF(inside), QPointF(frequency->mapToGlobal(inside)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(frequency, &wheel);
    Settle();
    ASSERT_NE(frequency->currentIndex(), before);
    EXPECT_GT(progress.shown, 0);
    ExpectSecondWindowWith(PaneKind::SplMap);
    EXPECT_EQ(PreviewedPane(), map);

    // The graph worked in prints itself.
    WorkIn(PaneKind::FrequencyResponse);
    EXPECT_EQ(PreviewedPane(), second->GetPane(PaneKind::FrequencyResponse));

    // A speaker dragged from the list and dropped on the map: the
    // installation dialog, then the recalculation.
    WorkIn(PaneKind::SpeakerData);
    const int installed = second->GetDocument().m_installations.GetCount();
    const CPoint logical = map->ProjectPoint(CPoint3D(0.5, 0.5, 3.0));
    const QPoint global = map->GetCanvas()->mapToGlobal(QPoint(logical.x, logical.y));
    CPoint screen(global.x(), global.y());
    progress.shown = 0;
    EXPECT_EQ(map->OnRegisteredMessage(WM_DROP_NEW_SPEAKER,
                                       reinterpret_cast<WPARAM>(static_cast<CDocument*>(&second->GetDocument())),
                                       reinterpret_cast<LPARAM>(&screen)),
              1);
    Settle();
    EXPECT_EQ(second->GetDocument().m_installations.GetCount(), installed + 1);
    EXPECT_GT(progress.shown, 0);
    ExpectSecondWindowWith(PaneKind::SpeakerData);
    EXPECT_EQ(PreviewedPane(), map);
}
