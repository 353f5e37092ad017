#include "document/InstallationElement.h"

#include "platform/Archive.h"

#include <cmath>

namespace {

void SerializePoint(CArchive& ar, CPoint3D& p)
{
    if (ar.IsStoring()) {
        ar << p.x << p.y << p.z;
    } else {
        ar >> p.x >> p.y >> p.z;
    }
}

bool IsFinite(const CPoint3D& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
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
        // No editing ever gives a speaker a negative or endless power or a
        // position or angle that is no number; the calculation would turn
        // every level of the map into NaN.
        if (!(m_dPower >= 0.0) || !std::isfinite(m_dPower)) {
            CArchive::ThrowFormat("an installation with a negative or invalid power");
        }
        if (!IsFinite(m_position) || !IsFinite(m_angles)) {
            CArchive::ThrowFormat("an installation with an invalid position or angle");
        }
    }
}
