// The map pass and the colour legend, recorded from the drawing context.

#include "MapViewTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace mapview_test;
using splcalc_test::SmallSpeaker;

namespace {

constexpr COLORREF kGrey200 = RGB(200, 200, 200);
constexpr COLORREF kGrey127 = RGB(127, 127, 127);

}  // namespace

TEST(MapDrawing, EmptyRoomShowsPlaneInTheLastColour)
{
    TopView t;
    CRecordingDC dc;
    t.view->DrawMap(dc);
    const auto fills = dc.OpsOf(CDrawOp::FillPolygon);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].color, t.scene.Plane().GetColors().at(24));
    EXPECT_EQ(fills[0].points,
              (std::vector<CPoint>{CPoint(111, 445), CPoint(610, 445), CPoint(610, 45), CPoint(111, 45)}));
    EXPECT_EQ(fills[0].polyFillMode, ALTERNATE);
    EXPECT_TRUE(dc.OpsOf(CDrawOp::DrawIcon).empty());
    // The font is put back.
    EXPECT_EQ(dc.GetFont(), CFontSpec{});
}

TEST(MapDrawing, ColourDotsOnePerCell)
{
    TopView t;
    t.scene.AddModel(SmallSpeaker());
    t.scene.Install(0, 5, 4, 3);
    t.scene.FillLevels(200.0);  // above the top: colour 0
    t.scene.Plane().GetCells().GetAt(0)->SetLevel(-std::numeric_limits<double>::infinity());
    CRecordingDC dc;
    t.view->DrawColorDots(dc);
    const auto fills = dc.OpsOf(CDrawOp::FillPolygon);
    ASSERT_EQ(fills.size(), t.scene.Plane().GetCells().GetCount());
    EXPECT_EQ(fills[1].color, t.scene.Plane().GetColors().at(0));
    EXPECT_EQ(fills[0].color, t.scene.Plane().GetColor(-std::numeric_limits<double>::infinity()));
    // The first dot's quadrangle: centre (0.5, 0.5), one unit square.
    const CPlaceElement& dot = *t.scene.Plane().GetCells().GetAt(0);
    ASSERT_EQ(dot.GetCenter()[0], 0.5);
    ASSERT_EQ(dot.GetCenter()[1], 0.5);
    EXPECT_EQ(fills[0].points,
              (std::vector<CPoint>{CPoint(111, 445), CPoint(160, 445), CPoint(160, 395), CPoint(111, 395)}));
}

TEST(MapDrawing, RoomOutlineAndGrid)
{
    TopView t;
    CRecordingDC dc;
    t.view->DrawRoomOutline(dc);
    const auto outline = LinesOf(dc, kGrey200, 1);
    ASSERT_EQ(outline.size(), 4u);
    const CPoint corners[5] = {CPoint(111, 445), CPoint(111, 45), CPoint(610, 45), CPoint(610, 445), CPoint(111, 445)};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(std::make_pair(outline[i].from, outline[i].to), std::make_pair(corners[i], corners[i + 1])) << i;

    dc.Clear();
    t.view->DrawRoomGrid(dc);
    const auto grid = LinesOf(dc, kGrey200, 1);
    ASSERT_EQ(grid.size(), 7u + 9u);
    EXPECT_EQ(grid[0].from, CPoint(111, 395));  // y = 1
    EXPECT_EQ(grid[0].to, CPoint(610, 395));
    EXPECT_EQ(grid[7].from, CPoint(160, 445));  // x = 1
    EXPECT_EQ(grid[7].to, CPoint(160, 45));

    // One pitch per room length, a larger pitch and a pitch of 0: no lines.
    CInstallationContainer& room = t.scene.doc->m_installations;
    room.SetRoom(CInstallationContainer::kGridPitchX, 10.0);
    room.SetRoom(CInstallationContainer::kGridPitchY, 0.0);
    dc.Clear();
    t.view->DrawRoomGrid(dc);
    EXPECT_TRUE(dc.Lines().empty());
    room.SetRoom(CInstallationContainer::kGridPitchX, 12.0);
    room.SetRoom(CInstallationContainer::kGridPitchY, 1e-9);  // would be billions of lines
    dc.Clear();
    t.view->DrawRoomGrid(dc);
    EXPECT_TRUE(dc.Lines().empty());
}

