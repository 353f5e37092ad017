#include "views/SoundGraphViewCore.h"

#include "document/KDRDoc.h"
#include "document/SoundGraphConditionList.h"
#include "models/NumberFormat.h"
#include "resources/StringTable.h"
#include "views/SoundGraphViewLink.h"

#include <algorithm>
#include <cmath>

namespace {

// String-table ids of the unit labels.
constexpr unsigned IDS_GRAPH_UNIT_HZ = 63131;
constexpr unsigned IDS_GRAPH_UNIT_DB = 63132;

constexpr COLORREF kMinorGridColor = RGB(200, 200, 200);
constexpr COLORREF kMajorGridColor = RGB(127, 127, 127);
constexpr COLORREF kCurveColor = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The default axes of a new window: logarithmic x from 20 to 20000 Hz,
// linear y from 50 to 120 dB, x step 1000, y step 10; margins left 30,
// top 20, right 20, bottom 36.
constexpr int kDefaultXType = 1, kDefaultYType = 0;
constexpr double kDefaultXMin = 20.0, kDefaultYMin = 50.0, kDefaultXMax = 20000.0, kDefaultYMax = 120.0;
constexpr double kDefaultXStep = 1000.0, kDefaultYStep = 10.0;
constexpr LONG kDefaultLeft = 30, kDefaultTop = 20, kDefaultRight = 20, kDefaultBottom = 36;

// The logarithmic walk never takes more steps than this (a finite maximum
// needs fewer than 3000).
constexpr int kMaxLogSteps = 10000;

int TruncToInt(double v)
{
    const double limit = CSoundGraphViewCore::kMaxCoordinate;
    return static_cast<int>(std::trunc(std::clamp(v, -limit, limit)));
}

// trunc(v) for a pixel position that is already near the plot.
int Trunc(double v) { return TruncToInt(v); }

CPenSpec Pen(COLORREF color) { return CPenSpec{PS_SOLID, 1, color}; }

}  // namespace

CSoundGraphViewCore::CSoundGraphViewCore(CKDRDoc& doc) : m_doc(doc)
{
    m_fontScreen.height = m_nScreenFontHeight;
    SetPageScale(1.0);
}

void CSoundGraphViewCore::SetPageScale(double f)
{
    auto dots = [f](double v) { return std::max(1, static_cast<int>(std::lround(v * f))); };
    m_rectPrintArea = CRect(0, 0, dots(kPrintAreaWidth), dots(kPrintAreaHeight));
    m_nPrintFontHeight = dots(kPrintFontHeight);
    m_fontPrint.height = m_nPrintFontHeight;
    const double fontRatio = static_cast<double>(kPrintFontHeight) / kScreenFontHeight;
    m_rectPrintMargin = CRect(dots(kDefaultLeft * fontRatio), dots(kDefaultTop * fontRatio),
                              dots(kDefaultRight * fontRatio), dots(kDefaultBottom * fontRatio));
}

const CSoundGraphDataList* CSoundGraphViewCore::GetGraph() const
{
    const CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    if (m_nGraph < 0 || m_nGraph >= list.GetCount())
        return nullptr;
    return &list.GetGraph(m_nGraph);
}

void CSoundGraphViewCore::OnInitialUpdate()
{
    CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    // A loaded project shows its stored entry 0. A file without any entry
    // gets one as a new project does, so the view always has its graph.
    if (m_doc.m_bOpenedFromFile && list.GetCount() > 0) {
        m_nGraph = 0;
        m_bInitialized = TRUE;
        RecalcLayout(FALSE);
        return;
    }
    CSoundGraphDataList graph;
    graph.Init(kDefaultXType, kDefaultYType, kDefaultXMin, kDefaultYMin, kDefaultXMax, kDefaultYMax, kDefaultXStep,
               kDefaultYStep);
    const int source = list.GetActive() >= 0 ? list.GetActive() : -1;
    list.Add(source, kDefaultLeft, kDefaultTop, kDefaultRight, kDefaultBottom, 0.0, 0.0, graph);
    m_nGraph = list.GetCount() - 1;
    m_bInitialized = TRUE;
    RecalcLayout(TRUE);
}

bool CSoundGraphViewCore::OnUpdate(long hint) const
{
    return hint == kHintGraphs;
}

bool CSoundGraphViewCore::OnSize(const CRect& client)
{
    m_rectClient = client;
    if (!m_bInitialized)
        return false;
    RecalcLayout(TRUE);
    return true;
}

