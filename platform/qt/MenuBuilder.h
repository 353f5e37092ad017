#pragma once
// Qt menus from the menu resources: each command becomes an action that
// carries its id and sends it through the installed command router; the
// enabling and check marks are refreshed through the router's update
// handlers whenever a menu opens.

#include "resources/Menus.h"

#include <QPoint>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace MenuBuilder {

// The id an action carries (0 for none).
unsigned CommandId(const QAction* action);
// Makes an action for a command: text, shortcut, id, and the router on trigger.
QAction* MakeAction(const MenuItemDef& item, QObject* parent);

// Fills the menu bar with the top-level pop-ups of a menu resource. The
// recent-file place of the File menu is handed to fillRecent each time
// that menu opens.
void FillMenuBar(QMenuBar* bar, unsigned menuId, void (*fillRecent)(QMenu* menu, QAction* before, void* ctx),
                 void* ctx);
// Adds the items of a pop-up definition to a menu.
void FillMenu(QMenu* menu, const std::vector<MenuItemDef>& items,
              void (*fillRecent)(QMenu*, QAction*, void*) = nullptr, void* ctx = nullptr);

// Refreshes enabling and checks of the menu's command actions.
void UpdateMenu(QMenu* menu);

// Shows the first pop-up of a pop-up menu resource at a screen point; the
// chosen command goes through the router. Returns the command id, or 0.
unsigned TrackPopupMenu(unsigned menuId, const QPoint& screenPoint);

}  // namespace MenuBuilder
