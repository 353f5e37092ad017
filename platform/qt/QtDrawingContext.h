#pragma once
// IDrawingContext on a QPainter: the screen, print preview and the printer.
// Coordinates are the painter's logical units (device pixels unless the
// caller set a transform).

#include "platform/DrawingContext.h"

#include <QFont>
#include <QPainter>
#include <map>

class CQtDrawingContext : public IDrawingContext {
public:
    // printing: the pass draws on paper (or its preview).
    explicit CQtDrawingContext(QPainter& painter, bool printing = false);

    // Overrides what the paint device reports for a capability.
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

    // The Qt font for a font description: the face (the system's icon-title font
    // when empty) with its line height (ascent + descent) equal to the height.
    static QFont MakeFont(const CFontSpec& desc);
    static QColor ToQColor(COLORREF c);

private:
    void ApplyPen();
    void ApplyBrush();

    QPainter& m_p;
    bool m_printing;
    std::map<int, int> m_caps;
    QPoint m_pos;
    CPenSpec m_pen;
    CBrushSpec m_brush;
    CFontSpec m_font;
    QFont m_qfont;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    int m_polyFillMode = ALTERNATE;
};
