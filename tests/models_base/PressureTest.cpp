// The pressure one installed standard speaker adds at a point: directivity
// lookup, distance law, delay, direction, polarity, power, feet, and the
// image under a ceiling.
#include "ModelTestData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

using namespace modeltest;

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
        forward = Imported(TinyZsb(0));
        ceiling = Imported(TinyZsb(1));
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

TEST_F(PressureTest, DistancePowerDirectionAndFeet)
{
    const double ft = 3.2808398950131235;
    struct Case {
        const char* what;
        CPoint3D point, position;
        double power;
        int unit;
        double level, phase;
    } cases[] = {
        {"on the axis", CPoint3D(2, 0, 0), CPoint3D(), 1.0, 0, 90.0 + 20.0 * std::log10(0.5), DelayedPhase(0.0, 2.0, f)},
        {"behind", CPoint3D(-1, 5, 2), CPoint3D(3, 5, 2), 1.0, 0, 70.0 + 20.0 * std::log10(0.25),
         DelayedPhase(60.0, 4.0, f)},
        {"4 W", CPoint3D(2, 0, 0), CPoint3D(), 4.0, 0, 90.0 + 20.0 * std::log10(0.5) + 20.0 * std::log10(2.0),
         DelayedPhase(0.0, 2.0, f)},
        {"2 m in feet", CPoint3D(2 * ft, 0, 0), CPoint3D(), 1.0, 1, 90.0 + 20.0 * std::log10(0.5),
         DelayedPhase(0.0, 2.0, f)},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        forward->SetUnitFlag(t.unit);
        CSPComplex p;
        ASSERT_EQ(Calc(*forward, p, t.point, t.position, CPoint3D(), false, t.power, false, 10.0, t.unit), 0);
        EXPECT_NEAR(p.GetLevel(), t.level, 1e-9);
        EXPECT_NEAR(p.GetPhase(), t.phase, t.unit == 1 ? 1e-6 : 1e-9);
    }
    // The element's share scales its power.
    forward->SetUnitFlag(0);
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
    const auto model = Imported(modeltest::AsymmetricZsb(0));
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

// Directivity lookup: range and series checks, grid nodes, corners and the
// inverse-distance weighting of levels and unwrapped phases.
class DirectivityTest : public PressureTest {
protected:
    const CSpeakerElement& Element() const { return forward->GetElements()[0]; }
    CSPComplex& Cell(int i, int j, int k) { return forward->GetBalloons()[0].GetCell(i, j, k); }
    double F0() const { return forward->GetHeader().GetFrequency(0); }
};

TEST_F(DirectivityTest, FrequenciesOutsideTheRangeOrOffTheSeries)
{
    // Outside the measured range: silent, the frequency kept, nothing added.
    // Inside but between series entries: -60 dB, the caller's frequency set
    // to 0, and the pressure calculation fails without adding anything.
    struct Case {
        double f;
        double level;  // 0: silent
        double fAfter;
        int result;
    } cases[] = {{500.0, 0.0, 500.0, 0}, {2500.0, 0.0, 2500.0, 0}, {200.0, 0.0, 200.0, 0}, {1100.0, -60.0, 0.0, 1}};
    for (const Case& t : cases) {
        SCOPED_TRACE(t.f);
        double ff = t.f;
        const CSPComplex c = forward->GetElementDirectivity(Element(), 0.0, 0.0, ff);
        EXPECT_EQ(ff, t.fAfter);
        EXPECT_EQ(c.im, 0.0);
        if (t.level == 0.0) {
            EXPECT_EQ(c.re, 0.0);
        } else {
            EXPECT_GT(c.re, 0.0);
            EXPECT_NEAR(c.GetLevel(), t.level, 1e-9);
        }
        CSPComplex p(0.5, 0.25);
        f = t.f;
        EXPECT_EQ(Calc(*forward, p, CPoint3D(2.0, 0.0, 0.0), CPoint3D(), CPoint3D(), false, 1.0, true), t.result);
        EXPECT_EQ(p.re, 0.5);
        EXPECT_EQ(p.im, 0.25);
    }
}

TEST_F(DirectivityTest, AGridNodeOrACornerReturnsTheStoredCellUnchanged)
{
    Cell(1, 1, 2).SetLevelPhase(77.7, -12.5);
    double f = forward->GetHeader().GetFrequency(2);
    // Within 1e-5 of meridian 180 and polar 90.
    CSPComplex c = forward->GetElementDirectivity(Element(), 180.000004, 89.999996, f);
    EXPECT_EQ(c.re, Cell(1, 1, 2).re);
    EXPECT_EQ(c.im, Cell(1, 1, 2).im);

    // On the axis every meridian meets: the direction is corner 1 itself.
    Cell(1, 0, 0).SetLevelPhase(50.0, 0.0);
    f = F0();
    c = forward->GetElementDirectivity(Element(), 37.5, 0.0, f);
    EXPECT_EQ(c.re, Cell(0, 0, 0).re);
    EXPECT_EQ(c.im, Cell(0, 0, 0).im);
}

TEST_F(DirectivityTest, LevelsAndPhasesAreWeightedByInverseDistance)
{
    Cell(1, 1, 0).SetLevelPhase(78.0, 40.0);
    double f = F0();
    // Meridian 90 between rows 0 and 180, polar 45 between 0 and 90.
    const CSPComplex c = forward->GetElementDirectivity(Element(), 90.0, 45.0, f);
    const double s = std::sqrt(0.5);
    const double w1 = 1.0 / std::sqrt((1.0 - s) * (1.0 - s) + s * s);  // corners on the axis
    const double w3 = 1.0 / std::sqrt(2.0);                              // corners at polar 90
    const double level = (2.0 * w1 * 90.0 + w3 * 84.0 + w3 * 78.0) / (2.0 * w1 + 2.0 * w3);
    const double phase = (w3 * 30.0 + w3 * 40.0) / (2.0 * w1 + 2.0 * w3);
    EXPECT_NEAR(c.GetLevel(), level, 1e-9);
    EXPECT_NEAR(c.GetPhase(), phase, 1e-9);
    EXPECT_EQ(f, F0());
}

TEST_F(DirectivityTest, PhasesEitherSideOf180AverageTo180)
{
    // Polar angles 0, 60, 120, 180: a direction at meridian 90, polar 90 is
    // equally far from the four corners.
    CSpeakerDataHeader& header = forward->GetHeader();
    header.SetPolarAngles({0.0, 60.0, 120.0, 180.0});
    CBalloonElement& balloon = forward->GetBalloons()[0];
    const DWORD k = header.GetFrequencyCount();
    balloon.SetDimensions(3, 4, k);
    balloon.GetAngles() = {0.0, 180.0, 360.0};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j)
            balloon.GetCell(i, j, 0).SetLevelPhase(80.0, i == 1 ? -170.0 : 170.0);
    }
    forward->BuildSpeakerElements();
    double f = F0();
    const CSPComplex c = forward->GetElementDirectivity(forward->GetElements()[0], 90.0, 90.0, f);
    EXPECT_NEAR(c.GetLevel(), 80.0, 1e-9);
    EXPECT_NEAR(std::fabs(c.GetPhase()), 180.0, 1e-9);
}