void CSoundGraphViewCore::OnActivateView()
{
    m_doc.m_soundGraphConditions.SetActive(m_nGraph);
}

void CSoundGraphViewCore::Detach()
{
    // Only a view that took an entry gives one back (and only once).
    if (!m_bInitialized)
        return;
    const int removed = m_nGraph;
    m_doc.m_soundGraphConditions.RemoveAt(removed);
    for (IView* view : m_doc.GetViews()) {
        auto* link = dynamic_cast<ISoundGraphViewLink*>(view);
        if (!link)
            continue;
        CSoundGraphViewCore& other = link->GetGraphCore();
        if (&other != this && other.m_nGraph > removed)
            --other.m_nGraph;
    }
    m_nGraph = -1;
    m_bInitialized = FALSE;
}

bool CSoundGraphViewCore::OnPreparePrinting(CPrintInfo&)
{
    m_bPrinting = TRUE;
    return true;
}

void CSoundGraphViewCore::OnBeginPrinting(IDrawingContext& dc, CPrintInfo&)
{
    m_bPrinting = TRUE;
    // The page's layout in dots of this printer: the print area, the print
    // font and margins that leave the labels room in the proportion they
    // have on screen (the margins of a new window to the screen font), all
    // scaled to the printer's resolution and, where the printable area is
    // smaller than the print area, to the printable area.
    const int resolution = dc.GetDeviceCaps(LOGPIXELSX);
    double f = resolution > 0 ? static_cast<double>(resolution) / kPrintLayoutResolution : 1.0;
    const int horz = dc.GetDeviceCaps(HORZRES);
    const int vert = dc.GetDeviceCaps(VERTRES);
    if (horz > 0 && vert > 0)
        f = std::min({f, static_cast<double>(horz) / kPrintAreaWidth, static_cast<double>(vert) / kPrintAreaHeight});
    SetPageScale(f);
    CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    if (m_nGraph >= 0 && m_nGraph < list.GetCount() && !m_bScalesSaved) {
        m_dSavedXScale = list.GetXScale(m_nGraph);
        m_dSavedYScale = list.GetYScale(m_nGraph);
        m_bScalesSaved = true;
    }
    RecalcLayout(TRUE);
}

void CSoundGraphViewCore::OnPrint(IDrawingContext& dc, CPrintInfo&)
{
    Draw(dc);
}

void CSoundGraphViewCore::OnEndPrinting(IDrawingContext&, CPrintInfo&)
{
    EndPrintingIfActive();
}

void CSoundGraphViewCore::EndPrintingIfActive()
{
    if (!m_bPrinting && !m_bScalesSaved)
        return;
    m_bPrinting = FALSE;
    // The window's own scales come back (the page layout is not the
    // project's), and with them its scroll size.
    CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    if (m_bScalesSaved && m_nGraph >= 0 && m_nGraph < list.GetCount()) {
        list.SetXScale(m_nGraph, m_dSavedXScale);
        list.SetYScale(m_nGraph, m_dSavedYScale);
    }
    m_bScalesSaved = false;
    RecalcLayout(FALSE);
}

double CSoundGraphViewCore::Span(bool log, double min, double max)
{
    return log ? std::log10(max) - std::log10(min) : max - min;
}

bool CSoundGraphViewCore::Usable(const Axis& a)
{
    if (!std::isfinite(a.min) || !std::isfinite(a.max))
        return false;
    if (a.log && !(a.min > 0.0))
        return false;
    const double span = Span(a.log, a.min, a.max);
    return std::isfinite(span) && span > 0.0;
}

bool CSoundGraphViewCore::GetAxes(Axis& x, Axis& y) const
{
    const CSoundGraphDataList* g = GetGraph();
    if (!g)
        return false;
    const CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    x = Axis{g->GetXScaleType() == 1, g->GetXMin(), g->GetXMax(), g->GetXStep(), list.GetXScale(m_nGraph)};
    y = Axis{g->GetYScaleType() == 1, g->GetYMin(), g->GetYMax(), g->GetYStep(), list.GetYScale(m_nGraph)};
    return true;
}

CRect CSoundGraphViewCore::Margin() const
{
    if (m_bPrinting)
        return m_rectPrintMargin;
    const CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    return m_nGraph >= 0 && m_nGraph < list.GetCount() ? list.GetMargin(m_nGraph) : CRect();
}

bool CSoundGraphViewCore::IsDrawable() const
{
    Axis x, y;
    return GetAxes(x, y) && Usable(x) && Usable(y) && std::isfinite(x.scale) && std::isfinite(y.scale);
}

