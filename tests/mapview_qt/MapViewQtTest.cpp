// The SPL map pane in a project window: its choice lists, its repaint after
// hint 1, its commands and a printed page.

#include "MapViewQtSupport.h"

#include "platform/qt/PrintRunner.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QScrollArea>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

using namespace mapview_qt_test;

namespace {

// On the offscreen platform the program sees two screens side by side: the
// platform's usual 800 x 600 one, and one to its right that doubles every
// pixel (device pixel ratio 2).
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qApp)
            return;
        static int argc = 1;
        static char name[] = "test_mapview_qt";
        static char platform[] = "-platform";
        static std::string offscreen;
        static char* argv[] = {name, nullptr, nullptr, nullptr};
        const char* chosen = std::getenv("QT_QPA_PLATFORM");
        // The platform reads its configuration while the application starts.
        const QString config = QDir::temp().filePath(QStringLiteral("kadrel_mapview_screens_%1.json").arg(::getpid()));
        if (chosen && std::strcmp(chosen, "offscreen") == 0) {
            QFile file(config);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                file.write(R"({"screens": [
  {"name": "single", "x": 0, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "double", "x": 800, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}
]})");
                file.close();
                offscreen = "offscreen:configfile=" + config.toStdString();
                argv[1] = platform;
                argv[2] = offscreen.data();
                argc = 3;
            }
        }
        new QApplication(argc, argv);
        QFile::remove(config);
    }
};

[[maybe_unused]] ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

TEST_F(MapViewQtTest, NewProjectWindowShowsTheMapPane)
{
    EXPECT_EQ(view->objectName(), QStringLiteral("SPL Map View"));
    ASSERT_EQ(doc->m_colorMapConditions.GetCount(), 1);
    EXPECT_EQ(view->GetConditionIndex(), 0);
    // The new project's window asked for the room parameters (dialog 153) once.
    EXPECT_EQ(std::count(runner.ran.begin(), runner.ran.end(), 153u), 1);
    QComboBox* frequency = view->GetCombo(CColorMapViewCore::kIdComboFrequency);
    QComboBox* band = view->GetCombo(CColorMapViewCore::kIdComboBand);
    QComboBox* mode = view->GetCombo(CColorMapViewCore::kIdComboSumMode);
    ASSERT_TRUE(frequency && band && mode);
    EXPECT_EQ(frequency->geometry().left(), 170);
    EXPECT_EQ(band->geometry().left(), 290);
    EXPECT_EQ(mode->geometry().left(), 410);
    EXPECT_EQ(band->count(), 0);  // no speaker model yet
    // The canvas covers the map's scroll size.
    const CSize total = doc->m_colorMapConditions.GetAt(0)->GetTotalSize();
    EXPECT_GE(view->GetCanvas()->width(), total.cx);
    EXPECT_GE(view->GetCanvas()->height(), total.cy);

    // The plane shows in its last colour without installations.
    const QImage image = view->GetCanvas()->grab().toImage();
    const COLORREF last = doc->m_colorMapConditions.GetAt(0)->GetPlane().GetColors().back();
    const QColor colour(GetRValue(last), GetGValue(last), GetBValue(last));
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += image.pixelColor(x, y) == colour ? 1 : 0;
    EXPECT_GT(painted, 1000);
}

