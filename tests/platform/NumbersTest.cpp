#include "platform/Numbers.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cmath>

namespace {

// Runs the body under a locale whose decimal separator is a comma, when the
// machine has one; the conversions must not notice.
class CommaLocale {
public:
    CommaLocale()
    {
        const char* names[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "fr_FR.utf8", "de_DE", "fr_FR"};
        old_ = std::setlocale(LC_ALL, nullptr);
        for (const char* n : names)
            if (std::setlocale(LC_ALL, n)) {
                active_ = true;
                break;
            }
    }
    ~CommaLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    bool active() const { return active_; }

private:
    std::string old_;
    bool active_ = false;
};

TEST(Numbers, AtofHasCRuntimeSemantics)
{
    CommaLocale loc;
    if (loc.active()) {
        // The C library itself now reads a decimal comma ...
        EXPECT_EQ(std::strtod("0,5", nullptr), 0.5);
    }
    // ... while ours keeps the point.
    EXPECT_EQ(Numbers::Atof("12abc"), 12.0);
    EXPECT_EQ(Numbers::Atof(""), 0.0);
    EXPECT_EQ(Numbers::Atof("-.5e1"), -5.0);
    EXPECT_EQ(Numbers::Atof("0.5"), 0.5);
    EXPECT_EQ(Numbers::Atof("  +3.25,7"), 3.25);
    EXPECT_EQ(Numbers::Atof("1e"), 1.0);
    EXPECT_EQ(Numbers::Atof("2e+x"), 2.0);
    EXPECT_EQ(Numbers::Atof("abc"), 0.0);
    EXPECT_EQ(Numbers::Atof("."), 0.0);
    EXPECT_EQ(Numbers::Atof("0x10"), 0.0);
    EXPECT_EQ(Numbers::Atof("inf"), 0.0);
    EXPECT_EQ(Numbers::Atof("nan"), 0.0);
    EXPECT_EQ(Numbers::Atof("0.1"), 0.1);
    EXPECT_EQ(Numbers::Atof("1e999"), HUGE_VAL);
    EXPECT_EQ(Numbers::Atof("1e-999"), 0.0);
}

TEST(Numbers, AtoiHasCRuntimeSemantics)
{
    CommaLocale loc;
    EXPECT_EQ(Numbers::Atoi("42x"), 42);
    EXPECT_EQ(Numbers::Atoi("  -7"), -7);
    EXPECT_EQ(Numbers::Atoi("3.9"), 3);
    EXPECT_EQ(Numbers::Atoi(""), 0);
    EXPECT_EQ(Numbers::Atoi("x1"), 0);
    EXPECT_EQ(Numbers::Atoi("99999999999"), 2147483647);
    EXPECT_EQ(Numbers::Atoi("-99999999999"), -2147483647 - 1);
}

TEST(Numbers, ScanReportsWhetherANumberWasThere)
{
    double d = -1;
    EXPECT_TRUE(Numbers::ScanDouble(" 1.5m", d));
    EXPECT_EQ(d, 1.5);
    d = -1;
    EXPECT_FALSE(Numbers::ScanDouble("m1.5", d));
    EXPECT_EQ(d, -1);
    EXPECT_FALSE(Numbers::ScanDouble("", d));
    int i = 0;
    EXPECT_TRUE(Numbers::ScanInt("-12;", i));
    EXPECT_EQ(i, -12);
    EXPECT_FALSE(Numbers::ScanInt("-", i));
}

TEST(Numbers, FormattingIgnoresTheLocale)
{
    CommaLocale loc;
    EXPECT_EQ(Numbers::Format("%1.10f", 0.5), "0.5000000000");
    EXPECT_EQ(Numbers::FormatGeneral(0.1, 15), "0.1");
    EXPECT_EQ(Numbers::FormatGeneral(1234567.25, 15), "1234567.25");
    EXPECT_EQ(Numbers::FormatGeneral(1e20, 15), "1e+20");
    EXPECT_EQ(Numbers::FormatFixed(-2.5, 1), "-2.5");
    EXPECT_EQ(Numbers::Format("%s=%d", "Key", 3), "Key=3");
}

TEST(TextEncodingTest, RoundTrips)
{
    std::string ansi;
    ASSERT_TRUE(TextEncoding::Utf8ToCp1252("\xC3\xA9\xE2\x82\xAC", ansi));
    EXPECT_EQ(ansi, "\xE9\x80");
    EXPECT_FALSE(TextEncoding::Utf8ToCp1252("\xE5\xA4\xA7", ansi));
    EXPECT_FALSE(TextEncoding::Utf8ToCp1252("\xC3", ansi));
    EXPECT_EQ(TextEncoding::Cp1252ToUtf8("\xE9\x80\x81"), "\xC3\xA9\xE2\x82\xAC\xC2\x81");
    EXPECT_EQ(TextEncoding::FileTextToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(TextEncoding::FileTextToUtf8("caf\xC3\xA9"), "caf\xC3\xA9");
    const std::string emoji = "\xF0\x9F\x94\x8A";
    EXPECT_EQ(TextEncoding::Utf8ToUtf16(emoji).size(), 2u);
    EXPECT_EQ(TextEncoding::Utf16ToUtf8(TextEncoding::Utf8ToUtf16(emoji)), emoji);
}

}  // namespace
