// The room-grid cell under a point of the SPL map: fine and large grids of
// every size the Room Parameters dialog takes, edge cells and cell borders
// against hand-computed cells, and the same answer as a cell-by-cell search
// of the projected quadrangles wherever such a search is practical.

#include "MapMouseTestSupport.h"

#include "models/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

using namespace mapmouse_test;

namespace {

struct Grid {
    double x0, y0, lengthX, widthY, pitchX, pitchY;
};

class RoomGridCell : public ::testing::Test {
protected:
    RoomGridCell() : scene(0) { map = std::make_unique<CTestMap>(Doc()); }
    CKDRDoc& Doc() { return *scene.doc; }

    // The room and grid, a plane on the room's floor, the view and scale.
    void Set(const Grid& g, const double view[3], double scale)
    {
        CInstallationContainer& room = Doc().m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, g.x0);
        room.SetRoom(CInstallationContainer::kReferenceY0, g.y0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, g.lengthX);
        room.SetRoom(CInstallationContainer::kRoomWidthY, g.widthY);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchX, g.pitchX);
        room.SetRoom(CInstallationContainer::kGridPitchY, g.pitchY);
        scene.SetPlane(g.x0, g.y0, 1.2, std::min(g.lengthX, 10.0), std::min(g.widthY, 10.0), 0, 1.0);
        scene.Condition().SetViewAngles(view[0], view[1], view[2]);
        scene.Condition().SetScale(scale);
        map->UpdateScrollSizes(FALSE);
    }

    // The room's grid as stored: origin, sizes, pitches and cell counts
    // (a remainder makes a last, narrower cell).
    struct RoomLayout {
        double x0, y0, lx, wy, px, py;
        long nx, ny;
    };
    RoomLayout Layout() const
    {
        const CInstallationContainer& room = scene.doc->m_installations;
        RoomLayout r{room.GetRoom(CInstallationContainer::kReferenceX0),
                     room.GetRoom(CInstallationContainer::kReferenceY0),
                     room.GetRoom(CInstallationContainer::kRoomLengthX),
                     room.GetRoom(CInstallationContainer::kRoomWidthY),
                     room.GetRoom(CInstallationContainer::kGridPitchX),
                     room.GetRoom(CInstallationContainer::kGridPitchY),
                     0,
                     0};
        auto count = [](double length, double pitch) {
            const double q = length / pitch;
            return static_cast<long>(std::trunc(q)) + (q != std::trunc(q) ? 1 : 0);
        };
        r.nx = count(r.lx, r.px);
        r.ny = count(r.wy, r.py);
        return r;
    }

    // Every cell's quadrangle tried row by row until one holds the point.
    bool SearchCellByCell(CPoint p, double position[3]) const
    {
        const RoomLayout r = Layout();
        const double x0 = r.x0, y0 = r.y0, px = r.px, py = r.py;
        const long nx = r.nx, ny = r.ny;
        for (long j = 0; j < ny; ++j) {
            for (long i = 0; i < nx; ++i) {
                const std::size_t a = static_cast<std::size_t>(j * (nx + 1) + i);
                const std::size_t b = a + static_cast<std::size_t>(nx + 1);
                const IntPoint q[4] = {vertices[a], vertices[a + 1], vertices[b + 1], vertices[b]};
                if (IsPointInQuadrangle(p.x, p.y, q) > 0) {
                    position[0] = x0 + (i + 0.5) * px;
                    position[1] = y0 + (j + 0.5) * py;
                    return true;
                }
            }
        }
        return false;
    }
    // The projected grid corners for SearchCellByCell, row by row.
    void ProjectVertices()
    {
        const RoomLayout r = Layout();
        const double x0 = r.x0, y0 = r.y0, lx = r.lx, wy = r.wy, px = r.px, py = r.py;
        const long nx = r.nx, ny = r.ny;
        vertices.clear();
        for (long j = 0; j <= ny; ++j)
            for (long i = 0; i <= nx; ++i) {
                const CPoint v = map->ProjectPoint(
                    CPoint3D(i == nx ? x0 + lx : x0 + i * px, j == ny ? y0 + wy : y0 + j * py, 3.0));
                vertices.push_back(IntPoint{v.x, v.y});
            }
    }

    // The window box of the projected room, widened by a few pixels.
    CRect RoomBox() const
    {
        CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (const IntPoint& v : vertices)
            GrowBox(box, v);
        return box;
    }

    splcalc_test::Scene scene;
    std::unique_ptr<CTestMap> map;
    std::vector<IntPoint> vertices;
};

