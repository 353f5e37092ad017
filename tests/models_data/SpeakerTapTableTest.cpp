#include "GoldenBytes.h"

#include "models/SpeakerTapTable.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

namespace {

CSpeakerTapTable ReadTaps(const std::string& text, DWORD count, BOOL* result = nullptr)
{
    CStdioFile f;
    f.OpenText(text);
    CSpeakerTapTable t;
    t.SetTapCount(count);
    const BOOL ok = t.ReadFromFile(f);
    if (result)
        *result = ok;
    return t;
}

}  // namespace

TEST(SpeakerTapTable, ModuleCountsAndDefaults)
{
    CSpeakerTapTable t;
    t.SetModuleCounts(1, 4, 3);
    EXPECT_EQ(t.GetElementCount(), 8u);
    t.SetTapCount(2);
    EXPECT_FALSE(t.IsLowImpedance(1));
    EXPECT_EQ(t.GetValue(1), 0.0);
    // Outside the table: safe defaults, never a read past the arrays.
    EXPECT_FALSE(t.IsLowImpedance(5));
    EXPECT_EQ(t.GetPower(-1), 0.0);
    EXPECT_EQ(t.GetFactor(2), 0.0);
}

TEST(SpeakerTapTable, TapLines)
{
    BOOL ok = 0;
    const CSpeakerTapTable t =
        ReadTaps("h,100,30\nl\nH,100,30\nl,8,60,4\nh,70,15,,ignored,more\n", 5, &ok);
    EXPECT_TRUE(ok);
    struct Tap {
        bool low;
        double value, power, factor;
    } taps[] = {
        {false, 100, 30, 1},  // a 100 V line tap of 30 W
        {true, 0, 0, 2},      // "l" alone: low impedance, value and power 0, factor 2
        {false, 100, 30, 0},  // upper case: the kind stays as it was in a fresh table
        {true, 8, 60, 4},     // the data set's own factor overrides the default
        {false, 70, 15, 0},   // an empty factor piece reads as 0; further pieces are ignored
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.IsLowImpedance(i) != FALSE, taps[i].low);
        EXPECT_EQ(t.GetValue(i), taps[i].value);
        EXPECT_EQ(t.GetPower(i), taps[i].power);
        EXPECT_EQ(t.GetFactor(i), taps[i].factor);
    }

    // A missing tap line fails.
    ok = 1;
    ReadTaps("h,100,30\n", 2, &ok);
    EXPECT_FALSE(ok);
}

TEST(SpeakerTapTable, HeaderRecordKeepsReservedWords)
{
    CArchive in(CGolden().W(1).W(2).W(0xFFFF).bytes);
    CSpeakerTapTable t;
    t.SerializeHeader(in);
    EXPECT_EQ(t.GetReserved(0), 1u);
    EXPECT_EQ(t.GetReserved(2), 0xFFFFu);
    CArchive out;
    t.SerializeHeader(out);
    EXPECT_EQ(out.Buffer(), CGolden().W(1).W(2).W(0xFFFF).bytes);

    CArchive fresh;
    CSpeakerTapTable().SerializeHeader(fresh);
    EXPECT_EQ(fresh.Buffer(), CGolden().W(0).W(0).W(0).bytes);
}

TEST(SpeakerTapTable, TapRecordWithFactor)
{
    CSpeakerTapTable t = ReadTaps("l,8,60,4\nh,100,30\n", 2);
    t.SetCurTap(1);
    CArchive out;
    t.Serialize(out, 0x02000000);
    const std::vector<BYTE> expected =
        CGolden().W(1).W(1).D(8).D(60).D(4).W(0).D(100).D(30).D(1).bytes;
    EXPECT_EQ(out.Buffer(), expected);

    CArchive in(expected);
    CSpeakerTapTable back;
    back.SetTapCount(2);
    back.Serialize(in, 0x01040200);
    EXPECT_EQ(back.GetCurTap(), 1);
    EXPECT_TRUE(back.IsLowImpedance(0));
    EXPECT_EQ(back.GetFactor(0), 4.0);
    EXPECT_EQ(back.GetValue(1), 100.0);
    EXPECT_EQ(back.GetFactor(1), 1.0);
    EXPECT_EQ(in.Remaining(), 0u);

    // A tap record cut short is refused.
    CArchive shortIn(CGolden().W(0).W(1).D(8).D(60).D(2).bytes);
    CSpeakerTapTable cut;
    cut.SetTapCount(2);
    EXPECT_THROW(cut.Serialize(shortIn, 0x02000000), CArchiveException);
}

TEST(SpeakerTapTable, OldTapRecordsHaveNoFactor)
{
    const std::vector<BYTE> old = CGolden().W(0).W(1).D(8).D(60).W(0).D(100).D(30).bytes;
    for (DWORD version : {0x01000000u, 0x01030000u}) {
        CArchive in(old);
        CSpeakerTapTable t;
        t.SetTapCount(2);
        t.Serialize(in, version);
        EXPECT_EQ(in.Remaining(), 0u);
        EXPECT_TRUE(t.IsLowImpedance(0));
        EXPECT_EQ(t.GetPower(0), 60.0);
        EXPECT_EQ(t.GetFactor(0), 2.0);
        EXPECT_FALSE(t.IsLowImpedance(1));
        EXPECT_EQ(t.GetFactor(1), 1.0);

        CArchive out;
        t.Serialize(out, version);
        EXPECT_EQ(out.Buffer(), old);
    }
}
