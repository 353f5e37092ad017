// Dialog data exchange on the zx1-export dialog (angle 0 to 360, distance
// 0.0001 to 9999999): "%.*g" display, "%lf" reading, range messages, focus.

#include "TestSupport.h"

#include "dialogs/Zx1ExportDialog1.h"
#include "platform/DataExchange.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

TEST(DataExchange, ShowsDoublesWithFifteenSignificantDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},          {20.0, "20"},          {0.1, "0.1"},     {1.0 / 3.0, "0.333333333333333"},
        {0.0001, "0.0001"},  {9999999.0, "9999999"}, {1e20, "1e+20"}, {-180.0, "-180"},
        {3.2808398950131235, "3.28083989501312"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(DataExchange::FormatDouble(value), text) << value;
}

TEST(DataExchange, LoadPutsTheFormattedValuesIntoTheFields)
{
    FakeControls fc;
    CZx1ExportDialog1 d;
    d.AttachControls(&fc);
    ASSERT_TRUE(d.OnInitDialog());
    EXPECT_EQ(fc.c[1019].text, "0");
    EXPECT_EQ(fc.c[1020].text, "20");
}

// One OK press on the two fields: at most one message, the focus on the
// field it is about, the values kept only when both pass.
TEST(DataExchange, OkReadsChecksAndReportsTheFirstBadField)
{
    struct Case {
        const char* angle;
        const char* distance;
        const char* message;  // nullptr: accepted
        int focus;
        double a, b;
    };
    const Case cases[] = {
        {"  12abc", "1e2xyz", nullptr, 0, 12.0, 100.0},  // the leading number, the rest ignored
        {"abc", "also bad", "Enter a number.", 1019, 0.0, 20.0},
        {"361", "0", "Enter a number between 0 and 360.", 1019, 361.0, 20.0},
        {"360", "0", "Enter a number between 0.0001 and 9999999.", 1020, 360.0, 20.0},
        {"360", "0.0001", nullptr, 0, 360.0, 0.0001},
        {"-0.0001", "5", "Enter a number between 0 and 360.", 1019, -0.0001, 20.0},
        {"0", "10000000", "Enter a number between 0.0001 and 9999999.", 1020, 0.0, 20.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.angle) + " / " + c.distance);
        RecordingMessages msgs;
        FakeControls fc;
        CZx1ExportDialog1 d;
        d.AttachControls(&fc);
        fc.c[1019].text = c.angle;
        fc.c[1020].text = c.distance;
        d.OnOK();
        EXPECT_EQ(d.IsEnded(), c.message == nullptr);
        if (c.message) {
            EXPECT_EQ(msgs.texts, std::vector<std::string>{c.message});
            EXPECT_EQ(fc.focusHistory, std::vector<int>{c.focus});
        } else {
            EXPECT_EQ(d.GetResult(), IDOK);
            EXPECT_TRUE(msgs.texts.empty());
            EXPECT_DOUBLE_EQ(d.m_dMicDistance, c.b);
        }
        EXPECT_DOUBLE_EQ(d.m_dAngle, c.a);
    }
}

TEST(DataExchange, NumbersKeepTheirPointUnderADecimalCommaLocale)
{
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale";
    RecordingMessages msgs;
    FakeControls fc;
    CZx1ExportDialog1 d;
    d.m_dAngle = 0.5;
    d.AttachControls(&fc);
    d.OnInitDialog();
    EXPECT_EQ(fc.c[1019].text, "0.5");
    fc.c[1019].text = "12.25";
    fc.c[1020].text = "3.5";
    d.OnOK();
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_TRUE(msgs.texts.empty());
    EXPECT_DOUBLE_EQ(d.m_dAngle, 12.25);
    EXPECT_DOUBLE_EQ(d.m_dMicDistance, 3.5);
}
