// The frequency-response pane without its window: the graph entry it adds
// or takes, the layout, the pixels of axes, grid, labels and curves as a
// recording drawing context sees them, printing, and damaged axes.

#include "document/KDRDoc.h"
#include "platform/Document.h"
#include "platform/RecordingDC.h"
#include "views/SoundGraphViewCore.h"
#include "views/SoundGraphViewLink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kMinor = RGB(200, 200, 200);
constexpr COLORREF kMajor = RGB(127, 127, 127);
constexpr COLORREF kBlack = RGB(0, 0, 0);
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A pane as the document sees it among its views.
struct FakeGraphView : IView, ISoundGraphViewLink {
    explicit FakeGraphView(CKDRDoc& doc) : core(doc) {}
    void OnUpdate(IView*, long) override {}
    CSoundGraphViewCore& GetGraphCore() override { return core; }
    CSoundGraphViewCore core;
};

std::vector<CRecordedLine> LinesOf(const CRecordingDC& dc, COLORREF color)
{
    std::vector<CRecordedLine> out;
    for (const CRecordedLine& l : dc.Lines())
        if (l.pen.color == color)
            out.push_back(l);
    return out;
}

struct Text {
    CPoint at;
    std::string text;
};

std::vector<Text> TextsOf(const CRecordingDC& dc)
{
    std::vector<Text> out;
    for (const CDrawOp& op : dc.OpsOf(CDrawOp::TextOut))
        out.push_back({op.points.at(0), op.text});
    return out;
}

// A new project's pane of 350 x 196 pixels: with the margins 30, 20, 20, 36
// the three decades get 100 pixels each and the 70 dB 2 pixels per dB.
class GraphViewTest : public ::testing::Test {
protected:
    GraphViewTest()
    {
        view.core.SetClientRect(CRect(0, 0, 350, 196));
        view.core.OnInitialUpdate();
    }
    CSoundGraphDataList& Graph() { return doc.m_soundGraphConditions.GetGraph(view.core.GetGraphIndex()); }
    CSoundGraphViewCore& Core() { return view.core; }

    CKDRDoc doc;
    FakeGraphView view{doc};
};

}  // namespace

TEST_F(GraphViewTest, NewProjectAddsTheDefaultEntryAndFillsTheWindow)
{
    const CSoundGraphConditionList& list = doc.m_soundGraphConditions;
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(Core().GetGraphIndex(), 0);
    EXPECT_TRUE(Core().IsInitialized());
    EXPECT_EQ(list.GetMargin(0), CRect(30, 20, 20, 36));
    const CSoundGraphDataList& g = list.GetGraph(0);
    EXPECT_EQ(g.GetXScaleType(), 1);
    EXPECT_EQ(g.GetYScaleType(), 0);
    EXPECT_EQ(g.GetXMin(), 20.0);
    EXPECT_EQ(g.GetXMax(), 20000.0);
    EXPECT_EQ(g.GetYMin(), 50.0);
    EXPECT_EQ(g.GetYMax(), 120.0);
    EXPECT_EQ(g.GetXStep(), 1000.0);
    EXPECT_EQ(g.GetYStep(), 10.0);
    EXPECT_EQ(g.GetCurveCount(), 1);
    EXPECT_NEAR(list.GetXScale(0), 100.0, 1e-9);
    EXPECT_NEAR(list.GetYScale(0), 2.0, 1e-12);
    EXPECT_EQ(Core().GetTotalSize(), CSize(350, 196));

    // Axis ends and a value between grid lines.
    EXPECT_EQ(Core().XToPixel(20.0), 31);
    EXPECT_EQ(Core().XToPixel(100.0), 100);
    EXPECT_EQ(Core().XToPixel(20000.0), 330);
    EXPECT_EQ(Core().YToPixel(50.0), 161);
    EXPECT_EQ(Core().YToPixel(60.0), 141);
    EXPECT_EQ(Core().YToPixel(120.0), 21);
    EXPECT_EQ(Core().YToPixel(55.3), 150);  // trunc(-10.6 - 0.5) = -11
}

