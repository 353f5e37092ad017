#include "DocumentTestSupport.h"

#include "document/ListeningPlane.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Dot {
    double cx, cy, cz, dx, dy, dz;
};

Dot DotAt(const CListeningPlane& p, std::size_t i)
{
    const CPlaceElement* e = p.GetCells().GetAt(i);
    const double* c = e->GetCenter();
    const double* s = e->GetSize();
    return {c[0], c[1], c[2], s[0], s[1], s[2]};
}

// The arguments of Set: origin, extents, pitch (top level 100, step 2).
struct Geometry {
    double x0, y0, z0, ex, ey, ez, pitch;
};

bool SetPlane(CListeningPlane& p, const Geometry& g)
{
    return p.Set(g.x0, g.y0, g.z0, g.ex, g.ey, g.ez, g.pitch, 100, 2);
}

}  // namespace

TEST(ListeningPlane, DotOrderOfEachNormal)
{
    struct Case {
        Geometry g;
        std::size_t count;
        std::size_t index;
        Dot dot;
    };
    const Case cases[] = {
        // Normal z: y outer, x inner; dot 40 starts the second row.
        {{0, 0, 1.5, 10, 10, 0, 0.25}, 1600, 0, {0.125, 0.125, 1.5, 0.25, 0.25, 0.0}},
        {{0, 0, 1.5, 10, 10, 0, 0.25}, 1600, 1, {0.375, 0.125, 1.5, 0.25, 0.25, 0.0}},
        {{0, 0, 1.5, 10, 10, 0, 0.25}, 1600, 40, {0.125, 0.375, 1.5, 0.25, 0.25, 0.0}},
        {{0, 0, 1.5, 10, 10, 0, 0.25}, 1600, 1599, {9.875, 9.875, 1.5, 0.25, 0.25, 0.0}},
        // Normal x: y outer, z inner.
        {{2, 0, 0, 0, 2, 3, 1}, 6, 0, {2.0, 0.5, 0.5, 0.0, 1.0, 1.0}},
        {{2, 0, 0, 0, 2, 3, 1}, 6, 1, {2.0, 0.5, 1.5, 0.0, 1.0, 1.0}},
        {{2, 0, 0, 0, 2, 3, 1}, 6, 3, {2.0, 1.5, 0.5, 0.0, 1.0, 1.0}},
        // Normal y: z outer, x inner.
        {{0, 4, 0, 3, 0, 2, 1}, 6, 1, {1.5, 4.0, 0.5, 1.0, 0.0, 1.0}},
        {{0, 4, 0, 3, 0, 2, 1}, 6, 3, {0.5, 4.0, 1.5, 1.0, 0.0, 1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "extents " << c.g.ex << " " << c.g.ey << " " << c.g.ez << ", dot "
                                        << c.index);
        CListeningPlane p;
        ASSERT_TRUE(SetPlane(p, c.g));
        ASSERT_EQ(p.GetCellCount(), c.count);
        ASSERT_EQ(p.GetCells().GetCount(), c.count);
        const Dot d = DotAt(p, c.index);
        EXPECT_EQ(d.cx, c.dot.cx);
        EXPECT_EQ(d.cy, c.dot.cy);
        EXPECT_EQ(d.cz, c.dot.cz);
        EXPECT_EQ(d.dx, c.dot.dx);
        EXPECT_EQ(d.dy, c.dot.dy);
        EXPECT_EQ(d.dz, c.dot.dz);
        EXPECT_EQ(p.GetCells().GetAt(c.index)->GetLevel(), 0.0);
    }
}

// Origin off zero on every axis and both extents a half pitch past whole
// dots: the first dot starts at the corner, the last row and column are half
// a pitch wide and end at origin + extent on both the outer and inner axis.
TEST(ListeningPlane, OriginAndShortLastRowOnBothAxesOfEachNormal)
{
    struct Case {
        Geometry g;
        Dot first, last;
    };
    const Case cases[] = {
        // Normal z: 3 dots along x (inner), 2 rows along y (outer).
        {{1, 2, 1.5, 2.5, 1.5, 0, 1}, {1.5, 2.5, 1.5, 1, 1, 0}, {3.25, 3.25, 1.5, 0.5, 0.5, 0}},
        // Normal x: 2 rows along y (outer), 3 dots along z (inner).
        {{2, -1, 0.5, 0, 1.5, 2.5, 1}, {2, -0.5, 1, 0, 1, 1}, {2, 0.25, 2.75, 0, 0.5, 0.5}},
        // Normal y: 3 rows along z (outer), 2 dots along x (inner).
        {{-0.5, 4, 1, 1.5, 0, 2.5, 1}, {0, 4, 1.5, 1, 0, 1}, {0.75, 4, 3.25, 0.5, 0, 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "extents " << c.g.ex << " " << c.g.ey << " " << c.g.ez);
        CListeningPlane p;
        ASSERT_TRUE(SetPlane(p, c.g));
        ASSERT_EQ(p.GetCellCount(), 6u);
        for (const auto& [index, want] : {std::pair<std::size_t, Dot>{0, c.first}, {5, c.last}}) {
            const Dot d = DotAt(p, index);
            EXPECT_EQ(d.cx, want.cx) << index;
            EXPECT_EQ(d.cy, want.cy) << index;
            EXPECT_EQ(d.cz, want.cz) << index;
            EXPECT_EQ(d.dx, want.dx) << index;
            EXPECT_EQ(d.dy, want.dy) << index;
            EXPECT_EQ(d.dz, want.dz) << index;
        }
    }
}

TEST(ListeningPlane, SnappingOfTheExtents)
{
    struct Case {
        double length;
        double extent;     // as kept; 0 when not checked
        std::size_t count;
        std::size_t last;  // the last dot of the first row
        double lastSize, lastCenter;
    };
    const Case cases[] = {
        {10.002, 10.0, 40 * 4, 39, 0.25, 9.875},
        {10.004, 0.0, 41 * 4, 40, 0.004, 10.002},
        {9.999, 10.0, 40 * 4, 39, 0.25, 9.875},
        {9.9, 0.0, 40 * 4, 39, 0.15, 9.825},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CListeningPlane p;
        ASSERT_TRUE(SetPlane(p, {0, 0, 0, c.length, 1, 0, 0.25}));
        if (c.extent != 0.0) {
            EXPECT_EQ(p.GetExtent(0), c.extent);
        }
        EXPECT_EQ(p.GetCellCount(), c.count);
        EXPECT_NEAR(DotAt(p, c.last).dx, c.lastSize, 1e-12);
        EXPECT_NEAR(DotAt(p, c.last).cx, c.lastCenter, 1e-12);
    }
}

TEST(ListeningPlane, AGeometryWithoutExactlyOneZeroExtentOrAPitchChangesNothing)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 1, 2, 2, 0, 1, 90, 3));
    EXPECT_EQ(p.GetNormalAxis(), 2);
    p.GetCells().GetAt(0)->SetLevel(77.0);
    p.SetMaxLevel(77.0);
    const Geometry refused[] = {
        {0, 0, 0, 10, 10, 0.5, 0.25}, {0, 0, 0, 10, 0, 0, 0.25}, {0, 0, 0, 10, 10, 0, 0.0},
        {0, 0, 0, 10, 10, 0, -1.0},   {0, 0, 0, 10, 10, 0, kNaN},
    };
    for (const Geometry& g : refused) {
        EXPECT_FALSE(SetPlane(p, g));
    }
    EXPECT_EQ(p.GetCellCount(), 4u);
    EXPECT_EQ(p.GetCells().GetAt(0)->GetLevel(), 77.0);
    EXPECT_EQ(p.GetMaxLevel(), 77.0);
    EXPECT_EQ(p.GetTopLevel(), 90.0);
    EXPECT_EQ(p.GetOrigin(2), 1.0);
}

