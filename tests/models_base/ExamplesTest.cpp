// The speaker-data files shipped in examples/ import and sound plausible.
#include "models/SpeakerModelContainer.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

struct Example {
    const char* file;
    int type;
    const char* name;
    bool lowImpedance;
    int taps;
    double sensitivity;
};

class ExamplesTest : public ::testing::TestWithParam<Example> {};

TEST_P(ExamplesTest, ImportsAndGivesItsSensitivityOnAxis)
{
    const Example& ex = GetParam();
    const std::string path = std::string(KADREL_SOURCE_DIR) + "/examples/" + ex.file;
    EXPECT_LT(std::filesystem::file_size(path), 2u * 1024u * 1024u);
    CStdioFile file;
    ASSERT_TRUE(file.Open(path));
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "Version 1.0.0");
    CSpeakerModelContainer container;
    ASSERT_TRUE(container.ImportModel(file, 0, nullptr));
    const CSpeakerModel& model = *container.GetAt(0);
    EXPECT_EQ(model.GetTypeCode(), ex.type);
    EXPECT_EQ(model.GetName(), ex.name);
    ASSERT_EQ(model.GetTapCount(), ex.taps);
    EXPECT_EQ(model.IsLowImpedanceTap(0) != FALSE, ex.lowImpedance);

    // 1 kHz lies on every series: 1 m in front of the speaker with 1 W.
    const CSpeakerDataHeader& h = model.GetHeader();
    double f = 0.0;
    for (double fk : h.GetFrequencies()) {
        if (std::fabs(fk - 1000.0) < 1.0)
            f = fk;
    }
    ASSERT_GT(f, 0.0);
    CSPComplex p;
    CSpeakerModel& m = *container.GetAt(0);
    ASSERT_EQ(m.CalcPressure(p, CPoint3D(0, 0, 2), CPoint3D(0, 0, 3), CPoint3D(0, 0, m.GetDefaultElevation()),
                             f, 3.0, false, 1.0, h.GetFrequencyPitch(), false, 0),
              0);
    if (ex.type == 1) {
        EXPECT_NEAR(p.GetLevel(), ex.sensitivity, 0.5);
    }
    // Off the axis at 8 kHz the piston beams.
    CSPComplex axis;
    CSPComplex side;
    double f8 = 0.0;
    for (double fk : h.GetFrequencies()) {
        if (std::fabs(fk - 7943.3) < 1.0)
            f8 = fk;
    }
    ASSERT_GT(f8, 0.0);
    m.CalcPressure(axis, CPoint3D(2, 0, 0), CPoint3D(), CPoint3D(), f8, 3.0, false, 1.0, 3.0, false, 0);
    m.CalcPressure(side, CPoint3D(1, 1.7320508, 0), CPoint3D(), CPoint3D(), f8, 3.0, false, 1.0, 3.0, false, 0);
    EXPECT_GT(axis.GetLevel() - side.GetLevel(), 6.0);
    EXPECT_NEAR(axis.GetLevel(), ex.sensitivity - 6.02, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Files, ExamplesTest,
                         ::testing::Values(Example{"SampleCeilingC6.zsb", 1, "Sample Ceiling C6", false, 4, 89.0},
                                           Example{"SampleForwardF8.zsb", 0, "Sample Forward F8", true, 1, 91.0}));

// The arrays with several unit kinds ship a balloon of each kind's own: the
// on-axis levels at 1 kHz differ from balloon to balloon.
TEST(ExampleArraysTest, EveryUnitKindHasItsOwnBalloon)
{
    for (const char* name : {"SampleTypeHArray.zsb", "SampleTypeACabinets.zsb", "SampleTypeCCabinets.zsb"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(KADREL_SOURCE_DIR) + "/examples/" + name;
        EXPECT_LT(std::filesystem::file_size(path), 2u * 1024u * 1024u);
        CStdioFile file;
        ASSERT_TRUE(file.Open(path));
        std::string line;
        ASSERT_TRUE(file.ReadString(line));
        CSpeakerModelContainer container;
        ASSERT_TRUE(container.ImportModel(file, 0, nullptr));
        const CSpeakerModel& m = *container.GetAt(0);
        const CSpeakerDataHeader& h = m.GetHeader();
        int k = -1;
        for (std::size_t i = 0; i < h.GetFrequencies().size(); ++i) {
            if (std::fabs(h.GetFrequencies()[i] - 1000.0) < 1.0)
                k = static_cast<int>(i);
        }
        ASSERT_GE(k, 0);
        const CBalloonElementArray& balloons = m.GetBalloons();
        ASSERT_GE(balloons.size(), 2u);
        for (std::size_t a = 0; a < balloons.size(); ++a) {
            for (std::size_t b = a + 1; b < balloons.size(); ++b) {
                EXPECT_GT(std::fabs(balloons[a].GetCell(0, 0, k).GetLevel() - balloons[b].GetCell(0, 0, k).GetLevel()),
                          0.5)
                    << a << " " << b;
            }
        }
    }
}

}  // namespace
