#include "models/LineArrayModel.h"

#include "models/ModuleCountLines.h"
#include "models/SpeakerDataLimits.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace {

// A placement takes 56 bytes of the model record (aim angles, share and
// position) after the counts: a stored count can never exceed what remains.
constexpr std::uint64_t kPlacementRecordBytes = 24 + 32;

}  // namespace

CLineArrayModel::CLineArrayModel(int typeCode) : CSpeakerModel(typeCode) {}

CLineArrayModel::~CLineArrayModel() = default;

DWORD CLineArrayModel::GetAxisCountFor(DWORD centre, DWORD upper, DWORD lower) const
{
    return centre + upper + lower;
}

DWORD CLineArrayModel::GetBuiltElementCount() const
{
    return GetTotalCount();
}

void CLineArrayModel::SetCountsAndSizeArrays(DWORD centre, DWORD upper, DWORD lower)
{
    m_tapTable.SetModuleCounts(centre, upper, lower);
    m_axisElements.resize(GetAxisCountFor(centre, upper, lower));
    m_balloons.resize(1);
}

void CLineArrayModel::SerializeModuleCounts(CArchive& ar)
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
    ar.CheckCount(total, kPlacementRecordBytes);
    SetCountsAndSizeArrays(centre, upper, lower);
}

void CLineArrayModel::SerializeAxisData(CArchive& ar)
{
    m_axisElements.Serialize(ar);
}

BOOL CLineArrayModel::ReadModuleCounts(CStdioFile& file)
{
    DWORD counts[3] = {0, 0, 0};
    if (!ReadModuleCountLines(file, counts, true))
        return FALSE;
    SetCountsAndSizeArrays(counts[0], counts[1], counts[2]);
    return TRUE;
}

BOOL CLineArrayModel::ReadAxisData(CStdioFile& file)
{
    for (CAxisElement& axis : m_axisElements)
        axis.ReadText(file);
    return TRUE;
}

void CLineArrayModel::BuildSpeakerElements()
{
    DWORD n = GetBuiltElementCount();
    if (n > m_placements.size())
        n = static_cast<DWORD>(m_placements.size());
    if (m_balloons.empty())
        n = 0;
    m_elements.assign(n, CSpeakerElement());
    for (DWORD i = 0; i < n; ++i)
        m_elements[i].Set(&m_header, &m_tapTable, &m_placements[i], &m_balloons[0]);
}

BOOL CLineArrayModel::CanAutoInstall() const
{
    return FALSE;
}

BOOL CLineArrayModel::HasModuleArrangement() const
{
    return TRUE;
}

BOOL CLineArrayModel::IsAutoInstallDoubtful() const
{
    return FALSE;
}

void CLineArrayModel::AssignAxisData(BOOL bFull)
{
    const std::size_t n = std::min(m_placements.size(), m_axisElements.size());
    for (std::size_t i = 0; i < n; ++i)
        m_placements[i].AssignAxis(m_axisElements[i], bFull != FALSE);
}

std::string CLineArrayModel::SuffixText(unsigned id)
{
    return id == 0 ? std::string() : LoadStringId(id);
}
