#include "platform/ProgressScale.h"

#include <algorithm>

CProgressScale::CProgressScale(std::size_t steps)
    : m_nSteps(steps), m_nRange(static_cast<int>(std::min<std::size_t>(steps, kMaxRange)))
{
}

int CProgressScale::GetPosition(std::size_t index) const
{
    if (m_nSteps == 0)
        return 0;
    index = std::min(index, m_nSteps);
    if (static_cast<std::size_t>(m_nRange) == m_nSteps)
        return static_cast<int>(index);
    return static_cast<int>(static_cast<double>(index) / static_cast<double>(m_nSteps) * m_nRange);
}
