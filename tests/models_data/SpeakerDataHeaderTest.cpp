#include "GoldenBytes.h"

#include "models/SpeakerDataHeader.h"
#include "models/SpeakerDataLimits.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CStdioFile Text(const std::string& text)
{
    CStdioFile f;
    f.OpenText(text);
    return f;
}

CSpeakerDataHeader ReadExampleHeader()
{
    CStdioFile f = Text("Ceiling 6\n3\n36\n19\n24\n100\n20000\n");
    CSpeakerDataHeader h;
    EXPECT_TRUE(h.ReadHeader(f));
    return h;
}

}  // namespace

TEST(SpeakerDataHeader, ReadsTheSevenHeaderLines)
{
    const CSpeakerDataHeader h = ReadExampleHeader();
    EXPECT_EQ(h.GetName(), "Ceiling 6");
    EXPECT_EQ(h.GetTapCount(), 3u);
    EXPECT_EQ(h.GetMeridianAngleCount(), 37u);
    EXPECT_EQ(h.GetPolarAngleCount(), 19u);
    EXPECT_EQ(h.GetFrequencyPitch(), 24.0);
    EXPECT_EQ(h.GetLowestFrequency(), 100.0);
    EXPECT_EQ(h.GetHighestFrequency(), 20000.0);
    EXPECT_EQ(h.GetReferenceDistance(), 1.0);
    ASSERT_EQ(h.GetFrequencyCount(), 185u);
    ASSERT_EQ(h.GetFrequencies().size(), 185u);
    // The 1/24-octave series from index 160 (100 Hz) to 344.
    EXPECT_DOUBLE_EQ(h.GetFrequency(0), 100.0);
    EXPECT_EQ(h.GetFrequency(0), std::pow(10.0, 0.3 * 160 / 24.0));
    EXPECT_EQ(h.GetFrequency(184), std::pow(10.0, 0.3 * 344 / 24.0));
    EXPECT_NEAR(h.GetFrequency(184), 19952.6, 0.05);
}

TEST(SpeakerDataHeader, FrequencyRangeAndExactLookup)
{
    const CSpeakerDataHeader h = ReadExampleHeader();
    EXPECT_FALSE(h.IsFrequencyOutOfRange(100.0));
    EXPECT_FALSE(h.IsFrequencyOutOfRange(20000.0));
    EXPECT_TRUE(h.IsFrequencyOutOfRange(99.999));
    EXPECT_TRUE(h.IsFrequencyOutOfRange(20000.001));
    EXPECT_EQ(h.FindFrequencyIndex(std::pow(10.0, 0.3 * 200 / 24.0)), 40);
    EXPECT_EQ(h.FindFrequencyIndex(1000.5), -1);
    EXPECT_EQ(CSpeakerDataHeader().FindFrequencyIndex(100.0), -1);
}

TEST(SpeakerDataHeader, MissingHeaderLineFails)
{
    CStdioFile f = Text("Name\n3\n36\n19\n24\n100\n");
    CSpeakerDataHeader h;
    EXPECT_FALSE(h.ReadHeader(f));
}

TEST(SpeakerDataHeader, NumbersReadAsTheCLibraryReadsThem)
{
    // Text that is no number reads as 0; trailing text is ignored.
    CStdioFile f = Text("N\n2 taps\n 4\n3x\n12\n1e2\n2.5e3Hz\n");
    CSpeakerDataHeader h;
    ASSERT_TRUE(h.ReadHeader(f));
    EXPECT_EQ(h.GetTapCount(), 2u);
    EXPECT_EQ(h.GetMeridianAngleCount(), 5u);
    EXPECT_EQ(h.GetPolarAngleCount(), 3u);
    EXPECT_EQ(h.GetLowestFrequency(), 100.0);
    EXPECT_EQ(h.GetHighestFrequency(), 2500.0);
}