void CSoundGraphViewCore::RecalcLayout(BOOL recompute)
{
    Axis x, y;
    if (!GetAxes(x, y)) {
        m_sizeTotal = CSize(1, 1);
        return;
    }
    CSoundGraphConditionList& list = m_doc.m_soundGraphConditions;
    const CRect m = Margin();
    const double xSpan = Usable(x) ? Span(x.log, x.min, x.max) : 0.0;
    const double ySpan = Usable(y) ? Span(y.log, y.min, y.max) : 0.0;
    if (recompute) {
        const CRect area = m_bPrinting ? m_rectPrintArea : m_rectClient;
        // An axis without a usable range gets no scale.
        y.scale = ySpan > 0.0 ? static_cast<double>(area.bottom - m.bottom - m.top - area.top) / ySpan : 0.0;
        x.scale = xSpan > 0.0 ? static_cast<double>(area.right - m.right - m.left - area.left) / xSpan : 0.0;
        list.SetYScale(m_nGraph, y.scale);
        list.SetXScale(m_nGraph, x.scale);
    }
    auto extent = [](double scale, double span, double before, double after) {
        double plot = scale * span;
        if (!std::isfinite(plot))
            plot = 0.0;
        const double v = std::trunc(std::clamp(plot + before + after - 0.5, -1.0, double(kMaxScrollSize))) + 1.0;
        return std::clamp(static_cast<int>(v), 1, kMaxScrollSize);
    };
    m_sizeTotal = CSize(extent(x.scale, xSpan, m.left, m.right), extent(y.scale, ySpan, m.top, m.bottom));
}

bool CSoundGraphViewCore::MapX(double x, int& px) const
{
    Axis ax, ay;
    if (!GetAxes(ax, ay))
        return false;
    double d;
    if (ax.log) {
        if (!(x > 0.0) || !(ax.min > 0.0))
            return false;
        d = ax.scale * (std::log10(x) - std::log10(ax.min));
    } else {
        d = ax.scale * (x - ax.min);
    }
    d -= 0.5;
    if (!std::isfinite(d))
        return false;
    px = TruncToInt(d) + Margin().left + 1;
    return true;
}

bool CSoundGraphViewCore::MapY(double y, int& py) const
{
    Axis ax, ay;
    if (!GetAxes(ax, ay))
        return false;
    double d;
    if (ay.log) {
        if (!(y > 0.0) || !(ay.min > 0.0))
            return false;
        d = ay.scale * (std::log10(y) - std::log10(ay.min));
    } else {
        d = ay.scale * (y - ay.min);
    }
    d = -d - 0.5;
    if (!std::isfinite(d))
        return false;
    py = TruncToInt(d) - Margin().bottom + m_sizeTotal.cy + 1;
    return true;
}

int CSoundGraphViewCore::XToPixel(double x) const
{
    int px = 0;
    if (MapX(x, px))
        return px;
    const CSoundGraphDataList* g = GetGraph();
    return g ? Margin().left + 1 : 0;
}

int CSoundGraphViewCore::YToPixel(double y) const
{
    int py = 0;
    if (MapY(y, py))
        return py;
    const CSoundGraphDataList* g = GetGraph();
    return g ? m_sizeTotal.cy - Margin().bottom + 1 : 0;
}

void CSoundGraphViewCore::WalkLogValues(double min, double max, const std::function<void(double, bool)>& visit)
{
    if (!std::isfinite(max) || std::isnan(min))
        return;
    double v = 2.0;
    double step = 1.0;
    for (int n = 0; n < kMaxLogSteps && v <= max; ++n) {
        if (v >= min)
            visit(v, v == 10.0 * step || v == min || v == max);
        if (v >= 10.0 * step)
            step = 10.0 * step;
        v = v + step;
    }
}

std::string CSoundGraphViewCore::LogLabel(double v)
{
    if (v < 1000.0)
        return FormatNumber(v, 3);
    return FormatNumber(v / 1000.0, 3) + "k";
}

