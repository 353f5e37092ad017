#include "DocumentTestSupport.h"

#include "document/SoundGraphConditionList.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// After Init: one curve of one point (0, 0).
CSoundGraphDataList Graph(double yMax)
{
    CSoundGraphDataList g;
    g.Init(1, 0, 20, 50, 20000, yMax, 1000, 10);
    return g;
}

// 61 points from (20, y0) on, x in steps of 20 and y in steps of dy.
void Fill61(CSoundGraphDataList& g, double y0, double dy)
{
    std::vector<double> x(61), y(61);
    for (int i = 0; i < 61; ++i) {
        x[i] = 20.0 * (i + 1);
        y[i] = y0 + dy * i;
    }
    g.SetData(0, 61, x.data(), y.data());
    g.SetData(3, 61, x.data(), y.data());  // no such curve: nothing
}

}  // namespace

TEST(SoundGraphData, SetClearAndAppend)
{
    CSoundGraphDataList g = Graph(120);
    EXPECT_EQ(g.GetCurve(1), nullptr);
    Fill61(g, 60.0, 1.0);
    EXPECT_EQ(g.GetCurveCount(), 1);
    EXPECT_EQ(g.GetCurve(0)->GetY(60), 120.0);
    g.ClearData(0);
    EXPECT_EQ(g.GetCurve(0)->GetCount(), 61);
    for (int i = 0; i < 61; ++i) {
        EXPECT_EQ(g.GetCurve(0)->GetX(i), 0.0);
        EXPECT_EQ(g.GetCurve(0)->GetY(i), 0.0);
    }
    g.ClearData(5);

    const double y[2] = {60.0, 61.0};
    CSoundGraphData extra;
    extra.SetName("Cursor");
    extra.SetData(2, nullptr, y);
    g.Append(extra);
    EXPECT_EQ(g.GetCurveCount(), 2);
    EXPECT_EQ(g.GetCurve(1)->GetName(), "Cursor");
    EXPECT_EQ(g.GetCurve(1)->GetX(1), 0.0);
    EXPECT_EQ(g.GetCurve(1)->GetY(1), 61.0);
    EXPECT_EQ(extra.GetCount(), 0);
}

TEST(SoundGraphConditionList, AddCopiesOrTakesOver)
{
    CSoundGraphConditionList list;
    CSoundGraphDataList g0 = Graph(100);
    list.Add(-1, 1, 2, 3, 4, 0.5, 0.25, g0);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetMargin(0), CRect(1, 2, 3, 4));
    EXPECT_EQ(g0.GetCurveCount(), 0);  // its curves were taken over

    CSoundGraphDataList g1 = Graph(110);
    list.Add(-1, 5, 6, 7, 8, 1.5, 1.25, g1);
    EXPECT_EQ(g1.GetCurveCount(), 1);  // copied, kept
    EXPECT_EQ(list.GetGraph(1).GetYMax(), 110.0);

    // A source beyond the end copies the last entry.
    CSoundGraphDataList unused = Graph(999);
    list.Add(5, 0, 0, 0, 0, 0, 0, unused);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetMargin(2), CRect(5, 6, 7, 8));
    EXPECT_EQ(list.GetXScale(2), 1.5);
    EXPECT_EQ(list.GetGraph(2).GetYMax(), 110.0);

    list.RemoveAt(3);
    EXPECT_EQ(list.GetCount(), 3);
    list.RemoveAt(0);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetMargin(0), CRect(5, 6, 7, 8));
    EXPECT_EQ(list.GetGraph(0).GetYMax(), 110.0);
    list.RemoveAt(1);
    list.RemoveAt(0);
    EXPECT_EQ(list.GetCount(), 0);
    list.RemoveAt(0);
}

