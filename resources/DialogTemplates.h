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
