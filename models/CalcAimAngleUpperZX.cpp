#include "models/CalcAimAngleUpperZX.h"

#include "models/Geometry.h"

#include <cmath>

void CCalcAimAngleUpperZX::Calc(double* x, double* z, double length, double offset)
{
    const double a = m_dAngle * Pi() / 180.0;
    const double s = std::sin(a);
    const double c = std::cos(a);
    *x = (0.5 * (length * s) + m_dX) + offset * c;
    *z = (0.5 * (length * c) + m_dZ) - offset * s;
    m_dX = m_dX + length * s;
    m_dZ = m_dZ + length * c;
}
