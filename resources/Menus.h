#pragma once
// The program's menu resources: the menu bar of the main frame without a
// project (128), the menu bar of a project window (129) and the pop-up menus
// (136, 137, 138, 146; each has one pop-up whose items the context menu shows).

#include <string>
#include <vector>

struct MenuItemDef {
    enum Kind { Command, Separator, Popup, RecentFiles };
    Kind kind = Command;
    unsigned id = 0;
    std::string text;      // with '&' before the mnemonic
    std::string shortcut;  // e.g. "Ctrl+N"; empty for none
    std::vector<MenuItemDef> items;
};

// The top-level items of the menu resource, or nullptr for an unknown id.
const std::vector<MenuItemDef>* FindMenu(unsigned id);

// The menu text without '&' markers ("&Open Project..." -> "Open Project...").
std::string StripMnemonic(const std::string& text);
