// The pressure one installed standard speaker adds at a point: distance law,
// delay, direction, polarity, power, feet, and the image under a ceiling.
#include "ModelTestData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using modeltest::ImportText;
using modeltest::TinyZsb;

// The phase (degrees, within (-180, 180]) after travelling r metres from
// the 1 m reference at frequency f.
double DelayedPhase(double phase, double r, double f)
{
    const double c = (r - 1.0) / 344.0 * f;
    double p = phase - (c - std::floor(c)) * 360.0;
    while (p <= -180.0)
        p += 360.0;
    while (p > 180.0)
        p -= 360.0;
    return p;
}

class PressureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        forward = ImportText(TinyZsb(0));
        ceiling = ImportText(TinyZsb(1));
        ASSERT_NE(forward, nullptr);
        ASSERT_NE(ceiling, nullptr);
        f = forward->GetHeader().GetFrequency(1);
    }
    // The pressure of one speaker installed at position with angles.
    int Calc(CSpeakerModel& m, CSPComplex& p, const CPoint3D& point, const CPoint3D& position,
             const CPoint3D& angles = CPoint3D(), bool reversed = false, double power = 1.0,
             bool reflection = false, double ceilingHeight = 3.0, int unitFlag = 0)
    {
        return m.CalcPressure(p, point, position, angles, f, ceilingHeight, reversed, power, 3.0,
                              reflection, unitFlag);
    }

    std::unique_ptr<CSpeakerModel> forward;
    std::unique_ptr<CSpeakerModel> ceiling;
    double f = 0.0;
};

TEST_F(PressureTest, OnAxisLevelFallsWithDistanceAndPhaseTurnsWithDelay)
{
    CSPComplex p;
    ASSERT_EQ(Calc(*forward, p, CPoint3D(2.0, 0.0, 0.0), CPoint3D()), 0);
    EXPECT_NEAR(p.GetLevel(), 90.0 + 20.0 * std::log10(0.5), 1e-9);
    EXPECT_NEAR(p.GetPhase(), DelayedPhase(0.0, 2.0, f), 1e-9);
}

TEST_F(PressureTest, BehindTheSpeakerTheRearCellApplies)
{
    CSPComplex p;
    ASSERT_EQ(Calc(*forward, p, CPoint3D(-1.0, 5.0, 2.0), CPoint3D(3.0, 5.0, 2.0)), 0);
    EXPECT_NEAR(p.GetLevel(), 70.0 + 20.0 * std::log10(0.25), 1e-9);
    EXPECT_NEAR(p.GetPhase(), DelayedPhase(60.0, 4.0, f), 1e-9);
}

TEST_F(PressureTest, PowerAndShareScaleThePressure)
{
    CSPComplex p;
    Calc(*forward, p, CPoint3D(2.0, 0.0, 0.0), CPoint3D(), CPoint3D(), false, 4.0);
    EXPECT_NEAR(p.GetLevel(), 90.0 + 20.0 * std::log10(0.5) + 20.0 * std::log10(2.0), 1e-9);

    forward->GetPlacements()[0].SetShare(0.25);
    CSPComplex q;
    Calc(*forward, q, CPoint3D(2.0, 0.0, 0.0), CPoint3D(), CPoint3D(), false, 4.0);
    EXPECT_NEAR(q.GetLevel(), 90.0 + 20.0 * std::log10(0.5), 1e-9);
}

TEST_F(PressureTest, TheResultIsAddedToNotReplaced)
{
    CSPComplex p(1.0, -2.0);
    CSPComplex alone;
    Calc(*forward, p, CPoint3D(2.0, 1.0, 0.0), CPoint3D());
    Calc(*forward, alone, CPoint3D(2.0, 1.0, 0.0), CPoint3D());
    EXPECT_DOUBLE_EQ(p.re, 1.0 + alone.re);
    EXPECT_DOUBLE_EQ(p.im, -2.0 + alone.im);
}

