#include "platform/qt/WindowLocator.h"

#include <QApplication>
#include <QWidget>

IMessageTarget* CQtWindowLocator::TargetOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* t = dynamic_cast<IMessageTarget*>(w))
            return t;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

IMessageTarget* CQtWindowLocator::WindowFromPoint(CPoint screen)
{
    return TargetOf(QApplication::widgetAt(QPoint(screen.x, screen.y)));
}

bool CQtWindowLocator::IsMouseCaptured() const
{
    return QWidget::mouseGrabber() != nullptr;
}
