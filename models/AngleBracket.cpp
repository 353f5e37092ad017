#include "models/AngleBracket.h"

BOOL FindAngleBracketIn(const std::vector<double>& angles, double a,
                        double& lo, double& hi, int& iLo, int& iHi)
{
    if (angles.empty()) {
        lo = hi = 0.0;
        iLo = iHi = 0;
        return false;
    }
    if (angles.size() == 1) {
        lo = hi = angles[0];
        iLo = iHi = 0;
        return false;
    }
    return FindAngleBracketFrom(angles, 0, a, lo, hi, iLo, iHi);
}

BOOL FindAngleBracketFrom(const std::vector<double>& angles, std::size_t start, double a,
                          double& lo, double& hi, int& iLo, int& iHi)
{
    const double t = kAngleBracketTolerance;
    for (std::size_t i = start; i + 1 < angles.size(); ++i) {
        const double A = angles[i];
        const double B = angles[i + 1];
        iLo = static_cast<int>(i);
        iHi = static_cast<int>(i + 1);
        if (A - t < a && a < A + t) {
            lo = hi = A;
            iHi = iLo;
            return true;
        }
        if (B - t < a && a < B + t) {
            lo = hi = B;
            iLo = iHi;
            return true;
        }
        if (A < a && a < B) {
            lo = A;
            hi = B;
            return false;
        }
    }
    iLo = iHi = 0;
    lo = hi = angles[0];
    return false;
}
