#include "platform/qt/ProgramResources.h"

#include "resources/cursors/cursor131.xpm"
#include "resources/cursors/cursor132.xpm"
#include "resources/cursors/cursor133.xpm"
#include "resources/cursors/cursor134.xpm"
#include "resources/icons/icon128.xpm"
#include "resources/icons/icon130.xpm"
#include "resources/icons/icon141.xpm"
#include "resources/toolbar/toolbar128.xpm"

QPixmap LoadProgramIcon(unsigned id)
{
    switch (id) {
    case 128: return QPixmap(icon128_xpm);
    case 130: return QPixmap(icon130_xpm);
    case 141: return QPixmap(icon141_xpm);
    default: return QPixmap();
    }
}

QCursor LoadProgramCursor(unsigned id)
{
    switch (id) {
    case 131: return QCursor(QPixmap(cursor131_xpm), 0, 0);
    case 132: return QCursor(QPixmap(cursor132_xpm), 0, 0);
    case 133: return QCursor(QPixmap(cursor133_xpm), 0, 0);
    case 134: return QCursor(QPixmap(cursor134_xpm), 0, 0);
    default: return QCursor(Qt::ArrowCursor);
    }
}

QPixmap LoadProgramToolBarButton(unsigned id, int index)
{
    if (id != 128 || index < 0)
        return QPixmap();
    const QPixmap strip(toolbar128_xpm);
    const int x = index * kToolBarButtonWidth;
    if (x + kToolBarButtonWidth > strip.width())
        return QPixmap();
    return strip.copy(x, 0, kToolBarButtonWidth, kToolBarButtonHeight);
}
