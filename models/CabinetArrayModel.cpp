#include "models/CabinetArrayModel.h"

#include "models/ColumnStacking.h"
#include "models/ModuleArrangementRequests.h"
#include "models/ModuleCountLines.h"
#include "models/SpeakerDataLimits.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"

#include <cmath>

namespace {

// A placement takes 56 bytes of the model record (aim angles, share and
// position) after the counts, and a parameter record 12 more in the axis
// record: a stored count can never exceed what remains.
constexpr std::uint64_t kElementRecordBytes = 24 + 32 + CTypeAandCParamArray::kRecordSize;

}  // namespace

CCabinetArrayModel::CCabinetArrayModel(int typeCode, DWORD unitCount, DWORD importLowerCount)
    : CSpeakerModel(typeCode), m_dwUnitCount(unitCount), m_dwImportLowerCount(importLowerCount)
{
}

CCabinetArrayModel::~CCabinetArrayModel() = default;

bool CCabinetArrayModel::AreUnitsFinite() const
{
    for (const CAxisElement& unit : m_axisElements) {
        const CAxisEntity& v = unit.GetVector();
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
            return false;
    }
    return true;
}

bool CCabinetArrayModel::IsValidUnit(std::int32_t type) const
{
    return type >= 0 && static_cast<DWORD>(type) < m_dwUnitCount && static_cast<std::size_t>(type) < m_axisElements.size()
        && static_cast<std::size_t>(type) < m_balloons.size();
}

void CCabinetArrayModel::SerializeModuleCounts(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_tapTable.GetCentreCount())
           << static_cast<WORD>(m_tapTable.GetUpperCount())
           << static_cast<WORD>(m_tapTable.GetLowerCount());
        return;
    }
    const DWORD centre = ar.ReadWord();
    const DWORD upper = ar.ReadWord();
    const DWORD lower = ar.ReadWord();
    const DWORD total = centre + upper + lower;
    if (total > SpeakerDataLimits::kMaxModuleCount)
        CArchive::ThrowFormat("module count out of range");
    ar.CheckCount(total, kElementRecordBytes);
    m_tapTable.SetModuleCounts(centre, upper, lower);
    m_axisElements.resize(m_dwUnitCount);
    m_balloons.resize(m_dwUnitCount);
}

void CCabinetArrayModel::SerializeAxisData(CArchive& ar)
{
    m_axisElements.Serialize(ar);
    m_params.Serialize(ar);
    if (ar.IsLoading()) {
        for (const CTypeAandCParam& param : m_params) {
            if (!IsValidUnit(param.m_nType))
                CArchive::ThrowFormat("cabinet unit index out of range");
            // The element positions are stacked from the tilts and the unit
            // geometry after loading: a value that is no number would make
            // every position and level NaN.
            if (!std::isfinite(param.m_dAngle))
                CArchive::ThrowFormat("cabinet tilt out of range");
        }
        if (!AreUnitsFinite())
            CArchive::ThrowFormat("cabinet unit geometry out of range");
    }
}

BOOL CCabinetArrayModel::ReadModuleCounts(CStdioFile& file)
{
    DWORD counts[3] = {0, 0, 0};
    if (!ReadModuleCountLines(file, counts, false))
        return FALSE;
    m_tapTable.SetModuleCounts(counts[0], counts[1], m_dwImportLowerCount);
    m_axisElements.resize(m_dwUnitCount);
    m_balloons.resize(m_dwUnitCount);
    return TRUE;
}

BOOL CCabinetArrayModel::ReadAxisData(CStdioFile& file)
{
    for (CAxisElement& unit : m_axisElements)
        unit.ReadText(file);
    // Any unit may be chosen by a later arrangement, so each must have a
    // usable geometry, not only the one a fresh import uses.
    return AreUnitsFinite() ? TRUE : FALSE;
}

void CCabinetArrayModel::CalcAimAngles()
{
    StackColumnDownward(m_tapTable, m_placements);
}

