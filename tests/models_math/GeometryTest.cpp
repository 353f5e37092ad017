#include "models/Geometry.h"
#include "models/NumberFormat.h"
#include "models/OctaveFrequencies.h"
#include "models/Point3D.h"
#include "models_data/GoldenBytes.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(Rotation, HandComputedTurns)
{
    // Row 1 of the matrix is (ca cb, sa cb, -sb): elevation 90 takes (0, 0, 1) to x = -1.
    struct Case {
        double in[3], a, b, c, out[3];
    } cases[] = {
        {{1.5, -2.0, 0.25}, 0, 0, 0, {1.5, -2.0, 0.25}},
        {{1, 0, 0}, 90, 0, 0, {0, -1, 0}},
        {{0, 0, 1}, 0, 90, 0, {-1, 0, 0}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.a + 1000 * t.b);
        double x = t.in[0], y = t.in[1], z = t.in[2];
        RotatePoint(x, y, z, t.a, t.b, t.c);
        EXPECT_NEAR(x, t.out[0], 1e-15);
        EXPECT_NEAR(y, t.out[1], 1e-15);
        EXPECT_NEAR(z, t.out[2], 1e-15);
    }
}

TEST(Rotation, RotateBackUndoesRotate)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> ang(-180, 180), pos(-50, 50);
    for (int i = 0; i < 200; ++i) {
        const CPoint3D angles(ang(rng), ang(rng), ang(rng));
        const CPoint3D start(pos(rng), pos(rng), pos(rng));
        CPoint3D p = start;
        p.Rotate(angles);
        p.RotateBack(angles);
        EXPECT_NEAR(p.x, start.x, 1e-12);
        EXPECT_NEAR(p.y, start.y, 1e-12);
        EXPECT_NEAR(p.z, start.z, 1e-12);
    }
}

