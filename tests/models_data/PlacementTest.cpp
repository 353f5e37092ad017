#include "GoldenBytes.h"

#include "models/CalcAimAngleLowerZX.h"
#include "models/CalcAimAngleUpperZX.h"
#include "models/SPVariableParam.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CalcAimAngle, OneStraightModuleUpAndDown)
{
    double x = -9, z = -9;
    CCalcAimAngleUpperZX up;
    EXPECT_EQ(up.AddAngle(0.0), 0.0);
    up.Calc(&x, &z, 1.0, 0.0);
    EXPECT_DOUBLE_EQ(x, 0.0);
    EXPECT_DOUBLE_EQ(z, 0.5);
    EXPECT_DOUBLE_EQ(up.m_dX, 0.0);
    EXPECT_DOUBLE_EQ(up.m_dZ, 1.0);

    CCalcAimAngleLowerZX down;
    down.AddAngle(0.0);
    down.Calc(&x, &z, 1.0, 0.0);
    EXPECT_DOUBLE_EQ(x, 0.0);
    EXPECT_DOUBLE_EQ(z, -0.5);
    EXPECT_DOUBLE_EQ(down.m_dX, 0.0);
    EXPECT_DOUBLE_EQ(down.m_dZ, -1.0);
}

TEST(CalcAimAngle, SplaysAccumulate)
{
    CCalcAimAngleLowerZX down;
    double x = 0, z = 0;
    EXPECT_EQ(down.AddAngle(5.0), 5.0);
    down.Calc(&x, &z, 0.5, 0.0);
    EXPECT_EQ(down.AddAngle(5.0), 10.0);
    const double x0 = down.m_dX, z0 = down.m_dZ;
    down.Calc(&x, &z, 0.5, 0.0);
    // The second module hangs along (-sin 10, -cos 10) from the running point.
    const double a = 10.0 * 4.0 * std::atan(1.0) / 180.0;
    EXPECT_NEAR(x, x0 - 0.25 * std::sin(a), 1e-15);
    EXPECT_NEAR(z, z0 - 0.25 * std::cos(a), 1e-15);
    EXPECT_NEAR(down.m_dX, x0 - 0.5 * std::sin(a), 1e-15);
}

TEST(CalcAimAngle, OffsetPointsToTheFrontAndStartHeight)
{
    // At 90 degrees the upper stack lies along +x and the front is -z.
    CCalcAimAngleUpperZX up;
    up.SetOffset(2.0);
    up.AddAngle(90.0);
    double x = 0, z = 0;
    up.Calc(&x, &z, 1.0, 0.1);
    EXPECT_NEAR(x, 0.5, 1e-15);
    EXPECT_NEAR(z, 2.0 - 0.1, 1e-15);
    EXPECT_NEAR(up.m_dX, 1.0, 1e-15);
    EXPECT_NEAR(up.m_dZ, 2.0, 1e-15);
}

TEST(CalcAimAngle, LowerStackLeansBackAndItsFrontFollowsTheAngle)
{
    // At 90 degrees the lower stack runs along -x from the running point;
    // the front (cos a, -sin a) is -z, as for the upper stack.
    CCalcAimAngleLowerZX down;
    down.SetOffset(2.0);
    down.AddAngle(90.0);
    double x = 0, z = 0;
    down.Calc(&x, &z, 1.0, 0.1);
    EXPECT_NEAR(x, -0.5, 1e-15);
    EXPECT_NEAR(z, 2.0 - 0.1, 1e-15);
    EXPECT_NEAR(down.m_dX, -1.0, 1e-15);
    EXPECT_NEAR(down.m_dZ, 2.0, 1e-15);

    // At 30 degrees: centre (-0.25, 2 - 0.5 cos 30) shifted by 0.2 (cos 30, -sin 30).
    CCalcAimAngleLowerZX tilted;
    tilted.SetOffset(2.0);
    tilted.AddAngle(30.0);
    tilted.Calc(&x, &z, 1.0, 0.2);
    const double c30 = std::sqrt(3.0) / 2.0;
    EXPECT_NEAR(x, -0.25 + 0.2 * c30, 1e-15);
    EXPECT_NEAR(z, 2.0 - 0.5 * c30 - 0.1, 1e-15);
    EXPECT_NEAR(tilted.m_dX, -0.5, 1e-15);
    EXPECT_NEAR(tilted.m_dZ, 2.0 - c30, 1e-15);
}

TEST(CalcAimAngle, ZeroLengthAndBaseClass)
{
    CCalcAimAngleLowerZX down;
    down.SetOffset(-0.25);
    double x = 0, z = 0;
    down.Calc(&x, &z, 0.0, 0.3);
    EXPECT_DOUBLE_EQ(x, 0.3);
    EXPECT_DOUBLE_EQ(z, -0.25);
    EXPECT_DOUBLE_EQ(down.m_dX, 0.0);
    EXPECT_DOUBLE_EQ(down.m_dZ, -0.25);

    CCalcAimAngleZX base;
    x = 7.0;
    z = 8.0;
    base.AddAngle(3.0);
    base.Calc(&x, &z, 1.0, 1.0);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(z, 8.0);
    EXPECT_EQ(base.m_dX, 0.0);
    EXPECT_EQ(base.m_dZ, 0.0);
}