void CCabinetArrayModel::BuildSpeakerElements()
{
    std::size_t n = GetTotalCount();
    if (n > m_placements.size())
        n = m_placements.size();
    if (n > m_params.size())
        n = m_params.size();
    if (m_balloons.empty())
        n = 0;
    m_elements.assign(n, CSpeakerElement());
    for (std::size_t i = 0; i < n; ++i) {
        // Every path that sets a unit index checks it; balloon 0 only
        // guards against a broken invariant.
        const std::int32_t type = m_params[i].m_nType;
        CBalloonElement* balloon = IsValidUnit(type) ? &m_balloons[static_cast<std::size_t>(type)] : &m_balloons[0];
        m_elements[i].Set(&m_header, &m_tapTable, &m_placements[i], balloon);
    }
    CalcAimAngles();
}

BOOL CCabinetArrayModel::CanAutoInstall() const
{
    return FALSE;
}

BOOL CCabinetArrayModel::HasModuleArrangement() const
{
    return TRUE;
}

BOOL CCabinetArrayModel::IsAutoInstallDoubtful() const
{
    return FALSE;
}

void CCabinetArrayModel::AssignAxisData(BOOL bFull)
{
    if (m_params.size() < m_placements.size())
        m_params.resize(m_placements.size());
    for (std::size_t i = 0; i < m_placements.size(); ++i) {
        const std::int32_t type = m_params[i].m_nType;
        if (IsValidUnit(type))
            m_placements[i].AssignAxis(m_axisElements[static_cast<std::size_t>(type)], bFull != FALSE);
    }
    for (std::size_t i = 0; i < m_placements.size(); ++i) {
        CAxisEntity vector = m_placements[i].GetEntity();
        vector.z = i == 0 ? 0.0 : m_params[i].m_dAngle;
        m_placements[i].SetEntity(vector);
    }
}

void CCabinetArrayModel::ResizeVariableParams()
{
    CSpeakerModel::ResizeVariableParams();
    m_params.resize(m_placements.size());
}

bool CCabinetArrayModel::ApplyArrangement(DWORD centre, DWORD upper, DWORD lower, DWORD /*total*/,
                                          const CTypeAandCParamArray& params)
{
    if (centre != 0 || upper != 0)
        return false;
    const DWORD n = lower;
    if (n > SpeakerDataLimits::kMaxModuleCount || params.size() < n)
        return false;
    for (DWORD i = 0; i < n; ++i) {
        if (!IsValidUnit(params[i].m_nType))
            return false;
    }
    m_tapTable.SetModuleCounts(centre, upper, lower);
    m_placements.resize(n);
    m_params.resize(m_placements.size());
    for (DWORD i = 0; i < n; ++i)
        m_params[i] = params[i];
    AssignAxisData(TRUE);
    m_placements.SetEqualShares(n);
    BuildSpeakerElements();
    return true;
}

double CCabinetArrayModel::DoModuleArrangement(int nLengthUnit)
{
    CCabinetArrangementRequest request(GetTypeCode(), nLengthUnit, m_tapTable.GetCentreCount(),
                                       m_tapTable.GetUpperCount(), m_tapTable.GetLowerCount());
    request.m_units = m_axisElements;
    request.m_params.resize(GetTotalCount());
    for (std::size_t i = 0; i < request.m_params.size() && i < m_params.size(); ++i)
        request.m_params[i] = m_params[i];

    if (!RunModuleArrangementDialog(request))
        return 0.0;
    const DWORD total0 = GetTotalCount();
    // A result without any element, or one that names no valid unit, is
    // taken as cancelled: nothing of the model changes.
    if (request.GetTotal() == 0
        || !ApplyArrangement(request.m_nCentre, request.m_nUpper, request.m_nLower, request.GetTotal(),
                             request.m_params))
        return 0.0;
    for (std::size_t i = 0; i < m_params.size() && i < request.m_params.size(); ++i)
        m_params[i] = request.m_params[i];
    const DWORD n = GetTotalCount();
    if (total0 == 0 || n == 0)
        return 1.0;
    return static_cast<double>(total0) / static_cast<double>(n);
}

std::string CCabinetArrayModel::CabinetCountSuffix(DWORD n)
{
    if (n < 2 || n > 12)
        return std::string();
    return LoadStringId(62100 + n);
}
