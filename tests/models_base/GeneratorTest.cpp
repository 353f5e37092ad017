// The sample-data generator: plausible piston directivity, files that give
// their sensitivity, and kinds whose balloons each describe their own unit.
#include "ModelTestData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace modeltest;

TEST(GeneratorTest, PistonDirectivityIsPlausible)
{
    ZsbUnit unit;
    unit.radius = 0.1;
    double level = 0.0, phase = 0.0, side = 0.0;
    ZsbUnitResponse(unit, 1000.0, 0.0, 0.0, level, phase);
    EXPECT_NEAR(level, 90.0, 0.05);
    // Nearly omnidirectional at low frequencies, beaming at high ones.
    ZsbUnitResponse(unit, 200.0, 0.0, 0.0, level, phase);
    ZsbUnitResponse(unit, 200.0, 0.0, 90.0, side, phase);
    EXPECT_LT(level - side, 1.0);
    ZsbUnitResponse(unit, 8000.0, 0.0, 0.0, level, phase);
    ZsbUnitResponse(unit, 8000.0, 0.0, 60.0, side, phase);
    EXPECT_GT(level - side, 15.0);
    EXPECT_GE(phase, -180.0);
    EXPECT_LT(phase, 180.0);
    // Ellipticity widens the horizontal coverage.
    unit.ellipticity = 0.3;
    ZsbUnitResponse(unit, 4000.0, 0.0, 40.0, level, phase);
    ZsbUnitResponse(unit, 4000.0, 90.0, 40.0, side, phase);
    EXPECT_GT(level - side, 3.0);
}

TEST(GeneratorTest, AGeneratedFileGivesItsSensitivityAtOneMetre)
{
    ZsbRecipe recipe;
    recipe.typeCode = 0;
    recipe.pitch = 3;
    recipe.lowest = 100.0;
    recipe.highest = 10000.0;
    recipe.meridianStep = 30.0;
    recipe.polarStep = 10.0;
    recipe.units.resize(1);
    recipe.units[0].radius = 0.1;
    const auto model = Imported(MakeZsbText(recipe));
    EXPECT_EQ(model->GetHeader().GetMeridianAngleCount(), 13u);
    EXPECT_EQ(model->GetHeader().GetPolarAngleCount(), 19u);
    const double f = model->GetHeader().GetFrequency(10);
    CSPComplex p;
    ASSERT_EQ(model->CalcPressure(p, CPoint3D(1.0, 0.0, 0.0), CPoint3D(), CPoint3D(), f, 3.0, false, 1.0, 3.0, false, 0),
              0);
    double expected = 0.0, phase = 0.0;
    ZsbUnitResponse(recipe.units[0], f, 0.0, 0.0, expected, phase);
    EXPECT_NEAR(p.GetLevel(), expected, 0.01);
    EXPECT_NEAR(p.GetLevel(), 90.0, 0.5);
}

TEST(GeneratorTest, MultiUnitKindsDescribeEachUnit)
{
    for (int code : {4, 6, 7}) {
        SCOPED_TRACE(code);
        ZsbRecipe recipe = SmallRecipe(code);
        ASSERT_GE(recipe.units.size(), 2u);
        ApplyZsbUnitOverrides(recipe, ZsbUnitOverrides{});
        const auto model = Imported(MakeZsbText(recipe));
        ASSERT_EQ(model->GetBalloons().size(), recipe.units.size());
        // 1 kHz (index 3 of 125, 250, 500, 1000, ...) on the axis: each
        // balloon holds its own unit's response.
        const double f = model->GetHeader().GetFrequency(3);
        ASSERT_NEAR(f, 1000.0, 1.0);
        for (std::size_t b = 0; b < recipe.units.size(); ++b) {
            double level = 0.0, phase = 0.0;
            ZsbUnitResponse(recipe.units[b], f, 0.0, 0.0, level, phase);
            EXPECT_NEAR(model->GetBalloons()[b].GetCell(0, 0, 3).GetLevel(), level, 0.01) << b;
        }
        EXPECT_NE(recipe.units[0].sensitivity, recipe.units[1].sensitivity);
    }
}

TEST(GeneratorTest, ACommandLineUnitValueReplacesOnlyThatValue)
{
    ZsbRecipe recipe = SmallRecipe(4);
    const ZsbRecipe kind = recipe;
    ZsbUnitOverrides overrides;
    overrides.sensitivity = 88.0;
    ApplyZsbUnitOverrides(recipe, overrides);
    ASSERT_EQ(recipe.units.size(), 4u);
    for (std::size_t b = 0; b < recipe.units.size(); ++b) {
        EXPECT_EQ(recipe.units[b].sensitivity, 88.0);
        EXPECT_EQ(recipe.units[b].radius, kind.units[b].radius);
        EXPECT_EQ(recipe.units[b].ellipticity, kind.units[b].ellipticity);
        EXPECT_EQ(recipe.units[b].lowCorner, kind.units[b].lowCorner);
        EXPECT_EQ(recipe.units[b].delay, kind.units[b].delay);
    }
}

}  // namespace
