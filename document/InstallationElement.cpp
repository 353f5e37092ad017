#include "document/InstallationElement.h"

#include "document/ProjectFileLimits.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kIdsBadPower = 39420;
constexpr unsigned kIdsBadPlace = 39421;

void SerializePoint(CArchive& ar, CPoint3D& p)
{
    if (ar.IsStoring()) {
        ar << p.x << p.y << p.z;
    } else {
        ar >> p.x >> p.y >> p.z;
    }
}

}  // namespace

CInstallationElement::CInstallationElement(const CPoint3D& position, const CPoint3D& angles, DWORD modelIndex,
                                           DWORD tapIndex, double power, bool polarityNormal)
    : m_position(position), m_angles(angles), m_nModelIndex(modelIndex), m_nTapIndex(tapIndex), m_dPower(power),
      m_bPolarity(polarityNormal)
{
}

CInstallationElement::CInstallationElement(CArchive& ar, DWORD version)
{
    Serialize(ar, version);
}

void CInstallationElement::Serialize(CArchive& ar, DWORD /*version*/)
{
    SerializePoint(ar, m_angles);
    if (ar.IsStoring()) {
        ar << m_dPower;
        ar << static_cast<WORD>(m_bPolarity ? 1 : 0);
    } else {
        ar >> m_dPower;
        m_bPolarity = ar.ReadWord() != 0;
    }
    SerializePoint(ar, m_position);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_nModelIndex & 0xFFFF);
        ar << static_cast<WORD>(m_nTapIndex & 0xFFFF);
    } else {
        m_nModelIndex = ar.ReadWord();
        m_nTapIndex = ar.ReadWord();
        // No editing ever gives a speaker a negative power, one beyond what
        // the pressure calculation can scale by, or a place or aim beyond
        // the bounds; the calculation would turn levels of the map infinite
        // or into no number.
        if (!ProjectFileLimits::IsUsablePower(m_dPower)) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadPower));
        }
        if (!ProjectFileLimits::IsUsablePoint(m_position) || !ProjectFileLimits::IsUsableAngles(m_angles)) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadPlace));
        }
    }
}
