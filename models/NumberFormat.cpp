#include "models/NumberFormat.h"

#include "platform/Numbers.h"

#include <cmath>

double RoundToSignificant(double v, int n)
{
    const double a = std::fabs(v);
    double d = 100000.0;
    double decade = 0.0;
    for (;;) {
        if (d <= a && a < 10.0 * d) {
            decade = 10.0 * d;
            break;
        }
        d = d / 10.0;
        if (d < 1e-6)
            break;
    }
    // No decade found (zero, tiny or huge values, NaN): the result is 0.
    if (decade == 0.0)
        return 0.0;
    const double unit = decade / std::pow(10.0, n);
    if (v >= 0.0)
        return unit * std::trunc((v + unit / 2.0) / unit);
    return unit * std::trunc((v - unit / 2.0) / unit);
}

std::string FormatNumber(double v, int n)
{
    std::string s = Numbers::Format("%1.10f", RoundToSignificant(v, n));
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}
