#pragma once
// The frequency-response pane without its window: the graph entry of the
// document it shows, the layout of the plot in its client area (or on the
// printed page), the mapping of axis values to pixels and the drawing of
// grid, labels and curves through a drawing context.
//
// The widget hands in its client rectangle, its hints, resizes and
// activation, and draws with OnDraw; everything else happens here.

#include "platform/DrawingContext.h"
#include "platform/Printing.h"
#include "platform/Types.h"

#include <functional>
#include <string>

class CKDRDoc;
class CSoundGraphDataList;

class CSoundGraphViewCore : public IPrintable {
public:
    static constexpr int kScreenFontHeight = 12;
    static constexpr int kPrintFontHeight = 120;
    // The area the printed graph is laid out on, in printer dots at the
    // layout resolution (kPrintLayoutResolution). The print font and the
    // page's margins around the plot (a new window's margins times the print
    // font's height over the screen font's) are dots at that resolution too.
    static constexpr int kPrintAreaWidth = 3360;
    static constexpr int kPrintAreaHeight = 4752;
    // At most this many lines of a linear grid; a denser grid (or a step that
    // is not a positive number) draws only the lines at both ends of the axis.
    static constexpr int kMaxGridLines = 1000;
    // Pixel coordinates are kept within +-kMaxCoordinate (before the margins
    // are added) so that far-off values still give a line in their direction.
    static constexpr int kMaxCoordinate = 1000000;
    // The scroll size never exceeds this many pixels either way.
    static constexpr int kMaxScrollSize = 1000000;

    explicit CSoundGraphViewCore(CKDRDoc& doc);
    CSoundGraphViewCore(const CSoundGraphViewCore&) = delete;
    CSoundGraphViewCore& operator=(const CSoundGraphViewCore&) = delete;
    ~CSoundGraphViewCore() override = default;

    CKDRDoc& GetDocument() const { return m_doc; }

    // The client area of the window (in pixels, top-left usually 0, 0).
    void SetClientRect(const CRect& client) { m_rectClient = client; }
    const CRect& GetClientRect() const { return m_rectClient; }

    // A project loaded from a file takes its graph entry 0; a new project
    // adds an entry with the default axes (or a copy of the active entry).
    void OnInitialUpdate();
    // True when the hint asks for a redraw (hint 4 only).
    bool OnUpdate(long hint) const;
    // Takes the new client area; true when the window must be redrawn (once
    // initialised the scales are recomputed to fill it).
    bool OnSize(const CRect& client);
    // The document's active graph becomes this view's.
    void OnActivateView();
    // The view goes: its entry leaves the document's list and every other
    // frequency-response view of the document after it moves down by one.
    void Detach();

    // Printing: the graph is laid out on the print area with the print font,
    // both in proportion to the printer's resolution (and smaller where the
    // page is), and the window's own layout is back afterwards.
    bool OnPreparePrinting(CPrintInfo& info) override;
    void OnBeginPrinting(IDrawingContext& dc, CPrintInfo& info) override;
    void OnPrint(IDrawingContext& dc, CPrintInfo& info) override;
    void OnEndPrinting(IDrawingContext& dc, CPrintInfo& info) override;
    // Ends a print job that was prepared but never begun (the print dialog
    // was cancelled).
    void EndPrintingIfActive();

    // recompute: the scales are computed anew from the client area (the print
    // area while printing) and stored in the entry; then the scroll size.
    void RecalcLayout(BOOL recompute);
    int XToPixel(double x) const;
    int YToPixel(double y) const;
    // The same mapping; false for a value that has no place on the axis (not
    // a number, infinite, or not above 0 on a logarithmic axis).
    bool MapX(double x, int& px) const;
    bool MapY(double y, int& py) const;

    // Grid, labels and curves.
    void Draw(IDrawingContext& dc) const;
    // The whole client area white, then the graph.
    void OnDraw(IDrawingContext& dc) const;

    int GetGraphIndex() const { return m_nGraph; }
    void SetGraphIndex(int index) { m_nGraph = index; }
    BOOL IsInitialized() const { return m_bInitialized; }
    BOOL IsPrinting() const { return m_bPrinting; }
    // The area and the margins of the page while printing.
    const CRect& GetPrintArea() const { return m_rectPrintArea; }
    const CRect& GetPrintMargin() const { return m_rectPrintMargin; }
    // The scroll size (the height is the H of YToPixel).
    CSize GetTotalSize() const { return m_sizeTotal; }
    const CFontSpec& GetScreenFont() const { return m_fontScreen; }
    const CFontSpec& GetPrintFont() const { return m_fontPrint; }

    // The view's graph, or nullptr when the document holds no entry for it.
    const CSoundGraphDataList* GetGraph() const;
    // True when both axes have a range the graph can be drawn on.
    bool IsDrawable() const;

    // The values of a logarithmic axis from min to max that get a grid line,
    // in order, each with true for a major (labelled) line.
    static void WalkLogValues(double min, double max, const std::function<void(double, bool)>& visit);
    // The label of a major value of a logarithmic axis.
    static std::string LogLabel(double v);

private:
    struct Axis {
        bool log = false;
        double min = 0.0;
        double max = 0.0;
        double step = 0.0;
        double scale = 0.0;
    };
    bool GetAxes(Axis& x, Axis& y) const;
    // The margins around the plot: the page's while printing, else the entry's.
    CRect Margin() const;
    // The page's area, print font and margins at f times their size at the
    // layout resolution.
    void SetPageScale(double f);
    static double Span(bool log, double min, double max);
    static bool Usable(const Axis& a);
    // The pixel offset of v from the axis start, truncated (false when it has none).
    static bool Offset(const Axis& a, double v, double sign, int& out);
    void DrawLinearGrid(IDrawingContext& dc, const Axis& a, bool isX, int h) const;
    void DrawLogGrid(IDrawingContext& dc, const Axis& a, bool isX, int h) const;
    void DrawCurves(IDrawingContext& dc) const;

    CKDRDoc& m_doc;
    int m_nGraph = 0;
    BOOL m_bInitialized = FALSE;
    CFontSpec m_fontScreen;
    CFontSpec m_fontPrint;
    int m_nScreenFontHeight = kScreenFontHeight;
    int m_nPrintFontHeight = kPrintFontHeight;
    BOOL m_bPrinting = FALSE;

    CRect m_rectClient;
    // The page's layout while printing, in printer dots.
    CRect m_rectPrintArea;
    CRect m_rectPrintMargin;
    CSize m_sizeTotal{1, 1};
    // The entry's scales while a print job has them replaced.
    bool m_bScalesSaved = false;
    double m_dSavedXScale = 0.0;
    double m_dSavedYScale = 0.0;
};
