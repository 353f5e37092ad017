#include "dialogs/TypeHViewStatic.h"

#include "dialogs/CabinetArrangementDialog.h"
#include "dialogs/LineArrayPreview.h"
#include "platform/DrawingContext.h"

#include <vector>

namespace {

// Which edges of element j a box painter draws.
struct CElementEdges {
    bool rear = false;     // P2-P3
    bool bottom = false;   // P0-P2
    bool top = false;      // P3-P1
    bool backbone = false; // from P2 straight up to height 0, then to the rigging point
};

// The painter of n elements: one box of 9 or 16 elements drawn as one
// outline with a curved front; two boxes (9 + 16 or 16 + 16) drawn element
// by element with the top and bottom of each box. Any other count draws no
// element (false).
bool EdgesOf(std::size_t n, std::size_t j, CElementEdges& e)
{
    e = CElementEdges();
    switch (n) {
    case 9:
    case 16:
        e.bottom = e.backbone = j == n - 1;
        e.top = j == 0;
        return true;
    case 25:
    case 32: {
        const std::size_t firstBox = n == 25 ? 9 : 16;
        e.rear = true;
        e.bottom = j == firstBox - 1 || j == n - 1;
        e.top = j == 0 || j == firstBox;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

void CTypeHViewStatic::OnPaint(IDrawingContext& dc, const CRect& client)
{
    if (m_pDialog == nullptr)
        return;
    CArrangementViewParam& param = m_pDialog->GetViewParam();
    const CLineArrayPreviewData data = m_pDialog->GetPreviewData();

    dc.FillSolidRect(client, RGB(255, 255, 255));
    LineArrayPreview::FitToWindow(param, data, client);

    CPenSpec pen;
    pen.style = PS_SOLID;
    pen.width = 1;
    pen.color = RGB(0, 127, 0);
    const CPenSpec previous = dc.SelectPen(pen);

    auto map = [&](double x, double z) {
        return CPoint(client.left + XToPixel(x, client), client.top + YToPixel(z, client));
    };
    const CPoint origin = map(0.0, 0.0);
    dc.Ellipse(origin.x - m_nMarkerRadius, origin.y + m_nMarkerRadius, origin.x + m_nMarkerRadius,
               origin.y - m_nMarkerRadius);

    // Elements are counted from the top of the array: an upper stack (which
    // the dialog never builds) from its topmost element down, then the
    // elements hanging below the rigging point.
    const std::vector<CModuleOutline> uppers = LineArrayPreview::UpperOutlines(data, param.m_nUpper, 0.5);
    const std::vector<CModuleOutline> lowers =
        LineArrayPreview::LowerOutlines(data, param.m_nUpper, param.m_nLower, 0.5);
    std::vector<CModuleOutline> elements(uppers.rbegin(), uppers.rend());
    elements.insert(elements.end(), lowers.begin(), lowers.end());

    const std::size_t n = param.GetTotalModules();
    CElementEdges edges;
    for (std::size_t j = 0; j < elements.size() && EdgesOf(n, j, edges); ++j) {
        const CModuleOutline& o = elements[j];
        const CPoint p0 = map(o.p0x, o.p0z);
        const CPoint p1 = map(o.p1x, o.p1z);
        const CPoint p2 = map(o.p2x, o.p2z);
        const CPoint p3 = map(o.p3x, o.p3z);
        dc.MoveTo(p1.x, p1.y);
        dc.LineTo(p0.x, p0.y);
        if (edges.bottom)
            dc.LineTo(p2.x, p2.y);
        if (edges.rear) {
            dc.MoveTo(p2.x, p2.y);
            dc.LineTo(p3.x, p3.y);
        }
        if (edges.top) {
            dc.MoveTo(p3.x, p3.y);
            dc.LineTo(p1.x, p1.y);
        }
        if (edges.backbone) {
            const CPoint up = map(o.p2x, 0.0);
            dc.MoveTo(p2.x, p2.y);
            dc.LineTo(up.x, up.y);
            dc.LineTo(origin.x, origin.y);
        }
    }

    dc.MoveTo(origin.x, origin.y);
    dc.LineTo(origin.x + m_nArrowLength, origin.y);
    dc.LineTo(origin.x + m_nArrowLength - 10, origin.y + 10);
    dc.MoveTo(origin.x + m_nArrowLength, origin.y);
    dc.LineTo(origin.x + m_nArrowLength - 10, origin.y - 10);

    dc.SelectPen(previous);
}