TEST(DistanceTest, ShortDistancesAreZero)
{
    EXPECT_EQ(CalcDistance3D(CPoint3D(1, 2, 3), CPoint3D(4, 6, 3)), 5.0);
    EXPECT_EQ(CalcDistance3D(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1 + 9e-7)), 0.0);
    EXPECT_GT(CalcDistance3D(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1 + 2e-6)), 0.0);
}

TEST(AimAnglesTest, PositionTurnsWithTheInstallationAndStraightDownKeepsThePresetAzimuth)
{
    CPoint3D aim;
    CPoint3D rotated;
    CalcElementAimAngles(CPoint3D(), CPoint3D(0.5, -0.25, 1.0), CPoint3D(), aim, rotated);
    EXPECT_EQ(aim, CPoint3D(0.0, 0.0, 0.0));
    EXPECT_EQ(rotated, CPoint3D(0.5, -0.25, 1.0));
    // Turned left by 90 degrees: aims along +y, and the element at x = 1
    // moves to y = 1.
    CalcElementAimAngles(CPoint3D(), CPoint3D(1.0, 0.0, 0.0), CPoint3D(90.0, 0.0, 0.0), aim, rotated);
    EXPECT_NEAR(aim.x, 90.0, 1e-12);
    EXPECT_NEAR(rotated.x, 0.0, 1e-15);
    EXPECT_NEAR(rotated.y, 1.0, 1e-15);

    aim = CPoint3D(33.0, 0.0, 0.0);
    CalcElementAimAngles(CPoint3D(0.0, 0.0, 90.0), CPoint3D(), CPoint3D(), aim, rotated);
    EXPECT_EQ(aim.x, 33.0);
    EXPECT_NEAR(aim.z, 90.0, 1e-12);
}

TEST(AimAnglesTest, TheAimTurnsAnyDirectionIntoTheElementFrame)
{
    // Turning a world direction by the aim must equal turning it by the
    // installation and then by the element's own angles, straight up and
    // down included.
    const CPoint3D triples[] = {CPoint3D(0, 0, 0), CPoint3D(30, 10, 20), CPoint3D(-120, 45, -60),
                                CPoint3D(45, 0, 90), CPoint3D(170, -30, -90), CPoint3D(90, 90, 45)};
    for (const CPoint3D& g : triples) {
        for (const CPoint3D& e : triples) {
            CPoint3D aim;
            CPoint3D rotated;
            CalcElementAimAngles(e, CPoint3D(0.3, -0.2, 0.1), g, aim, rotated);
            for (const CPoint3D& d : {CPoint3D(1, 0, 0), CPoint3D(0.2, -0.7, 0.4), CPoint3D(-0.5, 0.5, -2)}) {
                CPoint3D viaAim = d;
                viaAim.Rotate(aim);
                CPoint3D viaBoth = d;
                viaBoth.Rotate(g);
                viaBoth.Rotate(e);
                EXPECT_NEAR(viaAim.x, viaBoth.x, 1e-9);
                EXPECT_NEAR(viaAim.y, viaBoth.y, 1e-9);
                EXPECT_NEAR(viaAim.z, viaBoth.z, 1e-9);
            }
        }
    }
}

}  // namespace