TEST(SPVariableParam, CalcPositionStacksThroughTheCalculator)
{
    CSPVariableParam a, b;
    a.SetEntity(CAxisEntity(0.0, 1.0, 0.0));
    b.SetEntity(CAxisEntity(0.0, 1.0, 90.0));
    CCalcAimAngleUpperZX up;
    a.CalcPosition(up);
    b.CalcPosition(up);
    EXPECT_EQ(a.GetAngles().z, 0.0);
    EXPECT_EQ(b.GetAngles().z, 90.0);
    EXPECT_EQ(a.GetPositionMetres(), CPoint3D(0.0, 0.0, 0.5));
    EXPECT_NEAR(b.GetPositionMetres().x, 0.5, 1e-15);
    EXPECT_NEAR(b.GetPositionMetres().z, 1.0, 1e-15);
    EXPECT_EQ(b.GetPositionMetres().y, 0.0);
}

TEST(SPVariableParam, AxisAssignmentAndReset)
{
    CAxisElement axis;
    axis.SetName("W5L");
    axis.SetVector(CAxisEntity(0.05, 0.2, 3.0));
    axis.SetPowerShare(0.5);

    CSPVariableParam p;
    EXPECT_EQ(p.GetShare(), 1.0);
    p.AssignAxis(axis, false);
    EXPECT_EQ(p.GetAxis().GetName(), "");
    EXPECT_EQ(p.GetEntity(), axis.GetVector());
    EXPECT_EQ(p.GetShare(), 1.0);
    EXPECT_EQ(p.GetLength(), 0.2);
    p.AssignAxis(axis, true);
    EXPECT_EQ(p.GetAxis().GetName(), "W5L");
    EXPECT_EQ(p.GetShare(), 0.5);

    CSPVariableParam q;
    q.SetAxis(axis);
    EXPECT_EQ(q.GetAxis().GetName(), "W5L");
    EXPECT_EQ(q.GetEntity(), CAxisEntity());

    p.SetPosition(CPoint3D(1, 2, 3));
    p.ResetPosition();
    EXPECT_EQ(p.GetPositionMetres(), CPoint3D(0.05, 0.0, 0.0));
}

TEST(SPVariableParam, PositionInFeet)
{
    CSPVariableParam p;
    p.SetPosition(CPoint3D(1, 0, -2));
    CPoint3D feet;
    p.GetPosition(feet, 1);
    EXPECT_EQ(feet.x, 3.2808398950131235);
    EXPECT_EQ(feet.y, 0.0);
    EXPECT_EQ(feet.z, -6.561679790026247);
    p.GetPosition(feet, 0);
    EXPECT_EQ(feet, CPoint3D(1, 0, -2));
}

TEST(SPVariableParamArray, SharesAxisNamesAndRecords)
{
    CSPVariableParamArray params(4);
    params.SetEqualShares(4);
    for (const CSPVariableParam& p : params)
        EXPECT_EQ(p.GetShare(), 0.25);
    params.SetEqualShares(0);
    EXPECT_EQ(params[0].GetShare(), 0.25);

    CAxisElement named;
    named.SetName("Model");
    params.SetAxisAll(named);
    EXPECT_EQ(params[3].GetAxis().GetName(), "Model");

    CSPVariableParamArray two(2);
    two[0].SetAngles(CPoint3D(10, 20, 30));
    two[1].SetShare(0.5);
    two[1].SetPosition(CPoint3D(1, 2, 3));
    CArchive out;
    two.SerializeAngles(out);
    two.SerializeShareAndPosition(out);
    const std::vector<BYTE> expected = CGolden()
                                           .D(10).D(20).D(30)
                                           .D(0).D(0).D(0)
                                           .D(1.0).D(0).D(0).D(0)
                                           .D(0.5).D(1).D(2).D(3)
                                           .bytes;
    EXPECT_EQ(out.Buffer(), expected);

    CArchive in(expected);
    CSPVariableParamArray back(2);
    back.SerializeAngles(in);
    back.SerializeShareAndPosition(in);
    EXPECT_EQ(back[0].GetAngles(), CPoint3D(10, 20, 30));
    EXPECT_EQ(back[1].GetShare(), 0.5);
    EXPECT_EQ(back[1].GetPositionMetres(), CPoint3D(1, 2, 3));

    CArchive shortIn(CGolden().D(1).D(2).D(3).bytes);
    CSPVariableParamArray tooMany(2);
    EXPECT_THROW(tooMany.SerializeAngles(shortIn), CArchiveException);
}
