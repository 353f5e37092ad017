#pragma once
// The program's private window messages, sent to the window under a screen
// point (a drag from the speaker list asks the windows it passes over).
// Windows that answer them implement IMessageTarget; the Qt half finds the
// one under a point.

#include "platform/GdiTypes.h"

#include <cstdint>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

enum : unsigned {
    WM_USER = 0x0400,
    WM_DROP_NEW_SPEAKER = WM_USER + 6,     // wParam document, lParam CPoint* (screen): 1 installed, 2 not
    WM_IS_POINT_IN_PLANE = WM_USER + 7,    // wParam document, lParam CPoint*: 1 inside, 2 outside
    WM_CAN_ACCEPT_DROP = WM_USER + 8,      // wParam document, lParam 0: 1 would accept, 0 not
    WM_IS_POINT_IN_ROOM = WM_USER + 9,     // wParam document, lParam CPoint*: 1 inside, 2 outside
    WM_DROP_MOVED_SPEAKER = WM_USER + 10,  // wParam document, lParam CPoint*: 1 moved, 2 not
};

class IMessageTarget {
public:
    virtual ~IMessageTarget() = default;
    // The answer to the message; 0 for a message the window does not handle.
    virtual LRESULT OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam) = 0;
};

// Finds the window under a screen point and tells whether some window holds
// the mouse capture.
class IWindowLocator {
public:
    virtual ~IWindowLocator() = default;
    virtual IMessageTarget* WindowFromPoint(CPoint screen) = 0;
    virtual bool IsMouseCaptured() const = 0;
};

void SetWindowLocator(IWindowLocator* locator);
IWindowLocator* GetWindowLocator();

// Sends the message to the window under the screen point; 0 when there is
// no window there or it does not handle the message.
LRESULT SendMessageToWindowAt(CPoint screen, unsigned message, WPARAM wParam, LPARAM lParam);