TEST_F(PressureTest, AReceiverAtTheElementAdds999Decibels)
{
    CSPComplex p;
    ASSERT_EQ(Calc(*forward, p, CPoint3D(1.0, 2.0, 3.0), CPoint3D(1.0, 2.0, 3.0)), 0);
    EXPECT_NEAR(p.GetLevel(), 999.0, 1e-9);
    EXPECT_EQ(p.im, 0.0);
}

TEST_F(PressureTest, ReversedAndNormalInstallationsAtOnePlaceCancel)
{
    const CPoint3D angles(30.0, 10.0, 20.0);
    CSPComplex p;
    Calc(*forward, p, CPoint3D(4.0, 1.5, 1.2), CPoint3D(0.5, 0.5, 2.5), angles, false, 10.0, true);
    const double single = std::hypot(p.re, p.im);
    ASSERT_GT(single, 0.0);
    Calc(*forward, p, CPoint3D(4.0, 1.5, 1.2), CPoint3D(0.5, 0.5, 2.5), angles, true, 10.0, true);
    EXPECT_LT(std::hypot(p.re, p.im), single * 1e-12);
}

TEST_F(PressureTest, AFrequencyOffTheSeriesFailsAndAddsNothing)
{
    CSPComplex p(0.5, 0.25);
    f = 1100.0;
    EXPECT_EQ(Calc(*forward, p, CPoint3D(2.0, 0.0, 0.0), CPoint3D(), CPoint3D(), false, 1.0, true), 1);
    EXPECT_EQ(p.re, 0.5);
    EXPECT_EQ(p.im, 0.25);
}

TEST_F(PressureTest, AFrequencyOutsideTheRangeAddsNothing)
{
    CSPComplex p(0.5, 0.25);
    f = 200.0;
    EXPECT_EQ(Calc(*forward, p, CPoint3D(2.0, 0.0, 0.0), CPoint3D(), CPoint3D(), false, 1.0, true), 0);
    EXPECT_EQ(p.re, 0.5);
    EXPECT_EQ(p.im, 0.25);
}

TEST_F(PressureTest, FeetAreTakenAsFeet)
{
    ceiling->SetUnitFlag(1);
    forward->SetUnitFlag(1);
    CSPComplex p;
    // 2 m in feet.
    const double ft = 2.0 * 3.2808398950131235;
    Calc(*forward, p, CPoint3D(ft, 0.0, 0.0), CPoint3D(), CPoint3D(), false, 1.0, false, 10.0, 1);
    EXPECT_NEAR(p.GetLevel(), 90.0 + 20.0 * std::log10(0.5), 1e-9);
    EXPECT_NEAR(p.GetPhase(), DelayedPhase(0.0, 2.0, f), 1e-6);
}

TEST_F(PressureTest, ElementPositionsFollowTheModelsUnit)
{
    forward->GetPlacements()[0].SetPosition(CPoint3D(0.5, 0.0, -0.25));
    const CSpeakerElement& e = forward->GetElements()[0];
    EXPECT_EQ(e.GetPosition(), CPoint3D(0.5, 0.0, -0.25));
    forward->SetUnitFlag(1);
    EXPECT_EQ(e.GetPosition(), CPoint3D(0.5 * 3.2808398950131235, 0.0, -0.25 * 3.2808398950131235));

    // The element sits 0.5 m in front of the installation point: a receiver
    // 2.5 m in front of that point (given in feet) is 2 m from the element.
    const double ftPerM = 3.2808398950131235;
    CSPComplex p;
    Calc(*forward, p, CPoint3D(2.5 * ftPerM, 0.0, -0.25 * ftPerM), CPoint3D(), CPoint3D(), false, 1.0, false, 10.0, 1);
    EXPECT_NEAR(p.GetLevel(), 90.0 + 20.0 * std::log10(0.5), 1e-9);
}

