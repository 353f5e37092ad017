// The frequency-response pane as a widget: its place in a new project
// window, the canvas that fills the pane, the redraw on hint 4, activation,
// closing and printing.

#include "app/KDRApp.h"
#include "app/KDRChildFrame.h"
#include "app/KDRMainFrame.h"
#include "document/KDRDoc.h"
#include "platform/Dialog.h"
#include "platform/MessageBox.h"
#include "platform/qt/PrintRunner.h"
#include "views/qt/SoundGraphView.h"

#include <QPrinter>
#include <QScrollArea>
#include <QSettings>
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "test_graphview_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? qApp : new QApplication(argc, argv);
    return *app;
}

struct WithApp {
    WithApp() { TestApp(); }
};

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kadrel_graph_XXXXXX").string();
        m_path = mkdtemp(tmpl.data());
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Every dialog is cancelled, every message box answered with OK.
class CancellingRunner : public IDialogRunner {
public:
    int RunModal(CDialog&) override { return IDCANCEL; }
};

class QuietMessages : public IMessageBox {
public:
    int Show(const std::string&, unsigned) override { return IDOK; }
    void Beep(unsigned) override {}
};

// One pane in a plain window of its own, registered with the document as a
// project window does it.
class GraphPaneTest : public ::testing::Test, private WithApp {
protected:
    GraphPaneTest()
    {
        window.resize(350, 196);
        view = new CSoundGraphView(doc, &window);
        view->setGeometry(0, 0, 350, 196);
        doc.AddView(view);
        view->OnInitialUpdate();
        window.show();
        QApplication::processEvents();
    }
    ~GraphPaneTest() override
    {
        delete view;
        view = nullptr;
    }

    CSoundGraphViewCore& Core() { return view->GetGraphCore(); }

    CKDRDoc doc;
    QWidget window;
    CSoundGraphView* view = nullptr;
};

}  // namespace

TEST_F(GraphPaneTest, CanvasFillsThePaneAndRedrawsOnHintFourOnly)
{
    EXPECT_EQ(view->GetCanvas()->size(), QSize(350, 196));
    EXPECT_EQ(doc.m_soundGraphConditions.GetCount(), 1);
    EXPECT_NEAR(doc.m_soundGraphConditions.GetXScale(0), 100.0, 1e-9);

    // A level line at 90 dB from 100 Hz to 1 kHz.
    const double x[] = {100.0, 1000.0};
    const double y[] = {90.0, 90.0};
    doc.m_soundGraphConditions.GetGraph(0).SetData(0, 2, x, y);
    for (long hint : {1L, 2L, 3L, 5L})
        doc.UpdateAllViews(nullptr, hint);
    const int before = view->GetPaintCount();
    QApplication::processEvents();
    EXPECT_EQ(view->GetPaintCount(), before);

    doc.UpdateAllViews(nullptr, 4);
    QApplication::processEvents();
    EXPECT_GT(view->GetPaintCount(), before);

    const QImage image = view->GetCanvas()->grab().toImage();
    const int row = Core().YToPixel(90.0);
    EXPECT_EQ(image.pixelColor(150, row), QColor(0, 0, 0));
    // The 50 dB grid line and an empty place of the plot.
    EXPECT_EQ(image.pixelColor(150, Core().YToPixel(50.0)), QColor(127, 127, 127));
    EXPECT_EQ(image.pixelColor(150, row - 5), QColor(255, 255, 255));
}

TEST_F(GraphPaneTest, ResizingThePaneRescalesTheGraph)
{
    view->resize(650, 336);
    QApplication::processEvents();
    EXPECT_EQ(view->GetScrollArea()->viewport()->size(), QSize(650, 336));
    EXPECT_NEAR(doc.m_soundGraphConditions.GetXScale(0), 200.0, 1e-9);
    EXPECT_NEAR(doc.m_soundGraphConditions.GetYScale(0), 4.0, 1e-12);
    EXPECT_EQ(view->GetCanvas()->size(), QSize(650, 336));
}

TEST_F(GraphPaneTest, ClosingAWindowRenumbersTheLaterOne)
{
    auto* second = new CSoundGraphView(doc, &window);
    second->setGeometry(0, 0, 350, 196);
    doc.AddView(second);
    second->OnInitialUpdate();
    ASSERT_EQ(second->GetGraphCore().GetGraphIndex(), 1);
    ASSERT_EQ(doc.m_soundGraphConditions.GetCount(), 2);

    delete view;
    view = second;
    EXPECT_EQ(second->GetGraphCore().GetGraphIndex(), 0);
    EXPECT_EQ(doc.m_soundGraphConditions.GetCount(), 1);
    EXPECT_EQ(doc.GetViews().size(), 1u);
}

TEST_F(GraphPaneTest, PrintsOnThePageAndKeepsTheWindowLayout)
{
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("graph.pdf")));
    ASSERT_TRUE(PrintRunner::PrintOn(Core(), printer));
    EXPECT_FALSE(Core().IsPrinting());
    EXPECT_GT(std::filesystem::file_size(dir.File("graph.pdf")), 0u);
    EXPECT_NEAR(doc.m_soundGraphConditions.GetXScale(0), 100.0, 1e-9);
    EXPECT_EQ(view->GetCanvas()->size(), QSize(350, 196));
    EXPECT_TRUE(view->HasCommandHandler(57607));
    EXPECT_TRUE(view->HasCommandHandler(57609));
    EXPECT_FALSE(view->HasCommandHandler(32793));
}

namespace {

class ProjectWindowTest : public ::testing::Test, private WithApp {
protected:
    void SetUp() override
    {
        std::ofstream(dir.File("ZAV_KDR.ini"), std::ios::binary) << "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n";
        CKDRApp::Options o;
        o.settingsPath = dir.File("ZAV_KDR.ini");
        o.dialogRunner = &runner;
        o.messages = &msgs;
        o.recentFilesScope = "KadrelGraphTest";
        o.showMainWindow = true;
        ASSERT_TRUE(app.InitInstance(0, nullptr, o));
    }
    void TearDown() override { QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelGraphTest")).clear(); }

    TempDir dir;
    CancellingRunner runner;
    QuietMessages msgs;
    CKDRApp app;
};

}  // namespace

TEST_F(ProjectWindowTest, NewProjectWindowHasTheGraphPane)
{
    app.OnFileNew();
    CKDRMainFrame* frame = app.GetMainFrame();
    ASSERT_EQ(frame->ChildFrames().size(), 1);
    CKDRChildFrame* child = frame->ChildFrames().front();
    QApplication::processEvents();
    auto* graph = dynamic_cast<CSoundGraphView*>(child->GetPane(PaneKind::FrequencyResponse));
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->objectName(), QStringLiteral("Frequency Response View"));
    CKDRDoc& doc = child->GetDocument();
    ASSERT_EQ(doc.m_soundGraphConditions.GetCount(), 1);
    EXPECT_EQ(graph->GetGraphCore().GetGraphIndex(), 0);
    // The graph fills its pane.
    const QSize client = graph->GetScrollArea()->viewport()->size();
    EXPECT_EQ(graph->GetCanvas()->size(), client);
    EXPECT_EQ(graph->GetGraphCore().GetTotalSize(), CSize(client.width(), client.height()));

    // An installation change clears curve 0 and sends hint 4: the pane paints.
    const int before = graph->GetPaintCount();
    doc.UpdateAfterInstallationChange();
    QApplication::processEvents();
    EXPECT_GT(graph->GetPaintCount(), before);
}
