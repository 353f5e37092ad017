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
    EXPECT_EQ(t.GetCurTap(), 0);
    EXPECT_EQ(t.GetUnitFlag(), 0);
    t.SetModuleCounts(1, 4, 3);
    EXPECT_EQ(t.GetElementCount(), 8u);
    EXPECT_EQ(t.GetUpperCount(), 4u);
    EXPECT_EQ(t.GetLowerCount(), 3u);
    t.SetTapCount(2);
    EXPECT_EQ(t.GetTapCount(), 2u);
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
    // A 100 V line tap of 30 W.
    EXPECT_FALSE(t.IsLowImpedance(0));
    EXPECT_EQ(t.GetValue(0), 100.0);
    EXPECT_EQ(t.GetPower(0), 30.0);
    EXPECT_EQ(t.GetFactor(0), 1.0);
    // "l" alone: low impedance, value and power 0, factor 2.
    EXPECT_TRUE(t.IsLowImpedance(1));
    EXPECT_EQ(t.GetValue(1), 0.0);
    EXPECT_EQ(t.GetPower(1), 0.0);
    EXPECT_EQ(t.GetFactor(1), 2.0);
    // Upper case: the kind stays as it was in a fresh table.
    EXPECT_FALSE(t.IsLowImpedance(2));
    EXPECT_EQ(t.GetFactor(2), 0.0);
    EXPECT_EQ(t.GetValue(2), 100.0);
    EXPECT_EQ(t.GetPower(2), 30.0);
    // The data set's own factor overrides the default.
    EXPECT_TRUE(t.IsLowImpedance(3));
    EXPECT_EQ(t.GetValue(3), 8.0);
    EXPECT_EQ(t.GetPower(3), 60.0);
    EXPECT_EQ(t.GetFactor(3), 4.0);
    // An empty factor piece reads as 0; further pieces are ignored.
    EXPECT_EQ(t.GetValue(4), 70.0);
    EXPECT_EQ(t.GetFactor(4), 0.0);
}

TEST(SpeakerTapTable, MissingTapLineFails)
{
    BOOL ok = 1;
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

TEST(SpeakerTapTable, ShortTapRecordIsRefused)
{
    CArchive in(CGolden().W(0).W(1).D(8).D(60).D(2).bytes);
    CSpeakerTapTable t;
    t.SetTapCount(2);
    EXPECT_THROW(t.Serialize(in, 0x02000000), CArchiveException);
}