TEST_F(GraphViewTest, DrawsUnitLabelsGridAndNumberLabelsAtTheirPixels)
{
    CRecordingDC dc;
    Core().Draw(dc);

    const std::vector<Text> texts = TextsOf(dc);
    const std::vector<std::string> expected = {"[Hz]", "[dB]", "50", "60", "70", "80", "90", "100", "110", "120",
                                               "20", "100", "1k", "10k", "20k"};
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(texts[i].text, expected[i]) << i;
    EXPECT_EQ(texts[0].at, CPoint(312, 179));  // [Hz]: (330 - 18, 161 + 18)
    EXPECT_EQ(texts[1].at, CPoint(7, 3));      // [dB]: (31 - 24, 21 - 18)
    EXPECT_EQ(texts[2].at, CPoint(7, 155));    // 50 dB: (31 - 24, 161 - 6)
    EXPECT_EQ(texts[9].at, CPoint(7, 15));     // 120 dB
    EXPECT_EQ(texts[10].at, CPoint(25, 167));  // 20 Hz: (31 - 6, 161 + 6)
    EXPECT_EQ(texts[11].at, CPoint(94, 167));
    EXPECT_EQ(texts[12].at, CPoint(194, 167));
    EXPECT_EQ(texts[13].at, CPoint(294, 167));
    EXPECT_EQ(texts[14].at, CPoint(324, 167));
    for (const CDrawOp& op : dc.OpsOf(CDrawOp::TextOut)) {
        EXPECT_EQ(op.font.height, 12);
        EXPECT_EQ(op.bkColor, RGB(255, 255, 255));
    }

    // Horizontal lines every 10 dB, vertical major lines at 20, 100, 1k,
    // 10k, 20k and minor ones at 30..90, 200..900, 2k..9k.
    const std::vector<CRecordedLine> major = LinesOf(dc, kMajor);
    ASSERT_EQ(major.size(), 13u);
    EXPECT_EQ(major[0].from, CPoint(31, 161));
    EXPECT_EQ(major[0].to, CPoint(330, 161));
    EXPECT_EQ(major[7].from, CPoint(31, 21));
    EXPECT_EQ(major[7].to, CPoint(330, 21));
    const int majorX[] = {31, 100, 200, 300, 330};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(major[8 + i].from, CPoint(majorX[i], 161));
        EXPECT_EQ(major[8 + i].to, CPoint(majorX[i], 21));
    }
    const std::vector<CRecordedLine> minor = LinesOf(dc, kMinor);
    ASSERT_EQ(minor.size(), 23u);
    EXPECT_EQ(minor[0].from, CPoint(48, 161));  // 30 Hz: trunc(17.6 - 0.5) + 31
    EXPECT_EQ(minor[0].to, CPoint(48, 21));
    for (const CRecordedLine& l : dc.Lines())
        EXPECT_EQ(l.pen.width, 1);
    // The cleared default curve (one point at 0 Hz) draws nothing.
    EXPECT_TRUE(LinesOf(dc, kBlack).empty());
}

TEST_F(GraphViewTest, CurveSkipsPointsWithoutAPlaceAndRestartsAfterThem)
{
    const double x[] = {20.0, 100.0, 1000.0, 10000.0, 20000.0, 0.0, 100.0, 200.0};
    const double y[] = {50.0, 60.0, -kInf, 80.0, 120.0, 70.0, kNaN, 100.0};
    Graph().SetData(0, 8, x, y);
    const double x2[] = {100.0, 1000.0};
    const double y2[] = {90.0, 1e300};
    CSoundGraphData second;
    second.SetData(2, x2, y2);
    Graph().Append(second);

    CRecordingDC dc;
    Core().Draw(dc);
    const std::vector<CRecordedLine> curve = LinesOf(dc, kBlack);
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_EQ(curve[0].from, CPoint(31, 161));
    EXPECT_EQ(curve[0].to, CPoint(100, 141));
    EXPECT_EQ(curve[1].from, CPoint(300, 101));
    EXPECT_EQ(curve[1].to, CPoint(330, 21));
    // The second curve starts anew; a far-off level keeps its direction.
    EXPECT_EQ(curve[2].from, CPoint(100, 81));
    EXPECT_EQ(curve[2].to, CPoint(200, -CSoundGraphViewCore::kMaxCoordinate + 161));
    // The lone point at 200 Hz after the NaN is only a starting point.
    const std::vector<CDrawOp> moves = dc.OpsOf(CDrawOp::MoveTo);
    bool sawLonePoint = false;
    for (const CDrawOp& op : moves)
        sawLonePoint = sawLonePoint || (op.points[0] == CPoint(Core().XToPixel(200.0), 61) && op.pen.color == kBlack);
    EXPECT_TRUE(sawLonePoint);
}

