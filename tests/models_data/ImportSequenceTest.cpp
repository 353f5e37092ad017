// The speaker-data readers run one after the other over one import file;
// each must take exactly its own lines.

#include "models/AxisElement.h"
#include "models/BalloonElement.h"
#include "models/SpeakerDataHeader.h"
#include "models/SpeakerTapTable.h"
#include "platform/TextFile.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Header, two taps, polar angles, one axis block, one balloon of two rows
// (three with the closing row), three polar angles and the three
// frequencies of the 1/3-octave series from 1000 Hz to 1800 Hz.
const char* const kFile =
    "Column 4\n2\n2\n3\n3\n1000\n1800\n"  // header
    "h,100,7.5\nl,8,60\n"                  // taps
    "0,90,180\n"                            // polar angles
    "W5L\n0.2\n0.05\n2.5\n1\n"              // axis block
    "0\n90,0,85,-30,80,10\n91,0,86,-31,81,10\n92,0,87,-32,82,10\n"
    "180\n70,0,65,45,60,10\n71,0,66,46,61,10\n72,0,67,47,62,10\n"
    "trailing text is not read\n";

}  // namespace

TEST(ImportSequence, ReadersTakeExactlyTheirLines)
{
    CStdioFile f;
    f.OpenText(kFile);
    CSpeakerDataHeader header;
    ASSERT_TRUE(header.ReadHeader(f));
    ASSERT_EQ(header.GetFrequencyCount(), 3u);
    EXPECT_NEAR(header.GetFrequency(0), 1000.0, 1e-9);

    CSpeakerTapTable taps;
    taps.SetTapCount(header.GetTapCount());
    ASSERT_TRUE(taps.ReadFromFile(f));
    EXPECT_EQ(taps.GetPower(0), 7.5);
    EXPECT_EQ(taps.GetFactor(1), 2.0);

    ASSERT_TRUE(header.ReadValues(f));
    EXPECT_EQ(header.GetPolarAngles(), (std::vector<double>{0, 90, 180}));

    CAxisElement axis;
    ASSERT_TRUE(axis.ReadText(f));
    EXPECT_EQ(axis.GetVector(), CAxisEntity(0.05, 0.2, 2.5));

    CRecordingProgress progress;
    CBalloonElement balloon;
    balloon.SetDimensions(header.GetMeridianAngleCount(), header.GetPolarAngleCount(),
                          header.GetFrequencyCount());
    ASSERT_TRUE(balloon.ReadText(f, &progress));
    EXPECT_EQ(balloon.GetAngles(), (std::vector<double>{0, 180, 360}));
    EXPECT_NEAR(balloon.GetCell(1, 1, 2).GetLevel(), 67.0, 1e-9);
    EXPECT_NEAR(balloon.GetCell(1, 1, 2).GetPhase(), 47.0, 1e-9);
    EXPECT_NEAR(balloon.GetCell(2, 1, 0).GetPhase(), -30.0, 1e-9);
    EXPECT_EQ(progress.pumpCount, 2);
    EXPECT_EQ(progress.m_nStepCounter, 6);

    std::string rest;
    ASSERT_TRUE(f.ReadString(rest));
    EXPECT_EQ(rest, "trailing text is not read");
}

TEST(ImportSequence, DecimalPointWhateverTheLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale on this machine";
    CStdioFile f;
    f.OpenText("N\n1\n0\n1\n3\n62.5\n1000.5\nl,4.5,7.5,1.5\n");
    CSpeakerDataHeader header;
    const BOOL headerRead = header.ReadHeader(f);
    CSpeakerTapTable taps;
    taps.SetTapCount(1);
    const BOOL tapsRead = taps.ReadFromFile(f);
    std::setlocale(LC_ALL, saved.c_str());

    ASSERT_TRUE(headerRead);
    ASSERT_TRUE(tapsRead);
    EXPECT_EQ(header.GetLowestFrequency(), 62.5);
    EXPECT_EQ(header.GetHighestFrequency(), 1000.5);
    EXPECT_EQ(taps.GetValue(0), 4.5);
    EXPECT_EQ(taps.GetPower(0), 7.5);
    EXPECT_EQ(taps.GetFactor(0), 1.5);
}
