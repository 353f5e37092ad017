// The colour dot under a point of the SPL map: the same dot as a search of
// every dot's projected quadrangle in list order, pixel by pixel, for
// horizontal and vertical planes with narrow last rows and columns, at
// several scales and from every view direction.

#include "MapMouseTestSupport.h"

#include "document/ListeningPlane.h"
#include "models/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>

using namespace mapmouse_test;

namespace {

struct Plane {
    double x0, y0, z0, ex, ey, ez, pitch;
};

class PlaneDot : public ::testing::Test {
protected:
    PlaneDot() : scene(0) { map = std::make_unique<CTestMap>(Doc()); }
    CKDRDoc& Doc() { return *scene.doc; }
    const CListeningPlane& GetPlane() { return scene.Condition().GetPlane(); }

    void Set(const Plane& p, const double view[3], double scale)
    {
        scene.SetPlane(p.x0, p.y0, p.z0, p.ex, p.ey, p.ez, p.pitch);
        scene.Condition().SetViewAngles(view[0], view[1], view[2]);
        scene.Condition().SetScale(scale);
        map->UpdateScrollSizes(FALSE);
        ProjectDots();
    }

    // Every dot's quadrangle on the window, in list order, as the search of
    // every dot projects it.
    void ProjectDots()
    {
        const CListeningPlane& plane = GetPlane();
        void (*quadOf)(const CPlaceElement&, double*) = plane.GetExtent(2) == 0.0   ? &CColorMapViewCore::GetQuadXY
                                                        : plane.GetExtent(0) == 0.0 ? &CColorMapViewCore::GetQuadYZ
                                                                                    : &CColorMapViewCore::GetQuadXZ;
        quads.clear();
        for (const auto& dot : plane.GetCells()) {
            double corners[12];
            quadOf(*dot, corners);
            CPoint q[4];
            map->ProjectWorldQuad(q, corners);
            quads.push_back({IntPoint{q[0].x, q[0].y}, IntPoint{q[1].x, q[1].y}, IntPoint{q[2].x, q[2].y},
                             IntPoint{q[3].x, q[3].y}});
        }
    }

    // The first dot in list order whose quadrangle holds the point; -1 for none.
    int SearchEveryDot(CPoint p) const
    {
        for (std::size_t i = 0; i < quads.size(); ++i)
            if (IsPointInQuadrangle(p.x, p.y, quads[i].data()) > 0)
                return static_cast<int>(i);
        return -1;
    }

    // A quadrangle that the rounding to pixels flattened to a line or a
    // point. Such a quadrangle holds the whole pixel row or column of its
    // line, however far from the dot.
    static bool Flat(const std::array<IntPoint, 4>& q)
    {
        long long area = 0;
        for (int i = 0; i < 4; ++i) {
            const IntPoint& a = q[i];
            const IntPoint& b = q[(i + 1) % 4];
            area += static_cast<long long>(a.x) * b.y - static_cast<long long>(b.x) * a.y;
        }
        return area == 0;
    }

    static bool Near(const std::array<IntPoint, 4>& q, int x, int y)
    {
        int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
        for (const IntPoint& v : q) {
            l = std::min(l, v.x);
            r = std::max(r, v.x);
            t = std::min(t, v.y);
            b = std::max(b, v.y);
        }
        return x >= l - 1 && x <= r + 1 && y >= t - 1 && y <= b + 1;
    }

    // The window box of the projected dots, widened by a few pixels.
    CRect PlaneBox() const
    {
        CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (const auto& q : quads)
            for (const IntPoint& v : q) {
                box.left = std::min(box.left, v.x - 3);
                box.top = std::min(box.top, v.y - 3);
                box.right = std::max(box.right, v.x + 3);
                box.bottom = std::max(box.bottom, v.y + 3);
            }
        return box;
    }

    splcalc_test::Scene scene;
    std::unique_ptr<CTestMap> map;
    std::vector<std::array<IntPoint, 4>> quads;
};

// Top, diagonal, along -x, along +y, a slanted one and three from below or
// behind.
constexpr double kViews[][3] = {{0, 0, 0},    {45, 75, 0},   {90, 90, 0},  {0, 90, 0},
                                {30, 50, 20}, {200, 120, 0}, {-60, 35, 170}, {135, 100, -40}};

// Planes of each orientation away from the origin, whose last row and
// column are narrower than the pitch.
constexpr Plane kPlanes[] = {
    {-2.5, 1.5, 1.2, 7.3, 5.1, 0.0, 0.5},  // 15 x 11 dots, last 0.3 and 0.1 wide
    {3.0, -1.0, 0.4, 0.0, 6.2, 2.7, 0.4},  // 16 x 7, last 0.2 and 0.3
    {1.0, 4.5, 0.3, 8.6, 0.0, 3.1, 0.3},   // 29 x 11, last 0.2 and 0.1
};

}  // namespace

TEST_F(PlaneDot, SameDotsAsTheSearchOfEveryQuadrangle)
{
    for (const Plane& plane : kPlanes) {
        for (const double scale : {0.06, 0.02, 0.007}) {
            for (const auto& view : kViews) {
                SCOPED_TRACE(testing::Message() << "plane " << plane.ex << " " << plane.ey << " " << plane.ez
                                                << ", scale " << scale << ", view " << view[0] << " " << view[1]
                                                << " " << view[2]);
                Set(plane, view, scale);
                const CRect box = PlaneBox();
                int found = 0, flat = 0;
                for (int y = box.top; y <= box.bottom; ++y)
                    for (int x = box.left; x <= box.right; ++x) {
                        const int expected = SearchEveryDot(CPoint(x, y));
                        double pos[3] = {};
                        const bool hit = map->HitTestPlaneDot(CPoint(x, y), pos) != FALSE;
                        if (expected < 0) {
                            ASSERT_FALSE(hit) << x << ", " << y;
                            continue;
                        }
                        if (Flat(quads[static_cast<std::size_t>(expected)]) || !Near(quads[static_cast<std::size_t>(expected)], x, y)) {
                            ++flat;
                            continue;
                        }
                        ++found;
                        if (!hit) {
                            const auto& q = quads[static_cast<std::size_t>(expected)];
                            std::printf("dot %d of %zu: %d,%d %d,%d %d,%d %d,%d\n", expected, quads.size(), q[0].x, q[0].y, q[1].x, q[1].y, q[2].x, q[2].y, q[3].x, q[3].y);
                        }
                        ASSERT_TRUE(hit) << x << ", " << y;
                        const double* c = GetPlane().GetCells().GetAt(static_cast<std::size_t>(expected))->GetCenter();
                        ASSERT_EQ(pos[0], c[0]) << x << ", " << y;
                        ASSERT_EQ(pos[1], c[1]) << x << ", " << y;
                        ASSERT_EQ(pos[2], c[2]) << x << ", " << y;
                    }
                std::printf("%g %g %g scale %g view %g %g %g: found %d flat %d\n", plane.ex, plane.ey, plane.ez, scale, view[0], view[1], view[2], found, flat);
            }
        }
    }
}