TEST(SoundGraphRecord, CurvesOf61AndNoPoints)
{
    CSoundGraphDataList g = Graph(120);
    Fill61(g, 60.0, 0.5);
    g.GetCurve(0)->SetName("Response");
    CSoundGraphData empty;
    g.Append(empty);
    CArchive ar;
    g.Serialize(ar);
    Bytes expected = GraphHead(2);
    expected.I(61).S("Response").W(61);
    for (int i = 0; i < 61; ++i) {
        expected.D(20.0 * (i + 1)).D(60.0 + 0.5 * i);
    }
    expected.I(0).S("").W(0);
    EXPECT_EQ(ar.Buffer(), expected.b);

    CArchive in(ar.Buffer());
    CSoundGraphDataList back;
    back.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(back.GetCurveCount(), 2);
    EXPECT_EQ(back.GetCurve(0)->GetName(), "Response");
    EXPECT_EQ(back.GetCurve(0)->GetCount(), 61);
    EXPECT_EQ(back.GetCurve(0)->GetY(60), 90.0);
    EXPECT_EQ(back.GetCurve(1)->GetCount(), 0);
    EXPECT_EQ(back.GetCurve(1)->GetName(), "");
    EXPECT_EQ(back.GetXScaleType(), 1);
    EXPECT_EQ(back.GetYMax(), 120.0);
}

TEST(SoundGraphRecord, ConditionListOfAFreshGraph)
{
    CSoundGraphConditionList list;
    CSoundGraphDataList g = Graph(120);
    list.Add(-1, 70000, 20, 30, 40, 1.0, 2.0, g);
    list.SetActive(0);
    CArchive ar;
    list.Serialize(ar, 0x02000000);
    Bytes expected;
    expected.W(0).W(1).W(70000 & 0xFFFF).W(20).W(30).W(40).D(1.0).D(2.0);
    expected.Append(GraphHead(1)).I(1).S("").W(1).D(0).D(0);
    EXPECT_EQ(ar.Buffer(), expected.b);

    CArchive in(ar.Buffer());
    CSoundGraphConditionList back;
    back.Serialize(in, 0x01000000);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetMargin(0), CRect(4464, 20, 30, 40));
    EXPECT_EQ(back.GetYScale(0), 2.0);
    EXPECT_EQ(back.GetGraph(0).GetCurveCount(), 1);
}

TEST(SoundGraphRecord, ACurveTakesThePointCountOfItsOwnRecord)
{
    // The graph announces 3 points for the first curve; its own record
    // carries 2. Saved again, both counts of the first curve say 2.
    Bytes r = GraphHead(2);
    r.I(3).S("Short").W(2).D(100).D(80).D(200).D(81).I(1).S("").W(1).D(5).D(6);
    CArchive in(r.b);
    CSoundGraphDataList g;
    g.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(g.GetCurveCount(), 2);
    EXPECT_EQ(g.GetCurve(0)->GetCount(), 2);
    EXPECT_EQ(g.GetCurve(0)->GetX(1), 200.0);
    EXPECT_EQ(g.GetCurve(0)->GetY(1), 81.0);
    EXPECT_EQ(g.GetCurve(1)->GetY(0), 6.0);

    CArchive out;
    g.Serialize(out);
    r.b[GraphHead(2).size()] = 2;
    EXPECT_EQ(out.Buffer(), r.b);
}

TEST(SoundGraphRecord, HostileCountsAreRefused)
{
    // A curve longer than its 32-bit count, a negative count, and a word
    // count the file cannot back.
    Bytes longer = GraphHead(1);
    longer.I(1).S("x").W(2).D(1).D(2).D(3).D(4);
    Bytes negative = GraphHead(1);
    negative.I(-5).S("").W(0);
    Bytes cut = GraphHead(1);
    cut.I(65535).S("").W(65535).D(1);
    for (const Bytes* r : {&longer, &negative, &cut}) {
        CArchive in(r->b);
        CSoundGraphDataList g;
        EXPECT_THROW(g.Serialize(in), CArchiveException);
    }

    // 60000 curves of a few bytes each, every one announcing 2^31 - 1
    // points: the graph keeps what the records carry and allocates nothing
    // for the announcements (which would have been terabytes).
    Bytes r = GraphHead(60000);
    for (int i = 0; i < 60000; ++i) {
        r.I(0x7FFFFFFF).S("").W(0);
    }
    CArchive in(r.b);
    CSoundGraphDataList g;
    g.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(g.GetCurveCount(), 60000);
    EXPECT_EQ(g.GetCurve(59999)->GetCount(), 0);
}
