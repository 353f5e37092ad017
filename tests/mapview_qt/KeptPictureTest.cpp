// The map pane's kept picture as the screen shows it: what scrolls into view,
// a new screen scale, repaints after activation and exposure, and the
// readout line a hover writes over the picture.

#include "MapViewQtSupport.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

using namespace mapview_qt_test;

namespace {

class KeptPictureTest : public MapViewQtTest {
protected:
    void SetUp() override
    {
        MapViewQtTest::SetUp();
        AddModel();
        view->UpdateConditionControls(FALSE, TRUE);
        doc->m_installations.AddInstallation(0, 0, 5.0, 5.0, 3.0, 0.0, 0.0, 90.0, 6.0, 1);
        doc->UpdateAllViews(nullptr, kHintRecalcMaps);
        Settle();
    }

    // The visible canvas below the choice lists (child widgets of the canvas).
    QRect Visible() const
    {
        QWidget* canvas = view->GetCanvas();
        const QRect combo = view->GetCombo(CColorMapViewCore::kIdComboFrequency)->geometry();
        return canvas->visibleRegion().boundingRect() & QRect(0, combo.bottom() + 1, canvas->width(), canvas->height());
    }
    // The visible part of the readout line's band.
    QRect ReadoutBand() const
    {
        const CRect band = view->GetCursorReadoutRect(view->GetCanvas()->width());
        return QRect(band.left, band.top, band.Width(), band.Height()) & Visible();
    }
    QImage Shown(const QRect& rect) const { return OnScreen(view->GetCanvas(), rect); }
    // A rectangle of a direct paint of the view as it stands (the whole
    // canvas in view), at a device pixel ratio.
    QImage Map(const QRect& rect, qreal ratio = 1.0) const
    {
        const QRect inView = view->GetCanvas()->visibleRegion().boundingRect();
        const QRect part((rect.topLeft() - inView.topLeft()) * ratio, rect.size() * ratio);
        return DirectPaint(*view, inView, ratio).copy(part);
    }
    // The same with the readout of the last hover over it.
    QImage WithReadout(const QRect& rect) const
    {
        const QRect inView = view->GetCanvas()->visibleRegion().boundingRect();
        QImage image = DirectPaint(*view, inView);
        QPainter painter(&image);
        painter.translate(-inView.topLeft());
        CQtDrawingContext dc(painter, false);
        view->DrawCursorReadout(dc);
        painter.end();
        return image.copy(rect.translated(-inView.topLeft()));
    }
    // A hover over the plane at a world point; the readout is written.
    void HoverAt(double x, double y)
    {
        const CPoint at = view->ProjectPoint(CPoint3D(x, y, 1.5));
        ASSERT_TRUE(Visible().contains(at.x, at.y)) << at.x << "," << at.y;
        view->OnMouseMove(at);
        ASSERT_FALSE(view->GetCursorLevelText().empty());
        Settle();
    }
    // Lets the window handle what is pending, and what that asks for.
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    void ScrollTo(int x, int y)
    {
        view->GetScrollArea()->horizontalScrollBar()->setValue(x);
        view->GetScrollArea()->verticalScrollBar()->setValue(y);
        Settle();
    }
    // The readout line on screen is gone entirely (the map alone) or whole.
    void ExpectReadoutGoneOrWhole(const char* after)
    {
        SCOPED_TRACE(after);
        const QRect band = ReadoutBand();
        ASSERT_FALSE(band.isEmpty());
        const QImage shown = Shown(band);
        EXPECT_TRUE(shown == Map(band) || shown == WithReadout(band));
    }
};

// Zoomed in, the map scrolls in every direction: what comes into view is
// drawn as a direct paint draws it, and the picture is not drawn anew
// unless the scroll brings in what it does not hold.
TEST_F(KeptPictureTest, WhatScrollsIntoViewIsDrawnAsADirectPaint)
{
    for (int i = 0; i < 4; ++i)
        view->ZoomIn();
    Settle();
    QScrollBar* h = view->GetScrollArea()->horizontalScrollBar();
    QScrollBar* v = view->GetScrollArea()->verticalScrollBar();
    ASSERT_GT(h->maximum(), 300);
    ASSERT_GT(v->maximum(), 300);
    const struct {
        const char* what;
        int dx, dy;
    } steps[] = {
        {"right", 53, 0}, {"down", 0, 41}, {"left", -29, 0}, {"up", 0, -37}, {"right and down", 17, 23},
        {"a page right", h->pageStep(), 0}, {"a page down", 0, v->pageStep()},
        {"a page left", -h->pageStep(), 0}, {"a page up", 0, -v->pageStep()},
    };
    ScrollTo(h->maximum() / 3, v->maximum() / 3);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        const int paints = view->GetFullPaintCount();
        ScrollTo(h->value() + step.dx, v->value() + step.dy);
        const QRect visible = Visible();
        ASSERT_FALSE(visible.isEmpty());
        EXPECT_EQ(ImageDifference(Shown(visible), Map(visible)), "");
        EXPECT_LE(view->GetFullPaintCount(), paints + 1);
    }
    // To each end.
    for (const QPoint end : {QPoint(h->maximum(), 0), QPoint(h->maximum(), v->maximum()), QPoint(0, v->maximum()),
                             QPoint(0, 0)}) {
        ScrollTo(end.x(), end.y());
        const QRect visible = Visible();
        EXPECT_EQ(ImageDifference(Shown(visible), Map(visible)), "") << end.x() << "," << end.y();
    }
}

