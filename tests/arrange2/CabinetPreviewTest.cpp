// The cabinet previews: outlines, marker and arrow at the pixels the fit
// gives, recorded from the drawing context.
#include "CabinetTestSupport.h"

#include "dialogs/TypeAModuleArrangementDialog1.h"
#include "dialogs/TypeHModuleArrangementDialog.h"
#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace cabinettest;

namespace {

bool SameLine(const CRecordedLine& l, CPoint a, CPoint b)
{
    return l.from == a && l.to == b;
}

// One L cabinet 0.5 long: the fit and the closed outline worked by hand.
//   full wedge 5 deg: rear corner x = -0.469, so left = -0.469, bottom -0.5;
//   frame 140 x 240 in a 200 x 300 client: scale = min(100 / 0.469, 240 / 0.5) = 213.22;
//   x 0 -> int(100 - 0.5) + 40 + 1 = 140, x -0.469 -> 0 + 41 = 41;
//   z 0 -> int(-53.3 - 0.5) + 151 = 98, z -0.5 -> int(53.3 - 0.5) + 151 = 203;
//   drawn with half the wedge: rear corners at z -0.5 + 0.469 tan 2.5 deg = -0.4795 -> 199
//   and -0.0205 -> 102.
CAxisElementArray OneLUnit()
{
    CAxisElementArray units(2);
    units[0].SetVector(CAxisEntity(0.0, 0.5, 0.0));
    units[1].SetVector(CAxisEntity(0.0, 0.5, 0.0));
    return units;
}

}  // namespace

TEST(CabinetPreview, OneCabinetHangsBelowTheMarker)
{
    Open<CTypeAModuleArrangementDialog1> odlg(OneLUnit(), CTypeAandCParamArray(1));
    auto& [c, dlg] = odlg;
    CRecordingDC dc;
    const CRect client(0, 0, 200, 300);
    dlg.OnDrawControl(1103, dc, client);

    EXPECT_NEAR(dlg.GetViewParam().GetScale(), 100.0 / 0.469, 1e-9);
    EXPECT_NEAR(dlg.GetViewParam().GetLeft(), -0.469, 1e-12);
    EXPECT_EQ(dlg.GetViewParam().GetBottom(), -0.5);

    const auto ellipses = dc.OpsOf(CDrawOp::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].rect, CRect(130, 108, 150, 88));

    const auto& lines = dc.Lines();
    ASSERT_EQ(lines.size(), 4u + 3u);
    EXPECT_TRUE(SameLine(lines[0], CPoint(140, 98), CPoint(140, 203)));  // front
    EXPECT_TRUE(SameLine(lines[1], CPoint(140, 203), CPoint(41, 199)));  // bottom
    EXPECT_TRUE(SameLine(lines[2], CPoint(41, 199), CPoint(41, 102)));   // rear
    EXPECT_TRUE(SameLine(lines[3], CPoint(41, 102), CPoint(140, 98)));   // top
    EXPECT_TRUE(SameLine(lines[4], CPoint(140, 98), CPoint(180, 98)));   // arrow
    EXPECT_TRUE(SameLine(lines[5], CPoint(180, 98), CPoint(170, 108)));
    EXPECT_TRUE(SameLine(lines[6], CPoint(180, 98), CPoint(170, 88)));
}

TEST(CabinetPreview, TiltedCabinetsTurnDownTheColumn)
{
    Open<CTypeAModuleArrangementDialog1> odlg(OneLUnit(), CTypeAandCParamArray(2));
    auto& [c, dlg] = odlg;
    c.Choose(dlg, 3011, 0);  // two L, "0deg": 5 degrees
    CRecordingDC dc;
    dlg.OnDrawControl(1103, dc, CRect(0, 0, 200, 300));
    const auto& lines = dc.Lines();
    ASSERT_EQ(lines.size(), 8u + 3u);
    // The second cabinet's front starts where the first one's ends and
    // leans back toward the rear (smaller x) by 0.5 sin 5 deg.
    EXPECT_EQ(lines[4].from, lines[0].to);
    EXPECT_LT(lines[4].to.x, lines[4].from.x);
    EXPECT_NEAR(dlg.GetViewParam().GetBottom(), -0.5 - 0.5 * std::cos(5.0 * 3.14159265358979 / 180.0), 1e-12);
}