void CSoundGraphViewCore::DrawLinearGrid(IDrawingContext& dc, const Axis& a, bool isX, int h) const
{
    Axis ax, ay;
    GetAxes(ax, ay);
    auto line = [&](double v) {
        if (isX) {
            const int px = XToPixel(v);
            dc.TextOut(px - 2 * h, Trunc(YToPixel(ay.min) + 0.5 * h), FormatNumber(v, 3));
            dc.MoveTo(px, YToPixel(ay.min));
            dc.LineTo(px, YToPixel(ay.max));
        } else {
            const int py = YToPixel(v);
            dc.TextOut(XToPixel(ax.min) - 2 * h, py - h / 2, FormatNumber(v, 3));
            dc.MoveTo(XToPixel(ax.min), py);
            dc.LineTo(XToPixel(ax.max), py);
        }
    };
    dc.SelectPen(Pen(kMajorGridColor));
    const double count = (a.max - a.min) / a.step + 1.0;
    if (a.step > 0.0 && std::isfinite(a.step) && count <= kMaxGridLines) {
        for (int n = 0; n < count; ++n)
            line(isX ? n * a.step + a.min : a.step * n + a.min);
    } else {
        // No usable step: only the two ends of the axis.
        line(a.min);
        line(a.max);
    }
}

void CSoundGraphViewCore::DrawLogGrid(IDrawingContext& dc, const Axis& a, bool isX, int h) const
{
    Axis ax, ay;
    GetAxes(ax, ay);
    WalkLogValues(a.min, a.max, [&](double v, bool major) {
        dc.SelectPen(Pen(major ? kMajorGridColor : kMinorGridColor));
        if (isX) {
            const int px = XToPixel(v);
            if (major)
                dc.TextOut(px - h / 2, Trunc(YToPixel(ay.min) + 0.5 * h), LogLabel(v));
            dc.MoveTo(px, YToPixel(ay.min));
            dc.LineTo(px, YToPixel(ay.max));
        } else {
            const int py = YToPixel(v);
            if (major)
                dc.TextOut(XToPixel(ax.min) - 2 * h, py - h / 2, LogLabel(v));
            dc.MoveTo(XToPixel(ax.min), py);
            dc.LineTo(XToPixel(ax.max), py);
        }
    });
}

void CSoundGraphViewCore::DrawCurves(IDrawingContext& dc) const
{
    const CSoundGraphDataList* g = GetGraph();
    dc.SelectPen(Pen(kCurveColor));
    for (int c = 0; c < g->GetCurveCount(); ++c) {
        const CSoundGraphData* curve = g->GetCurve(c);
        if (!curve)
            continue;
        // A point without a place on the axes (a level of -infinity, a
        // frequency of 0 on the logarithmic axis) is left out, and the line
        // starts again at the next point that has one.
        bool penDown = false;
        for (int i = 0; i < curve->GetCount(); ++i) {
            int px = 0, py = 0;
            if (!MapX(curve->GetX(i), px) || !MapY(curve->GetY(i), py)) {
                penDown = false;
                continue;
            }
            if (penDown)
                dc.LineTo(px, py);
            else
                dc.MoveTo(px, py);
            penDown = true;
        }
    }
}

void CSoundGraphViewCore::Draw(IDrawingContext& dc) const
{
    if (!IsDrawable())
        return;
    Axis x, y;
    GetAxes(x, y);
    const CFontSpec& font = m_bPrinting ? m_fontPrint : m_fontScreen;
    const int h = m_bPrinting ? m_nPrintFontHeight : m_nScreenFontHeight;
    const CFontSpec oldFont = dc.SelectFont(font);
    const CPenSpec oldPen = dc.SelectPen(Pen(kMajorGridColor));
    dc.SetBkColor(kWhite);

    dc.TextOut(Trunc(XToPixel(x.max) - 1.5 * h), Trunc(YToPixel(y.min) + 1.5 * h), LoadStringId(IDS_GRAPH_UNIT_HZ));
    dc.TextOut(XToPixel(x.min) - 2 * h, Trunc(YToPixel(y.max) - 1.5 * h), LoadStringId(IDS_GRAPH_UNIT_DB));

    if (y.log)
        DrawLogGrid(dc, y, false, h);
    else
        DrawLinearGrid(dc, y, false, h);
    if (x.log)
        DrawLogGrid(dc, x, true, h);
    else
        DrawLinearGrid(dc, x, true, h);

    DrawCurves(dc);

    dc.SelectPen(oldPen);
    dc.SelectFont(oldFont);
}

void CSoundGraphViewCore::OnDraw(IDrawingContext& dc) const
{
    CRect area = m_rectClient;
    area.right = std::max(area.right, area.left + m_sizeTotal.cx);
    area.bottom = std::max(area.bottom, area.top + m_sizeTotal.cy);
    dc.FillSolidRect(area, kWhite);
    Draw(dc);
}
