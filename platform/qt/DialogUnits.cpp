#include "platform/qt/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

namespace {

// a * b / c rounded to the nearest integer.
int MulDiv(int a, int b, int c)
{
    const long long n = static_cast<long long>(a) * b;
    return static_cast<int>(n >= 0 ? (n + c / 2) / c : -((-n + c / 2) / c));
}

}  // namespace

CDialogUnits::CDialogUnits(const QFont& font)
{
    QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_avgCharWidth = (width / 26 + 1) / 2;
    if (m_avgCharWidth < 1)
        m_avgCharWidth = 1;
    m_charHeight = fm.height() > 0 ? fm.height() : 1;
}

int CDialogUnits::MapX(int x) const
{
    return MulDiv(x, m_avgCharWidth, 4);
}

int CDialogUnits::MapY(int y) const
{
    return MulDiv(y, m_charHeight, 8);
}

QRect CDialogUnits::MapRect(int x, int y, int cx, int cy) const
{
    const int left = MapX(x), top = MapY(y);
    return QRect(left, top, MapX(x + cx) - left, MapY(y + cy) - top);
}

QFont CDialogUnits::DialogFont()
{
    return QApplication::font();
}