TEST(ListeningPlane, GetColorBoundaries)
{
    // Top level 100, step 2: thresholds 100, 98, ..., 54, then 0.
    CListeningPlane p;
    ASSERT_TRUE(SetPlane(p, {0, 0, 0, 1, 1, 0, 1}));
    ASSERT_EQ(p.GetThresholds().size(), 25u);
    EXPECT_EQ(p.GetThresholds()[23], 54.0);
    EXPECT_EQ(p.GetThresholds()[24], 0.0);
    const std::pair<double, COLORREF> cases[] = {
        {100.001, 0x0000FF}, {100.0, 0x001FFF},  {98.0, 0x003FFF},  // (96, 98] is colour 2
        {97.999, 0x003FFF},  {54.001, 0xFF1F00}, {54.0, 0xFF0000}, {-1000.0, 0xFF0000}, {kNaN, 0x000000},
    };
    for (const auto& [level, colour] : cases) {
        EXPECT_EQ(p.GetColor(level), colour) << level;
    }
    // A plane never set has no scale and answers black.
    EXPECT_EQ(CListeningPlane().GetColor(50.0), 0x000000u);
}

TEST(ListeningPlane, RebuildZeroesLevelsAndResults)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(1, 2, 3, 2, 0, 3, 0.5, 100, 2));
    for (const auto& dot : p.GetCells()) {
        dot->SetLevel(80.0);
    }
    p.SetMaxLevel(90);
    p.SetMinLevel(70);
    p.SetAverageLevel(80);
    p.SetSpeechAverageLevel(76);
    p.Rebuild();
    EXPECT_EQ(p.GetCellCount(), 24u);
    for (const auto& dot : p.GetCells()) {
        EXPECT_EQ(dot->GetLevel(), 0.0);
    }
    EXPECT_EQ(p.GetMaxLevel(), 0.0);
    EXPECT_EQ(p.GetSpeechAverageLevel(), 0.0);
    EXPECT_EQ(p.GetOrigin(1), 2.0);
    EXPECT_EQ(p.GetPitch(), 0.5);
}

