#pragma once
// The caption of the main window, which names the project window in front.

#include <string>

// appName alone without an active project window; "appName - title" for the
// active project window; and while that window is maximized, when its
// caption joins the program's, "appName - [title]".
std::string MakeMainFrameTitle(const std::string& appName, const std::string* activeWindowTitle, bool maximized);
