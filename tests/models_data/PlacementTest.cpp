#include "GoldenBytes.h"

#include "models/CalcAimAngleLowerZX.h"
#include "models/CalcAimAngleUpperZX.h"
#include "models/SPVariableParam.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CalcAimAngle, OneModuleOfEachStack)
{
    // At 90 degrees the upper stack lies along +x, the lower along -x; the
    // front (cos a, -sin a) is -z for both.
    const double c30 = std::sqrt(3.0) / 2.0;
    struct Case {
        bool upper;
        double offset, angle, length, front;
        double x, z, endX, endZ;
    } cases[] = {
        {true, 0.0, 0.0, 1.0, 0.0, 0.0, 0.5, 0.0, 1.0},
        {false, 0.0, 0.0, 1.0, 0.0, 0.0, -0.5, 0.0, -1.0},
        {true, 2.0, 90.0, 1.0, 0.1, 0.5, 1.9, 1.0, 2.0},
        {false, 2.0, 90.0, 1.0, 0.1, -0.5, 1.9, -1.0, 2.0},
        // Centre (-0.25, 2 - 0.5 cos 30) shifted by 0.2 (cos 30, -sin 30).
        {false, 2.0, 30.0, 1.0, 0.2, -0.25 + 0.2 * c30, 2.0 - 0.5 * c30 - 0.1, -0.5, 2.0 - c30},
        {false, -0.25, 0.0, 0.0, 0.3, 0.3, -0.25, 0.0, -0.25},  // zero length
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(testing::Message() << t.upper << " " << t.angle << " " << t.length);
        CCalcAimAngleUpperZX up;
        CCalcAimAngleLowerZX down;
        CCalcAimAngleZX& calc = t.upper ? static_cast<CCalcAimAngleZX&>(up) : down;
        calc.SetOffset(t.offset);
        EXPECT_EQ(calc.AddAngle(t.angle), t.angle);
        double x = -9, z = -9;
        calc.Calc(&x, &z, t.length, t.front);
        EXPECT_NEAR(x, t.x, 1e-15);
        EXPECT_NEAR(z, t.z, 1e-15);
        EXPECT_NEAR(calc.m_dX, t.endX, 1e-15);
        EXPECT_NEAR(calc.m_dZ, t.endZ, 1e-15);
    }

    // The base class places nothing.
    CCalcAimAngleZX base;
    double x = 7.0, z = 8.0;
    base.AddAngle(3.0);
    base.Calc(&x, &z, 1.0, 1.0);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(z, 8.0);
    EXPECT_EQ(base.m_dX, 0.0);
    EXPECT_EQ(base.m_dZ, 0.0);
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

TEST(SPVariableParam, AxisAssignmentResetAndFeet)
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

    p.SetPosition(CPoint3D(1, 2, 3));
    p.ResetPosition();
    EXPECT_EQ(p.GetPositionMetres(), CPoint3D(0.05, 0.0, 0.0));

    p.SetPosition(CPoint3D(1, 0, -2));
    CPoint3D feet;
    p.GetPosition(feet, 1);
    EXPECT_EQ(feet, CPoint3D(3.2808398950131235, 0.0, -6.561679790026247));
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