TEST(ListeningPlane, CopyAndTakeOver)
{
    CListeningPlane a;
    ASSERT_TRUE(a.Set(0, 0, 0, 2, 2, 0, 1, 100, 2));
    a.GetCells().GetAt(3)->SetLevel(60);
    CListeningPlane copy(a);
    EXPECT_EQ(copy.GetCells().GetCount(), 4u);
    EXPECT_NE(copy.GetCells().GetAt(3), a.GetCells().GetAt(3));
    EXPECT_EQ(copy.GetCells().GetAt(3)->GetLevel(), 60.0);

    CListeningPlane b;
    CPlaceElement* dot = a.GetCells().GetAt(3);
    b.TakeFrom(a);
    EXPECT_EQ(b.GetCells().GetAt(3), dot);
    EXPECT_EQ(a.GetCells().GetCount(), 0u);
    EXPECT_EQ(b.GetCellCount(), 4u);
    EXPECT_EQ(b.GetColor(100.0), 0x001FFFu);
}

namespace {

// The record of a 2 x 1 floor plane of pitch 1 at height 1.2 (top level 90,
// step 3), with its full colour scale.
Bytes PlaneRecord(bool withZ)
{
    Bytes r;
    r.W(2).W(25).D(1.0).D(3.0).D(2.0).D(1.0);
    if (withZ) {
        r.D(0.0);
    }
    r.D(90.0).D(0.0).D(0.0).D(1.2);
    for (double level : {81.5, 79.25}) {
        r.D(level == 81.5 ? 0.5 : 1.5).D(0.5).D(1.2).D(1.0).D(1.0);
        if (withZ) {
            r.D(0.0);
        }
        r.D(level);
    }
    const COLORREF colours[25] = {0x0000FF, 0x001FFF, 0x003FFF, 0x005FFF, 0x007FFF, 0x009FFF, 0x00BFFF,
                                  0x00DFFF, 0x00FFFF, 0x1FFFDF, 0x3FFFBF, 0x5FFF9F, 0x7FFF7F, 0x9FFF5F,
                                  0xBFFF3F, 0xDFFF1F, 0xFFFF00, 0xFFDF00, 0xFFBF00, 0xFF9F00, 0xFF7F00,
                                  0xFF5F00, 0xFF3F00, 0xFF1F00, 0xFF0000};
    for (int k = 0; k < 25; ++k) {
        r.DW(colours[k]).D(k < 24 ? 90.0 - 3.0 * k : 0.0);
    }
    r.D(81.5).D(79.25).D(80.5).D(76.5);
    return r;
}

}  // namespace