TEST(CabinetPreview, OneDmWBoxHasOneOutlineAndABackbone)
{
    CAxisElementArray units(4);
    for (CAxisElement& u : units)
        u.SetVector(CAxisEntity(0.0, 0.1, 0.0));
    Open<CTypeHModuleArrangementDialog> odlg(units, CTypeAandCParamArray(9));
    auto& [c, dlg] = odlg;
    c.Choose(dlg, 1105, 2);  // "DM-W5S"
    CRecordingDC dc;
    const CRect client(0, 0, 200, 300);
    dlg.OnDrawControl(1107, dc, client);
    const auto& lines = dc.Lines();
    // 9 fronts, the bottom under the last, the top over the first, the
    // backbone of two strokes, the arrow of three.
    ASSERT_EQ(lines.size(), 9u + 1u + 1u + 2u + 3u);
    const CPoint origin(dlg.GetPreview().XToPixel(0.0, client), dlg.GetPreview().YToPixel(0.0, client));
    // Element 0: front edge from the rigging point, then the top of the box.
    EXPECT_EQ(lines[0].from, origin);
    EXPECT_EQ(lines[0].to.x, origin.x);  // the top element hangs straight
    const CRecordedLine& top = lines[1];
    EXPECT_EQ(top.to, origin);
    EXPECT_EQ(top.from.y, origin.y + 0);  // depth 0.08 straight back at the rigging point
    EXPECT_LT(top.from.x, origin.x);
    // The front edges of elements 1 .. 8 follow each other and curve back.
    EXPECT_EQ(lines[2].from, lines[0].to);
    for (std::size_t k = 3; k <= 9; ++k)
        EXPECT_EQ(lines[k].from, lines[k - 1].to) << k;
    EXPECT_LT(lines[9].to.x, lines[9].from.x);
    // Element 8: the bottom, then from the lower rear corner straight up to
    // height 0 and on to the marker.
    const CRecordedLine& bottom = lines[10];
    EXPECT_EQ(bottom.from, lines[9].to);
    EXPECT_EQ(lines[11].from, bottom.to);
    EXPECT_EQ(lines[11].to, CPoint(bottom.to.x, origin.y));
    EXPECT_EQ(lines[12].to, origin);
    EXPECT_EQ(lines[13].to, CPoint(origin.x + 40, origin.y));
}

// Two straight boxes of 0.1-long elements: each box's bottom edge runs from
// the front back under its last element, its top edge from the rear forward
// over its first element, at the heights the element count gives.
TEST(CabinetPreview, TwoDmWBoxesCloseEachBoxAtItsOwnEnds)
{
    CAxisElementArray units(4);
    for (CAxisElement& u : units)
        u.SetVector(CAxisEntity(0.0, 0.1, 0.0));
    const struct {
        std::size_t n;
        std::vector<double> bottoms, tops;  // heights of the box ends
    } cases[] = {
        {25, {-0.9, -2.5}, {0.0, -0.9}},  // boxes of 9 and 16
        {32, {-1.6, -3.2}, {0.0, -1.6}},  // boxes of 16 and 16
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.n);
        Open<CTypeHModuleArrangementDialog> odlg(units, CTypeAandCParamArray(k.n));
        auto& [c, dlg] = odlg;
        CRecordingDC dc;
        const CRect client(0, 0, 200, 300);
        dlg.OnDrawControl(1107, dc, client);
        const int front = dlg.GetPreview().XToPixel(0.0, client);
        const int rear = dlg.GetPreview().XToPixel(-0.08, client);
        std::vector<int> bottoms, tops;
        for (const CRecordedLine& l : dc.Lines()) {
            if (l.from.y != l.to.y)
                continue;
            if (l.from.x == front && l.to.x == rear)
                bottoms.push_back(l.from.y);
            if (l.from.x == rear && l.to.x == front)
                tops.push_back(l.from.y);
        }
        ASSERT_EQ(bottoms.size(), 2u);
        ASSERT_EQ(tops.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_NEAR(bottoms[i], dlg.GetPreview().YToPixel(k.bottoms[i], client), 1) << i;
            EXPECT_NEAR(tops[i], dlg.GetPreview().YToPixel(k.tops[i], client), 1) << i;
        }
    }
}

TEST(CabinetPreview, TwoDmWBoxesDrawEveryElementWithTheBoxEnds)
{
    CAxisElementArray units(4);
    for (CAxisElement& u : units)
        u.SetVector(CAxisEntity(0.0, 0.1, 0.0));
    Open<CTypeHModuleArrangementDialog> odlg(units, CTypeAandCParamArray(25));
    auto& [c, dlg] = odlg;
    CRecordingDC dc;
    const CRect client(0, 0, 200, 300);
    dlg.OnDrawControl(1107, dc, client);
    // 25 fronts and rears, bottoms under elements 8 and 24, tops over 0 and 9.
    EXPECT_EQ(dc.Lines().size(), 50u + 4u + 3u);
    const int rear = dlg.GetPreview().XToPixel(-0.08, client);
    int tops = 0;
    int bottoms = 0;
    for (const CRecordedLine& l : dc.Lines()) {
        if (l.from.y != l.to.y)
            continue;
        tops += l.from.x == rear && l.to.x != rear;
        bottoms += l.from.x != rear && l.to.x == rear;
    }
    EXPECT_EQ(tops, 2);
    EXPECT_EQ(bottoms, 2);

    // A count that no painter knows draws only the marker and the arrow.
    Open<CTypeHModuleArrangementDialog> oodd(units, CTypeAandCParamArray(10));
    auto& [c2, odd] = oodd;
    CRecordingDC dc2;
    odd.OnDrawControl(1107, dc2, client);
    EXPECT_EQ(dc2.Lines().size(), 3u);
    EXPECT_EQ(dc2.OpsOf(CDrawOp::Ellipse).size(), 1u);
}
