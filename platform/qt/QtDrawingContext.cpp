#include "platform/qt/QtDrawingContext.h"

#include "platform/qt/ProgramResources.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPolygon>

namespace {

QPolygon ToPolygon(const std::vector<CPoint>& points)
{
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const CPoint& p : points)
        poly << QPoint(p.x, p.y);
    return poly;
}

Qt::PenStyle ToQtStyle(int style)
{
    switch (style) {
    case PS_DASH: return Qt::DashLine;
    case PS_DOT: return Qt::DotLine;
    case PS_DASHDOT: return Qt::DashDotLine;
    case PS_DASHDOTDOT: return Qt::DashDotDotLine;
    case PS_NULL: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

}  // namespace

QColor CQtDrawingContext::ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QFont CQtDrawingContext::MakeFont(const CFontSpec& desc)
{
    QFont font = desc.face.empty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                                   : QFont(QString::fromStdString(desc.face));
    const int h = desc.height < 0 ? -desc.height : desc.height;
    font.setWeight(desc.weight >= 700 ? QFont::Bold : QFont::Normal);
    if (h <= 0)
        return font;
    font.setPixelSize(h);
    // The cell height of the font is to be h: shrink the em size until the
    // metrics' height fits.
    QFontMetrics fm(font);
    if (fm.height() > h) {
        const int px = std::max(1, h * h / fm.height());
        font.setPixelSize(px);
    }
    return font;
}

CQtDrawingContext::CQtDrawingContext(QPainter& painter, bool printing) : m_p(painter), m_printing(printing)
{
    m_qfont = MakeFont(m_font);
    ApplyPen();
    ApplyBrush();
}

void CQtDrawingContext::ApplyPen()
{
    if (m_pen.style == PS_NULL) {
        m_p.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(m_pen.color));
    pen.setWidth(m_pen.width < 1 ? 1 : m_pen.width);
    pen.setStyle(ToQtStyle(m_pen.style));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_p.setPen(pen);
}

void CQtDrawingContext::ApplyBrush()
{
    if (m_brush.hollow)
        m_p.setBrush(Qt::NoBrush);
    else
        m_p.setBrush(QBrush(ToQColor(m_brush.color)));
}

void CQtDrawingContext::MoveTo(int x, int y)
{
    m_pos = QPoint(x, y);
}

void CQtDrawingContext::LineTo(int x, int y)
{
    const QPoint to(x, y);
    m_p.drawLine(m_pos, to);
    m_pos = to;
}

void CQtDrawingContext::Polyline(const std::vector<CPoint>& points)
{
    m_p.drawPolyline(ToPolygon(points));
}

void CQtDrawingContext::Polygon(const std::vector<CPoint>& points)
{
    m_p.drawPolygon(ToPolygon(points), m_polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

void CQtDrawingContext::Rectangle(int left, int top, int right, int bottom)
{
    m_p.drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void CQtDrawingContext::Ellipse(int left, int top, int right, int bottom)
{
    m_p.drawEllipse(QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                          QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1)));
}

void CQtDrawingContext::FillPolygon(const std::vector<CPoint>& points, COLORREF color)
{
    m_p.save();
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(QBrush(ToQColor(color)));
    m_p.drawPolygon(ToPolygon(points), m_polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    m_p.restore();
}

void CQtDrawingContext::FillSolidRect(const CRect& rect, COLORREF color)
{
    m_p.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
    m_bkColor = color;
}

void CQtDrawingContext::FillRect(const CRect& rect, COLORREF color)
{
    m_p.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void CQtDrawingContext::TextOut(int x, int y, const std::string& text)
{
    const QString s = QString::fromStdString(text);
    m_p.save();
    m_p.setFont(m_qfont);
    QFontMetrics fm(m_qfont, m_p.device());
    if (m_bkMode == OPAQUE)
        m_p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ToQColor(m_bkColor));
    m_p.setPen(ToQColor(m_textColor));
    m_p.drawText(QPoint(x, y + fm.ascent()), s);
    m_p.restore();
}

CSize CQtDrawingContext::GetTextExtent(const std::string& text)
{
    QFontMetrics fm(m_qfont, m_p.device());
    return CSize(fm.horizontalAdvance(QString::fromStdString(text)), fm.height());
}

CPenSpec CQtDrawingContext::SelectPen(const CPenSpec& pen)
{
    const CPenSpec old = m_pen;
    m_pen = pen;
    ApplyPen();
    return old;
}

CBrushSpec CQtDrawingContext::SelectBrush(const CBrushSpec& brush)
{
    const CBrushSpec old = m_brush;
    m_brush = brush;
    ApplyBrush();
    return old;
}

CFontSpec CQtDrawingContext::SelectFont(const CFontSpec& font)
{
    const CFontSpec old = m_font;
    m_font = font;
    m_qfont = MakeFont(font);
    return old;
}

COLORREF CQtDrawingContext::SetTextColor(COLORREF color)
{
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

COLORREF CQtDrawingContext::SetBkColor(COLORREF color)
{
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

int CQtDrawingContext::SetBkMode(int mode)
{
    const int old = m_bkMode;
    m_bkMode = mode;
    return old;
}

int CQtDrawingContext::SetPolyFillMode(int mode)
{
    const int old = m_polyFillMode;
    m_polyFillMode = mode;
    return old;
}

int CQtDrawingContext::GetDeviceCaps(int index) const
{
    auto it = m_caps.find(index);
    if (it != m_caps.end())
        return it->second;
    const QPaintDevice* d = m_p.device();
    if (!d)
        return 0;
    switch (index) {
    case HORZRES: return d->width();
    case VERTRES: return d->height();
    case LOGPIXELSX: return d->logicalDpiX();
    case LOGPIXELSY: return d->logicalDpiY();
    case HORZSIZE: return d->widthMM();
    case VERTSIZE: return d->heightMM();
    default: return 0;
    }
}

void CQtDrawingContext::DrawIcon(int x, int y, unsigned iconId)
{
    const QPixmap pm = LoadProgramIcon(iconId);
    if (!pm.isNull())
        m_p.drawPixmap(x, y, pm);
}
