#include "models/LVModel.h"

#include "models/CalcAimAngleLowerZX.h"
#include "models/CalcAimAngleUpperZX.h"
#include "models/ModuleArrangementRequests.h"
#include "models/SpeakerDataLimits.h"

#include <cstdint>

CLVModel::CLVModel(int typeCode) : CLineArrayModel(typeCode) {}

CLVModel::~CLVModel() = default;

void CLVModel::CalcAimAngles()
{
    const DWORD centre = m_tapTable.GetCentreCount();
    if (centre > 1)
        return;
    CCalcAimAngleUpperZX upperCalc;
    CCalcAimAngleLowerZX lowerCalc;
    if (centre == 1 && !m_placements.empty()) {
        const double h = m_placements[0].GetLength();
        lowerCalc.SetOffset(-0.5 * h);
        upperCalc.SetOffset(0.5 * h);
    }
    const std::size_t upper = m_tapTable.GetUpperCount();
    const std::size_t lower = m_tapTable.GetLowerCount();
    for (std::size_t i = 0; i < upper && i < m_placements.size(); ++i)
        m_placements[i].CalcPosition(upperCalc);
    for (std::size_t i = upper; i < upper + lower && i < m_placements.size(); ++i)
        m_placements[i].CalcPosition(lowerCalc);
}

void CLVModel::SetModuleCounts(DWORD centre, DWORD upper, DWORD lower)
{
    // Summed wide: halves that wrap a DWORD around are no module count.
    const std::uint64_t wide = std::uint64_t{centre} + upper + lower;
    const DWORD total0 = GetTotalCount();
    if (centre != 0 || wide == total0 || wide > SpeakerDataLimits::kMaxModuleCount)
        return;
    const DWORD n = static_cast<DWORD>(wide);
    const std::size_t u0 = m_tapTable.GetUpperCount();
    const std::size_t l0 = m_tapTable.GetLowerCount();

    if (n > total0) {
        m_placements.resize(n);
        m_axisElements.resize(n);
        AssignAxisData(TRUE);
    }

    // Regroup from the records as they stand now, so that every copy reads
    // an old module and never one already moved.
    const CSPVariableParamArray old = m_placements;
    auto copyOld = [&](std::size_t to, std::size_t from) {
        if (to < m_placements.size() && from < old.size())
            m_placements[to] = old[from];
    };
    // A half that had no module repeats the first old module of the array.
    const std::size_t outerUpper = u0 > 0 ? u0 - 1 : 0;
    const std::size_t outerLower = l0 > 0 ? u0 + l0 - 1 : 0;
    for (std::size_t k = 0; k < l0 && k < lower; ++k)
        copyOld(upper + k, u0 + k);
    for (std::size_t k = u0; k < upper; ++k)
        copyOld(k, outerUpper);
    for (std::size_t k = l0; k < lower; ++k)
        copyOld(upper + k, outerLower);

    if (n < total0) {
        m_placements.resize(n);
        m_axisElements.resize(n);
        AssignAxisData(TRUE);
    }
    m_placements.SetEqualShares(n);
    m_tapTable.SetModuleCounts(centre, upper, lower);
    CalcAimAngles();
    BuildSpeakerElements();
}

double CLVModel::DoModuleArrangement(int nLengthUnit)
{
    CModuleVectorArrangementRequest request(GetTypeCode(), nLengthUnit, m_tapTable.GetCentreCount(),
                                            m_tapTable.GetUpperCount(), m_tapTable.GetLowerCount());
    const DWORD total0 = GetTotalCount();
    request.m_entities.resize(total0);
    for (DWORD i = 0; i < total0 && i < m_placements.size(); ++i)
        request.m_entities[i] = m_placements[i].GetEntity();

    if (!RunModuleArrangementDialog(request))
        return 0.0;
    // A dialog that hands back no module at all is taken as cancelled: the
    // ratio would divide by zero.
    if (request.GetTotal() == 0)
        return 0.0;

    SetModuleCounts(request.m_nCentre, request.m_nUpper, request.m_nLower);
    const DWORD n = GetTotalCount();
    for (DWORD i = 0; i < n && i < m_placements.size() && i < request.m_entities.size(); ++i)
        m_placements[i].SetEntity(request.m_entities[i]);
    CalcAimAngles();
    if (total0 == 0 || n == 0)
        return 1.0;
    return static_cast<double>(total0) / static_cast<double>(n);
}

std::string CLVModel::GetNameSuffix() const
{
    return SuffixText(GetSuffixId(GetTotalCount()));
}