constexpr double kViews[][3] = {{0, 0, 0}, {45, 75, 0}, {90, 90, 0}, {0, 90, 0}, {30, 50, 20}};

}  // namespace

TEST_F(RoomGridCell, FineRoomGridTakesDropsAtHandComputedCells)
{
    // 100 m x 100 m with a 5 cm grid: 2000 x 2000 cells. At 40 pixels per
    // metre a cell is 2 pixels wide; seen from above.
    const double top[3] = {0, 0, 0};
    Set({0.0, 0.0, 100.0, 100.0, 0.05, 0.05}, top, 0.04);
    struct Case {
        double x, y;     // a world point on the ceiling
        int dx, dy;      // pixels added to its projection
        double cx, cy;   // the cell centre it gives
    };
    const Case cases[] = {
        {37.325, 81.075, 0, 0, 37.325, 81.075},     // cell (746, 1621) at its centre
        {0.025, 0.025, 0, 0, 0.025, 0.025},         // the first cell
        {99.975, 99.975, 0, 0, 99.975, 99.975},     // the last cell
        {99.975, 0.025, 0, 0, 99.975, 0.025},       // the last column, first row
        // On the border x = 50 between columns 999 and 1000: the earlier
        // column holds it; one pixel on, the later.
        {50.0, 20.025, 0, 0, 49.975, 20.025},
        {50.0, 20.025, 1, 0, 50.025, 20.025},
        // On the border y = 20 between rows 399 and 400 (y grows upwards
        // on the window): the earlier row holds it.
        {10.025, 20.0, 0, 0, 10.025, 19.975},
        {10.025, 20.0, 0, -1, 10.025, 20.025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " + (" << c.dx << ", " << c.dy << ")");
        CPoint at = map->ProjectPoint(CPoint3D(c.x, c.y, 3.0));
        at.x += c.dx;
        at.y += c.dy;
        double pos[3] = {};
        ASSERT_TRUE(map->HitTestRoomGrid(at, pos));
        EXPECT_NEAR(pos[0], c.cx, 1e-9);
        EXPECT_NEAR(pos[1], c.cy, 1e-9);
        EXPECT_EQ(pos[2], 3.0);
    }
    double pos[3] = {};
    const CPoint outside = map->ProjectPoint(CPoint3D(100.2, 50.0, 3.0));
    EXPECT_FALSE(map->HitTestRoomGrid(outside, pos));

    // The drop itself: the speaker is installed in the cell.
    scene.AddModel(splcalc_test::SmallSpeaker());
    CScriptedInstallationUi ui;
    CScriptedDocumentUi docUi;
    CPoint screen = map->Screen(map->ProjectPoint(CPoint3D(37.325, 81.075, 3.0)));
    EXPECT_EQ(map->OnMapMessage(WM_DROP_NEW_SPEAKER, DocParam(Doc()), reinterpret_cast<LPARAM>(&screen)), 1);
    ASSERT_EQ(Doc().m_installations.GetCount(), 1);
    EXPECT_NEAR(Doc().m_installations.GetAt(0)->GetPosition().x, 37.325, 1e-9);
    EXPECT_NEAR(Doc().m_installations.GetAt(0)->GetPosition().y, 81.075, 1e-9);

    // Fitted into the window a cell is a fraction of a pixel: a drop still
    // lands in the cell under the point, within a pixel of it.
    map->Fit();
    ASSERT_LT(scene.Condition().GetScale() * 50.0, 1.0);
    for (const auto& view : kViews) {
        if (view[1] == 90)
            continue;  // the ceiling seen edge-on
        scene.Condition().SetViewAngles(view[0], view[1], view[2]);
        map->UpdateScrollSizes(FALSE);
        const CPoint mid = map->ProjectPoint(CPoint3D(50.0, 50.0, 3.0));
        ASSERT_TRUE(map->HitTestRoomGrid(mid, pos));
        const CPoint cell = map->ProjectPoint(CPoint3D(pos[0], pos[1], 3.0));
        EXPECT_LE(std::abs(cell.x - mid.x), 2);
        EXPECT_LE(std::abs(cell.y - mid.y), 2);
    }
}

