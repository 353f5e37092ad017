#include "Bytes.h"

#include "document/ListeningPlane.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

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

}  // namespace

TEST(ListeningPlane, FloorPlaneDotsRowByRow)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 1.5, 10, 10, 0, 0.25, 100, 2));
    EXPECT_EQ(p.GetCellCount(), 1600u);
    ASSERT_EQ(p.GetCells().GetCount(), 1600u);
    Dot d0 = DotAt(p, 0);
    EXPECT_EQ(d0.cx, 0.125);
    EXPECT_EQ(d0.cy, 0.125);
    EXPECT_EQ(d0.cz, 1.5);
    EXPECT_EQ(d0.dx, 0.25);
    EXPECT_EQ(d0.dy, 0.25);
    EXPECT_EQ(d0.dz, 0.0);
    // y outer, x inner: dot 1 moves along x, dot 40 starts the second row.
    EXPECT_EQ(DotAt(p, 1).cx, 0.375);
    EXPECT_EQ(DotAt(p, 1).cy, 0.125);
    EXPECT_EQ(DotAt(p, 40).cx, 0.125);
    EXPECT_EQ(DotAt(p, 40).cy, 0.375);
    EXPECT_EQ(DotAt(p, 1599).cx, 9.875);
    EXPECT_EQ(DotAt(p, 1599).cy, 9.875);
    EXPECT_EQ(p.GetNormalAxis(), 2);
    for (const auto& dot : p.GetCells()) {
        EXPECT_EQ(dot->GetLevel(), 0.0);
    }
}

TEST(ListeningPlane, WalkOrderOfTheOtherNormals)
{
    // Normal x: y outer, z inner.
    CListeningPlane px;
    ASSERT_TRUE(px.Set(2, 0, 0, 0, 2, 3, 1, 100, 2));
    ASSERT_EQ(px.GetCellCount(), 6u);
    EXPECT_EQ(DotAt(px, 0).cx, 2.0);
    EXPECT_EQ(DotAt(px, 0).dx, 0.0);
    EXPECT_EQ(DotAt(px, 1).cz, 1.5);  // inner axis z
    EXPECT_EQ(DotAt(px, 1).cy, 0.5);
    EXPECT_EQ(DotAt(px, 3).cy, 1.5);  // second y row
    EXPECT_EQ(DotAt(px, 3).cz, 0.5);

    // Normal y: z outer, x inner.
    CListeningPlane py;
    ASSERT_TRUE(py.Set(0, 4, 0, 3, 0, 2, 1, 100, 2));
    EXPECT_EQ(DotAt(py, 1).cx, 1.5);
    EXPECT_EQ(DotAt(py, 1).cz, 0.5);
    EXPECT_EQ(DotAt(py, 3).cx, 0.5);
    EXPECT_EQ(DotAt(py, 3).cz, 1.5);
    EXPECT_EQ(DotAt(py, 3).cy, 4.0);
}

TEST(ListeningPlane, SnappingOfTheExtents)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 0, 10.002, 1, 0, 0.25, 100, 2));
    EXPECT_EQ(p.GetExtent(0), 10.0);
    EXPECT_EQ(p.GetCellCount(), 40u * 4u);

    ASSERT_TRUE(p.Set(0, 0, 0, 10.004, 1, 0, 0.25, 100, 2));
    EXPECT_EQ(p.GetCellCount(), 41u * 4u);
    EXPECT_NEAR(DotAt(p, 40).dx, 0.004, 1e-12);  // the last dot of the first row
    EXPECT_NEAR(DotAt(p, 40).cx, 10.002, 1e-12);

    ASSERT_TRUE(p.Set(0, 0, 0, 9.999, 1, 0, 0.25, 100, 2));
    EXPECT_EQ(p.GetExtent(0), 10.0);
    EXPECT_EQ(p.GetCellCount(), 40u * 4u);

    ASSERT_TRUE(p.Set(0, 0, 0, 9.9, 1, 0, 0.25, 100, 2));
    EXPECT_EQ(p.GetCellCount(), 40u * 4u);
    EXPECT_NEAR(DotAt(p, 39).dx, 0.15, 1e-12);
}

