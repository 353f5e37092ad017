#include "FakeControls.h"

#include "platform/DataExchange.h"
#include "platform/Dialog.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Two number fields with the ranges of a typical dialog.
class TwoFieldDialog : public CDialog {
public:
    TwoFieldDialog() : CDialog(9999) {}
    double m_dA = 0.0;
    double m_dB = 20.0;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Text(dx, 1019, m_dA);
        DDV_MinMaxDouble(dx, m_dA, 0.0, 360.0);
        DDX_Text(dx, 1020, m_dB);
        DDV_MinMaxDouble(dx, m_dB, 0.0001, 9999999.0);
    }
};

}  // namespace

TEST(DataExchange, ShowsDoublesWithFifteenSignificantDigits)
{
    EXPECT_EQ(DataExchange::FormatDouble(0.0), "0");
    EXPECT_EQ(DataExchange::FormatDouble(20.0), "20");
    EXPECT_EQ(DataExchange::FormatDouble(0.1), "0.1");
    EXPECT_EQ(DataExchange::FormatDouble(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(DataExchange::FormatDouble(0.0001), "0.0001");
    EXPECT_EQ(DataExchange::FormatDouble(9999999.0), "9999999");
    EXPECT_EQ(DataExchange::FormatDouble(1e20), "1e+20");
    EXPECT_EQ(DataExchange::FormatDouble(-180.0), "-180");
    EXPECT_EQ(DataExchange::FormatDouble(3.2808398950131235), "3.28083989501312");
}

TEST(DataExchange, LoadPutsTheFormattedValuesIntoTheFields)
{
    FakeControls fc;
    TwoFieldDialog d;
    d.AttachControls(&fc);
    ASSERT_TRUE(d.OnInitDialog());
    EXPECT_EQ(fc.c[1019].text, "0");
    EXPECT_EQ(fc.c[1020].text, "20");
}

TEST(DataExchange, ReadsTheLeadingNumberAndIgnoresTheRest)
{
    RecordingMessages msgs;
    FakeControls fc;
    TwoFieldDialog d;
    d.AttachControls(&fc);
    fc.c[1019].text = "  12abc";
    fc.c[1020].text = "1e2xyz";
    d.OnOK();
    EXPECT_TRUE(d.IsEnded());
    EXPECT_EQ(d.GetResult(), IDOK);
    EXPECT_DOUBLE_EQ(d.m_dA, 12.0);
    EXPECT_DOUBLE_EQ(d.m_dB, 100.0);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST(DataExchange, NoNumberGivesOneMessageAndFocusOnTheField)
{
    RecordingMessages msgs;
    FakeControls fc;
    TwoFieldDialog d;
    d.AttachControls(&fc);
    fc.c[1019].text = "abc";
    fc.c[1020].text = "also bad";
    d.OnOK();
    EXPECT_FALSE(d.IsEnded());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "Enter a number.");
    ASSERT_EQ(fc.focusHistory.size(), 1u);
    EXPECT_EQ(fc.focusHistory[0], 1019);
    EXPECT_DOUBLE_EQ(d.m_dA, 0.0);  // unchanged
}

TEST(DataExchange, OutOfRangeNamesTheBoundsWithGeneralFormat)
{
    RecordingMessages msgs;
    FakeControls fc;
    TwoFieldDialog d;
    d.AttachControls(&fc);
    fc.c[1019].text = "361";
    fc.c[1020].text = "0";
    d.OnOK();
    EXPECT_FALSE(d.IsEnded());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "Enter a number between 0 and 360.");
    EXPECT_EQ(fc.focusHistory.back(), 1019);

    msgs.shown.clear();
    fc.c[1019].text = "360";
    d.OnOK();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "Enter a number between 0.0001 and 9999999.");
    EXPECT_EQ(fc.focusHistory.back(), 1020);

    msgs.shown.clear();
    fc.c[1020].text = "0.0001";
    d.OnOK();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(d.IsEnded());
    EXPECT_DOUBLE_EQ(d.m_dA, 360.0);
    EXPECT_DOUBLE_EQ(d.m_dB, 0.0001);
}

TEST(DataExchange, NumbersKeepTheirPointUnderADecimalCommaLocale)
{
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale";
    RecordingMessages msgs;
    FakeControls fc;
    TwoFieldDialog d;
    d.m_dA = 0.5;
    d.AttachControls(&fc);
    d.OnInitDialog();
    EXPECT_EQ(fc.c[1019].text, "0.5");
    fc.c[1019].text = "12.25";
    fc.c[1020].text = "3.5";
    d.OnOK();
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_DOUBLE_EQ(d.m_dA, 12.25);
    EXPECT_DOUBLE_EQ(d.m_dB, 3.5);
}
