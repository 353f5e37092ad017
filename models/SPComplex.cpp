#include "models/SPComplex.h"

#include "models/Geometry.h"

#include <cmath>

void CSPComplex::SetLevelPhase(double level, double phaseDeg)
{
    const double m = kRefPressure * std::pow(10.0, level / 20.0);
    re = m * std::cos(phaseDeg * Pi() / 180.0);
    im = m * std::sin(phaseDeg * Pi() / 180.0);
}

double CSPComplex::GetLevel() const
{
    const double m = std::sqrt(re * re + im * im);
    if (m == 0.0)
        return 0.0;
    return 20.0 * std::log10(m / kRefPressure);
}

double CSPComplex::GetPhase() const
{
    return std::atan2(im, re) * 180.0 / Pi();
}

void CSPComplex::Propagate(double r, double r0, double f)
{
    const double m = kRefPressure * std::pow(10.0, GetLevel() / 20.0) * r0 / r;
    const double c = (r - r0) / kSpeedOfSound * f;
    const double phase = GetPhase() - (c - std::floor(c)) * 360.0;
    re = m * std::cos(phase * Pi() / 180.0);
    im = m * std::sin(phase * Pi() / 180.0);
}