// After a redraw of the map (another band, Fit) the readout is gone, and a
// hover over the same dot as before writes it again.
TEST_F(KeptPictureTest, AHoverAfterARedrawWritesTheReadoutAgain)
{
    HoverAt(2.6, 3.4);
    QRect band = ReadoutBand();
    EXPECT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");
    EXPECT_NE(ImageDifference(Shown(band), Map(band)), "");

    // Another band: the map is calculated and drawn anew, without readout.
    QComboBox* bandCombo = view->GetCombo(CColorMapViewCore::kIdComboBand);
    const int other = bandCombo->currentIndex() == 0 ? 1 : 0;
    bandCombo->setCurrentIndex(other);
    emit bandCombo->activated(other);
    Settle();
    band = ReadoutBand();
    EXPECT_EQ(ImageDifference(Shown(band), Map(band)), "");
    HoverAt(2.6, 3.4);
    EXPECT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");
    EXPECT_NE(ImageDifference(Shown(band), Map(band)), "");

    // Fit: the same texts as the hover before it.
    const std::string level = view->GetCursorLevelText();
    EXPECT_TRUE(view->OnCommand(CKDRDoc::kCmdViewRoomSizeFit));
    Settle();
    band = ReadoutBand();
    EXPECT_EQ(ImageDifference(Shown(band), Map(band)), "");
    HoverAt(2.6, 3.4);
    EXPECT_EQ(view->GetCursorLevelText(), level);
    EXPECT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");
    EXPECT_NE(ImageDifference(Shown(band), Map(band)), "");
}

// The readout is written once: a repaint because another project window
// went and this one came back, or because a part of it was uncovered, shows
// the kept picture without it, never a part of it.
TEST_F(KeptPictureTest, RepaintsAfterActivationAndExposureShowTheMapWithoutTheReadout)
{
    QMdiArea* area = app.GetMainFrame()->MdiArea();
    QMdiSubWindow* first = area->activeSubWindow();
    ASSERT_NE(first, nullptr);
    app.OnFileNew();
    ASSERT_EQ(app.GetMainFrame()->ChildFrames().size(), 2);
    QMdiSubWindow* second = area->activeSubWindow();
    ASSERT_NE(second, first);

    // Maximised: the other window takes the whole area and gives it back.
    area->setActiveSubWindow(first);
    first->showMaximized();
    Settle();
    HoverAt(2.6, 3.4);
    QRect band = ReadoutBand();
    ASSERT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");
    const int paints = view->GetFullPaintCount();
    area->setActiveSubWindow(second);
    Settle();
    area->setActiveSubWindow(first);
    Settle();
    ASSERT_TRUE(first->isMaximized());
    band = ReadoutBand();
    EXPECT_EQ(ImageDifference(Shown(band), Map(band)), "");
    EXPECT_EQ(view->GetFullPaintCount(), paints);  // the kept picture
    // The same dot again: written again.
    HoverAt(2.6, 3.4);
    EXPECT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");

    // Overlapping windows: the other one covers a part of the line and is
    // sent behind again.
    first->showNormal();
    first->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()));
    area->setActiveSubWindow(first);
    view->Fit();
    Settle();
    HoverAt(2.6, 3.4);
    band = ReadoutBand();
    ASSERT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");
    const QPoint bandOnArea = view->GetCanvas()->mapTo(area->viewport(), band.topLeft());
    second->move(bandOnArea.x() + band.width() / 4, bandOnArea.y() - 20);
    area->setActiveSubWindow(second);
    Settle();
    area->setActiveSubWindow(first);
    Settle();
    EXPECT_EQ(ImageDifference(Shown(band), Map(band)), "");

    // A repaint of a part of the line alone.
    HoverAt(2.6, 3.4);
    ASSERT_EQ(ImageDifference(Shown(band), WithReadout(band)), "");
    view->GetCanvas()->update(QRect(band.left() + 150, band.top(), 60, band.height()));
    Settle();
    EXPECT_EQ(ImageDifference(Shown(band), Map(band)), "");
}

