#pragma once
#include <string>

// v rounded to n significant digits; 0 when |v| < 1e-6 or |v| >= 1e6.
double RoundToSignificant(double v, int n);
// RoundToSignificant printed with "%1.10f", trailing zeros and point cut.
std::string FormatNumber(double v, int n);
