#pragma once
// The row under a point of a report list, computed as the list views do it:
// from the height and width of row 0, the first visible row (the vertical
// scroll position, in rows) and the horizontal scroll position, with the
// header taken to be exactly one row high. y is measured from the top of the
// list's client area, header included.

struct CListRowGeometry {
    int rowHeight = 0;   // height of row 0
    int rowWidth = 0;    // width of row 0 (all columns)
    int topRow = 0;      // first visible row
    int scrollX = 0;     // horizontal scroll position, pixels
    int rowCount = 0;
};

// True when (x, y) lies inside the rows: not to the right of the row width
// and not below the last row.
bool IsPointInRows(const CListRowGeometry& g, int x, int y);

// The row under (x, y): row k lies under y when
// (k - top + 1) * h < y <= (k - top + 2) * h. -1 when the point is outside
// the rows, on the header, or the geometry is empty.
int HitTestListRow(const CListRowGeometry& g, int x, int y);
