// The side-view previews of the line-array dialogs: the fit and the
// coordinates drawn, recorded from the drawing context.
#include "ArrangeTestSupport.h"

#include "dialogs/LV3ModuleArrangementDialog1.h"
#include "dialogs/LV6ModuleArrangementDialog.h"
#include "dialogs/TypeSModuleArrangementDialog1.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace arrangetest;

namespace {

std::vector<std::pair<CPoint, CPoint>> Strokes(const CRecordingDC& dc)
{
    std::vector<std::pair<CPoint, CPoint>> s;
    for (const CRecordedLine& l : dc.Lines())
        s.emplace_back(l.from, l.to);
    return s;
}

using Stroke = std::pair<CPoint, CPoint>;

}  // namespace

// One upper and one lower module of length 1.0, no splay, in a control of
// 200 x 300 pixels. The fit: frame 140 x 240; height 2.0 gives 120 pixels
// per metre, depth 0.256 would allow (140 - 40) / 0.256; scale 120, left
// extent -0.256. Rigging point: x int(30.72 - 0.5) + 40 + 1 = 71, z row
// int(-0.5) + 150 + 1 = 151. Rear corners drawn with half the wedge
// (7.5 degrees): 0.256 tan 7.5 = 0.0337 above or below the front ends.
TEST(LineArrayPreview, LV3OutlinesArrowAndMarkerAtTheirPixels)
{
    CAxisEntityArray e = {CAxisEntity(0.0, 1.0, 0.0), CAxisEntity(0.0, 1.0, 0.0)};
    CLV3ModuleArrangementDialog1 dlg(0, 1, 1, &e, 0);
    CRecordingDC dc;
    dlg.OnDrawControl(1098, dc, CRect(0, 0, 200, 300));

    const CArrangementViewParam& p = dlg.GetViewParam();
    EXPECT_EQ(p.GetScale(), 120.0);
    EXPECT_NEAR(p.GetLeft(), -0.256, 1e-12);
    EXPECT_EQ(p.GetTop(), 1.0);
    EXPECT_EQ(p.GetRight(), 0.0);
    EXPECT_EQ(p.GetBottom(), -1.0);

    ASSERT_FALSE(dc.Ops().empty());
    EXPECT_EQ(dc.Ops()[0].kind, CDrawOp::FillSolidRect);
    EXPECT_EQ(dc.Ops()[0].rect, CRect(0, 0, 200, 300));
    EXPECT_EQ(dc.Ops()[0].color, RGB(255, 255, 255));

    const auto ellipses = dc.OpsOf(CDrawOp::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].rect, CRect(61, 161, 81, 141));
    EXPECT_EQ(ellipses[0].pen.color, RGB(0, 127, 0));

    const std::vector<Stroke> expected = {
        // upper module: P1, P0, P2, P3, P1
        {{71, 31}, {71, 151}}, {{71, 151}, {41, 147}}, {{41, 147}, {41, 35}}, {{41, 35}, {71, 31}},
        // lower module
        {{71, 151}, {71, 270}}, {{71, 270}, {41, 266}}, {{41, 266}, {41, 154}}, {{41, 154}, {71, 151}},
        // arrow to the front
        {{71, 151}, {111, 151}}, {{111, 151}, {101, 161}}, {{111, 151}, {101, 141}},
    };
    EXPECT_EQ(Strokes(dc), expected);
    for (const CRecordedLine& l : dc.Lines()) {
        EXPECT_EQ(l.pen.color, RGB(0, 127, 0));
        EXPECT_EQ(l.pen.width, 1);
        EXPECT_EQ(l.pen.style, PS_SOLID);
    }
    // The pen in force before is put back.
    const auto pens = dc.OpsOf(CDrawOp::SelectPen);
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[1].pen, CPenSpec());
}

