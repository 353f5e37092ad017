#pragma once
// Dialog templates: caption, size and controls of each dialog in dialog
// units (x in quarters of the dialog font's average character width, y in
// eighths of its height). The Qt half builds the dialogs from them.

#include <string>
#include <vector>

enum : int { IDC_STATIC = -1 };

struct ControlTemplate {
    enum Kind { Static, Edit, PushButton, DefPushButton, CheckBox, ComboList, GroupBox, Icon, Custom, RadioButton };
    Kind kind = Static;
    int id = IDC_STATIC;
    std::string text;  // label; for an Icon the icon id as text
    int x = 0, y = 0, cx = 0, cy = 0;
    std::vector<std::string> items;  // the initial items of a combo box
    bool visible = true;
};

// A control of the given kind at (x, y), cx wide and cy high, in dialog units.
inline ControlTemplate MakeControl(ControlTemplate::Kind kind, int id, const std::string& text, int x, int y, int cx,
                                   int cy)
{
    ControlTemplate c;
    c.kind = kind;
    c.id = id;
    c.text = text;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    return c;
}

struct DialogTemplate {
    unsigned id = 0;
    std::string caption;
    int cx = 0, cy = 0;
    bool systemMenu = true;  // false: no close box
    std::vector<ControlTemplate> controls;
};

// The template of a dialog resource, or nullptr.
const DialogTemplate* FindDialogTemplate(unsigned id);
// Adds (or replaces) a template; dialogs defined elsewhere register theirs.
void RegisterDialogTemplate(const DialogTemplate& tmpl);
// Every template registered so far, in the order of their ids.
std::vector<const DialogTemplate*> AllDialogTemplates();
