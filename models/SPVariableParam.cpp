#include "models/SPVariableParam.h"

#include "models/CalcAimAngleZX.h"
#include "platform/Archive.h"

namespace {

constexpr double kMetresToFeet = 3.2808398950131235;

}  // namespace

void CSPVariableParam::SetAxis(const CAxisElement& axis)
{
    m_axis.SetName(axis.GetName());
}

void CSPVariableParam::AssignAxis(const CAxisElement& axis, bool bFull)
{
    if (bFull)
        m_axis.Copy(axis);
    else
        m_axis.SetVector(axis.GetVector());
}

void CSPVariableParam::ResetPosition()
{
    m_position = CPoint3D(m_axis.GetVector().x, 0.0, 0.0);
}

void CSPVariableParam::CalcPosition(CCalcAimAngleZX& calc)
{
    const CAxisEntity& entity = m_axis.GetVector();
    m_angles.z = calc.AddAngle(entity.z);
    double x = 0.0;
    double z = 0.0;
    calc.Calc(&x, &z, entity.y, entity.x);
    m_position = CPoint3D(x, 0.0, z);
}

void CSPVariableParam::GetPosition(CPoint3D& out, int unitFlag) const
{
    out = m_position;
    if (unitFlag == 1) {
        out.x *= kMetresToFeet;
        out.y *= kMetresToFeet;
        out.z *= kMetresToFeet;
    }
}

void CSPVariableParam::GetPosition(double& x, double& y, double& z, int unitFlag) const
{
    CPoint3D p;
    GetPosition(p, unitFlag);
    x = p.x;
    y = p.y;
    z = p.z;
}

void CSPVariableParam::SerializeAngles(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_angles.x << m_angles.y << m_angles.z;
    else
        ar >> m_angles.x >> m_angles.y >> m_angles.z;
}

void CSPVariableParam::SerializeShareAndPosition(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_axis.GetPowerShare();
        ar << m_position.x << m_position.y << m_position.z;
        return;
    }
    m_axis.SetPowerShare(ar.ReadDouble());
    ar >> m_position.x >> m_position.y >> m_position.z;
}

void CSPVariableParamArray::SetEqualShares(unsigned n)
{
    if (n == 0)
        return;
    for (CSPVariableParam& p : *this)
        p.SetShare(1.0 / n);
}

void CSPVariableParamArray::SetAxisAll(const CAxisElement& axis)
{
    for (CSPVariableParam& p : *this)
        p.SetAxis(axis);
}

void CSPVariableParamArray::SerializeAngles(CArchive& ar)
{
    if (ar.IsLoading())
        ar.CheckCount(size(), 24);
    for (CSPVariableParam& p : *this)
        p.SerializeAngles(ar);
}

void CSPVariableParamArray::SerializeShareAndPosition(CArchive& ar)
{
    if (ar.IsLoading())
        ar.CheckCount(size(), 32);
    for (CSPVariableParam& p : *this)
        p.SerializeShareAndPosition(ar);
}
