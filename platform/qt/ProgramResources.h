#pragma once
// The program's icons and cursors by resource number.

#include <QCursor>
#include <QPixmap>

// Icons 128 (application and project files), 130 (speaker) and 141
// (current speaker); a null pixmap for any other number.
QPixmap LoadProgramIcon(unsigned id);

// Cursors 131 (over a speaker), 132 (right button on a speaker), 133 (a
// drop here installs or moves) and 134 (nothing can be dropped here), each
// with its hot spot at the top-left corner; the arrow for any other number.
QCursor LoadProgramCursor(unsigned id);

// Toolbar 128: one strip of 16 x 15 button images, in the order of the
// buttons (separators take no image). A null pixmap for a number or place
// the strip does not hold.
constexpr int kToolBarButtonWidth = 16;
constexpr int kToolBarButtonHeight = 15;
QPixmap LoadProgramToolBarButton(unsigned id, int index);
