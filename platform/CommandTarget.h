#pragma once
// Command routing without a GUI: menus, toolbar buttons and accelerators
// carry command ids; the frame offers each command to the active view, its
// document, the frames and the application, first taker wins. Update
// handlers decide enabling and check marks the same way.

#include <string>

class CCmdUI {
public:
    explicit CCmdUI(unsigned id) : m_nID(id) {}

    void Enable(bool enable = true) { m_bEnabled = enable; m_bHandled = true; }
    void SetCheck(int check = 1) { m_nCheck = check; m_bHandled = true; }

    unsigned m_nID;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bHandled = false;  // an update handler spoke for the command
};

class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    // True when the command was handled.
    virtual bool OnCommand(unsigned id) = 0;
    // True when OnCommand would handle the id (a command with a handler
    // and no update handler is enabled).
    virtual bool HasCommandHandler(unsigned id) const { (void)id; return false; }
    // True when this target has an update handler for ui.m_nID (it then
    // calls Enable/SetCheck on ui).
    virtual bool OnUpdateCommand(CCmdUI& ui) { (void)ui; return false; }
};

// The main window's routing, for pop-up menus that GUI-free or view code
// opens on behalf of the main window.
class ICommandRouter {
public:
    virtual ~ICommandRouter() = default;
    virtual bool RouteCommand(unsigned id) = 0;
    // Fills ui through the update handlers; a command that no target
    // handles or updates is disabled.
    virtual void RouteUpdate(CCmdUI& ui) = 0;
};

void SetCommandRouter(ICommandRouter* router);
ICommandRouter* GetCommandRouter();
