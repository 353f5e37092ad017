#include "models/CalcAimAngleLowerZX.h"

#include "models/Geometry.h"

#include <cmath>

void CCalcAimAngleLowerZX::Calc(double* x, double* z, double length, double offset)
{
    const double a = m_dAngle * Pi() / 180.0;
    const double s = std::sin(a);
    const double c = std::cos(a);
    *x = (m_dX - 0.5 * (length * s)) + offset * c;
    *z = (m_dZ - 0.5 * (length * c)) - offset * s;
    m_dX = m_dX - length * s;
    m_dZ = m_dZ - length * c;
}