TEST(ListeningPlane, AGeometryWithoutExactlyOneZeroExtentChangesNothing)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 1, 2, 2, 0, 1, 90, 3));
    p.GetCells().GetAt(0)->SetLevel(77.0);
    p.SetMaxLevel(77.0);
    EXPECT_FALSE(p.Set(0, 0, 0, 10, 10, 0.5, 0.25, 100, 2));
    EXPECT_FALSE(p.Set(0, 0, 0, 10, 0, 0, 0.25, 100, 2));
    // Pitches that are no positive number are refused the same way.
    EXPECT_FALSE(p.Set(0, 0, 0, 10, 10, 0, 0.0, 100, 2));
    EXPECT_FALSE(p.Set(0, 0, 0, 10, 10, 0, -1.0, 100, 2));
    EXPECT_FALSE(p.Set(0, 0, 0, 10, 10, 0, std::numeric_limits<double>::quiet_NaN(), 100, 2));
    EXPECT_EQ(p.GetCellCount(), 4u);
    EXPECT_EQ(p.GetCells().GetAt(0)->GetLevel(), 77.0);
    EXPECT_EQ(p.GetMaxLevel(), 77.0);
    EXPECT_EQ(p.GetTopLevel(), 90.0);
    EXPECT_EQ(p.GetOrigin(2), 1.0);
}

TEST(ListeningPlane, ColourScaleAndThresholds)
{
    CListeningPlane p;
    ASSERT_TRUE(p.Set(0, 0, 0, 1, 1, 0, 1, 100, 2));
    ASSERT_EQ(p.GetColors().size(), 25u);
    ASSERT_EQ(p.GetThresholds().size(), 25u);
    EXPECT_EQ(p.GetColors()[0], 0x0000FFu);
    EXPECT_EQ(p.GetColors()[12], 0x7FFF7Fu);
    EXPECT_EQ(p.GetColors()[24], 0xFF0000u);
    EXPECT_EQ(p.GetThresholds()[0], 100.0);
    EXPECT_EQ(p.GetThresholds()[23], 54.0);
    EXPECT_EQ(p.GetThresholds()[24], 0.0);

    EXPECT_EQ(p.GetColor(100.001), 0x0000FFu);
    EXPECT_EQ(p.GetColor(100.0), 0x001FFFu);
    EXPECT_EQ(p.GetColor(98.0), 0x003FFFu);   // (96, 98] is colour 2
    EXPECT_EQ(p.GetColor(97.999), 0x003FFFu);
    EXPECT_EQ(p.GetColor(54.001), 0xFF1F00u);  // colour 23
    EXPECT_EQ(p.GetColor(54.0), 0xFF0000u);    // colour 24
    EXPECT_EQ(p.GetColor(-1000.0), 0xFF0000u);
    EXPECT_EQ(p.GetColor(std::numeric_limits<double>::quiet_NaN()), 0x000000u);

    // A plane never set has no scale and answers black.
    CListeningPlane empty;
    EXPECT_EQ(empty.GetColor(50.0), 0x000000u);
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

// The record of a 2 x 1 floor plane of pitch 1 at height 1.2.
Bytes PlaneRecord(bool withZ)
{
    Bytes r;
    r.W(2).W(25).D(1.0).D(3.0).D(2.0).D(1.0);
    if (withZ) {
        r.D(0.0);
    }
    r.D(90.0).D(0.0).D(0.0).D(1.2);
    r.D(0.5).D(0.5).D(1.2).D(1.0).D(1.0);
    if (withZ) {
        r.D(0.0);
    }
    r.D(81.5);
    r.D(1.5).D(0.5).D(1.2).D(1.0).D(1.0);
    if (withZ) {
        r.D(0.0);
    }
    r.D(79.25);
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

TEST(ListeningPlaneRecord, WrittenFieldByField)
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
}

TEST(ListeningPlaneRecord, ReadBackIntoTheDotsSetMakes)
{
    for (bool withZ : {true, false}) {
        const Bytes rec = PlaneRecord(withZ);
        CArchive ar(rec.b);
        CListeningPlane p;
        p.Serialize(ar, withZ ? 0x01040200 : 0x01030000);
        EXPECT_EQ(ar.Remaining(), 0u);
        ASSERT_EQ(p.GetCellCount(), 2u);
        EXPECT_EQ(p.GetCells().GetAt(1)->GetLevel(), 79.25);
        EXPECT_EQ(DotAt(p, 1).cx, 1.5);
        EXPECT_EQ(DotAt(p, 1).dz, 0.0);
        EXPECT_EQ(p.GetExtent(2), 0.0);
        EXPECT_EQ(p.GetAverageLevel(), 80.5);
        EXPECT_EQ(p.GetColor(90.0), 0x001FFFu);

        CArchive out;
        p.Serialize(out, 0x02000000);
        EXPECT_EQ(out.Buffer(), PlaneRecord(true).b);
    }
}

TEST(ListeningPlaneRecord, DotsThatDoNotMatchTheGeometryAreRefused)
{
    Bytes rec = PlaneRecord(true);
    rec.b[0] = 3;  // three dots claimed for a 2 x 1 plane
    CArchive ar(rec.b);
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
