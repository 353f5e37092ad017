#pragma once
// A drawing context that draws nothing and keeps every operation, with the
// pen, brush, font, colours and modes in force when it ran, so that tests
// can check the exact coordinates and texts a drawing pass produces.

#include "platform/DrawingContext.h"

#include <map>
#include <string>
#include <vector>

struct CDrawOp {
    enum Kind {
        MoveTo, LineTo, Polyline, Polygon, Rectangle, Ellipse, FillPolygon, FillSolidRect, FillRect,
        TextOut, SelectPen, SelectBrush, SelectFont, SetTextColor, SetBkColor, SetBkMode, SetPolyFillMode,
        DrawIcon
    };
    Kind kind = MoveTo;
    std::vector<CPoint> points;  // the point(s) of the operation
    CRect rect;                  // rectangles, ellipses and fills
    std::string text;            // TextOut
    COLORREF color = 0;          // fills, SetTextColor, SetBkColor
    int value = 0;               // modes; icon id
    // State in force when the operation ran.
    CPenSpec pen;
    CBrushSpec brush;
    CFontSpec font;
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = 0;
    int polyFillMode = 0;
};

// A straight stroke drawn by LineTo, Polyline or the outline of a shape.
struct CRecordedLine {
    CPoint from;
    CPoint to;
    CPenSpec pen;
};

class CRecordingDC : public IDrawingContext {
public:
    // A screen of 1024 x 768 pixels at 96 dots per inch unless told otherwise.
    explicit CRecordingDC(bool printing = false);

    void SetDeviceCaps(int index, int value) { m_caps[index] = value; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<CPoint>& points) override;
    void Polygon(const std::vector<CPoint>& points) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void FillPolygon(const std::vector<CPoint>& points, COLORREF color) override;
    void FillSolidRect(const CRect& rect, COLORREF color) override;
    void FillRect(const CRect& rect, COLORREF color) override;
    void TextOut(int x, int y, const std::string& text) override;
    // Every character is taken as half the font height wide.
    CSize GetTextExtent(const std::string& text) override;
    CPenSpec SelectPen(const CPenSpec& pen) override;
    CBrushSpec SelectBrush(const CBrushSpec& brush) override;
    CFontSpec SelectFont(const CFontSpec& font) override;
    CFontSpec GetFont() const override { return m_font; }
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF SetBkColor(COLORREF color) override;
    int SetBkMode(int mode) override;
    int SetPolyFillMode(int mode) override;
    int GetDeviceCaps(int index) const override;
    void DrawIcon(int x, int y, unsigned iconId) override;
    bool IsPrinting() const override { return m_printing; }

    const std::vector<CDrawOp>& Ops() const { return m_ops; }
    // The operations of one kind, in order.
    std::vector<CDrawOp> OpsOf(CDrawOp::Kind kind) const;
    // Every text drawn, in order.
    std::vector<std::string> Texts() const;
    // Every stroke drawn, in order (LineTo, Polyline, Polygon and Rectangle outlines).
    const std::vector<CRecordedLine>& Lines() const { return m_lines; }
    CPoint CurrentPosition() const { return m_pos; }
    void Clear();

private:
    CDrawOp& Add(CDrawOp::Kind kind);
    void AddLine(CPoint from, CPoint to);

    bool m_printing;
    std::map<int, int> m_caps;
    std::vector<CDrawOp> m_ops;
    std::vector<CRecordedLine> m_lines;
    CPoint m_pos;
    CPenSpec m_pen;
    CBrushSpec m_brush;
    CFontSpec m_font;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    int m_polyFillMode = ALTERNATE;
};
