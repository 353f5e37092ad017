#pragma once
// A device context without a GUI: the drawing operations the views and
// previews use, in device units. The Qt half draws them with a painter on
// the screen, in print preview and on the printer; CRecordingDC keeps a list
// of them for tests.
//
// Pens, brushes and fonts are selected by value; each Select returns the one
// selected before so that the caller can put it back.

#include "platform/GdiTypes.h"

#include <string>
#include <vector>

// Pen styles.
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5 };
// Background modes for text.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
// Polygon fill modes.
enum : int { ALTERNATE = 1, WINDING = 2 };
// Device capabilities.
enum : int { HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, LOGPIXELSX = 88, LOGPIXELSY = 90 };
// The program's icons that views draw.
enum : unsigned { IDI_SPEAKER = 130, IDI_CURRENT_SPEAKER = 141 };

struct CPenSpec {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = RGB(0, 0, 0);
    friend bool operator==(const CPenSpec&, const CPenSpec&) = default;
};

struct CBrushSpec {
    bool hollow = false;  // true: shapes are not filled
    COLORREF color = RGB(255, 255, 255);
    friend bool operator==(const CBrushSpec&, const CBrushSpec&) = default;
};

struct CFontSpec {
    std::string face;    // empty: the system's icon-title font face
    int height = 12;     // cell height in device units (lfHeight)
    int weight = 400;    // 400 normal, 700 bold
    friend bool operator==(const CFontSpec&, const CFontSpec&) = default;
};

class IDrawingContext {
public:
    virtual ~IDrawingContext() = default;

    // Lines with the selected pen; MoveTo sets the current position and
    // LineTo draws from it and moves it to the end point.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Polyline(const std::vector<CPoint>& points) = 0;

    // Shapes outlined with the selected pen and filled with the selected brush.
    virtual void Polygon(const std::vector<CPoint>& points) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;

    // A polygon region filled with a solid colour in the current fill
    // mode; no outline.
    virtual void FillPolygon(const std::vector<CPoint>& points, COLORREF color) = 0;
    // A solid rectangle fill; it also sets the text background colour to
    // the colour, as the classic device contexts do.
    virtual void FillSolidRect(const CRect& rect, COLORREF color) = 0;
    // A rectangle filled with a solid brush (background colour unchanged).
    virtual void FillRect(const CRect& rect, COLORREF color) = 0;

    // Text with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual CSize GetTextExtent(const std::string& text) = 0;

    virtual CPenSpec SelectPen(const CPenSpec& pen) = 0;
    virtual CBrushSpec SelectBrush(const CBrushSpec& brush) = 0;
    virtual CFontSpec SelectFont(const CFontSpec& font) = 0;
    virtual CFontSpec GetFont() const = 0;

    // Each returns the previous value.
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual COLORREF SetBkColor(COLORREF color) = 0;
    virtual int SetBkMode(int mode) = 0;
    virtual int SetPolyFillMode(int mode) = 0;

    virtual int GetDeviceCaps(int index) const = 0;
    // One of the program's 32 x 32 icons with its top-left corner at (x, y).
    virtual void DrawIcon(int x, int y, unsigned iconId) = 0;

    virtual bool IsPrinting() const = 0;
};
