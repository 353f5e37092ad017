#include "models/StdSPModel.h"

#include "platform/Archive.h"

#include <algorithm>

CStdSPModel::CStdSPModel(int typeCode)
    : CSpeakerModel(typeCode)
{
}

CStdSPModel::~CStdSPModel() = default;

void CStdSPModel::SetFixedLayout()
{
    m_tapTable.SetModuleCounts(1, 0, 0);
    m_axisElements.resize(1);
    m_balloons.resize(1);
}

void CStdSPModel::SerializeModuleCounts(CArchive& ar)
{
    // The layout is fixed: nothing is stored.
    if (ar.IsLoading())
        SetFixedLayout();
}

void CStdSPModel::SerializeAxisData(CArchive& ar)
{
    // Nothing is stored; the element's unit carries the model's name.
    if (ar.IsLoading()) {
        CAxisElement axis;
        axis.SetName(m_header.GetName());
        m_placements.SetAxisAll(axis);
    }
}

BOOL CStdSPModel::ReadModuleCounts(CStdioFile& /*file*/)
{
    SetFixedLayout();
    return TRUE;
}

BOOL CStdSPModel::ReadAxisData(CStdioFile& /*file*/)
{
    return TRUE;
}

void CStdSPModel::CalcAimAngles()
{
    for (CSPVariableParam& placement : m_placements)
        placement.ResetPosition();
}

void CStdSPModel::BuildSpeakerElements()
{
    const std::size_t n = std::min<std::size_t>(
        {m_tapTable.GetElementCount(), m_placements.size(), m_balloons.size()});
    m_elements.assign(n, CSpeakerElement());
    for (std::size_t i = 0; i < n; ++i)
        m_elements[i].Set(&m_header, &m_tapTable, &m_placements[i], &m_balloons[i]);
}

BOOL CStdSPModel::CanAutoInstall() const
{
    return GetTypeCode() == kCeilingType;
}

BOOL CStdSPModel::HasModuleArrangement() const
{
    return FALSE;
}

BOOL CStdSPModel::IsAutoInstallDoubtful() const
{
    return GetTypeCode() == kForwardType;
}

double CStdSPModel::GetDefaultElevation() const
{
    return GetTypeCode() == kCeilingType ? 90.0 : 0.0;
}