TEST_F(PressureTest, ACeilingSpeakerPointingDownReachesTheFloorOnAxis)
{
    CSPComplex p;
    const CPoint3D down(0.0, 0.0, ceiling->GetDefaultElevation());
    Calc(*ceiling, p, CPoint3D(0.0, 0.0, 0.0), CPoint3D(0.0, 0.0, 3.0), down);
    EXPECT_NEAR(p.GetLevel(), 90.0 + 20.0 * std::log10(1.0 / 3.0), 1e-9);
}

TEST_F(PressureTest, TheImageSourceLiesAboveTheCeilingAndArrivesLaterAndWeaker)
{
    const CPoint3D down(0.0, 0.0, 90.0);
    const CSpeakerElement& e = ceiling->GetElements()[0];
    CPoint3D source;
    CPoint3D aim;
    CSpeakerModel::GetElementSource(e, CPoint3D(0.0, 0.0, 2.0), down, source, aim);
    EXPECT_EQ(source.z, 2.0);
    CSpeakerModel::MakeImageSource(source, aim, 3.0);
    EXPECT_EQ(source.z, 4.0);
    EXPECT_NEAR(aim.z, -90.0, 1e-12);

    // Receiver on the floor under the speaker: direct 2 m on the axis, the
    // image 4 m away seen from behind (it fires upward).
    CSPComplex direct;
    CSPComplex both;
    Calc(*ceiling, direct, CPoint3D(), CPoint3D(0.0, 0.0, 2.0), down, false, 1.0, false);
    Calc(*ceiling, both, CPoint3D(), CPoint3D(0.0, 0.0, 2.0), down, false, 1.0, true, 3.0);
    const CSPComplex image(both.re - direct.re, both.im - direct.im);
    EXPECT_NEAR(direct.GetLevel(), 90.0 + 20.0 * std::log10(0.5), 1e-9);
    EXPECT_NEAR(image.GetLevel(), 70.0 + 20.0 * std::log10(0.25), 1e-6);
    EXPECT_NEAR(image.GetPhase(), DelayedPhase(60.0, 4.0, f), 1e-6);
}

TEST(ImageSourceTest, TheImageSendsWhatTheSpeakerSendsToTheMirroredPoint)
{
    const auto model = ImportText(modeltest::AsymmetricZsb(0));
    ASSERT_NE(model, nullptr);
    const CSpeakerElement& e = model->GetElements()[0];
    const double f = model->GetHeader().GetFrequency(2);
    const double ceilingHeight = 3.0;
    for (const CPoint3D& angles : {CPoint3D(30, 20, 50), CPoint3D(-75, -40, 10), CPoint3D(0, 0, 90)}) {
        CPoint3D source;
        CPoint3D aim;
        CSpeakerModel::GetElementSource(e, CPoint3D(1.0, 2.0, 2.2), angles, source, aim);
        CPoint3D image = source;
        CPoint3D imageAim = aim;
        CSpeakerModel::MakeImageSource(image, imageAim, ceilingHeight);
        for (const CPoint3D& p : {CPoint3D(4, 3, 0.5), CPoint3D(-2, 1, 1.7), CPoint3D(1.5, -3, 2.9)}) {
            CSPComplex viaImage;
            CSPComplex viaMirror;
            ASSERT_EQ(model->AddSourcePressure(viaImage, e, image, imageAim, p, f, false, 1.0, true, 0), 0);
            const CPoint3D mirrored(p.x, p.y, 2.0 * ceilingHeight - p.z);
            ASSERT_EQ(model->AddSourcePressure(viaMirror, e, source, aim, mirrored, f, false, 1.0, false, 0), 0);
            const double scale = std::hypot(viaMirror.re, viaMirror.im);
            EXPECT_NEAR(viaImage.re, viaMirror.re, scale * 1e-9);
            EXPECT_NEAR(viaImage.im, viaMirror.im, scale * 1e-9);
        }
    }
}

}  // namespace