TEST(SpeakerDataHeader, RefusesGridsThatCannotBeHeld)
{
    const char* bad[] = {
        // 60000 rows x 60000 polar angles x about 1000 frequencies.
        "N\n1\n59999\n60000\n100\n1\n100000\n",
        // Rows and polar angles each fine, cells far beyond the bound.
        "N\n1\n5000\n5000\n24\n100\n20000\n",
        "N\n-1\n36\n19\n24\n100\n20000\n",      // negative tap count
        "N\n70000\n36\n19\n24\n100\n20000\n",   // tap count beyond a word
        "N\n3\n-2\n19\n24\n100\n20000\n",       // negative rows
        "N\n3\n65535\n19\n1\n100\n200\n",       // meridian count beyond a word
        "N\n3\n36\n0\n24\n100\n20000\n",        // no polar angle
        "N\n3\n36\n19\n0\n100\n20000\n",        // pitch 0
        "N\n3\n36\n19\n-3\n100\n20000\n",       // negative pitch
        "N\n3\n36\n19\n2000000000\n1\n2\n",     // pitch that would never end
        "N\n3\n36\n19\n24\n100\n1e999\n",       // infinite highest frequency
        "N\n3\n2\n2\n1000\n1\n1e300\n",         // far more than 65535 frequencies
    };
    for (const char* text : bad) {
        CStdioFile f = Text(text);
        CSpeakerDataHeader h;
        EXPECT_FALSE(h.ReadHeader(f)) << text;
        EXPECT_EQ(h.GetFrequencies().size(), 0u) << text;
    }
}

TEST(SpeakerDataHeader, AcceptsAFineGridWithinTheBound)
{
    // 72 rows (73 with the closing row) x 37 polar angles x 1/24 octave
    // from 20 Hz to 20 kHz: about 900 thousand cells.
    CStdioFile f = Text("Fine\n1\n72\n37\n24\n20\n20000\n");
    CSpeakerDataHeader h;
    ASSERT_TRUE(h.ReadHeader(f));
    EXPECT_LE(h.GetCellCount(), SpeakerDataLimits::kMaxBalloonCells);
    EXPECT_EQ(h.GetCellCount(), 73ull * 37ull * h.GetFrequencyCount());
}

TEST(SpeakerDataHeader, PolarAngleLineSkipsEmptyPieces)
{
    CSpeakerDataHeader h;
    h.SetPolarAngles({0, 0, 0});
    CStdioFile f = Text("0,10,,20\n");
    ASSERT_TRUE(h.ReadValues(f));
    EXPECT_EQ(h.GetPolarAngles(), (std::vector<double>{0, 10, 20}));
}

TEST(SpeakerDataHeader, PolarAngleLineNeverWritesPastTheCount)
{
    CSpeakerDataHeader h;
    h.SetPolarAngles({0, 0});
    CStdioFile f = Text("5,10,15,20,25\n");
    ASSERT_TRUE(h.ReadValues(f));
    EXPECT_EQ(h.GetPolarAngles(), (std::vector<double>{5, 10}));

    CSpeakerDataHeader few;
    few.SetPolarAngles({1, 1, 1, 1});
    CStdioFile g = Text("7.5\n");
    ASSERT_TRUE(few.ReadValues(g));
    EXPECT_EQ(few.GetPolarAngles(), (std::vector<double>{7.5, 0, 0, 0}));

    CStdioFile empty = Text("");
    EXPECT_FALSE(few.ReadValues(empty));
}

