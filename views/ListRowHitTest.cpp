#include "views/ListRowHitTest.h"

bool IsPointInRows(const CListRowGeometry& g, int x, int y)
{
    if (g.rowHeight <= 0)
        return false;
    // Computed in 64 bits: a huge list or scroll position cannot overflow.
    const long long h = g.rowHeight;
    if (static_cast<long long>(g.scrollX) + x > g.rowWidth)
        return false;
    return static_cast<long long>(g.topRow) * h + y <= (static_cast<long long>(g.rowCount) + 1) * h;
}

int HitTestListRow(const CListRowGeometry& g, int x, int y)
{
    if (!IsPointInRows(g, x, y) || y <= g.rowHeight)
        return -1;
    // Smallest j with y <= (j + 1) * h, where j = k - top + 1.
    const long long h = g.rowHeight;
    const long long j = (static_cast<long long>(y) + h - 1) / h - 1;
    const long long k = j - 1 + g.topRow;
    if (k < 0 || k >= g.rowCount)
        return -1;
    return static_cast<int>(k);
}
