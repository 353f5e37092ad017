#include "document/AutoInstallLayout.h"

#include <cmath>

namespace {

// trunc(value) + 1 as a count, or -1 when it cannot be a count of a grid
// we would lay (not finite or beyond the limit).
long long CountFrom(double value)
{
    if (!std::isfinite(value))
        return -1;
    const double n = std::trunc(value) + 1.0;
    if (n > static_cast<double>(CAutoInstallLayout::kMaxSpeakers))
        return -1;
    return n < 0.0 ? 0 : static_cast<long long>(n);
}

}  // namespace

double CAutoInstallLayout::RectangleFactor(int overlapMode)
{
    switch (overlapMode) {
    case 0: return 0.5;
    case 1: return 1.0 / std::sqrt(2.0);
    case 2: return 1.0;
    case 3: return std::sqrt(2.0);
    case 4: return 2.0;
    default: return 1.0;
    }
}

double CAutoInstallLayout::HexagonalFactor(int overlapMode)
{
    switch (overlapMode) {
    case 0: return 0.5;
    case 1: return std::sqrt(3.0) * 0.5;
    case 2: return 1.0;
    case 3: return std::sqrt(2.0);
    case 4: return 2.0;
    default: return 1.0;
    }
}

bool CAutoInstallLayout::Compute(const double measured[4], int overlapMode, int pattern, double x0, double y0,
                                 double lengthX, double widthY)
{
    m_points.clear();
    m_nRows = m_nColumns = 0;
    m_failure = kNoFailure;
    const bool hexagonal = pattern == kHexagonal;
    const bool knownMode = overlapMode >= 0 && overlapMode <= 4;

    if (!hexagonal) {
        const double f = RectangleFactor(overlapMode);
        m_x1 = f * measured[0];
        m_x2 = f * measured[1];
        m_y1 = f * measured[2];
        m_y2 = f * measured[3];
    } else if (knownMode) {
        m_x1 = m_x2 = HexagonalFactor(overlapMode) * measured[0];
        m_y1 = m_y2 = (std::sqrt(3.0) * 0.5) * m_x1;
    } else {
        // An unknown density keeps the measured distances.
        m_x1 = measured[0];
        m_x2 = measured[1];
        m_y1 = measured[2];
        m_y2 = measured[3];
    }
    const double sx = m_x1 + m_x2;
    const double sy = m_y1 + m_y2;
    if (!(std::isfinite(sx) && sx > 0.0 && std::isfinite(sy) && sy > 0.0)) {
        m_failure = kNoSpacing;
        return false;
    }

    const long long rows = CountFrom((widthY - 0.6 * sy) / sy);
    long long columns = 0;
    long long slots = 0;  // hexagonal: half-column slots
    if (hexagonal) {
        slots = CountFrom(2.0 * (lengthX - 0.5 * sx * 0.6) / sx);
        if (slots < 0) {
            m_failure = kTooManySpeakers;
            return false;
        }
        columns = (slots + 1) / 2;
    } else {
        columns = CountFrom((lengthX - 0.6 * sx) / sx);
    }
    if (rows < 0 || columns < 0 || rows * columns > kMaxSpeakers) {
        m_failure = kTooManySpeakers;
        return false;
    }
    m_nRows = static_cast<int>(rows);
    m_nColumns = static_cast<int>(columns);

    const bool oddSlots = slots % 2 == 1;
    double firstX = x0 + (lengthX - (static_cast<double>(columns) - 1.0) * sx) / 2.0;
    if (hexagonal && !oddSlots)
        firstX = x0 + (lengthX - (static_cast<double>(columns) - 1.0 + 0.5) * sx) / 2.0;
    const double firstY = y0 + (widthY - (static_cast<double>(rows) - 1.0) * sy) / 2.0;

    m_points.reserve(static_cast<std::size_t>(rows * columns));
    for (int r = 0; r < m_nRows; ++r) {
        const bool oddRow = r % 2 == 1;
        const double y = firstY + r * sy;
        for (int c = 0; c < m_nColumns; ++c) {
            double x = firstX + c * sx;
            if (hexagonal) {
                if (oddRow)
                    x += sx / 2.0;
                if (m_nColumns == 1)
                    x = x0 + lengthX / 2.0;
                // With an odd count of half-column slots the shifted rows'
                // last point lies beyond the area.
                if (oddSlots && oddRow && c == m_nColumns - 1)
                    continue;
            }
            m_points.push_back(Point{x, y});
        }
    }

    if (hexagonal) {
        m_x1 /= 2.0;
        m_x2 /= 2.0;
    }
    // A room without area (a negative size from a damaged file) has no grid.
    if (m_points.empty())
        m_failure = kNoArea;
    return !m_points.empty();
}