TEST(Rotation, PointAndFrameUseAzimuthElevationRotationOrder)
{
    const CPoint3D angles(30, 10, -20);  // azimuth, rotation, elevation
    CPoint3D p(1, 2, 3);
    p.Rotate(angles);
    double x = 1, y = 2, z = 3;
    RotatePoint(x, y, z, 30, -20, 10);
    EXPECT_EQ(p, CPoint3D(x, y, z));

    double block[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    double out[12];
    CopyAndRotateFrame(out, block, 25, -40, 70);
    for (int i = 0; i < 4; ++i) {
        x = block[i], y = block[4 + i], z = block[8 + i];
        RotatePoint(x, y, z, 25, -40, 70);
        EXPECT_NEAR(out[i], x, 1e-13);
        EXPECT_NEAR(out[4 + i], y, 1e-13);
        EXPECT_NEAR(out[8 + i], z, 1e-13);
    }
    EXPECT_EQ(block[0], 1);
}

TEST(RectCorners, PlaneSelectedByTheZeroComponent)
{
    struct Case {
        CPoint3D size;
        double corners[12];
    } cases[] = {
        {CPoint3D(10, 20, 0), {1, 1, 11, 11, 2, 22, 22, 2, 3, 3, 3, 3}},
        {CPoint3D(0, 20, 5), {1, 1, 1, 1, 2, 2, 22, 22, 3, 8, 8, 3}},
        {CPoint3D(10, 0, 5), {1, 11, 11, 1, 2, 2, 2, 2, 3, 3, 8, 8}},
        {CPoint3D(1, 1, 1), {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},  // no zero: untouched
    };
    for (const Case& t : cases) {
        double c[12] = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
        CPoint3D(1, 2, 3).GetRectCorners(c, t.size);
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(c[i], t.corners[i]) << t.size.x << "," << t.size.y << " corner value " << i;
    }
}

TEST(Quadrangle, EdgesAndCornersAreInside)
{
    // Counter-clockwise on screen with y growing downwards.
    const IntPoint q[4] = {{0, 100}, {100, 100}, {100, 0}, {0, 0}};
    const int points[][3] = {{50, 50, 1},  {0, 100, 1}, {100, 0, 1},  {50, 100, 1}, {0, 50, 1},
                             {50, 101, 0}, {-1, 50, 0}, {101, 50, 0}, {50, -1, 0}};
    for (const auto& p : points)
        EXPECT_EQ(IsPointInQuadrangle(p[0], p[1], q), p[2]) << p[0] << "," << p[1];
    // The other way round it is outside everywhere.
    const IntPoint r[4] = {q[3], q[2], q[1], q[0]};
    EXPECT_EQ(IsPointInQuadrangle(50, 50, r), 0);
    // Corners at the ends of the int range, whose differences no int holds.
    constexpr int m = 2147483647;
    const IntPoint far[4] = {{-m, m}, {m, m}, {m, -m}, {-m, -m}};
    EXPECT_EQ(IsPointInQuadrangle(-m, 0, far), 1);
}

TEST(Significant, RoundsAndFormatsToTheGivenDigits)
{
    EXPECT_EQ(RoundToSignificant(1234.5, 2), 1200.0);
    EXPECT_EQ(RoundToSignificant(-1234.5, 2), -1200.0);
    EXPECT_NEAR(RoundToSignificant(0.012345, 3), 0.0123, 1e-15);
    EXPECT_EQ(RoundToSignificant(999999.0, 3), 1000000.0);
    EXPECT_EQ(RoundToSignificant(2000000.0, 3), 0.0);
    EXPECT_EQ(RoundToSignificant(0.0, 3), 0.0);
    EXPECT_EQ(RoundToSignificant(5e-7, 3), 0.0);
    EXPECT_EQ(RoundToSignificant(std::nan(""), 3), 0.0);

    EXPECT_EQ(FormatNumber(1.5, 3), "1.5");
    EXPECT_EQ(FormatNumber(100, 3), "100");
    EXPECT_EQ(FormatNumber(0, 3), "0");
    EXPECT_EQ(FormatNumber(20000, 3), "20000");
    EXPECT_EQ(FormatNumber(31.622776, 3), "31.6");
    EXPECT_EQ(FormatNumber(-1234.5, 2), "-1200");
    EXPECT_EQ(FormatNumber(0.012345, 3), "0.0123");
}

TEST(Octaves, ThirdOctaveSeriesFrom20To20000)
{
    int count = -1, end = -1;
    std::vector<double> f;
    MakeOctaveFrequencies(count, end, 20, 20000, 3, &f);
    EXPECT_EQ(count, 30);
    EXPECT_EQ(end, 44);
    ASSERT_EQ(f.size(), 30u);
    EXPECT_EQ(f.front(), std::pow(10.0, 0.3 * 14 / 3));
    EXPECT_NEAR(f.front(), 25.12, 0.01);
    EXPECT_NEAR(f.back(), 19952.6, 0.1);
    CountOctaveFrequencies(count, end, 20, 20000, 3);
    EXPECT_EQ(count, 30);
    EXPECT_EQ(end, 44);
    // A series starting at 1 Hz.
    GetOctaveFrequencies(count, end, 0.1, 1.0, 1, f);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(end, 1);
    EXPECT_EQ(f, std::vector<double>{1.0});
}

TEST(Octaves, EmptyAndUnboundedLimits)
{
    int count, end;
    std::vector<double> f{1, 2};
    MakeOctaveFrequencies(count, end, 500, 400, 3, &f);
    EXPECT_LT(count, 1);
    EXPECT_TRUE(f.empty());
    MakeOctaveFrequencies(count, end, 20, HUGE_VAL, 3, &f);
    EXPECT_EQ(count, 0);
    MakeOctaveFrequencies(count, end, 20, 20000, 0, &f);
    EXPECT_EQ(count, 0);
}

TEST(Point3DRecord, ThreeDoublesInOrder)
{
    CArchive ar;
    CPoint3D(1.0, 2.0, -0.5).Serialize(ar);
    const std::vector<BYTE> expected = CGolden().D(1.0).D(2.0).D(-0.5).bytes;
    EXPECT_EQ(ar.Buffer(), expected);
    CArchive in(expected);
    CPoint3D q;
    q.Serialize(in);
    EXPECT_EQ(q, CPoint3D(1.0, 2.0, -0.5));
}

}  // namespace