TEST(SpeakerDataHeader, FindBracketBoundaries)
{
    CSpeakerDataHeader h;
    h.SetPolarAngles({0, 10, 20});
    double lo = -1, hi = -1;
    int iLo = -1, iHi = -1;

    EXPECT_TRUE(h.FindBracket(10.000005, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 1);
    EXPECT_EQ(iHi, 1);
    EXPECT_EQ(lo, 10.0);
    EXPECT_EQ(hi, 10.0);

    EXPECT_FALSE(h.FindBracket(15, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 1);
    EXPECT_EQ(iHi, 2);
    EXPECT_EQ(lo, 10.0);
    EXPECT_EQ(hi, 20.0);

    EXPECT_FALSE(h.FindBracket(25, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 0);
    EXPECT_EQ(iHi, 0);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 0.0);

    // Just outside the tolerance counts as between.
    EXPECT_FALSE(h.FindBracket(10.00002, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 1);
    EXPECT_EQ(iHi, 2);
    // The last angle and just below the first.
    EXPECT_TRUE(h.FindBracket(20.0, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 2);
    EXPECT_EQ(iHi, 2);
    EXPECT_TRUE(h.FindBracket(-0.000001, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 0);
    EXPECT_EQ(iHi, 0);
}

TEST(SpeakerDataHeader, FindBracketOnOneOrNoAngle)
{
    CSpeakerDataHeader one;
    one.SetPolarAngles({30});
    double lo = -1, hi = -1;
    int iLo = -1, iHi = -1;
    EXPECT_FALSE(one.FindBracket(30, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 0);
    EXPECT_EQ(iHi, 0);
    EXPECT_EQ(lo, 30.0);

    CSpeakerDataHeader none;
    EXPECT_FALSE(none.FindBracket(30, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 0);
    EXPECT_EQ(iHi, 0);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 0.0);
}

TEST(SpeakerDataHeader, HeaderRecordIsFortyBytes)
{
    CSpeakerDataHeader h = ReadExampleHeader();
    CArchive ar;
    h.Serialize(ar);
    const std::vector<BYTE> expected =
        CGolden().D(1.0).W(19).W(37).W(185).D(24.0).D(100.0).D(20000.0).W(3).bytes;
    ASSERT_EQ(ar.Buffer().size(), 40u);
    EXPECT_EQ(ar.Buffer(), expected);
}

TEST(SpeakerDataHeader, SummaryRecordIsThirtyBytesAndDiscardedOnLoading)
{
    CSpeakerDataHeader h = ReadExampleHeader();
    CArchive ar;
    h.SerializeSummary(ar);
    const std::vector<BYTE> expected =
        CGolden().W(37).W(19).D(24.0).D(100.0).D(20000.0).W(3).bytes;
    EXPECT_EQ(ar.Buffer(), expected);

    std::vector<BYTE> bytes = expected;
    bytes.push_back(0xAB);
    CArchive in(bytes);
    CSpeakerDataHeader fresh;
    fresh.SerializeSummary(in);
    EXPECT_EQ(in.Remaining(), 1u);
    EXPECT_EQ(fresh.GetPolarAngleCount(), 0u);
    EXPECT_EQ(fresh.GetTapCount(), 0u);
}

TEST(SpeakerDataHeader, RecordsRoundTrip)
{
    CSpeakerDataHeader h = ReadExampleHeader();
    std::vector<double> polar;
    for (int i = 0; i < 19; ++i)
        polar.push_back(10.0 * i);
    h.SetPolarAngles(polar);

    CArchive out;
    h.Serialize(out);
    h.SerializeValues(out);
    h.SerializeFrequencies(out);
    EXPECT_EQ(out.Buffer().size(), 40u + 19u * 8u + 185u * 8u);

    CArchive in(out.TakeBuffer());
    CSpeakerDataHeader back;
    back.Serialize(in);
    back.SerializeValues(in);
    back.SerializeFrequencies(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back.GetPolarAngles(), polar);
    EXPECT_EQ(back.GetFrequencies(), h.GetFrequencies());
    EXPECT_EQ(back.GetMeridianAngleCount(), 37u);
    EXPECT_EQ(back.GetTapCount(), 3u);
    EXPECT_EQ(back.GetFrequencyPitch(), 24.0);
}

TEST(SpeakerDataHeader, LoadingRefusesBrokenGrids)
{
    auto load = [](const std::vector<BYTE>& bytes) {
        CArchive in(bytes);
        CSpeakerDataHeader h;
        h.Serialize(in);
    };
    // 65535 x 65535 x 65535 cells.
    std::vector<BYTE> huge =
        CGolden().D(1.0).W(0xFFFF).W(0xFFFF).W(0xFFFF).D(24).D(1).D(2).W(1).bytes;
    huge.resize(huge.size() + 4096);
    EXPECT_THROW(load(huge), CArchiveException);
    // No polar angle.
    std::vector<BYTE> empty = CGolden().D(1.0).W(0).W(37).W(10).D(24).D(1).D(2).W(1).bytes;
    empty.resize(empty.size() + 4096);
    EXPECT_THROW(load(empty), CArchiveException);
    // A sound grid whose angles and frequencies cannot follow.
    const std::vector<BYTE> truncated =
        CGolden().D(1.0).W(19).W(37).W(185).D(24).D(100).D(20000).W(3).bytes;
    EXPECT_THROW(load(truncated), CArchiveException);
    // Ends inside the record.
    EXPECT_THROW(load(CGolden().D(1.0).W(19).bytes), CArchiveException);
}