TEST_F(GraphViewTest, ClearedCurveAfterAnInstallationChangeShowsNothing)
{
    std::vector<double> x(61), y(61);
    for (int i = 0; i < 61; ++i) {
        x[i] = 20.0 * std::pow(10.0, i / 20.0);
        y[i] = 90.0;
    }
    Graph().SetData(0, 61, x.data(), y.data());
    doc.UpdateAfterInstallationChange();
    ASSERT_EQ(Graph().GetCurve(0)->GetCount(), 61);

    CRecordingDC dc;
    Core().Draw(dc);
    EXPECT_TRUE(LinesOf(dc, kBlack).empty());
}

TEST_F(GraphViewTest, HintFourAndResizingRedraw)
{
    for (long hint = 0; hint <= 6; ++hint)
        EXPECT_EQ(Core().OnUpdate(hint), hint == 4) << hint;

    // Resizing recomputes both scales.
    EXPECT_TRUE(Core().OnSize(CRect(0, 0, 650, 336)));
    EXPECT_NEAR(doc.m_soundGraphConditions.GetXScale(0), 200.0, 1e-9);
    EXPECT_NEAR(doc.m_soundGraphConditions.GetYScale(0), 4.0, 1e-12);
    EXPECT_EQ(Core().GetTotalSize(), CSize(650, 336));
    EXPECT_EQ(Core().XToPixel(20000.0), 630);
    EXPECT_EQ(Core().YToPixel(120.0), 21);

    // Before the initial update a resize only keeps the client area.
    CKDRDoc other;
    CSoundGraphViewCore fresh(other);
    EXPECT_FALSE(fresh.OnSize(CRect(0, 0, 100, 100)));
    EXPECT_EQ(other.m_soundGraphConditions.GetCount(), 0);
}

TEST_F(GraphViewTest, LogarithmicLevelAxisStopsAtTheDecadeBelowItsTop)
{
    Graph().SetYScaleType(1);
    Core().RecalcLayout(TRUE);
    CRecordingDC dc;
    Core().Draw(dc);
    // The level labels come right after the two unit labels.
    const std::vector<Text> texts = TextsOf(dc);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[2].text, "50");
    EXPECT_EQ(texts[3].text, "100");
    EXPECT_EQ(texts[4].text, "20");  // the frequency labels follow

    std::vector<double> majors, minors;
    CSoundGraphViewCore::WalkLogValues(50.0, 120.0, [&](double v, bool major) { (major ? majors : minors).push_back(v); });
    EXPECT_EQ(majors, (std::vector<double>{50.0, 100.0}));
    EXPECT_EQ(minors, (std::vector<double>{60.0, 70.0, 80.0, 90.0}));

    // A maximum below 2 draws nothing; 1 and values below the minimum never.
    int visits = 0;
    CSoundGraphViewCore::WalkLogValues(0.1, 1.9, [&](double, bool) { ++visits; });
    EXPECT_EQ(visits, 0);
    EXPECT_EQ(CSoundGraphViewCore::LogLabel(999.0), "999");
    EXPECT_EQ(CSoundGraphViewCore::LogLabel(1000.0), "1k");
    EXPECT_EQ(CSoundGraphViewCore::LogLabel(12345.0), "12.3k");
}

TEST_F(GraphViewTest, LinearFrequencyAxisLabelsEveryStep)
{
    Graph().SetXScaleType(0);
    Graph().SetXRange(0.0, 1000.0);
    Graph().SetSteps(250.0, 10.0);
    Core().RecalcLayout(TRUE);  // 300 px over 1000 Hz
    CRecordingDC dc;
    Core().Draw(dc);
    const std::vector<Text> texts = TextsOf(dc);
    ASSERT_EQ(texts.size(), 2u + 8u + 5u);
    const int xs[] = {31, 105, 180, 255, 330};  // trunc(0.3 x - 0.5) + 31
    const char* labels[] = {"0", "250", "500", "750", "1000"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(texts[10 + i].text, labels[i]);
        EXPECT_EQ(texts[10 + i].at, CPoint(xs[i] - 24, 167));
    }
    EXPECT_TRUE(LinesOf(dc, kMinor).empty());
}

