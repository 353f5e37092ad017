#include "dialogs/LineArrayPreview.h"

#include "models/Geometry.h"
#include "platform/DrawingContext.h"

#include <algorithm>
#include <cmath>

namespace LineArrayPreview {

namespace {

double Rad(double degrees)
{
    return degrees * Pi() / 180.0;
}

// The rear corners of an outline from its front ends.
void RearCorners(CModuleOutline& o, double b, double wedgeRad, double depth)
{
    const double r = depth / std::cos(wedgeRad);
    o.p2x = o.p0x + r * std::cos(Pi() - wedgeRad - b);
    o.p2z = o.p0z + r * std::sin(Pi() - wedgeRad - b);
    o.p3x = o.p1x + r * std::cos(Pi() + wedgeRad - b);
    o.p3z = o.p1z + r * std::sin(Pi() + wedgeRad - b);
}

double At(const std::vector<double>* v, std::size_t i)
{
    return v != nullptr && i < v->size() ? (*v)[i] : 0.0;
}

std::size_t EntityCount(const CLineArrayPreviewData& data)
{
    return data.entities ? data.entities->size() : 0;
}

}  // namespace

CModuleOutline NextUpper(const CModuleOutline& prev, double length, double splay, double wedgeRad, double depth)
{
    CModuleOutline o;
    o.p0x = prev.p1x;
    o.p0z = prev.p1z;
    o.angle = prev.angle + splay;
    const double b = Rad(o.angle);
    o.p1x = o.p0x + length * std::sin(b);
    o.p1z = o.p0z + length * std::cos(b);
    RearCorners(o, b, wedgeRad, depth);
    return o;
}

CModuleOutline NextLower(const CModuleOutline& prev, double length, double splay, double wedgeRad, double depth)
{
    CModuleOutline o;
    o.p1x = prev.p0x;
    o.p1z = prev.p0z;
    o.angle = prev.angle + splay;
    const double b = Rad(o.angle);
    o.p0x = o.p1x - length * std::sin(b);
    o.p0z = o.p1z - length * std::cos(b);
    RearCorners(o, b, wedgeRad, depth);
    return o;
}

std::vector<CModuleOutline> UpperOutlines(const CLineArrayPreviewData& data, unsigned upper, double wedgeFactor)
{
    std::vector<CModuleOutline> out;
    const std::size_t n = EntityCount(data);
    CModuleOutline prev;
    for (std::size_t i = 0; i < upper && i < n; ++i) {
        const CAxisEntity& e = (*data.entities)[i];
        prev = NextUpper(prev, e.y, e.z, Rad(At(data.wedges, i)) * wedgeFactor, At(data.depths, i));
        out.push_back(prev);
    }
    return out;
}

std::vector<CModuleOutline> LowerOutlines(const CLineArrayPreviewData& data, unsigned upper, unsigned lower,
                                          double wedgeFactor)
{
    std::vector<CModuleOutline> out;
    const std::size_t n = EntityCount(data);
    CModuleOutline prev;
    for (std::size_t k = 0; k < lower; ++k) {
        const std::size_t i = static_cast<std::size_t>(upper) + k;
        if (i >= n)
            break;
        const CAxisEntity& e = (*data.entities)[i];
        prev = NextLower(prev, e.y, e.z, Rad(At(data.wedges, i)) * wedgeFactor, At(data.depths, i));
        out.push_back(prev);
    }
    return out;
}

void FitToWindow(CArrangementViewParam& param, const CLineArrayPreviewData& data, const CRect& client)
{
    const int cw = client.Width();
    const int ch = client.Height();
    const int w = static_cast<int>((1.0 - param.m_dMarginLeft - param.m_dMarginRight) * cw);
    const int f = static_cast<int>((1.0 - param.m_dMarginTop - param.m_dMarginBottom) * ch);

    const std::vector<CModuleOutline> uppers = UpperOutlines(data, param.m_nUpper, 1.0);
    const std::vector<CModuleOutline> lowers = LowerOutlines(data, param.m_nUpper, param.m_nLower, 1.0);
    const CModuleOutline topmost = uppers.empty() ? CModuleOutline() : uppers.back();
    const CModuleOutline lowest = lowers.empty() ? CModuleOutline() : lowers.back();

    const double left = std::min(lowest.p2x, topmost.p3x);
    const double top = topmost.p1z;
    const double bottom = lowest.p0z;

    // The width left for the array beside the arrow, taken as an unsigned
    // number as the fit has always done (a frame narrower than the arrow
    // leaves the height to decide).
    const double widthForArray = static_cast<double>(static_cast<unsigned>(w - kArrowLength));
    const double height = std::fabs(top - bottom);
    const double depth = std::fabs(0.0 - left);
    // An array without height or depth cannot limit the scale in that
    // direction; without either the scale stays as it was.
    const bool haveY = height > 0.0 && std::isfinite(height);
    const bool haveX = depth > 0.0 && std::isfinite(depth);
    const double sy = haveY ? f / height : 0.0;
    const double sx = haveX ? widthForArray / depth : 0.0;

    double scale = param.m_dScale;
    if (haveX && haveY)
        scale = sx < sy ? sx : sy;
    else if (haveX)
        scale = sx;
    else if (haveY)
        scale = sy;

    param.SetExtents(left, top, 0.0, bottom);
    param.SetScale(scale);
}

namespace {

struct CPixelMap {
    const CArrangementViewParam& param;
    const CRect& client;
    CPoint operator()(double x, double z) const
    {
        return CPoint(client.left + param.XToPixel(x, client.Width()), client.top + param.YToPixel(z, client.Height()));
    }
};

void DrawOutline(IDrawingContext& dc, const CPixelMap& map, const CModuleOutline& o, OutlineStyle style,
                 std::size_t element)
{
    const CPoint p0 = map(o.p0x, o.p0z);
    const CPoint p1 = map(o.p1x, o.p1z);
    const CPoint p2 = map(o.p2x, o.p2z);
    const CPoint p3 = map(o.p3x, o.p3z);
    dc.MoveTo(p1.x, p1.y);
    dc.LineTo(p0.x, p0.y);
    if (style == OutlineStyle::Closed || element % 8 == 7)
        dc.LineTo(p2.x, p2.y);
    else
        dc.MoveTo(p2.x, p2.y);
    dc.LineTo(p3.x, p3.y);
    if (style == OutlineStyle::Closed || element % 8 == 0)
        dc.LineTo(p1.x, p1.y);
}

}  // namespace

void Paint(IDrawingContext& dc, const CRect& client, CArrangementViewParam& param, const CLineArrayPreviewData& data,
           OutlineStyle style, int arrowLength, int markerRadius)
{
    dc.FillSolidRect(client, RGB(255, 255, 255));
    FitToWindow(param, data, client);

    CPenSpec pen;
    pen.style = PS_SOLID;
    pen.width = 1;
    pen.color = RGB(0, 127, 0);
    const CPenSpec previous = dc.SelectPen(pen);

    const CPixelMap map{param, client};
    const CPoint origin = map(0.0, 0.0);
    dc.Ellipse(origin.x - markerRadius, origin.y + markerRadius, origin.x + markerRadius, origin.y - markerRadius);

    // Elements are counted from the top of the array: the upper stack from
    // its topmost module down, then the lower stack.
    const std::vector<CModuleOutline> uppers = UpperOutlines(data, param.m_nUpper, 0.5);
    const std::vector<CModuleOutline> lowers = LowerOutlines(data, param.m_nUpper, param.m_nLower, 0.5);
    for (std::size_t i = 0; i < uppers.size(); ++i)
        DrawOutline(dc, map, uppers[i], style, uppers.size() - 1 - i);
    for (std::size_t i = 0; i < lowers.size(); ++i)
        DrawOutline(dc, map, lowers[i], style, uppers.size() + i);

    dc.MoveTo(origin.x, origin.y);
    dc.LineTo(origin.x + arrowLength, origin.y);
    dc.LineTo(origin.x + arrowLength - 10, origin.y + 10);
    dc.MoveTo(origin.x + arrowLength, origin.y);
    dc.LineTo(origin.x + arrowLength - 10, origin.y - 10);

    dc.SelectPen(previous);
}

}  // namespace LineArrayPreview