// A splayed lower module: the fit takes the rear corner of the full wedge,
// the drawing the half wedge. The depth then decides the scale.
TEST(LineArrayPreview, FitUsesTheFullWedgeAndTheNarrowerRatio)
{
    CAxisEntityArray e = {CAxisEntity(0.0, 0.5, 0.0), CAxisEntity(0.0, 0.5, 30.0)};
    CLV6ModuleArrangementDialog dlg(0, 1, 1, &e, 0);
    dlg.GetPreview().FitToWindow(CRect(0, 0, 100, 400));

    const double pi = 4.0 * std::atan(1.0);
    const double b = 30.0 * pi / 180.0, w = 15.0 * pi / 180.0;
    const double p0x = -0.5 * std::sin(b), p0z = -0.5 * std::cos(b);
    const double r = 0.256 / std::cos(w);
    const double p2x = p0x + r * std::cos(pi - w - b);
    const double upperP3x = 0.0 + r * std::cos(pi + w);
    const double left = std::min(p2x, upperP3x);
    const CArrangementViewParam& p = dlg.GetViewParam();
    EXPECT_DOUBLE_EQ(p.GetLeft(), left);
    EXPECT_DOUBLE_EQ(p.GetBottom(), p0z);
    EXPECT_DOUBLE_EQ(p.GetTop(), 0.5);
    // Frame 70 x 320: by width (70 - 40) / |left|, by height 320 / 0.933.
    EXPECT_DOUBLE_EQ(p.GetScale(), 30.0 / std::fabs(left));
    EXPECT_EQ(dlg.GetPreview().XToPixel(left, CRect(0, 0, 100, 400)), 21);
}

TEST(LineArrayPreview, EmptyArrayKeepsAFiniteScale)
{
    CAxisEntityArray none;
    CLV3ModuleArrangementDialog1 dlg(0, 0, 0, &none, 0);
    CRecordingDC dc;
    dlg.OnDrawControl(1098, dc, CRect(0, 0, 200, 300));
    EXPECT_EQ(dlg.GetViewParam().GetScale(), 1.0);
    // Only the arrow is drawn, from the rigging point at 40 + 1.
    ASSERT_EQ(dc.Lines().size(), 3u);
    EXPECT_EQ(dc.Lines()[0].from, CPoint(41, 151));
}

// TypeS: every element hangs below the rigging point; each box of 8 is one
// closed outline with its divisions along the front and the rear.
TEST(LineArrayPreview, TypeSDrawsEachBoxClosedWithDivisions)
{
    CAxisEntityArray e(16, CAxisEntity(0.04, 0.1, 0.0));
    CTypeSModuleArrangementDialog1 dlg(0, 0, 16, &e, 0);
    CRecordingDC dc;
    const CRect client(0, 0, 200, 300);
    dlg.OnDrawControl(1102, dc, client);
    // Front and rear edge of every element, one lower and one upper side per
    // box, the arrow.
    ASSERT_EQ(dc.Lines().size(), 16u * 2 + 2 * 2 + 3);

    const CArrangementViewParam& p = dlg.GetViewParam();
    EXPECT_DOUBLE_EQ(p.GetTop(), 0.0);
    EXPECT_NEAR(p.GetBottom(), -1.6, 1e-12);
    auto px = [&](double x) { return p.XToPixel(x, 200); };
    auto py = [&](double z) { return p.YToPixel(z, 300); };
    const std::vector<CRecordedLine>& l = dc.Lines();
    // Element 0: front edge, rear edge, the upper side of the box.
    EXPECT_EQ(l[0].from, CPoint(px(0.0), py(0.0)));
    EXPECT_EQ(l[0].to, CPoint(px(0.0), py(-0.1)));
    EXPECT_EQ(l[1].from, CPoint(px(-0.255), py(-0.1)));
    EXPECT_EQ(l[1].to, CPoint(px(-0.255), py(0.0)));
    EXPECT_EQ(l[2].to, CPoint(px(0.0), py(0.0)));
    // Element 7: front edge, the lower side of the box, rear edge.
    const std::size_t s7 = 3 + 6 * 2;
    EXPECT_EQ(l[s7].from, CPoint(px(0.0), py(-0.7)));
    EXPECT_EQ(l[s7 + 1].from, CPoint(px(0.0), py(-0.8)));
    EXPECT_EQ(l[s7 + 1].to, CPoint(px(-0.255), py(-0.8)));
    EXPECT_EQ(l[s7 + 2].to, CPoint(px(-0.255), py(-0.7)));
}