// A scroll leaves the readout whole or takes it away entirely, and a later
// repaint of a part of the line never leaves a part of it.
TEST_F(KeptPictureTest, AfterAScrollTheReadoutIsGoneOrWhole)
{
    for (int i = 0; i < 2; ++i)
        view->ZoomIn();
    Settle();
    QScrollBar* h = view->GetScrollArea()->horizontalScrollBar();
    QScrollBar* v = view->GetScrollArea()->verticalScrollBar();
    ASSERT_GT(h->maximum(), 40);
    ASSERT_GT(v->maximum(), 40);
    const struct {
        const char* what;
        int dx, dy;
    } steps[] = {{"right", 20, 0}, {"left", -20, 0}, {"down", 0, 20}, {"up", 0, -20}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        // The line in view, with a dot of the plane above it.
        ScrollTo(step.dx < 0 ? 30 : 0, v->maximum() - (step.dy < 0 ? 10 : 30));
        const CRect line = view->GetCursorReadoutRect(view->GetCanvas()->width());
        const QRect visible = Visible();
        double x = 0.5, y = 0.5;
        bool found = false;
        for (int i = 0; i < 10 && !found; ++i)
            for (int j = 0; j < 10 && !found; ++j) {
                x = 0.5 + i, y = 0.5 + j;
                const CPoint at = view->ProjectPoint(CPoint3D(x, y, 1.5));
                found = visible.contains(at.x, at.y) && at.y < line.top;
            }
        ASSERT_TRUE(found);
        HoverAt(x, y);
        ASSERT_EQ(ImageDifference(Shown(ReadoutBand()), WithReadout(ReadoutBand())), "");
        ScrollTo(h->value() + step.dx, v->value() + step.dy);
        ExpectReadoutGoneOrWhole("the scroll");
        const QRect band = ReadoutBand();
        view->GetCanvas()->update(QRect(band.left() + 150, band.top(), 60, band.height()));
        Settle();
        ExpectReadoutGoneOrWhole("a repaint of a part of the line");
    }
}

// A change of the screen's scale (the window moved to a screen of another
// device pixel ratio) draws the map anew for it.
TEST_F(KeptPictureTest, AChangeOfTheScreenScaleDrawsTheMapAnew)
{
    QWidget* top = view->window();
    QWidget* canvas = view->GetCanvas();
    QScreen* home = top->screen();
    QScreen* other = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() != home->devicePixelRatio())
            other = screen;
    if (!other)
        GTEST_SKIP() << "the platform offers no screen of another scale";
    auto moveTo = [&](QScreen* screen) {
        top->windowHandle()->setScreen(screen);
        top->move(screen->geometry().topLeft() + QPoint(10, 10));
        Settle();
        ASSERT_EQ(canvas->devicePixelRatioF(), screen->devicePixelRatio());
    };
    // The canvas as a window of its scale shows it.
    auto grabbed = [&](const QRect& rect) {
        QImage image = canvas->grab(rect).toImage().convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(1.0);
        return image;
    };
    const int paints = view->GetFullPaintCount();
    moveTo(other);
    EXPECT_EQ(view->GetFullPaintCount(), paints + 1);
    QRect visible = Visible();
    EXPECT_EQ(ImageDifference(grabbed(visible), Map(visible, other->devicePixelRatio())), "");
    moveTo(home);
    EXPECT_EQ(view->GetFullPaintCount(), paints + 2);
    visible = Visible();
    EXPECT_EQ(ImageDifference(grabbed(visible), Map(visible)), "");
    EXPECT_EQ(ImageDifference(Shown(visible), Map(visible)), "");
}

}  // namespace