TEST_F(MapViewQtTest, ImportFillsChoicesAndHintOneRecalculatesAndRepaints)
{
    AddModel();
    view->UpdateConditionControls(FALSE, TRUE);
    QComboBox* band = view->GetCombo(CColorMapViewCore::kIdComboBand);
    QComboBox* frequency = view->GetCombo(CColorMapViewCore::kIdComboFrequency);
    ASSERT_EQ(band->count(), 7);
    EXPECT_EQ(band->currentText(), QStringLiteral("1/3 Oct. Band"));
    EXPECT_EQ(frequency->currentText(), QStringLiteral("1000[Hz]"));

    PaintCounter counter;
    view->GetCanvas()->installEventFilter(&counter);
    doc->m_installations.AddInstallation(0, 0, 5.0, 5.0, 3.0, 0.0, 0.0, 90.0, 6.0, 1);
    doc->UpdateAllViews(nullptr, kHintRecalcMaps);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    const CListeningPlane& plane = doc->m_colorMapConditions.GetAt(0)->GetPlane();
    EXPECT_GT(plane.GetMaxLevel(), 40.0);
    EXPECT_GT(plane.GetCells().GetAt(0)->GetLevel(), 0.0);

    // The user picks "Interference": stored, and the map recalculated.
    QComboBox* mode = view->GetCombo(CColorMapViewCore::kIdComboSumMode);
    mode->setCurrentIndex(0);
    emit mode->activated(0);
    EXPECT_EQ(doc->m_colorMapConditions.GetAt(0)->GetSumMode(), 0);
    view->GetCanvas()->removeEventFilter(&counter);
}

TEST_F(MapViewQtTest, ViewCommandsAndPrinting)
{
    CColorMapCondition& cond = *doc->m_colorMapConditions.GetAt(0);
    const double scale = cond.GetScale();
    EXPECT_TRUE(view->OnCommand(CKDRDoc::kCmdViewRoomSizeZoomIn));
    EXPECT_DOUBLE_EQ(cond.GetScale(), scale * 1.2);
    EXPECT_TRUE(view->OnCommand(CKDRDoc::kCmdViewRoomDirectionZAxisMinus));
    EXPECT_EQ(cond.GetViewAngles()[0], 0.0);
    CCmdUI ui(CKDRDoc::kCmdViewRoomSizeFit);
    EXPECT_TRUE(view->OnUpdateCommand(ui));
    EXPECT_TRUE(ui.m_bEnabled);

    const CRect margin = cond.GetMargin();
    const double before = cond.GetScale();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QString::fromStdString(dir.File("map.pdf"));
    printer.setOutputFileName(pdf);
    EXPECT_TRUE(PrintRunner::PrintOn(*view, printer));
    EXPECT_GT(QFile(pdf).size(), 1000);
    EXPECT_EQ(cond.GetMargin(), margin);
    EXPECT_EQ(cond.GetScale(), before);
    EXPECT_FALSE(view->IsPrintingMap());
}

// Zoomed in as far as it goes, seen from above, the map still begins below
// its top margin, and Zoom In alone is no longer offered.
TEST_F(MapViewQtTest, DeepZoomKeepsTheTopMargin)
{
    view->ViewZAxisMinus();
    for (int step = 0; step < 90; ++step)
        view->ZoomIn();
    const COLORREF last = doc->m_colorMapConditions.GetAt(0)->GetPlane().GetColors().back();
    const QRgb plane = qRgb(GetRValue(last), GetGValue(last), GetBValue(last));
    const QImage corner = DirectPaint(*view, QRect(110, 0, 290, 100));
    EXPECT_EQ(corner.pixel(100, 80), plane);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < corner.width(); ++x)
            ASSERT_NE(corner.pixel(x, y), plane) << x << "," << y;
    CCmdUI zoom(CKDRDoc::kCmdViewRoomSizeZoomIn), print(CKDRDoc::kCmdFilePrint);
    bool docZoom = true, docPrint = false;
    EXPECT_TRUE(view->OnUpdateCommand(zoom) && view->OnUpdateCommand(print) &&
                doc->GetModelCommandEnabled(zoom.m_nID, docZoom) && doc->GetModelCommandEnabled(print.m_nID, docPrint));
    EXPECT_TRUE(!zoom.m_bEnabled && !docZoom && print.m_bEnabled && docPrint);

    // Another map of the project can still be enlarged: from a list pane,
    // Zoom In stays offered.
    CColorMapView second(*doc, nullptr);
    doc->AddView(&second);
    second.OnInitialUpdate();
    second.ZoomOut();  // it starts as a copy of the map in use
    child->SetActivePane(child->GetPane(PaneKind::SpeakerData));
    CCmdUI routed(CKDRDoc::kCmdViewRoomSizeZoomIn);
    app.GetMainFrame()->RouteUpdate(routed);
    doc->RemoveView(&second);
    EXPECT_TRUE(routed.m_bEnabled);
}

