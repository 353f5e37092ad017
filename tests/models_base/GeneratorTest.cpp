// The generator's kinds: every balloon of a kind comes out as the kind
// describes its unit unless the command line sets a unit value for all.
#include "ModelTestData.h"
#include "tools/zsbgen/ZsbWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

ZsbSpec KindSpec(int typeCode)
{
    ZsbSpec spec;
    spec.typeCode = typeCode;
    spec.name = "Kind";
    spec.pitch = 1;
    spec.lowest = 125.0;
    spec.highest = 8000.0;
    spec.meridianStep = 90.0;
    spec.polarStep = 45.0;
    spec.taps = {ZsbTap{}};
    const ZsbKind* kind = FindZsbKind(typeCode);
    EXPECT_NE(kind, nullptr);
    if (kind != nullptr)
        kind->applyDefaults(spec);
    return spec;
}

// On-axis level of balloon b at frequency index k (cell (0, 0, k)).
double AxisLevel(const CSpeakerModel& m, std::size_t b, int k)
{
    return m.GetBalloons()[b].GetCell(0, 0, k).GetLevel();
}

TEST(GeneratorKindsTest, MultiUnitKindsDescribeEachUnit)
{
    for (int code : {4, 6, 7}) {
        SCOPED_TRACE(code);
        ZsbSpec spec = KindSpec(code);
        ASSERT_GE(spec.units.size(), 2u);
        ApplyZsbUnitOverrides(spec, ZsbUnitOverrides{});
        const auto model = modeltest::ImportText(MakeZsbText(spec));
        ASSERT_NE(model, nullptr);
        ASSERT_EQ(model->GetBalloons().size(), spec.units.size());
        // 1 kHz (index 3 of 125, 250, 500, 1000, ...) on the axis: each
        // balloon holds its own unit's response.
        const double f = model->GetHeader().GetFrequency(3);
        ASSERT_NEAR(f, 1000.0, 1.0);
        for (std::size_t b = 0; b < spec.units.size(); ++b) {
            double level = 0.0, phase = 0.0;
            ZsbUnitResponse(spec.units[b], f, 0.0, 0.0, level, phase);
            EXPECT_NEAR(AxisLevel(*model, b, 3), level, 0.01) << b;
        }
        EXPECT_NE(spec.units[0].sensitivity, spec.units[1].sensitivity);
        EXPECT_GT(std::fabs(AxisLevel(*model, 0, 3) - AxisLevel(*model, 1, 3)), 0.5);
    }
}

TEST(GeneratorKindsTest, ACommandLineUnitValueReplacesOnlyThatValue)
{
    ZsbSpec spec = KindSpec(4);
    const ZsbSpec kind = spec;
    ZsbUnitOverrides overrides;
    overrides.sensitivity = 88.0;
    ApplyZsbUnitOverrides(spec, overrides);
    ASSERT_EQ(spec.units.size(), 4u);
    for (std::size_t b = 0; b < spec.units.size(); ++b) {
        EXPECT_EQ(spec.units[b].sensitivity, 88.0);
        EXPECT_EQ(spec.units[b].radius, kind.units[b].radius);
        EXPECT_EQ(spec.units[b].ellipticity, kind.units[b].ellipticity);
        EXPECT_EQ(spec.units[b].lowCorner, kind.units[b].lowCorner);
        EXPECT_EQ(spec.units[b].delay, kind.units[b].delay);
    }
    overrides.radius = 0.09;
    overrides.ellipticity = 0.1;
    overrides.lowCorner = 60.0;
    overrides.delay = 0.0;
    ApplyZsbUnitOverrides(spec, overrides);
    for (const ZsbUnit& u : spec.units) {
        EXPECT_EQ(u.radius, 0.09);
        EXPECT_EQ(u.ellipticity, 0.1);
        EXPECT_EQ(u.lowCorner, 60.0);
        EXPECT_EQ(u.delay, 0.0);
    }
}

}  // namespace
