#pragma once
// The SPL map pane tests' project window: a program instance with one new
// project, its map pane and document, and what the screen shows of a widget.

#include "platform_gui/TestSupport.h"
#include "splcalc/SceneSupport.h"

#include "app/KDRApp.h"
#include "app/KDRChildFrame.h"
#include "app/KDRMainFrame.h"
#include "app/PaneFactories.h"
#include "document/KDRDoc.h"
#include "platform/Dialog.h"
#include "platform/qt/QtDrawingContext.h"
#include "views/qt/ColorMapView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>

#include <string>
#include <vector>

namespace mapview_qt_test {

// Every dialog is cancelled; the ids are kept.
class CancellingRunner : public IDialogRunner {
public:
    std::vector<unsigned> ran;
    int RunModal(CDialog& d) override
    {
        ran.push_back(d.GetTemplateId());
        return IDCANCEL;
    }
};

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class MapViewQtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n[LENGTH_UNIT]\r\nLengthUnit=0\r\n");
        CKDRApp::Options o;
        o.settingsPath = dir.File("ZAV_KDR.ini");
        o.dialogRunner = &runner;
        o.messages = &msgs;
        o.recentFilesScope = "KadrelMapViewTest";
        o.showMainWindow = true;
        ASSERT_TRUE(app.InitInstance(0, nullptr, o));
        app.OnFileNew();
        ASSERT_EQ(app.GetMainFrame()->ChildFrames().size(), 1);
        child = app.GetMainFrame()->ChildFrames().front();
        view = dynamic_cast<CColorMapView*>(child->GetPane(PaneKind::SplMap));
        ASSERT_NE(view, nullptr);
        doc = &child->GetDocument();
        QApplication::processEvents();
    }
    void TearDown() override { QSettings(QStringLiteral("ZAV Corporation"), QStringLiteral("KadrelMapViewTest")).clear(); }

    void AddModel()
    {
        CStdioFile file;
        file.OpenText(MakeZsbText(splcalc_test::SmallSpeaker()));
        std::string first;
        file.ReadString(first);
        ASSERT_TRUE(doc->m_models.ImportModel(file, doc->m_nLengthUnit, nullptr));
    }

    TempDir dir;
    CancellingRunner runner;
    RecordingMessages msgs;
    CKDRApp app;
    CKDRChildFrame* child = nullptr;
    CColorMapView* view = nullptr;
    CKDRDoc* doc = nullptr;
};

// What the window system shows of a rectangle of a widget (taken from its
// window's backing store, not painted for the question), in device pixels.
inline QImage OnScreen(const QWidget* widget, const QRect& rect)
{
    const QWidget* top = widget->window();
    const QPoint at = widget->mapTo(top, rect.topLeft());
    const QPixmap shot = top->screen()->grabWindow(top->winId(), at.x(), at.y(), rect.width(), rect.height());
    return shot.toImage().convertToFormat(QImage::Format_RGB32);
}

// The map pane's picture drawn straight onto an image (map and legend, no
// readout), of a rectangle of the canvas at a device pixel ratio.
inline QImage DirectPaint(CColorMapView& view, const QRect& rect, qreal ratio = 1.0)
{
    QImage image(rect.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-rect.topLeft());
    CQtDrawingContext dc(painter, false);
    view.OnDraw(dc);
    painter.end();
    image.setDevicePixelRatio(1.0);
    return image;
}

// Where two images differ: "" when they are the same, else their sizes or
// the number of differing pixels and the first of them.
inline std::string ImageDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "sizes " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " and " +
               std::to_string(b.width()) + "x" + std::to_string(b.height());
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    QPoint first;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c)
            if (x.pixel(c, r) != y.pixel(c, r) && count++ == 0)
                first = QPoint(c, r);
    if (count == 0)
        return "";
    return std::to_string(count) + " pixels, the first at " + std::to_string(first.x()) + "," +
           std::to_string(first.y());
}

}  // namespace mapview_qt_test