TEST(MapDrawing, AxesFromTheWorldOrigin)
{
    TopView t;
    // The room elsewhere: the axes still start at (0, 0, 0).
    t.scene.doc->m_installations.SetRoom(CInstallationContainer::kReferenceX0, 2.0);
    t.view->UpdateScrollSizes(FALSE);
    CRecordingDC dc;
    t.view->DrawAxes(dc);
    const auto axes = LinesOf(dc, kGrey127, 2);
    ASSERT_EQ(axes.size(), 3u);
    const CPoint o = t.view->ProjectPoint(CPoint3D(0, 0, 0));
    EXPECT_EQ(o, CPoint(111, 445));
    // One tenth of the room's x length; each label at its axis' end.
    const auto texts = Texts(dc);
    EXPECT_EQ(texts, (std::vector<P>{{CPoint(160, 445), "X"}, {CPoint(111, 395), "Y"}, {CPoint(111, 445), "Z"}}));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::make_pair(axes[i].from, axes[i].to), std::make_pair(o, texts.at(i).first));
    EXPECT_EQ(dc.Ops().back().bkMode, TRANSPARENT);
    EXPECT_EQ(dc.GetFont(), CFontSpec{});
}

TEST(MapDrawing, SpeakerIconsOnScreenCrossesOnPaper)
{
    TopView t;
    t.scene.AddModel(SmallSpeaker());
    t.scene.Install(0, 2, 4, 3);
    t.scene.Install(0, 6, 2, 3);
    t.scene.doc->m_installations.GetList().SetCurrentIndex(1);
    CRecordingDC dc;
    t.view->DrawSpeakers(dc);
    auto icons = dc.OpsOf(CDrawOp::DrawIcon);
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].points[0], CPoint(210 - 16, 245 - 16));
    EXPECT_EQ(icons[0].value, 130);
    EXPECT_EQ(icons[1].points[0], CPoint(410 - 16, 345 - 16));
    EXPECT_EQ(icons[1].value, 141);
    // Another current installation swaps the icons.
    t.scene.doc->m_installations.GetList().SetCurrentIndex(0);
    dc.Clear();
    t.view->DrawSpeakers(dc);
    icons = dc.OpsOf(CDrawOp::DrawIcon);
    EXPECT_EQ(icons[0].value, 141);
    EXPECT_EQ(icons[1].value, 130);

    t.view->m_bPrinting = TRUE;
    t.view->m_nPageWidth = 800;  // arm 10
    dc.Clear();
    t.view->DrawSpeakers(dc);
    EXPECT_TRUE(dc.OpsOf(CDrawOp::DrawIcon).empty());
    const auto& lines = dc.Lines();
    ASSERT_EQ(lines.size(), 8u);
    const CPoint ends[4] = {CPoint(220, 255), CPoint(220, 235), CPoint(200, 255), CPoint(200, 235)};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(lines[k].from, CPoint(210, 245));
        EXPECT_EQ(lines[k].to, ends[k]);
        EXPECT_EQ(lines[k].pen, (CPenSpec{PS_SOLID, 1, RGB(0, 0, 0)}));
    }
}

TEST(MapDrawing, PlaneDimensionLabels)
{
    TopView t;
    CRecordingDC dc;
    t.view->DrawPlaneDimensions(dc, 12);
    EXPECT_EQ(Texts(dc), (std::vector<P>{{CPoint(111, 33), "0"},
                                           {CPoint(610, 33), "10"},
                                           {CPoint(610, 445), "0"},
                                           {CPoint(610, 45), "8"},
                                           {CPoint(360, 33), "[m]"},
                                           {CPoint(610, 245), "[m]"}}));
    // A wall in the y-z plane: the lower z label at the far y edge's lower corner.
    t.scene.SetPlane(4, 1, 0.5, 0, 6, 2.5, 0.5);
    t.scene.Condition().SetViewAngles(0, 0, 0);
    t.scene.Condition().SetScale(0.05);
    t.scene.doc->m_nLengthUnit = 1;
    t.view->UpdateScrollSizes(FALSE);
    dc.Clear();
    t.view->DrawPlaneDimensions(dc, 12);
    const auto texts = Texts(dc);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0].second, "1");
    EXPECT_EQ(texts[1].second, "7");
    EXPECT_EQ(texts[2].second, "0.5");
    EXPECT_EQ(texts[2].first, t.view->ProjectPoint(CPoint3D(4, 7, 0.5)));
    EXPECT_EQ(texts[3].second, "3");
    EXPECT_EQ(texts[4].second, "[ft]");
    EXPECT_EQ(texts[4].first.y, t.view->ProjectPoint(CPoint3D(4, 4, 3)).y - 12);
}

