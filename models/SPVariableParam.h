#pragma once
// The placement of one sounding element inside its model: position (metres,
// relative to the installation position), aim angles (azimuth, rotation,
// elevation in degrees) and a copy of the module description it carries,
// including its share of the model's power.

#include "models/AxisElement.h"
#include "models/AxisEntity.h"
#include "models/Point3D.h"

#include <vector>

class CArchive;
class CCalcAimAngleZX;

class CSPVariableParam {
public:
    CSPVariableParam() = default;

    // Takes the element's name only.
    void SetAxis(const CAxisElement& axis);
    // bFull: name, geometry and share; otherwise the geometry only.
    void AssignAxis(const CAxisElement& axis, bool bFull);
    const CAxisElement& GetAxis() const { return m_axis; }

    // Position := (front offset, 0, 0).
    void ResetPosition();
    // Elevation := the calculator's running angle after adding this module's
    // splay; position := (x, 0, z) of the calculator's placement.
    void CalcPosition(CCalcAimAngleZX& calc);

    // The position, in feet when unitFlag is 1.
    void GetPosition(CPoint3D& out, int unitFlag) const;
    void GetPosition(double& x, double& y, double& z, int unitFlag) const;
    // The stored position in metres.
    const CPoint3D& GetPositionMetres() const { return m_position; }
    void SetPosition(const CPoint3D& position) { m_position = position; }

    const CPoint3D& GetAngles() const { return m_angles; }
    void SetAngles(const CPoint3D& angles) { m_angles = angles; }
    double GetShare() const { return m_axis.GetPowerShare(); }
    void SetShare(double share) { m_axis.SetPowerShare(share); }
    const CAxisEntity& GetEntity() const { return m_axis.GetVector(); }
    void SetEntity(const CAxisEntity& entity) { m_axis.SetVector(entity); }
    // Module length (y of the geometry).
    double GetLength() const { return m_axis.GetVector().y; }

    // Three f64 aim angles (24 bytes).
    void SerializeAngles(CArchive& ar);
    // f64 share, then f64 x, y, z (32 bytes).
    void SerializeShareAndPosition(CArchive& ar);

private:
    CPoint3D m_position;
    CPoint3D m_angles;
    CAxisElement m_axis;
};

class CSPVariableParamArray : public std::vector<CSPVariableParam> {
public:
    using std::vector<CSPVariableParam>::vector;

    // Every element's share := 1/n (nothing for n = 0).
    void SetEqualShares(unsigned n);
    // SetAxis on every element.
    void SetAxisAll(const CAxisElement& axis);
    // The element records in order, no count (the owner sizes the array).
    void SerializeAngles(CArchive& ar);
    void SerializeShareAndPosition(CArchive& ar);
};
