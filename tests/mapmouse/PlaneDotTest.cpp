// The colour dot under a point of the SPL map: the same dot as a search of
// every dot's projected quadrangle in list order, pixel by pixel, for
// horizontal and vertical planes with narrow last rows and columns, at
// several scales and from every view direction.

#include "MapMouseTestSupport.h"

#include "document/ListeningPlane.h"
#include "models/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
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

    // A quadrangle that the rounding to pixels flattened to a sliver less
    // than a pixel across, a line or a point. A line holds the whole pixel
    // row or column it lies in, however far from the dot.
    static bool Sliver(const std::array<IntPoint, 4>& q)
    {
        double area = 0.0, longest = 0.0;
        for (int i = 0; i < 4; ++i) {
            const IntPoint& a = q[i];
            const IntPoint& b = q[(i + 1) % 4];
            area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
            longest = std::max(longest, std::hypot(b.x - a.x, b.y - a.y));
        }
        return std::fabs(area) / 2.0 < longest;
    }

    // Whether (x, y) lies within the box of a quadrangle widened by margin.
    static bool Near(const std::array<IntPoint, 4>& q, int x, int y, int margin)
    {
        int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
        for (const IntPoint& v : q) {
            l = std::min(l, v.x);
            r = std::max(r, v.x);
            t = std::min(t, v.y);
            b = std::max(b, v.y);
        }
        return x >= l - margin && x <= r + margin && y >= t - margin && y <= b + margin;
    }

    // The list position of the dot with this centre.
    std::size_t IndexOf(const double centre[3])
    {
        std::size_t i = 0;
        for (const auto& dot : GetPlane().GetCells()) {
            const double* c = dot->GetCenter();
            if (c[0] == centre[0] && c[1] == centre[1] && c[2] == centre[2])
                return i;
            ++i;
        }
        ADD_FAILURE() << "no dot at " << centre[0] << ", " << centre[1] << ", " << centre[2];
        return 0;
    }

    // The window box of the projected dots, widened by a few pixels.
    CRect PlaneBox() const
    {
        CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        for (const auto& q : quads)
            for (const IntPoint& v : q)
                GrowBox(box, v);
        return box;
    }

    splcalc_test::Scene scene;
    std::unique_ptr<CTestMap> map;
    std::vector<std::array<IntPoint, 4>> quads;
};

struct View {
    double angles[3];
    int along;  // the axis the view looks along; -1 for a slanted view
};

// Top, diagonal, along -x, along +y, a slanted one and two from below or
// behind.
constexpr View kViews[] = {{{0, 0, 0}, 2},     {{45, 75, 0}, -1},     {{90, 90, 0}, 0},         {{0, 90, 0}, 1},
                           {{30, 50, 20}, -1}, {{-60, 35, 170}, -1}, {{135, 100, -40}, -1}};

// Planes of each orientation away from the origin, whose last row and
// column are narrower than the pitch.
constexpr Plane kPlanes[] = {
    {-2.5, 1.5, 1.2, 7.3, 5.1, 0.0, 0.5},  // 15 x 11 dots, last 0.3 and 0.1 wide
    {3.0, -1.0, 0.4, 0.0, 6.2, 2.7, 0.4},  // 16 x 7, last 0.2 and 0.3
    {1.0, 4.5, 0.3, 8.6, 0.0, 3.1, 0.3},   // 29 x 11, last 0.2 and 0.1
};
// The axis each plane's normal runs along.
constexpr int kNormals[] = {2, 0, 1};

}  // namespace