TEST_F(GraphViewTest, GridStaysBoundedForAnyStep)
{
    for (double step : {0.0, 1e-300, -10.0, kNaN, kInf, 1e-9}) {
        Graph().SetSteps(1000.0, step);
        CRecordingDC dc;
        Core().Draw(dc);
        const std::vector<Text> texts = TextsOf(dc);
        // Only both ends of the level axis.
        ASSERT_EQ(texts.size(), 2u + 2u + 5u) << step;
        EXPECT_EQ(texts[2].text, "50");
        EXPECT_EQ(texts[3].text, "120");
    }
    // A dense but drawable grid still draws every line.
    Graph().SetSteps(1000.0, 0.125);
    CRecordingDC dc;
    Core().Draw(dc);
    EXPECT_EQ(TextsOf(dc).size(), 2u + 561u + 5u);

    // A logarithmic axis up to the largest double ends too.
    int visits = 0;
    CSoundGraphViewCore::WalkLogValues(1.0, std::numeric_limits<double>::max(), [&](double, bool) { ++visits; });
    EXPECT_GT(visits, 2000);
    EXPECT_LT(visits, 10000);
    CSoundGraphViewCore::WalkLogValues(1.0, kInf, [&](double, bool) { ++visits; });
    EXPECT_LT(visits, 10000);
}

TEST_F(GraphViewTest, AxesWithoutARangeDrawNothing)
{
    struct Case {
        int xType;
        double xMin, xMax;
    } cases[] = {{1, 0.0, 20000.0}, {1, -5.0, 100.0}, {0, 100.0, 100.0}, {0, 200.0, 100.0}, {0, kNaN, 1.0},
                 {0, 0.0, kInf}};
    for (const Case& c : cases) {
        Graph().SetXScaleType(c.xType);
        Graph().SetXRange(c.xMin, c.xMax);
        Core().RecalcLayout(TRUE);
        EXPECT_FALSE(Core().IsDrawable());
        EXPECT_EQ(doc.m_soundGraphConditions.GetXScale(0), 0.0);
        const CSize size = Core().GetTotalSize();
        EXPECT_EQ(size.cx, 50);  // the margins alone
        CRecordingDC dc;
        Core().Draw(dc);
        EXPECT_TRUE(dc.Ops().empty());
    }
}

TEST_F(GraphViewTest, PrintingLaysTheGraphOutOnThePageAndGivesTheWindowBack)
{
    CPrintInfo info;
    CRecordingDC printer(true);  // 600 dots per inch
    printer.SetDeviceCaps(HORZRES, 4800);
    printer.SetDeviceCaps(VERTRES, 6600);
    ASSERT_TRUE(Core().OnPreparePrinting(info));
    EXPECT_TRUE(Core().IsPrinting());
    Core().OnBeginPrinting(printer, info);
    // Margins 300, 200, 200, 360: the window's 30, 20, 20, 36 in the
    // proportion of the print font to the screen font.
    EXPECT_EQ(Core().GetPrintMargin(), CRect(300, 200, 200, 360));
    EXPECT_NEAR(doc.m_soundGraphConditions.GetXScale(0), 2860.0 / 3.0, 1e-9);
    EXPECT_NEAR(doc.m_soundGraphConditions.GetYScale(0), 4192.0 / 70.0, 1e-9);
    EXPECT_EQ(Core().GetTotalSize(), CSize(3360, 4752));
    Core().OnPrint(printer, info);
    const std::vector<Text> texts = TextsOf(printer);
    ASSERT_FALSE(texts.empty());
    // The unit labels and the top level's label stand inside the page.
    EXPECT_EQ(texts[1].text, "[dB]");
    EXPECT_EQ(texts[1].at, CPoint(301 - 240, 201 - 180));
    EXPECT_EQ(texts[0].at, CPoint(3160 - 180, 4393 + 180));
    EXPECT_EQ(texts[2].text, "50");
    EXPECT_EQ(texts[9].text, "120");
    EXPECT_EQ(texts[9].at, CPoint(301 - 240, 201 - 60));
    for (const CDrawOp& op : printer.OpsOf(CDrawOp::TextOut))
        EXPECT_EQ(op.font.height, 120);
    Core().OnEndPrinting(printer, info);

    EXPECT_FALSE(Core().IsPrinting());
    EXPECT_NEAR(doc.m_soundGraphConditions.GetXScale(0), 100.0, 1e-9);
    EXPECT_EQ(Core().GetTotalSize(), CSize(350, 196));
    CRecordingDC screen;
    Core().Draw(screen);
    for (const CDrawOp& op : screen.OpsOf(CDrawOp::TextOut))
        EXPECT_EQ(op.font.height, 12);
    EXPECT_EQ(TextsOf(screen)[0].at, CPoint(312, 179));

    // A job cancelled in its dialog ends without having begun.
    Core().OnPreparePrinting(info);
    Core().EndPrintingIfActive();
    EXPECT_FALSE(Core().IsPrinting());
    EXPECT_EQ(Core().GetTotalSize(), CSize(350, 196));
}

