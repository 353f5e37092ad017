// The SPL map pane's mouse: the canvas events turned into the window's
// mouse handlers, the cursors they ask for, the pop-up menus and the
// program's drag messages.

#include "views/qt/ColorMapView.h"

#include "platform/qt/MenuBuilder.h"
#include "platform/qt/ProgramResources.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollArea>

namespace {

CColorMapView::PopupRunner g_popupRunner = nullptr;

CPoint ToLogical(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return CPoint(p.x(), p.y());
}

}  // namespace

void CColorMapView::SetPopupRunner(PopupRunner runner) { g_popupRunner = runner; }

LRESULT CColorMapView::OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    return OnMapMessage(message, wParam, lParam);
}

void CColorMapView::ShowMapCursor(int cursor)
{
    QWidget* canvas = GetCanvas();
    if (!canvas || cursor < 0)
        return;
    if (cursor == kCursorArrow)
        canvas->unsetCursor();
    else
        canvas->setCursor(LoadProgramCursor(static_cast<unsigned>(cursor)));
}

void CColorMapView::OnCanvasMousePress(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        ShowMapCursor(OnLButtonDown(ToLogical(event)));
    else if (event->button() == Qt::RightButton)
        ShowMapCursor(OnRButtonDown());
}

void CColorMapView::OnCanvasMouseMove(QMouseEvent* event)
{
    event->accept();
    ShowMapCursor(OnMouseMove(ToLogical(event)));
}

void CColorMapView::OnCanvasMouseRelease(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton) {
        if (!IsDraggingSpeaker())
            return;
        // The mouse is not captured: a release outside the visible map
        // leaves the drag running until a release inside the window.
        QWidget* viewport = GetScrollArea() ? GetScrollArea()->viewport() : nullptr;
        const QPoint global = event->globalPosition().toPoint();
        if (viewport && !viewport->rect().contains(viewport->mapFromGlobal(global)))
            return;
        OnLButtonUp(ToLogical(event));
        ShowMapCursor(kCursorArrow);
    } else if (event->button() == Qt::RightButton) {
        const unsigned menu = OnRButtonUp();
        const QPoint global = event->globalPosition().toPoint();
        if (g_popupRunner)
            g_popupRunner(menu, global);
        else
            MenuBuilder::TrackPopupMenu(menu, global);
    }
}

void CColorMapView::OnCanvasContextMenu(QContextMenuEvent* event)
{
    // The menu opens on the right button's release (OnCanvasMouseRelease).
    event->accept();
}
