#include "platform/Numbers.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace Numbers {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

// Skips leading white space and an optional sign; returns the position after
// them.
std::size_t SkipSpaceAndSign(std::string_view s, bool& negative)
{
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    return i;
}

// Parses the longest leading decimal number; returns the count of characters
// taken (0 when there is none).
std::size_t ParseDouble(std::string_view s, double& value)
{
    bool negative = false;
    std::size_t i = SkipSpaceAndSign(s, negative);
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        value = 0.0;
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            i = j;
        }
    }
    // The accepted text is plain decimal; strtod in the "C" locale converts
    // it with correct rounding, HUGE_VAL on overflow and 0 on underflow.
    const std::string text(s.substr(start, i - start));
    const double v = strtod_l(text.c_str(), nullptr, CLocale());
    value = negative ? -v : v;
    return i;
}

}  // namespace

int Atoi(std::string_view s)
{
    bool negative = false;
    std::size_t i = SkipSpaceAndSign(s, negative);
    long long v = 0;
    while (i < s.size() && IsDigit(s[i])) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1;
        ++i;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

double Atof(std::string_view s)
{
    double v = 0.0;
    ParseDouble(s, v);
    return v;
}

bool ScanDouble(std::string_view s, double& value)
{
    double v = 0.0;
    if (ParseDouble(s, v) == 0)
        return false;
    value = v;
    return true;
}

bool ScanInt(std::string_view s, int& value)
{
    bool negative = false;
    const std::size_t i = SkipSpaceAndSign(s, negative);
    if (i >= s.size() || !IsDigit(s[i]))
        return false;
    value = Atoi(s);
    return true;
}

std::string Format(const char* fmt, ...)
{
    locale_t old = uselocale(CLocale());
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    uselocale(old);
    return out;
}

std::string FormatFixed(double v, int decimals)
{
    return Format("%1.*f", decimals, v);
}

std::string FormatGeneral(double v, int significant)
{
    return Format("%.*g", significant, v);
}

}  // namespace Numbers
