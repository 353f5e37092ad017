#include "platform/qt/MenuBuilder.h"

#include "platform/CommandTarget.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

const char* const kIdProperty = "kadrelCommandId";
const char* const kRecentMarker = "kadrelRecentPlace";

}  // namespace

namespace MenuBuilder {

unsigned CommandId(const QAction* action)
{
    return action ? action->property(kIdProperty).toUInt() : 0;
}

QAction* MakeAction(const MenuItemDef& item, QObject* parent)
{
    auto* a = new QAction(QString::fromStdString(item.text), parent);
    a->setProperty(kIdProperty, item.id);
    if (!item.shortcut.empty())
        a->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
    const unsigned id = item.id;
    QObject::connect(a, &QAction::triggered, a, [id] {
        if (ICommandRouter* r = GetCommandRouter())
            r->RouteCommand(id);
    });
    return a;
}

void FillMenu(QMenu* menu, const std::vector<MenuItemDef>& items, void (*fillRecent)(QMenu*, QAction*, void*),
              void* ctx)
{
    bool hasRecent = false;
    for (const MenuItemDef& item : items) {
        switch (item.kind) {
        case MenuItemDef::Separator: menu->addSeparator(); break;
        case MenuItemDef::Command: menu->addAction(MakeAction(item, menu)); break;
        case MenuItemDef::Popup: {
            QMenu* sub = menu->addMenu(QString::fromStdString(item.text));
            FillMenu(sub, item.items, fillRecent, ctx);
            break;
        }
        case MenuItemDef::RecentFiles: {
            // A hidden marker: the recent files go in front of it.
            QAction* marker = menu->addAction(QString());
            marker->setProperty(kRecentMarker, true);
            marker->setVisible(false);
            hasRecent = true;
            break;
        }
        }
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, hasRecent, fillRecent, ctx] {
        if (hasRecent && fillRecent) {
            for (QAction* a : menu->actions())
                if (a->property(kRecentMarker).toBool()) {
                    fillRecent(menu, a, ctx);
                    break;
                }
        }
        UpdateMenu(menu);
    });
}

void FillMenuBar(QMenuBar* bar, unsigned menuId, void (*fillRecent)(QMenu*, QAction*, void*), void* ctx)
{
    bar->clear();
    const std::vector<MenuItemDef>* def = FindMenu(menuId);
    if (!def)
        return;
    for (const MenuItemDef& top : *def) {
        if (top.kind != MenuItemDef::Popup)
            continue;
        QMenu* m = bar->addMenu(QString::fromStdString(top.text));
        FillMenu(m, top.items, fillRecent, ctx);
    }
}

void UpdateMenu(QMenu* menu)
{
    ICommandRouter* r = GetCommandRouter();
    for (QAction* a : menu->actions()) {
        const unsigned id = CommandId(a);
        if (id == 0 || a->menu())
            continue;
        CCmdUI ui(id);
        if (r)
            r->RouteUpdate(ui);
        else
            ui.m_bEnabled = false;
        a->setEnabled(ui.m_bEnabled);
        if (ui.m_nCheck != 0 || a->isCheckable()) {
            a->setCheckable(true);
            a->setChecked(ui.m_nCheck != 0);
        }
    }
}

unsigned TrackPopupMenu(unsigned menuId, const QPoint& screenPoint)
{
    const std::vector<MenuItemDef>* def = FindMenu(menuId);
    if (!def || def->empty() || def->front().kind != MenuItemDef::Popup)
        return 0;
    QMenu menu;
    // The actions here are not connected to the router: the choice is
    // routed once exec returns.
    for (const MenuItemDef& item : def->front().items) {
        if (item.kind == MenuItemDef::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(QString::fromStdString(item.text));
        a->setProperty(kIdProperty, item.id);
    }
    UpdateMenu(&menu);
    QAction* chosen = menu.exec(screenPoint);
    const unsigned id = CommandId(chosen);
    if (id != 0)
        if (ICommandRouter* r = GetCommandRouter())
            r->RouteCommand(id);
    return id;
}

}  // namespace MenuBuilder
