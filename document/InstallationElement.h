#pragma once
// One installed speaker: where it hangs, how it is turned, which model and
// tap it uses, its power and its polarity.

#include "models/Point3D.h"
#include "platform/Types.h"

#include <cstddef>

class CArchive;

class CInstallationElement {
public:
    CInstallationElement(const CPoint3D& position, const CPoint3D& angles, DWORD modelIndex, DWORD tapIndex,
                         double power, bool polarityNormal);
    // Reads the 62-byte record from the archive.
    CInstallationElement(CArchive& ar, DWORD version);

    // Size of the record on file.
    static constexpr std::size_t kRecordSize = 62;

    const CPoint3D& GetPosition() const { return m_position; }
    CPoint3D& GetPosition() { return m_position; }
    const CPoint3D& GetAngles() const { return m_angles; }
    CPoint3D& GetAngles() { return m_angles; }
    DWORD GetModelIndex() const { return m_nModelIndex; }
    DWORD GetTapIndex() const { return m_nTapIndex; }
    double GetPower() const { return m_dPower; }
    // 1 normal, 0 reverse.
    BOOL GetPolarity() const { return m_bPolarity ? 1 : 0; }

    void SetPosition(const CPoint3D& p) { m_position = p; }
    void SetPosition(double x, double y, double z) { m_position = CPoint3D(x, y, z); }
    void SetAngles(const CPoint3D& a) { m_angles = a; }
    void SetAngles(double a, double b, double c) { m_angles = CPoint3D(a, b, c); }
    void SetModelIndex(DWORD index) { m_nModelIndex = index; }
    void SetTapIndex(DWORD index) { m_nTapIndex = index; }
    void SetPower(double power) { m_dPower = power; }
    void SetPolarity(BOOL normal) { m_bPolarity = normal != 0; }

    // Angles, power, polarity word, position, model and tap index words.
    void Serialize(CArchive& ar, DWORD version);

private:
    CPoint3D m_position;
    CPoint3D m_angles;
    DWORD m_nModelIndex = 0;
    DWORD m_nTapIndex = 0;
    double m_dPower = 0.0;
    bool m_bPolarity = true;
};