// A wall seen face on: each dot is its own square of the wall, drawn from
// corner (low, low) through (high, low), (high, high) and (low, high) of its
// two in-plane axes.
TEST(MapDrawing, ColourDotsOfVerticalPlanes)
{
    struct Case {
        const char* name;
        double x0, y0, z0, ex, ey, ez;
        double viewAzimuth, viewElevation;
        CPoint3D corners[4];  // of the first dot (centre +- half its size)
    };
    const Case cases[] = {
        // y-z wall at x 4, y 1..3, z 0.5..1.5: first dot y 1..2, seen along x.
        {"YZ", 4, 1, 0.5, 0, 2, 1, 90, 90, {{4, 1, 0.5}, {4, 2, 0.5}, {4, 2, 1.5}, {4, 1, 1.5}}},
        // x-z wall at y 2, x 1..3, z 0.5..1.5: first dot x 1..2, seen along y.
        {"XZ", 1, 2, 0.5, 2, 0, 1, 0, 90, {{1, 2, 0.5}, {2, 2, 0.5}, {2, 2, 1.5}, {1, 2, 1.5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TopView t;
        t.scene.AddModel(SmallSpeaker());
        t.scene.Install(0, 5, 4, 3);
        t.scene.SetPlane(c.x0, c.y0, c.z0, c.ex, c.ey, c.ez, 1.0);
        t.scene.Condition().SetViewAngles(c.viewAzimuth, c.viewElevation, 0);
        t.scene.Condition().SetScale(0.05);
        t.view->UpdateScrollSizes(FALSE);
        CRecordingDC dc;
        t.view->DrawColorDots(dc);
        const auto fills = dc.OpsOf(CDrawOp::FillPolygon);
        ASSERT_EQ(fills.size(), 2u);
        std::vector<CPoint> expected;
        for (const CPoint3D& corner : c.corners)
            expected.push_back(t.view->ProjectPoint(corner));
        EXPECT_EQ(fills[0].points, expected);
        // One pitch at 50 pixels a unit on both screen axes: a square, not a line.
        EXPECT_NEAR(std::abs(expected[2].x - expected[0].x), 50, 1);
        EXPECT_NEAR(std::abs(expected[2].y - expected[0].y), 50, 1);
    }
}

// A wall in the x-z plane seen from the diagonal: the x labels one line above
// its top edge, the z labels at its far x edge, the units halfway along each
// edge.
TEST(MapDrawing, PlaneDimensionLabelsOfAnXZPlane)
{
    TopView t;
    t.scene.SetPlane(1, 2, 0.5, 6, 0, 2.5, 0.5);
    t.scene.Condition().SetViewAngles(45, 75, 0);
    t.scene.Condition().SetScale(0.05);
    t.view->UpdateScrollSizes(FALSE);
    CRecordingDC dc;
    t.view->DrawPlaneDimensions(dc, 12);
    const auto at = [&t](double x, double y, double z, int up) {
        CPoint p = t.view->ProjectPoint(CPoint3D(x, y, z));
        p.y -= up;
        return p;
    };
    EXPECT_EQ(Texts(dc), (std::vector<P>{{at(1, 2, 3, 12), "1"},
                                           {at(7, 2, 3, 12), "7"},
                                           {at(7, 2, 0.5, 0), "0.5"},
                                           {at(7, 2, 3, 0), "3"},
                                           {at(4, 2, 3, 12), "[m]"},
                                           {at(7, 2, 1.75, 0), "[m]"}}));
    // All three coordinates show in the diagonal view.
    EXPECT_NE(at(7, 2, 0.5, 0).y, at(7, 2, 3, 0).y);
    EXPECT_NE(at(7, 2, 3, 0), at(7, 0, 3, 0));
}

TEST(MapDrawing, LegendRowsAndUnit)
{
    TopView t;
    CRecordingDC dc;
    t.view->DrawColorLegend(dc);
    const auto squares = dc.OpsOf(CDrawOp::FillSolidRect);
    ASSERT_EQ(squares.size(), 25u);
    // Two lines below the 20-pixel choice strip, 12 pixels a row.
    EXPECT_EQ(squares[0].rect, CRect(5, 44, 17, 56));
    EXPECT_EQ(squares[24].rect, CRect(5, 332, 17, 344));
    EXPECT_EQ(squares[3].color, t.scene.Plane().GetColors().at(3));
    const auto texts = Texts(dc);
    ASSERT_EQ(texts.size(), 26u);
    EXPECT_EQ(texts[0], P(CPoint(23, 44), " - 100"));
    EXPECT_EQ(texts[1], P(CPoint(23, 56), "100 - 98"));
    EXPECT_EQ(texts[24], P(CPoint(23, 332), "54 - "));
    EXPECT_EQ(texts[25], P(CPoint(23, 344), "[dB]"));
    // The text background is white again after each square.
    for (const auto& op : dc.OpsOf(CDrawOp::TextOut))
        EXPECT_EQ(op.bkColor, RGB(255, 255, 255));

    // On paper: from the print margin's top at a fifth of the page width.
    t.view->m_bPrinting = TRUE;
    t.view->m_nPageWidth = 4800;
    t.view->m_rectPrintMargin = CRect(1680, 660, 0, 2200);
    CRecordingDC paper(true);
    CPrintInfo info;
    paper.SetDeviceCaps(HORZRES, 4800);
    paper.SetDeviceCaps(VERTRES, 6600);
    t.view->OnBeginPrinting(paper, info);
    paper.Clear();
    t.view->DrawColorLegend(paper);
    const auto printed = paper.OpsOf(CDrawOp::FillSolidRect);
    EXPECT_EQ(printed[0].rect, CRect(960, 660, 1026, 726));
    EXPECT_EQ(Texts(paper)[1], P(CPoint(960 + 66 + 33, 726), "100 - 98"));
}

TEST(MapDrawing, WholePassOrderAndCaption)
{
    TopView t;
    CRecordingDC dc;
    t.view->OnDraw(dc);
    const auto texts = Texts(dc);
    bool caption = false;
    for (const auto& [at, text] : texts)
        if (text == "This color mapping is shown @") {
            caption = true;
            EXPECT_EQ(at, CPoint(0, 0));
        }
    EXPECT_TRUE(caption);
    // Plane first, legend last.
    EXPECT_EQ(dc.Ops().front().kind, CDrawOp::SelectFont);
    EXPECT_EQ(texts.back().second, "[dB]");
    EXPECT_EQ(dc.GetFont(), CFontSpec{});
}

TEST(MapDrawing, GridOfAPitchThatDoesNotDivideTheRoom)
{
    TopView t;
    CInstallationContainer& room = t.scene.doc->m_installations;
    room.SetRoom(CInstallationContainer::kGridPitchX, 4.0);  // 10 / 4 = 2.5: lines at 4 and 8
    room.SetRoom(CInstallationContainer::kGridPitchY, 3.0);  // 8 / 3 = 2.67: lines at 3 and 6
    CRecordingDC dc;
    t.view->DrawRoomGrid(dc);
    const auto& lines = dc.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].from, t.view->ProjectPoint(CPoint3D(0, 3, 3)));
    EXPECT_EQ(lines[1].from, t.view->ProjectPoint(CPoint3D(0, 6, 3)));
    EXPECT_EQ(lines[2].from, t.view->ProjectPoint(CPoint3D(4, 0, 3)));
    EXPECT_EQ(lines[3].to, t.view->ProjectPoint(CPoint3D(8, 8, 3)));
}

TEST(MapDrawing, PlaneWithoutColourScaleDrawsOnlyTheUnit)
{
    TopView t;
    CListeningPlane empty;  // never set up: no colours, no dots
    t.scene.doc->m_colorMapConditions.RemoveAll();
    t.scene.doc->m_colorMapConditions.AddNew(1000.0, 3.0, 1, 0, 0, 110, 44, 40, 324, 0.05, empty, 0, 0, 0);
    CRecordingDC dc;
    t.view->DrawMap(dc);
    t.view->DrawColorLegend(dc);
    EXPECT_TRUE(dc.OpsOf(CDrawOp::FillSolidRect).empty());
    EXPECT_TRUE(dc.OpsOf(CDrawOp::FillPolygon).empty());
    const auto texts = Texts(dc);
    EXPECT_EQ(texts.back(), P(CPoint(23, 44), "[dB]"));
}