TEST_F(RoomGridCell, FinestAndLargestGridsOfTheDialog)
{
    // 4000 x 4000 at a pitch of 0.001: four million columns and rows, at
    // 2 pixels per cell (near the largest scroll size).
    const double top[3] = {0, 0, 0};
    Set({-2000.0, -2000.0, 4000.0, 4000.0, 0.001, 0.001}, top, 2.0);
    const struct {
        double x, y;
        double cx, cy;
    } cases[] = {
        {-1999.9995, -1999.9995, -1999.9995, -1999.9995},  // the first cell
        {1999.9995, 1999.9995, 1999.9995, 1999.9995},      // the last cell
        {0.0005, -1999.9995, 0.0005, -1999.9995},          // column 2000000
        {1234.5675, 2.0005, 1234.5675, 2.0005},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        double pos[3] = {};
        ASSERT_TRUE(map->HitTestRoomGrid(map->ProjectPoint(CPoint3D(c.x, c.y, 3.0)), pos));
        EXPECT_NEAR(pos[0], c.cx, 1e-7);
        EXPECT_NEAR(pos[1], c.cy, 1e-7);
    }

    // The smallest room at the largest pitch: one cell, narrower than its
    // pitch, whose nominal centre lies outside the room.
    Set({0.0, 0.0, 0.001, 0.001, 10000.0, 10000.0}, top, 20.0);
    double pos[3] = {};
    ASSERT_TRUE(map->HitTestRoomGrid(map->ProjectPoint(CPoint3D(0.0005, 0.0005, 3.0)), pos));
    EXPECT_EQ(pos[0], 5000.0);
    EXPECT_EQ(pos[1], 5000.0);

    // Beyond what the dialog takes (only a damaged file holds it): no cells.
    Set({0.0, 0.0, 10000.0, 10.0, 0.0001, 1.0}, top, 2.0);
    EXPECT_FALSE(map->HitTestRoomGrid(map->ProjectPoint(CPoint3D(5.0, 5.0, 3.0)), pos));
}

TEST_F(RoomGridCell, SameCellsAsTheSearchOfEveryQuadrangle)
{
    // Grids whose cells the search can afford to walk, narrow last columns
    // and rows, cells from 60 pixels down to two. A cell that the rounding
    // to pixels flattens to a line (a fine grid seen at a slant, the ceiling
    // seen edge-on) made that search answer with cells hundreds of pixels
    // away from the point; such grids are left out of the comparison.
    const double views[][3] = {{0, 0, 0}, {30, 50, 20}, {45, 75, 0}};
    const struct {
        Grid grid;
        double scale;
        bool everyPixel;
        int viewCount;
    } cases[] = {
        {{-2.0, 1.0, 10.0, 8.0, 3.0, 2.5}, 0.02, true, 3},
        {{0.0, 0.0, 10.0, 8.0, 0.7, 0.45}, 0.02, true, 3},
        {{0.0, 0.0, 10.0, 8.0, 0.1, 0.07}, 0.1, false, 2},
        {{1.0, -3.0, 10.0, 8.0, 0.025, 0.03}, 0.25, false, 2},
    };
    std::mt19937 random(7);
    for (const auto& c : cases) {
        for (int v = 0; v < c.viewCount; ++v) {
            const double* view = views[v];
            SCOPED_TRACE(testing::Message() << "pitch " << c.grid.pitchX << ", view " << view[0] << " " << view[1]
                                            << " " << view[2]);
            Set(c.grid, view, c.scale);
            ProjectVertices();
            const CRect box = RoomBox();
            int compared = 0, found = 0;
            auto compare = [&](CPoint p) {
                double expected[3] = {}, actual[3] = {};
                const bool e = SearchCellByCell(p, expected);
                const bool a = map->HitTestRoomGrid(p, actual) != FALSE;
                ++compared;
                found += e ? 1 : 0;
                ASSERT_EQ(a, e) << p.x << ", " << p.y;
                if (e) {
                    ASSERT_EQ(actual[0], expected[0]) << p.x << ", " << p.y;
                    ASSERT_EQ(actual[1], expected[1]) << p.x << ", " << p.y;
                }
            };
            if (c.everyPixel) {
                for (int y = box.top; y <= box.bottom; ++y)
                    for (int x = box.left; x <= box.right; ++x)
                        compare(CPoint(x, y));
            } else {
                std::uniform_int_distribution<int> rx(box.left, box.right), ry(box.top, box.bottom);
                for (int n = 0; n < 150; ++n)
                    compare(CPoint(rx(random), ry(random)));
            }
            EXPECT_GT(compared, 0);
            EXPECT_GT(found, compared / 4);
        }
    }
}
