#pragma once
// Text-to-number and number-to-text conversions with the C library's
// semantics in the "C" locale, whatever locale the user runs under.

#include <string>
#include <string_view>

namespace Numbers {

// atoi: leading white space, an optional sign and decimal digits; the rest is
// ignored; 0 when there is no number. Values beyond int clamp to its range.
int Atoi(std::string_view s);

// atof: leading white space, an optional sign, digits with an optional
// decimal point and exponent; the rest is ignored; 0.0 when there is no
// number. Only decimal notation is accepted (no hex, "inf" or "nan"); a
// value beyond double's range gives +-HUGE_VAL.
double Atof(std::string_view s);

// "%lf" as sscanf reads it: true and the value when the text begins (after
// white space) with a number, false when it does not.
bool ScanDouble(std::string_view s, double& value);
// "%d" likewise.
bool ScanInt(std::string_view s, int& value);

// printf-style formatting in the "C" locale.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// "%1.10f" style: fixed notation with the given digits after the point.
std::string FormatFixed(double v, int decimals);
// "%.*g" style: the given significant digits.
std::string FormatGeneral(double v, int significant);

}  // namespace Numbers
