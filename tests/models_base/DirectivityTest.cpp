// Directivity lookup: range and series checks, grid nodes, corners and the
// inverse-distance weighting of levels and unwrapped phases.
#include "ModelTestData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using modeltest::ImportText;
using modeltest::TinyZsb;

class DirectivityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model = ImportText(TinyZsb(0));
        ASSERT_NE(model, nullptr);
        ASSERT_EQ(model->GetElements().size(), 1u);
        f0 = model->GetHeader().GetFrequency(0);
    }
    const CSpeakerElement& Element() const { return model->GetElements()[0]; }
    CSPComplex& Cell(int i, int j, int k) { return model->GetBalloons()[0].GetCell(i, j, k); }

    std::unique_ptr<CSpeakerModel> model;
    double f0 = 0.0;
};

TEST_F(DirectivityTest, OutsideTheMeasuredRangeIsSilentAndKeepsTheFrequency)
{
    double f = 500.0;
    const CSPComplex c = model->GetElementDirectivity(Element(), 0.0, 0.0, f);
    EXPECT_EQ(c.re, 0.0);
    EXPECT_EQ(c.im, 0.0);
    EXPECT_EQ(f, 500.0);
    f = 2500.0;
    model->GetElementDirectivity(Element(), 0.0, 0.0, f);
    EXPECT_EQ(f, 2500.0);
}

TEST_F(DirectivityTest, AFrequencyBetweenSeriesEntriesGivesMinus60AndClearsTheFrequency)
{
    double f = 1100.0;
    const CSPComplex c = model->GetElementDirectivity(Element(), 0.0, 0.0, f);
    EXPECT_EQ(f, 0.0);
    EXPECT_NEAR(c.GetLevel(), -60.0, 1e-9);
    EXPECT_EQ(c.im, 0.0);
    EXPECT_GT(c.re, 0.0);
}

TEST_F(DirectivityTest, AGridNodeReturnsTheStoredCellUnchanged)
{
    Cell(1, 1, 2).SetLevelPhase(77.7, -12.5);
    double f = model->GetHeader().GetFrequency(2);
    // Within 1e-5 of meridian 180 and polar 90.
    const CSPComplex c = model->GetElementDirectivity(Element(), 180.000004, 89.999996, f);
    EXPECT_EQ(c.re, Cell(1, 1, 2).re);
    EXPECT_EQ(c.im, Cell(1, 1, 2).im);
}

TEST_F(DirectivityTest, ADirectionOnACornerReturnsThatCornerUnchanged)
{
    // On the axis every meridian meets: the direction is corner 1 itself.
    Cell(1, 0, 0).SetLevelPhase(50.0, 0.0);
    double f = f0;
    const CSPComplex c = model->GetElementDirectivity(Element(), 37.5, 0.0, f);
    EXPECT_EQ(c.re, Cell(0, 0, 0).re);
    EXPECT_EQ(c.im, Cell(0, 0, 0).im);
}

TEST_F(DirectivityTest, LevelsAndPhasesAreWeightedByInverseDistance)
{
    Cell(1, 1, 0).SetLevelPhase(78.0, 40.0);
    double f = f0;
    // Meridian 90 between rows 0 and 180, polar 45 between 0 and 90.
    const CSPComplex c = model->GetElementDirectivity(Element(), 90.0, 45.0, f);
    const double s = std::sqrt(0.5);
    const double w1 = 1.0 / std::sqrt((1.0 - s) * (1.0 - s) + s * s);  // corners on the axis
    const double w3 = 1.0 / std::sqrt(2.0);                              // corners at polar 90
    const double level = (2.0 * w1 * 90.0 + w3 * 84.0 + w3 * 78.0) / (2.0 * w1 + 2.0 * w3);
    const double phase = (w3 * 30.0 + w3 * 40.0) / (2.0 * w1 + 2.0 * w3);
    EXPECT_NEAR(c.GetLevel(), level, 1e-9);
    EXPECT_NEAR(c.GetPhase(), phase, 1e-9);
    EXPECT_EQ(f, f0);
}

