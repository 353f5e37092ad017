// The speaker-data files shipped in examples/ import and sound plausible.
#include "models/SpeakerModelContainer.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>

namespace {

struct Example {
    const char* file;
    int type;
    DWORD elements;
    std::size_t balloons;
    const char* suffix;
    // Standard speakers only (sensitivity 0 for the arrays):
    const char* name;
    bool lowImpedance;
    int taps;
    double sensitivity;
};

// Failure messages name the file rather than dumping the bytes of the case.
void PrintTo(const Example& ex, std::ostream* os) { *os << ex.file; }

// The index of the frequency nearest to f (within 1 Hz) in the model's series.
int FrequencyIndex(const CSpeakerModel& m, double f)
{
    const std::vector<double>& series = m.GetHeader().GetFrequencies();
    for (std::size_t k = 0; k < series.size(); ++k) {
        if (std::fabs(series[k] - f) < 1.0)
            return static_cast<int>(k);
    }
    return -1;
}

class ExamplesTest : public ::testing::TestWithParam<Example> {};

TEST_P(ExamplesTest, ImportsAndSoundsAsItsKind)
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
    CSpeakerModel& m = *container.GetAt(0);
    EXPECT_EQ(m.GetTypeCode(), ex.type);
    EXPECT_EQ(m.GetTapTable().GetElementCount(), ex.elements);
    EXPECT_EQ(m.GetElements().size(), ex.elements);
    EXPECT_EQ(m.GetBalloons().size(), ex.balloons);
    EXPECT_EQ(m.GetNameSuffix(), ex.suffix);
    const int k1000 = FrequencyIndex(m, 1000.0);
    ASSERT_GE(k1000, 0);

    if (ex.sensitivity == 0.0) {
        // An array hangs or stands around the rigging point; each unit kind
        // has a balloon of its own, with its own on-axis level at 1 kHz.
        EXPECT_NE(m.GetPlacements().back().GetPositionMetres().z, 0.0);
        const CBalloonElementArray& balloons = m.GetBalloons();
        for (std::size_t a = 0; a < balloons.size(); ++a) {
            for (std::size_t b = a + 1; b < balloons.size(); ++b) {
                EXPECT_GT(std::fabs(balloons[a].GetCell(0, 0, k1000).GetLevel() -
                                    balloons[b].GetCell(0, 0, k1000).GetLevel()),
                          0.5)
                    << a << " " << b;
            }
        }
        return;
    }
    EXPECT_EQ(m.GetName(), ex.name);
    ASSERT_EQ(m.GetTapCount(), ex.taps);
    EXPECT_EQ(m.IsLowImpedanceTap(0) != FALSE, ex.lowImpedance);

    // 1 m in front of the speaker with 1 W at 1 kHz.
    const CSpeakerDataHeader& h = m.GetHeader();
    CSPComplex p;
    ASSERT_EQ(m.CalcPressure(p, CPoint3D(0, 0, 2), CPoint3D(0, 0, 3), CPoint3D(0, 0, m.GetDefaultElevation()),
                             h.GetFrequency(k1000), 3.0, false, 1.0, h.GetFrequencyPitch(), false, 0),
              0);
    if (ex.type == 1) {
        EXPECT_NEAR(p.GetLevel(), ex.sensitivity, 0.5);
    }
    // Off the axis at 8 kHz the piston beams.
    const int k8 = FrequencyIndex(m, 7943.3);
    ASSERT_GE(k8, 0);
    CSPComplex axis;
    CSPComplex side;
    m.CalcPressure(axis, CPoint3D(2, 0, 0), CPoint3D(), CPoint3D(), h.GetFrequency(k8), 3.0, false, 1.0, 3.0, false, 0);
    m.CalcPressure(side, CPoint3D(1, 1.7320508, 0), CPoint3D(), CPoint3D(), h.GetFrequency(k8), 3.0, false, 1.0, 3.0,
                   false, 0);
    EXPECT_GT(axis.GetLevel() - side.GetLevel(), 6.0);
    EXPECT_NEAR(axis.GetLevel(), ex.sensitivity - 6.02, 1.5);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExamplesTest,
    ::testing::Values(Example{"SampleCeilingC6.zsb", 1, 1, 1, "", "Sample Ceiling C6", false, 4, 89.0},
                      Example{"SampleForwardF8.zsb", 0, 1, 1, "", "Sample Forward F8", true, 1, 91.0},
                      Example{"SampleTypeTColumn.zsb", 2, 8, 1, "", nullptr, false, 0, 0.0}, Example{"SampleTypeSArray.zsb", 3, 8, 1, "", nullptr, false, 0, 0.0},
                      Example{"SampleTypeHArray.zsb", 4, 9, 4, "", nullptr, false, 0, 0.0}, Example{"SampleLV3Array.zsb", 5, 8, 1, " (x 2)", nullptr, false, 0, 0.0},
                      Example{"SampleTypeACabinets.zsb", 6, 1, 2, "", nullptr, false, 0, 0.0},
                      Example{"SampleTypeCCabinets.zsb", 7, 1, 2, "", nullptr, false, 0, 0.0},
                      Example{"SampleLV6Array.zsb", 8, 8, 1, " (x 2)", nullptr, false, 0, 0.0}),
    // The file's name without its extension, e.g. "SampleCeilingC6".
    [](const ::testing::TestParamInfo<Example>& info) {
        const std::string file = info.param.file;
        return file.substr(0, file.find('.'));
    });

}  // namespace
