#include "models/SpeakerElement.h"

#include "models/BalloonElement.h"
#include "models/SpeakerDataHeader.h"
#include "models/SPVariableParam.h"
#include "models/SpeakerTapTable.h"

void CSpeakerElement::Set(CSpeakerDataHeader* header, CSpeakerTapTable* tapTable,
                          CSPVariableParam* placement, CBalloonElement* balloon)
{
    m_pHeader = header;
    m_pTapTable = tapTable;
    m_pPlacement = placement;
    m_pBalloon = balloon;
}

void CSpeakerElement::GetPosition(double& x, double& y, double& z) const
{
    m_pPlacement->GetPosition(x, y, z, m_pTapTable->GetUnitFlag());
}

CPoint3D CSpeakerElement::GetPosition() const
{
    CPoint3D p;
    GetPosition(p.x, p.y, p.z);
    return p;
}

CPoint3D CSpeakerElement::GetAngles() const
{
    return m_pPlacement->GetAngles();
}

double CSpeakerElement::GetPowerShare() const
{
    return m_pPlacement->GetShare();
}

BOOL CSpeakerElement::FindAngleCell(double a, double& lo, double& hi, int& iLo, int& iHi) const
{
    return m_pBalloon->FindAngleBracket(a, lo, hi, iLo, iHi);
}

const CSPComplex& CSpeakerElement::GetBalloonCell(int i, int j, int k) const
{
    return m_pBalloon->GetCell(i, j, k);
}

void CSpeakerElement::Serialize(CArchive& ar)
{
    m_pBalloon->SerializeData(ar);
}

bool CSpeakerElement::IsGridUsable() const
{
    const CSpeakerDataHeader* header = GetHeader();
    const CBalloonElement* balloon = GetBalloon();
    if (header == nullptr || balloon == nullptr)
        return false;
    const DWORD rows = balloon->GetRowCount();
    const DWORD columns = balloon->GetColumnCount();
    const DWORD frequencies = balloon->GetFrequencyCount();
    return rows > 0 && columns > 0 && frequencies > 0 && columns == header->GetPolarAngleCount()
           && columns == header->GetPolarAngles().size() && frequencies == header->GetFrequencyCount()
           && frequencies == header->GetFrequencies().size() && balloon->GetAngles().size() == rows
           && balloon->GetCells().size() == static_cast<std::size_t>(rows) * columns * frequencies;
}