TEST_F(PlaneDot, SameDotsAsTheSearchOfEveryQuadrangle)
{
    // Dots from 7.5 pixels down to 1.2. Seen from behind, every quadrangle
    // turns the other way round and holds no point: neither search finds a
    // dot. Where the rounding flattens a narrow last row to a sliver, the
    // search of every dot answered with a sliver whose pixel row or column
    // runs through the point, however far away; those pixels are left out of
    // the comparison, and so is the plane seen edge-on, where every dot lies
    // on one line and the search answered with whichever dot the rounding of
    // its corners happened to place first on the point.
    int compared = 0;
    for (int p = 0; p < 3; ++p) {
        const Plane& plane = kPlanes[p];
        for (const double scale : {0.015, 0.009, 0.004}) {
            for (const View& v : kViews) {
                const double* view = v.angles;
                const bool edgeOn = v.along >= 0 && v.along != kNormals[p];
                SCOPED_TRACE(testing::Message() << "plane " << plane.ex << " " << plane.ey << " " << plane.ez
                                                << ", scale " << scale << ", view " << view[0] << " " << view[1]
                                                << " " << view[2]);
                Set(plane, view, scale);
                const CRect box = PlaneBox();
                for (int y = box.top; y <= box.bottom; ++y)
                    for (int x = box.left; x <= box.right; ++x) {
                        const int expected = SearchEveryDot(CPoint(x, y));
                        double pos[3] = {};
                        const bool hit = map->HitTestPlaneDot(CPoint(x, y), pos) != FALSE;
                        if (expected < 0) {
                            ASSERT_FALSE(hit) << x << ", " << y;
                            continue;
                        }
                        const auto& quad = quads[static_cast<std::size_t>(expected)];
                        if (edgeOn || Sliver(quad) || !Near(quad, x, y, 1)) {
                            // A sliver far from the point: the dot found
                            // instead lies about the point.
                            if (hit) {
                                const auto& q = quads[IndexOf(pos)];
                                ASSERT_TRUE(IsPointInQuadrangle(x, y, q.data()) > 0 || Near(q, x, y, 2))
                                    << x << ", " << y;
                            }
                            continue;
                        }
                        ++compared;
                        ASSERT_TRUE(hit) << x << ", " << y;
                        const double* c = GetPlane().GetCells().GetAt(static_cast<std::size_t>(expected))->GetCenter();
                        ASSERT_EQ(pos[0], c[0]) << x << ", " << y;
                        ASSERT_EQ(pos[1], c[1]) << x << ", " << y;
                        ASSERT_EQ(pos[2], c[2]) << x << ", " << y;
                    }
            }
        }
    }
    EXPECT_GT(compared, 30000);
}

TEST_F(PlaneDot, DotsFarBelowAPixelGiveTheDotUnderThePoint)
{
    // 1 cm dots at 10 pixels a metre. Every dot's quadrangle is rounded to a
    // point or a line, and the search of every dot answered with whichever
    // such line first ran through the point, however far away; the dot
    // under the point, within a pixel of it, is the answer instead. A plane
    // seen from behind still gives none, as it does with dots of some
    // pixels, where every quadrangle turns the other way round.
    const Plane fine[] = {
        {-1.0, 2.0, 1.2, 2.0, 1.505, 0.0, 0.01},
        {2.0, -1.0, 0.3, 0.0, 1.505, 2.0, 0.01},
        {1.0, 0.5, -0.3, 2.0, 0.0, 1.505, 0.01},
    };
    std::mt19937 random(11);
    std::uniform_real_distribution<double> inside(0.1, 0.9);
    int facing = 0, behind = 0;
    for (int p = 0; p < 3; ++p) {
        for (const View& v : kViews) {
            if (v.along >= 0 && v.along != kNormals[p])
                continue;  // edge-on
            const double* view = v.angles;
            SCOPED_TRACE(testing::Message() << "plane " << p << ", view " << view[0] << " " << view[1] << " "
                                            << view[2]);
            const Plane& f = fine[p];
            // Whether the plane faces the window: 25 cm dots at 50 pixels a
            // metre, searched dot by dot.
            Plane coarse = f;
            coarse.pitch = 0.25;
            Set(coarse, view, 0.05);
            const CRect box = PlaneBox();
            bool faces = false;
            for (int y = box.top; y <= box.bottom && !faces; ++y)
                for (int x = box.left; x <= box.right && !faces; ++x)
                    faces = SearchEveryDot(CPoint(x, y)) >= 0;
            (faces ? facing : behind) += 1;

            Set(f, view, 0.01);
            for (int n = 0; n < 12; ++n) {
                const CPoint3D world(f.x0 + f.ex * inside(random), f.y0 + f.ey * inside(random),
                                     f.z0 + f.ez * inside(random));
                const CPoint at = map->ProjectPoint(world);
                double pos[3] = {};
                const bool hit = map->HitTestPlaneDot(at, pos) != FALSE;
                ASSERT_EQ(hit, faces) << at.x << ", " << at.y;
                if (!hit)
                    continue;
                const CPoint centre = map->ProjectPoint(CPoint3D(pos[0], pos[1], pos[2]));
                EXPECT_LE(std::abs(centre.x - at.x), 1) << at.x << ", " << at.y;
                EXPECT_LE(std::abs(centre.y - at.y), 1) << at.x << ", " << at.y;
            }
        }
    }
    EXPECT_GE(facing, 6);
    EXPECT_GE(behind, 3);
}
