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

    // The range includes its ends; a lookup finds only series members.
    EXPECT_FALSE(h.IsFrequencyOutOfRange(100.0));
    EXPECT_FALSE(h.IsFrequencyOutOfRange(20000.0));
    EXPECT_TRUE(h.IsFrequencyOutOfRange(99.999));
    EXPECT_TRUE(h.IsFrequencyOutOfRange(20000.001));
    EXPECT_EQ(h.FindFrequencyIndex(std::pow(10.0, 0.3 * 200 / 24.0)), 40);
    EXPECT_EQ(h.FindFrequencyIndex(1000.5), -1);
    EXPECT_EQ(CSpeakerDataHeader().FindFrequencyIndex(100.0), -1);
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

    // A missing header line fails.
    CStdioFile g = Text("Name\n3\n36\n19\n24\n100\n");
    EXPECT_FALSE(CSpeakerDataHeader().ReadHeader(g));
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

    // 72 rows (73 with the closing row) x 37 polar angles x 1/24 octave
    // from 20 Hz to 20 kHz: about 900 thousand cells.
    CStdioFile f = Text("Fine\n1\n72\n37\n24\n20\n20000\n");
    CSpeakerDataHeader h;
    ASSERT_TRUE(h.ReadHeader(f));
    EXPECT_LE(h.GetCellCount(), SpeakerDataLimits::kMaxBalloonCells);
    EXPECT_EQ(h.GetCellCount(), 73ull * 37ull * h.GetFrequencyCount());
}

TEST(SpeakerDataHeader, PolarAngleLineNeverWritesPastTheCount)
{
    struct Case {
        const char* line;
        std::vector<double> start, result;
    } cases[] = {
        {"0,10,,20\n", {0, 0, 0}, {0, 10, 20}},  // empty pieces are skipped
        {"5,10,15,20,25\n", {0, 0}, {5, 10}},
        {"7.5\n", {1, 1, 1, 1}, {7.5, 0, 0, 0}},
    };
    for (const Case& t : cases) {
        CSpeakerDataHeader h;
        h.SetPolarAngles(t.start);
        CStdioFile f = Text(t.line);
        ASSERT_TRUE(h.ReadValues(f)) << t.line;
        EXPECT_EQ(h.GetPolarAngles(), t.result) << t.line;
    }
    CSpeakerDataHeader h;
    h.SetPolarAngles({1, 1});
    CStdioFile empty = Text("");
    EXPECT_FALSE(h.ReadValues(empty));
}

TEST(SpeakerDataHeader, FindBracketBoundaries)
{
    CSpeakerDataHeader h;
    h.SetPolarAngles({0, 10, 20});
    CSpeakerDataHeader one;
    one.SetPolarAngles({30});
    const CSpeakerDataHeader none;
    struct Case {
        const CSpeakerDataHeader* header;
        double angle;
        bool exact;
        int iLo, iHi;
        double lo, hi;
    } cases[] = {
        {&h, 10.000005, true, 1, 1, 10, 10},
        {&h, 15, false, 1, 2, 10, 20},
        {&h, 25, false, 0, 0, 0, 0},
        {&h, 10.00002, false, 1, 2, 10, 20},  // just outside the tolerance
        {&h, 20.0, true, 2, 2, 20, 20},
        {&h, -0.000001, true, 0, 0, 0, 0},
        {&one, 30, false, 0, 0, 30, 30},
        {&none, 30, false, 0, 0, 0, 0},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(testing::Message() << t.header->GetPolarAngleCount() << " angles, " << t.angle);
        double lo = -1, hi = -1;
        int iLo = -1, iHi = -1;
        EXPECT_EQ(t.header->FindBracket(t.angle, lo, hi, iLo, iHi) != FALSE, t.exact);
        EXPECT_EQ(iLo, t.iLo);
        EXPECT_EQ(iHi, t.iHi);
        EXPECT_EQ(lo, t.lo);
        if (t.header != &one) {
            EXPECT_EQ(hi, t.hi);
        }
    }
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
