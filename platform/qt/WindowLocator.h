#pragma once
// Finds the window under a screen point for the program's private messages:
// the widget there, or the nearest of its parents inside the same top-level
// window that answers such messages.

#include "platform/RegisteredMessages.h"

class QWidget;

class CQtWindowLocator : public IWindowLocator {
public:
    IMessageTarget* WindowFromPoint(CPoint screen) override;
    bool IsMouseCaptured() const override;

    // The message target that holds the widget (itself or a parent).
    static IMessageTarget* TargetOf(QWidget* widget);
};
