#include "models/TypeSModel.h"

#include "models/ColumnStacking.h"
#include "models/ModuleArrangementRequests.h"
#include "models/SpeakerDataLimits.h"

CTypeSModel::CTypeSModel() : CLineArrayModel(kTypeCode) {}

CTypeSModel::~CTypeSModel() = default;

void CTypeSModel::CalcAimAngles()
{
    StackColumnDownward(m_tapTable, m_placements);
}

void CTypeSModel::ApplyArrangement(DWORD centre, DWORD upper, DWORD lower, DWORD /*total*/)
{
    if (centre != 0 || upper != 0)
        return;
    const DWORD n = lower;
    if (n > SpeakerDataLimits::kMaxModuleCount)
        return;
    m_placements.resize(n);
    m_axisElements.resize(n);
    AssignAxisData(TRUE);
    m_placements.SetEqualShares(n);
    m_tapTable.SetModuleCounts(centre, upper, lower);
    CalcAimAngles();
    BuildSpeakerElements();
}

double CTypeSModel::DoModuleArrangement(int nLengthUnit)
{
    CModuleVectorArrangementRequest request(kTypeCode, nLengthUnit, m_tapTable.GetCentreCount(),
                                            m_tapTable.GetUpperCount(), m_tapTable.GetLowerCount());
    const DWORD total0 = GetTotalCount();
    request.m_entities.resize(total0);
    for (DWORD i = 0; i < total0 && i < m_placements.size(); ++i)
        request.m_entities[i] = m_placements[i].GetEntity();

    if (!RunModuleArrangementDialog(request))
        return 0.0;
    // No element at all would make the ratio divide by zero: taken as
    // cancelled.
    if (request.GetTotal() == 0)
        return 0.0;

    ApplyArrangement(request.m_nCentre, request.m_nUpper, request.m_nLower, request.GetTotal());
    const DWORD n = GetTotalCount();
    for (DWORD i = 0; i < n && i < m_placements.size() && i < request.m_entities.size(); ++i)
        m_placements[i].SetEntity(request.m_entities[i]);
    CalcAimAngles();
    if (total0 == 0 || n == 0)
        return 1.0;
    return static_cast<double>(total0) / static_cast<double>(n);
}

std::string CTypeSModel::GetNameSuffix() const
{
    switch (GetTotalCount()) {
    case 16: return SuffixText(62002);
    case 24: return SuffixText(62003);
    case 32: return SuffixText(62004);
    default: return std::string();
    }
}
