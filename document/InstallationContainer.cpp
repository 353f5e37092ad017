#include "document/InstallationContainer.h"

#include "document/ProjectFileLimits.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kIdsBadRoom = 39422;
constexpr unsigned kIdsBadTotalPower = 39423;

int g_applicationLengthUnit = 0;

}  // namespace

int CInstallationContainer::GetApplicationLengthUnit()
{
    return g_applicationLengthUnit;
}

void CInstallationContainer::SetApplicationLengthUnit(int unit)
{
    g_applicationLengthUnit = unit;
}

CInstallationContainer::CInstallationContainer() : CInstallationContainer(GetApplicationLengthUnit()) {}

CInstallationContainer::CInstallationContainer(int lengthUnit)
{
    const bool feet = lengthUnit == 1;
    m_dRoom[kGridPitchZ] = 0.0;
    m_dRoom[kGridPitchY] = feet ? 2.0 : 1.0;
    m_dRoom[kGridPitchX] = feet ? 2.0 : 1.0;
    m_dRoom[kRoomSizeZ] = 0.0;
    m_dRoom[kRoomWidthY] = feet ? 30.0 : 10.0;
    m_dRoom[kRoomLengthX] = feet ? 30.0 : 10.0;
    m_dRoom[kReferenceX0] = 0.0;
    m_dRoom[kReferenceY0] = 0.0;
    m_dRoom[kRoomHeight] = feet ? 10.0 : 3.0;
}

int CInstallationContainer::AddInstallation(DWORD modelIndex, DWORD tapIndex, double x, double y, double z,
                                            double a, double b, double c, double power, BOOL polarityNormal)
{
    m_list.AddTail(std::make_unique<CInstallationElement>(CPoint3D(x, y, z), CPoint3D(a, b, c), modelIndex,
                                                          tapIndex, power, polarityNormal != 0));
    UpdateTotalPower();
    return m_list.GetCount();
}

void CInstallationContainer::RemoveInstallation(int index)
{
    if (index >= 0 && index < m_list.GetCount()) {
        m_list.RemoveAt(index);
        UpdateTotalPower();
    }
}

void CInstallationContainer::RemoveAll()
{
    m_list.RemoveAll();
    UpdateTotalPower();
}

void CInstallationContainer::RemoveByModel(DWORD modelIndex)
{
    m_list.RemoveByModel(modelIndex);
    UpdateTotalPower();
}

int CInstallationContainer::ModifyInstallation(const CPoint3D& position, const CPoint3D& angles, double power,
                                               BOOL polarityNormal)
{
    if (CInstallationElement* e = m_list.GetCurrent()) {
        e->SetPosition(position);
        e->SetAngles(angles);
        e->SetPower(power);
        e->SetPolarity(polarityNormal);
    }
    UpdateTotalPower();
    return m_list.GetCount();
}

void CInstallationContainer::Serialize(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(static_cast<DWORD>(m_list.GetCurrentIndex()) & 0xFFFF);
        ar << static_cast<WORD>(static_cast<DWORD>(m_list.GetCount()) & 0xFFFF);
        ar << m_dRoom[kGridPitchX] << m_dRoom[kGridPitchY] << m_dRoom[kGridPitchZ];
        ar << m_dRoom[kRoomLengthX] << m_dRoom[kRoomWidthY] << m_dRoom[kRoomSizeZ];
        ar << m_dRoom[kReferenceX0] << m_dRoom[kReferenceY0] << m_dRoom[kRoomHeight];
        ar << m_dTotalPower;
        ar << static_cast<WORD>(static_cast<DWORD>(m_nCeilingKind) & 0xFFFF);
        m_list.Serialize(ar, version);
        return;
    }

    // A container is only ever loaded fresh; anything it held is dropped so
    // that the records on file and the list stay in step.
    m_list.RemoveAll();
    m_list.SetCurrentIndex(ar.ReadWord());
    const WORD count = ar.ReadWord();
    ar >> m_dRoom[kGridPitchX] >> m_dRoom[kGridPitchY];
    if (version >= 0x01040000) {
        ar >> m_dRoom[kGridPitchZ];
        ar >> m_dRoom[kRoomLengthX] >> m_dRoom[kRoomWidthY] >> m_dRoom[kRoomSizeZ];
        ar >> m_dRoom[kReferenceX0] >> m_dRoom[kReferenceY0] >> m_dRoom[kRoomHeight];
    } else {
        ar >> m_dRoom[kRoomLengthX] >> m_dRoom[kRoomWidthY];
        ar >> m_dRoom[kReferenceX0] >> m_dRoom[kReferenceY0];
        ar >> m_dRoom[kRoomSizeZ];
        m_dRoom[kRoomHeight] = 0.0;
    }
    // Every length of the room enters the drawing, the placement grid and
    // the ceiling mirror of the calculation; one beyond the bounds can only
    // come from a damaged file.
    for (double d : m_dRoom) {
        if (!ProjectFileLimits::IsUsableLength(d)) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadRoom));
        }
    }
    ar >> m_dTotalPower;
    // Shown with the amplifier power; taken as read, but within what the
    // installations can add up to.
    if (!ProjectFileLimits::IsUsableTotalPower(m_dTotalPower)) {
        CArchive::ThrowExplained(LoadStringId(kIdsBadTotalPower));
    }
    m_nCeilingKind = ar.ReadWord();
    m_list.Serialize(ar, version);
    ar.CheckCount(count, CInstallationElement::kRecordSize);
    for (WORD i = 0; i < count; ++i) {
        m_list.AddTail(std::make_unique<CInstallationElement>(ar, version));
    }
}
