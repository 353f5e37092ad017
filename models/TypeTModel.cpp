#include "models/TypeTModel.h"

#include "models/CalcAimAngleLowerZX.h"
#include "models/ModuleCountLines.h"

#include <algorithm>

CTypeTModel::CTypeTModel() : CLineArrayModel(kTypeCode) {}

CTypeTModel::~CTypeTModel() = default;

DWORD CTypeTModel::GetAxisCountFor(DWORD, DWORD, DWORD) const
{
    return kElementCount;
}

DWORD CTypeTModel::GetBuiltElementCount() const
{
    return m_tapTable.GetLowerCount();
}

BOOL CTypeTModel::ReadModuleCounts(CStdioFile& file)
{
    DWORD counts[3] = {0, 0, 0};
    if (!ReadModuleCountLines(file, counts, false))
        return FALSE;
    SetCountsAndSizeArrays(counts[0], counts[1], kElementCount);
    m_placements.resize(kElementCount);
    return TRUE;
}

void CTypeTModel::CalcAimAngles()
{
    if (m_tapTable.GetCentreCount() != 0 || m_tapTable.GetUpperCount() != 0)
        return;
    const std::size_t lower = m_tapTable.GetLowerCount();
    for (std::size_t i = 0; i < lower && i < m_placements.size(); ++i) {
        CAxisEntity vector = m_placements[i].GetEntity();
        if (!m_axisElements.empty()) {
            const CAxisEntity& axis = m_axisElements[std::min(i, m_axisElements.size() - 1)].GetVector();
            vector.x = axis.x;
            vector.y = axis.y;
        }
        vector.z = i < kElementCount ? kSplays[i] : 0.0;
        m_placements[i].SetEntity(vector);
    }
    CCalcAimAngleLowerZX calc;
    for (std::size_t i = 0; i < lower && i < m_placements.size(); ++i)
        m_placements[i].CalcPosition(calc);
}
