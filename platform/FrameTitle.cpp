#include "platform/FrameTitle.h"

std::string MakeMainFrameTitle(const std::string& appName, const std::string* activeWindowTitle, bool maximized)
{
    std::string title = appName;
    if (!activeWindowTitle)
        return title;
    title += " - ";
    if (maximized)
        title += "[";
    title += *activeWindowTitle;
    if (maximized)
        title += "]";
    return title;
}