// The print area, the font and the margins are printer dots at 600 dots
// per inch: a printer of another resolution gets them in proportion, and a
// printable area smaller than the print area gets the graph shrunk to fit.
TEST_F(GraphViewTest, PrintedLayoutFollowsThePrintersResolutionAndPage)
{
    struct Case {
        int dpi, horz, vert;
        CRect area, margin;
        int font;
    };
    const Case cases[] = {
        {1200, 9600, 13200, CRect(0, 0, 6720, 9504), CRect(600, 400, 400, 720), 240},
        {300, 2400, 3300, CRect(0, 0, 1680, 2376), CRect(150, 100, 100, 180), 60},
        // A printable area half as high as the print area.
        {600, 2480, 2376, CRect(0, 0, 1680, 2376), CRect(150, 100, 100, 180), 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        CPrintInfo info;
        CRecordingDC printer(true);
        printer.SetDeviceCaps(LOGPIXELSX, c.dpi);
        printer.SetDeviceCaps(LOGPIXELSY, c.dpi);
        printer.SetDeviceCaps(HORZRES, c.horz);
        printer.SetDeviceCaps(VERTRES, c.vert);
        Core().OnPreparePrinting(info);
        Core().OnBeginPrinting(printer, info);
        EXPECT_EQ(Core().GetPrintArea(), c.area);
        EXPECT_EQ(Core().GetPrintMargin(), c.margin);
        EXPECT_EQ(Core().GetPrintFont().height, c.font);
        EXPECT_EQ(Core().GetTotalSize(), CSize(c.area.Width(), c.area.Height()));
        Core().OnPrint(printer, info);
        for (const Text& t : TextsOf(printer)) {
            EXPECT_GE(t.at.x, 0) << t.text;
            EXPECT_GE(t.at.y, 0) << t.text;
            EXPECT_LT(t.at.x, c.area.right) << t.text;
            EXPECT_LE(t.at.y + c.font, c.area.bottom) << t.text;
        }
        Core().OnEndPrinting(printer, info);
        EXPECT_EQ(Core().GetTotalSize(), CSize(350, 196));
    }
}

TEST_F(GraphViewTest, DrawingPutsThePreviousPenAndFontBack)
{
    CRecordingDC dc;
    const CPenSpec pen{PS_DASH, 3, RGB(1, 2, 3)};
    dc.SelectPen(pen);
    Core().OnDraw(dc);
    const CDrawOp& fill = dc.Ops().at(1);
    EXPECT_EQ(fill.kind, CDrawOp::FillSolidRect);
    EXPECT_EQ(fill.rect, CRect(0, 0, 350, 196));
    EXPECT_EQ(fill.color, RGB(255, 255, 255));
    const CDrawOp& last = dc.Ops().back();
    EXPECT_EQ(last.kind, CDrawOp::SelectFont);
    const std::vector<CDrawOp> pens = dc.OpsOf(CDrawOp::SelectPen);
    EXPECT_EQ(pens.back().pen, pen);
}

TEST(GraphViewLifecycle, LaterWindowsCopyTheActiveEntryAndMoveDownWhenOneCloses)
{
    CKDRDoc doc;
    std::vector<std::unique_ptr<FakeGraphView>> views;
    for (int i = 0; i < 3; ++i) {
        views.push_back(std::make_unique<FakeGraphView>(doc));
        doc.AddView(views.back().get());
        views.back()->core.SetClientRect(CRect(0, 0, 350, 196));
    }
    views[0]->core.OnInitialUpdate();
    CSoundGraphConditionList& list = doc.m_soundGraphConditions;
    list.GetGraph(0).SetYRange(40.0, 130.0);
    list.GetMargin(0) = CRect(40, 20, 20, 36);
    views[1]->core.OnInitialUpdate();  // a copy of the active entry 0
    views[1]->core.OnActivateView();
    EXPECT_EQ(list.GetActive(), 1);
    list.GetGraph(1).SetYRange(30.0, 140.0);
    views[2]->core.OnInitialUpdate();  // a copy of the active entry 1
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(views[1]->core.GetGraphIndex(), 1);
    EXPECT_EQ(views[2]->core.GetGraphIndex(), 2);
    EXPECT_EQ(list.GetMargin(1), CRect(40, 20, 20, 36));
    EXPECT_EQ(list.GetGraph(2).GetYMin(), 30.0);

    // The middle window closes.
    doc.RemoveView(views[1].get());
    views[1]->core.Detach();
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(views[0]->core.GetGraphIndex(), 0);
    EXPECT_EQ(views[2]->core.GetGraphIndex(), 1);
    EXPECT_EQ(views[2]->core.GetGraph()->GetYMin(), 30.0);
    EXPECT_EQ(views[0]->core.GetGraph()->GetYMin(), 40.0);

    // Closing twice changes nothing more.
    views[1]->core.Detach();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(views[2]->core.GetGraphIndex(), 1);

    // The first one closes too: the last one is entry 0 now.
    doc.RemoveView(views[0].get());
    views[0]->core.Detach();
    EXPECT_EQ(views[2]->core.GetGraphIndex(), 0);
    EXPECT_EQ(list.GetCount(), 1);

    // A window that goes before its initial update leaves the others alone.
    FakeGraphView early(doc);
    doc.AddView(&early);
    doc.RemoveView(&early);
    early.core.Detach();
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(views[2]->core.GetGraphIndex(), 0);
    doc.RemoveView(views[2].get());
}

TEST(GraphViewLifecycle, LoadedProjectShowsItsStoredEntryOrGetsOne)
{
    CKDRDoc doc;
    doc.m_bOpenedFromFile = TRUE;
    CSoundGraphDataList g;
    g.Init(1, 0, 20.0, 60.0, 20000.0, 100.0, 1000.0, 5.0);
    doc.m_soundGraphConditions.Add(-1, 30, 20, 20, 36, 50.0, 1.0, g);
    CSoundGraphViewCore core(doc);
    core.SetClientRect(CRect(0, 0, 800, 600));
    core.OnInitialUpdate();
    EXPECT_EQ(doc.m_soundGraphConditions.GetCount(), 1);
    EXPECT_EQ(core.GetGraphIndex(), 0);
    EXPECT_TRUE(core.IsInitialized());
    // The stored scales, not the window: 150 + 50 wide, 40 + 56 high.
    EXPECT_EQ(doc.m_soundGraphConditions.GetXScale(0), 50.0);
    EXPECT_EQ(core.GetTotalSize(), CSize(200, 96));

    // A stored scale that is no number draws nothing and gives a sane size.
    doc.m_soundGraphConditions.SetYScale(0, kNaN);
    core.RecalcLayout(FALSE);
    EXPECT_EQ(core.GetTotalSize().cy, 56);
    CRecordingDC dc;
    core.Draw(dc);
    EXPECT_TRUE(dc.Ops().empty());

    // A loaded file without any entry gets one as a new project does.
    CKDRDoc empty;
    empty.m_bOpenedFromFile = TRUE;
    CSoundGraphViewCore fresh(empty);
    fresh.SetClientRect(CRect(0, 0, 350, 196));
    fresh.OnInitialUpdate();
    ASSERT_EQ(empty.m_soundGraphConditions.GetCount(), 1);
    EXPECT_EQ(fresh.GetGraphIndex(), 0);
    EXPECT_EQ(fresh.GetTotalSize(), CSize(350, 196));
    CRecordingDC drawn;
    fresh.Draw(drawn);
    EXPECT_FALSE(drawn.Ops().empty());

    // After the document was emptied (closing) the view has no entry and
    // neither draws nor fails.
    empty.DeleteContents();
    fresh.RecalcLayout(TRUE);
    CRecordingDC after;
    fresh.Draw(after);
    EXPECT_TRUE(after.Ops().empty());
    fresh.Detach();
}
