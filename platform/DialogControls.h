#pragma once
// What dialog code needs of a running dialog's controls, addressed by
// control id: texts, check boxes, combo boxes, visibility, enabling and the
// focus. The Qt half implements it on the widgets of a dialog; tests use a
// plain in-memory double.

#include "platform/GdiTypes.h"

#include <string>

// Notification codes passed to CDialog::OnControlCommand.
enum : int { BN_CLICKED = 0, CBN_SELCHANGE = 1, EN_CHANGE = 0x0300 };
// Check states.
enum : int { BST_UNCHECKED = 0, BST_CHECKED = 1 };
// No selection in a combo box.
enum : int { CB_ERR = -1 };

class IDialogControls {
public:
    virtual ~IDialogControls() = default;

    virtual std::string GetWindowText(int id) const = 0;
    virtual void SetWindowText(int id, const std::string& text) = 0;

    virtual int GetCheck(int id) const = 0;
    virtual void SetCheck(int id, int state) = 0;

    // Combo boxes.
    virtual void ResetContent(int id) = 0;
    virtual int AddString(int id, const std::string& text) = 0;
    virtual int GetCount(int id) const = 0;
    virtual int GetCurSel(int id) const = 0;
    virtual void SetCurSel(int id, int index) = 0;

    virtual void ShowWindow(int id, bool show) = 0;
    virtual bool IsWindowVisible(int id) const = 0;
    virtual void EnableWindow(int id, bool enable) = 0;
    // Gives the control the focus; an edit control gets its whole text selected.
    virtual void SetFocus(int id) = 0;

    // A control that the dialog draws itself (CDialog::OnDrawControl) is
    // drawn again.
    virtual void InvalidateControl(int id) { (void)id; }
    // The size of a control's client area in pixels (left and top 0).
    virtual CRect GetClientRect(int id) const { (void)id; return CRect(); }
};
