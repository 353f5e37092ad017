#pragma once
// The window a modal dialog of the program belongs to.

class QWidget;

// The modal dialog in front, else the active window of the program, else
// (the program is not the active one on the desktop) its visible main
// window, so that a dialog never opens unowned behind the program's windows.
// Null only when the program shows no window.
QWidget* DialogParent();
