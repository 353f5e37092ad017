#include "platform/RecordingDC.h"

#include "platform/Printing.h"

CRecordingDC::CRecordingDC(bool printing) : m_printing(printing)
{
    m_caps[HORZRES] = 1024;
    m_caps[VERTRES] = 768;
    // A recording printer prints at the resolution the page layouts are made for.
    const int resolution = printing ? kPrintLayoutResolution : 96;
    m_caps[LOGPIXELSX] = resolution;
    m_caps[LOGPIXELSY] = resolution;
    m_caps[HORZSIZE] = 271;
    m_caps[VERTSIZE] = 203;
}

CDrawOp& CRecordingDC::Add(CDrawOp::Kind kind)
{
    CDrawOp op;
    op.kind = kind;
    op.pen = m_pen;
    op.brush = m_brush;
    op.font = m_font;
    op.textColor = m_textColor;
    op.bkColor = m_bkColor;
    op.bkMode = m_bkMode;
    op.polyFillMode = m_polyFillMode;
    m_ops.push_back(op);
    return m_ops.back();
}

void CRecordingDC::AddLine(CPoint from, CPoint to)
{
    m_lines.push_back({from, to, m_pen});
}

void CRecordingDC::MoveTo(int x, int y)
{
    Add(CDrawOp::MoveTo).points = {CPoint(x, y)};
    m_pos = CPoint(x, y);
}

void CRecordingDC::LineTo(int x, int y)
{
    Add(CDrawOp::LineTo).points = {m_pos, CPoint(x, y)};
    AddLine(m_pos, CPoint(x, y));
    m_pos = CPoint(x, y);
}

void CRecordingDC::Polyline(const std::vector<CPoint>& points)
{
    Add(CDrawOp::Polyline).points = points;
    for (size_t i = 1; i < points.size(); ++i)
        AddLine(points[i - 1], points[i]);
}

void CRecordingDC::Polygon(const std::vector<CPoint>& points)
{
    Add(CDrawOp::Polygon).points = points;
    for (size_t i = 0; i < points.size() && points.size() > 1; ++i)
        AddLine(points[i], points[(i + 1) % points.size()]);
}

void CRecordingDC::Rectangle(int left, int top, int right, int bottom)
{
    Add(CDrawOp::Rectangle).rect = CRect(left, top, right, bottom);
    // The outline runs along the inside of the rectangle, as a 1-pixel pen draws it.
    const CPoint c[4] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    for (int i = 0; i < 4; ++i)
        AddLine(c[i], c[(i + 1) % 4]);
}

void CRecordingDC::Ellipse(int left, int top, int right, int bottom)
{
    Add(CDrawOp::Ellipse).rect = CRect(left, top, right, bottom);
}

void CRecordingDC::FillPolygon(const std::vector<CPoint>& points, COLORREF color)
{
    CDrawOp& op = Add(CDrawOp::FillPolygon);
    op.points = points;
    op.color = color;
}

void CRecordingDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    CDrawOp& op = Add(CDrawOp::FillSolidRect);
    op.rect = rect;
    op.color = color;
    m_bkColor = color;
}

void CRecordingDC::FillRect(const CRect& rect, COLORREF color)
{
    CDrawOp& op = Add(CDrawOp::FillRect);
    op.rect = rect;
    op.color = color;
}

void CRecordingDC::TextOut(int x, int y, const std::string& text)
{
    CDrawOp& op = Add(CDrawOp::TextOut);
    op.points = {CPoint(x, y)};
    op.text = text;
}

CSize CRecordingDC::GetTextExtent(const std::string& text)
{
    const int h = m_font.height < 0 ? -m_font.height : m_font.height;
    return CSize(static_cast<int>(text.size()) * h / 2, h);
}

CPenSpec CRecordingDC::SelectPen(const CPenSpec& pen)
{
    const CPenSpec old = m_pen;
    m_pen = pen;
    Add(CDrawOp::SelectPen);
    return old;
}

CBrushSpec CRecordingDC::SelectBrush(const CBrushSpec& brush)
{
    const CBrushSpec old = m_brush;
    m_brush = brush;
    Add(CDrawOp::SelectBrush);
    return old;
}

CFontSpec CRecordingDC::SelectFont(const CFontSpec& font)
{
    const CFontSpec old = m_font;
    m_font = font;
    Add(CDrawOp::SelectFont);
    return old;
}

COLORREF CRecordingDC::SetTextColor(COLORREF color)
{
    const COLORREF old = m_textColor;
    m_textColor = color;
    Add(CDrawOp::SetTextColor).color = color;
    return old;
}

COLORREF CRecordingDC::SetBkColor(COLORREF color)
{
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    Add(CDrawOp::SetBkColor).color = color;
    return old;
}

int CRecordingDC::SetBkMode(int mode)
{
    const int old = m_bkMode;
    m_bkMode = mode;
    Add(CDrawOp::SetBkMode).value = mode;
    return old;
}

int CRecordingDC::SetPolyFillMode(int mode)
{
    const int old = m_polyFillMode;
    m_polyFillMode = mode;
    Add(CDrawOp::SetPolyFillMode).value = mode;
    return old;
}

int CRecordingDC::GetDeviceCaps(int index) const
{
    auto it = m_caps.find(index);
    return it == m_caps.end() ? 0 : it->second;
}

void CRecordingDC::DrawIcon(int x, int y, unsigned iconId)
{
    CDrawOp& op = Add(CDrawOp::DrawIcon);
    op.points = {CPoint(x, y)};
    op.value = static_cast<int>(iconId);
}

std::vector<CDrawOp> CRecordingDC::OpsOf(CDrawOp::Kind kind) const
{
    std::vector<CDrawOp> out;
    for (const CDrawOp& op : m_ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

std::vector<std::string> CRecordingDC::Texts() const
{
    std::vector<std::string> out;
    for (const CDrawOp& op : m_ops)
        if (op.kind == CDrawOp::TextOut)
            out.push_back(op.text);
    return out;
}

void CRecordingDC::Clear()
{
    m_ops.clear();
    m_lines.clear();
}