TEST_F(DirectivityTest, PhasesEitherSideOf180AverageTo180)
{
    // Polar angles 0, 60, 120, 180: a direction at meridian 90, polar 90 is
    // equally far from the four corners.
    CSpeakerDataHeader& header = model->GetHeader();
    header.SetPolarAngles({0.0, 60.0, 120.0, 180.0});
    CBalloonElement& balloon = model->GetBalloons()[0];
    const DWORD k = header.GetFrequencyCount();
    balloon.SetDimensions(3, 4, k);
    balloon.GetAngles() = {0.0, 180.0, 360.0};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j)
            balloon.GetCell(i, j, 0).SetLevelPhase(80.0, i == 1 ? -170.0 : 170.0);
    }
    model->BuildSpeakerElements();
    double f = f0;
    const CSPComplex c = model->GetElementDirectivity(model->GetElements()[0], 90.0, 90.0, f);
    EXPECT_NEAR(c.GetLevel(), 80.0, 1e-9);
    EXPECT_NEAR(std::fabs(c.GetPhase()), 180.0, 1e-9);
}

TEST(DistanceTest, ShortDistancesAreZero)
{
    EXPECT_EQ(CalcDistance3D(CPoint3D(1, 2, 3), CPoint3D(4, 6, 3)), 5.0);
    EXPECT_EQ(CalcDistance3D(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1 + 9e-7)), 0.0);
    EXPECT_GT(CalcDistance3D(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1 + 2e-6)), 0.0);
}

TEST(AimAnglesTest, ZeroAnglesGiveZeroAimAndTheSamePosition)
{
    CPoint3D aim;
    CPoint3D rotated;
    CalcElementAimAngles(CPoint3D(), CPoint3D(0.5, -0.25, 1.0), CPoint3D(), aim, rotated);
    EXPECT_EQ(aim, CPoint3D(0.0, 0.0, 0.0));
    EXPECT_EQ(rotated, CPoint3D(0.5, -0.25, 1.0));
}

TEST(AimAnglesTest, StraightDownKeepsThePresetAzimuth)
{
    CPoint3D aim(33.0, 0.0, 0.0);
    CPoint3D rotated;
    CalcElementAimAngles(CPoint3D(0.0, 0.0, 90.0), CPoint3D(), CPoint3D(), aim, rotated);
    EXPECT_EQ(aim.x, 33.0);
    EXPECT_NEAR(aim.z, 90.0, 1e-12);
}

TEST(AimAnglesTest, InstallationAnglesTurnTheElement)
{
    CPoint3D aim;
    CPoint3D rotated;
    // Turned left by 90 degrees: aims along +y, and the element at x = 1
    // moves to y = 1.
    CalcElementAimAngles(CPoint3D(), CPoint3D(1.0, 0.0, 0.0), CPoint3D(90.0, 0.0, 0.0), aim, rotated);
    EXPECT_NEAR(aim.x, 90.0, 1e-12);
    EXPECT_NEAR(aim.y, 0.0, 1e-12);
    EXPECT_NEAR(aim.z, 0.0, 1e-12);
    EXPECT_NEAR(rotated.x, 0.0, 1e-15);
    EXPECT_NEAR(rotated.y, 1.0, 1e-15);

    // Tilted down by 30 degrees on top of an element tilted down by 10.
    aim = CPoint3D();
    CalcElementAimAngles(CPoint3D(0.0, 0.0, 10.0), CPoint3D(), CPoint3D(20.0, 0.0, 30.0), aim, rotated);
    EXPECT_NEAR(aim.x, 20.0, 1e-12);
    EXPECT_NEAR(aim.z, 40.0, 1e-12);
    EXPECT_NEAR(aim.y, 0.0, 1e-12);

    // A rotation about the aiming axis survives.
    aim = CPoint3D();
    CalcElementAimAngles(CPoint3D(), CPoint3D(), CPoint3D(0.0, 25.0, 0.0), aim, rotated);
    EXPECT_NEAR(std::fabs(aim.y), 25.0, 1e-12);
    EXPECT_NEAR(aim.z, 0.0, 1e-12);
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
