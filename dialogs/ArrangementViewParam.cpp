#include "dialogs/ArrangementViewParam.h"

#include <cmath>
#include <limits>

namespace {

// A double truncated toward zero into an int; values beyond the int range
// (a degenerate fit) are clamped instead of overflowing.
int TruncateToInt(double v)
{
    if (std::isnan(v))
        return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<int>::min() / 2);
    constexpr double hi = static_cast<double>(std::numeric_limits<int>::max() / 2);
    if (v <= lo)
        return static_cast<int>(lo);
    if (v >= hi)
        return static_cast<int>(hi);
    return static_cast<int>(v);
}

}  // namespace

void CArrangementViewParam::GetMargins(double* left, double* top, double* right, double* bottom) const
{
    *left = m_dMarginLeft;
    *top = m_dMarginTop;
    *right = m_dMarginRight;
    *bottom = m_dMarginBottom;
}

void CArrangementViewParam::SetMargins(double left, double top, double right, double bottom)
{
    m_dMarginLeft = left;
    m_dMarginTop = top;
    m_dMarginRight = right;
    m_dMarginBottom = bottom;
}

void CArrangementViewParam::SetExtents(double left, double top, double right, double bottom)
{
    m_dLeft = left;
    m_dTop = top;
    m_dRight = right;
    m_dBottom = bottom;
}

void CArrangementViewParam::GetCounts(unsigned* centre, unsigned* upper, unsigned* lower, unsigned* total) const
{
    *centre = m_nCentre;
    *upper = m_nUpper;
    *lower = m_nLower;
    *total = m_nCentre + m_nUpper + m_nLower;
}

void CArrangementViewParam::GetModuleCounts(unsigned counts[4]) const
{
    counts[0] = m_nCentre;
    counts[1] = m_nUpper;
    counts[2] = m_nLower;
    counts[3] = m_nTotal;
}

void CArrangementViewParam::SetModuleCounts(unsigned centre, unsigned upper, unsigned lower)
{
    m_nCentre = centre;
    m_nUpper = upper;
    m_nLower = lower;
    m_nTotal = centre + upper + lower;
}

int CArrangementViewParam::XToPixel(double x, int clientWidth) const
{
    return TruncateToInt(m_dScale * (x - m_dLeft) - 0.5) + TruncateToInt(clientWidth * m_dMarginLeft) + 1;
}

int CArrangementViewParam::YToPixel(double z, int clientHeight) const
{
    return TruncateToInt(-m_dScale * (z - (m_dTop + m_dBottom) / 2.0) - 0.5) + clientHeight / 2 + 1;
}