TEST(ListeningPlaneRecord, WrittenFieldByFieldAndReadBackIntoTheDotsSetMakes)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 1.2, 2, 1, 0, 1, 90, 3));
    p.GetCells().GetAt(0)->SetLevel(81.5);
    p.GetCells().GetAt(1)->SetLevel(79.25);
    p.SetMaxLevel(81.5);
    p.SetMinLevel(79.25);
    p.SetAverageLevel(80.5);
    p.SetSpeechAverageLevel(76.5);
    CArchive ar;
    p.Serialize(ar, 0x02000000);
    EXPECT_EQ(ar.Buffer(), PlaneRecord(true).b);

    for (bool withZ : {true, false}) {
        SCOPED_TRACE(withZ);
        const Bytes rec = PlaneRecord(withZ);
        CArchive in(rec.b);
        CListeningPlane back;
        back.Serialize(in, withZ ? 0x01040200 : 0x01030000);
        EXPECT_EQ(in.Remaining(), 0u);
        ASSERT_EQ(back.GetCellCount(), 2u);
        EXPECT_EQ(back.GetCells().GetAt(1)->GetLevel(), 79.25);
        EXPECT_EQ(DotAt(back, 1).cx, 1.5);
        EXPECT_EQ(DotAt(back, 1).dz, 0.0);
        EXPECT_EQ(back.GetExtent(2), 0.0);
        EXPECT_EQ(back.GetAverageLevel(), 80.5);
        EXPECT_EQ(back.GetColor(90.0), 0x001FFFu);

        CArchive out;
        back.Serialize(out, 0x02000000);
        EXPECT_EQ(out.Buffer(), PlaneRecord(true).b);
    }
}

TEST(ListeningPlaneRecord, TheDotCountIsSetsAndDotsThatCannotBeReadInStepAreRefused)
{
    // A stale count word (three or none claimed for a 2 x 1 plane) loads
    // the two dots Set makes, and the plane is saved with its own count.
    for (WORD claimed : {3, 0, 0xFFFF}) {
        SCOPED_TRACE(claimed);
        Bytes rec = PlaneRecord(true);
        rec.b[0] = static_cast<BYTE>(claimed & 0xFF);
        rec.b[1] = static_cast<BYTE>(claimed >> 8);
        CArchive in(rec.b);
        CListeningPlane back;
        back.Serialize(in, 0x02000000);
        EXPECT_EQ(in.Remaining(), 0u);
        EXPECT_EQ(back.GetCellCount(), 2u);
        EXPECT_EQ(back.GetCells().GetAt(1)->GetLevel(), 79.25);
        CArchive out;
        back.Serialize(out, 0x02000000);
        EXPECT_EQ(out.Buffer(), PlaneRecord(true).b);
    }

    // Dots announced for a geometry that makes none (two zero extents)
    // cannot be read in step.
    Bytes flat;
    flat.W(2).W(25).D(1.0).D(3.0).D(2.0).D(0.0).D(0.0).D(90.0).D(0).D(0).D(0);
    CArchive ar(flat.b);
    CListeningPlane p;
    EXPECT_THROW(p.Serialize(ar, 0x02000000), CArchiveException);

    // 2e8 dots announced by a small pitch, with a matching low word, are
    // refused before anything is made for them.
    Bytes tiny;
    tiny.W(200000000 & 0xFFFF).W(25).D(1e-4).D(3.0).D(2.0).D(1.0).D(0.0).D(90.0).D(0).D(0).D(0);
    CArchive ar2(tiny.b);
    CListeningPlane q;
    EXPECT_THROW(q.Serialize(ar2, 0x02000000), CArchiveException);
}

TEST(ListeningPlaneRecord, MoreThan65535DotsKeepOnlyTheLowWordOfTheirCount)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 1.0, 30, 30, 0, 0.1, 100, 2));
    ASSERT_EQ(p.GetCellCount(), 90000u);
    p.GetCells().GetAt(89999)->SetLevel(66.0);
    CArchive ar;
    p.Serialize(ar, 0x02000000);
    EXPECT_EQ(ar.Buffer()[0] | (ar.Buffer()[1] << 8), 90000 & 0xFFFF);
    CArchive in(ar.Buffer());
    CListeningPlane back;
    back.Serialize(in, 0x02000000);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back.GetCellCount(), 90000u);
    EXPECT_EQ(back.GetCells().GetAt(89999)->GetLevel(), 66.0);
}
