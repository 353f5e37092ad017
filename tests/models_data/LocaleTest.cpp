// The speaker-data readers take numbers with a decimal point whatever the
// user's locale says.

#include "models/SpeakerDataHeader.h"
#include "models/SpeakerTapTable.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

TEST(Locale, ReadersTakeADecimalPointWhateverTheLocale)
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