TEST_F(MapViewQtTest, HoverWritesOnlyTheReadoutOverTheKeptPicture)
{
    AddModel();
    view->UpdateConditionControls(FALSE, TRUE);
    doc->m_installations.AddInstallation(0, 0, 5.0, 5.0, 3.0, 0.0, 0.0, 90.0, 6.0, 1);
    doc->UpdateAllViews(nullptr, kHintRecalcMaps);
    QApplication::processEvents();
    QWidget* canvas = view->GetCanvas();
    // The visible canvas below the choice lists (child widgets of it).
    const int strip = view->GetCombo(CColorMapViewCore::kIdComboFrequency)->geometry().bottom() + 1;
    const QRect visible = canvas->visibleRegion().boundingRect() & QRect(0, strip, canvas->width(), canvas->height());
    ASSERT_FALSE(visible.isEmpty());
    // The map drawn straight onto an image: what the window must show.
    auto drawn = [&] {
        QImage image(canvas->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        CQtDrawingContext dc(painter, false);
        view->OnDraw(dc);
        painter.end();
        return image.copy(visible);
    };
    auto shown = [&] { return canvas->grab(visible).toImage().convertToFormat(QImage::Format_RGB32); };

    const QImage clean = shown();
    EXPECT_EQ(clean, drawn());
    const int paints = view->GetFullPaintCount();
    EXPECT_EQ(shown(), clean);
    EXPECT_EQ(view->GetFullPaintCount(), paints);

    // A hover over the plane writes the readout line and nothing else.
    const CPoint at = view->ProjectPoint(CPoint3D(2.6, 3.4, 1.5));
    ASSERT_TRUE(visible.contains(at.x, at.y));
    view->OnMouseMove(at);
    ASSERT_FALSE(view->GetCursorLevelText().empty());
    const QImage hovered = shown();
    EXPECT_EQ(view->GetFullPaintCount(), paints);
    const CRect band = view->GetCursorReadoutRect(canvas->width());
    int changedInBand = 0, changedElsewhere = 0;
    for (int y = 0; y < clean.height(); ++y)
        for (int x = 0; x < clean.width(); ++x) {
            if (clean.pixel(x, y) == hovered.pixel(x, y))
                continue;
            const int cy = y + visible.top();
            (cy >= band.top && cy < band.bottom ? changedInBand : changedElsewhere) += 1;
        }
    EXPECT_GT(changedInBand, 50);
    EXPECT_EQ(changedElsewhere, 0);
    // Another dot: the line is written anew over the map, no rest of the
    // earlier one.
    view->OnMouseMove(view->ProjectPoint(CPoint3D(7.9, 8.6, 1.5)));
    EXPECT_EQ(view->GetFullPaintCount(), paints);
    QImage expected = clean;
    {
        QPainter painter(&expected);
        painter.translate(-visible.topLeft());
        CQtDrawingContext dc(painter, false);
        view->DrawCursorReadout(dc);
    }
    EXPECT_EQ(shown(), expected);

    // The next redraw of the map does not repeat the readout.
    view->Redraw();
    EXPECT_EQ(shown(), clean);
    EXPECT_EQ(view->GetFullPaintCount(), paints + 1);
    // A change the window was not told of is drawn at the next repaint.
    doc->m_installations.GetAt(0)->SetPosition(6.0, 5.0, 3.0);
    canvas->update();
    const QImage moved = shown();
    EXPECT_EQ(view->GetFullPaintCount(), paints + 2);
    EXPECT_EQ(moved, drawn());
    EXPECT_NE(moved, clean);
}
