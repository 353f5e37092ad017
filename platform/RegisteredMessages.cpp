#include "platform/RegisteredMessages.h"

namespace {
IWindowLocator* g_locator = nullptr;
}

void SetWindowLocator(IWindowLocator* locator)
{
    g_locator = locator;
}

IWindowLocator* GetWindowLocator()
{
    return g_locator;
}

LRESULT SendMessageToWindowAt(CPoint screen, unsigned message, WPARAM wParam, LPARAM lParam)
{
    if (!g_locator)
        return 0;
    IMessageTarget* target = g_locator->WindowFromPoint(screen);
    return target ? target->OnRegisteredMessage(message, wParam, lParam) : 0;
}
