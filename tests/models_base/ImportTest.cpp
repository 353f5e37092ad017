// Reading speaker-data import files into models and the container.
#include "ModelTestData.h"
#include "support/RecordingProgress.h"
#include "tools/zsbgen/ZsbWriter.h"

#include "models/StdSPModel.h"
#include "platform/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace {

using modeltest::ImportText;
using modeltest::TinyZsb;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i)
        text += lines[i] + "\n";
    return text;
}

TEST(ImportTest, AStandardSpeakerIsReadWhole)
{
    const auto model = ImportText(TinyZsb(1));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetTypeCode(), 1);
    EXPECT_EQ(model->GetName(), "Tiny");
    EXPECT_EQ(model->GetFrequencyPitch(), 3.0);
    ASSERT_EQ(model->GetTapCount(), 1);
    EXPECT_FALSE(model->IsLowImpedanceTap(0));
    EXPECT_EQ(model->GetTapValue(0), 100.0);
    EXPECT_EQ(model->GetTapPower(0), 10.0);
    EXPECT_EQ(model->GetTapFactor(0), 1.0);

    const CSpeakerTapTable& taps = model->GetTapTable();
    EXPECT_EQ(taps.GetCentreCount(), 1u);
    EXPECT_EQ(taps.GetUpperCount(), 0u);
    EXPECT_EQ(taps.GetLowerCount(), 0u);
    ASSERT_EQ(model->GetPlacements().size(), 1u);
    EXPECT_EQ(model->GetPlacements()[0].GetShare(), 1.0);
    EXPECT_EQ(model->GetPlacements()[0].GetPositionMetres(), CPoint3D());
    EXPECT_EQ(model->GetPlacements()[0].GetAxis().GetName(), "");
    ASSERT_EQ(model->GetAxisElements().size(), 1u);
    ASSERT_EQ(model->GetBalloons().size(), 1u);
    ASSERT_EQ(model->GetElements().size(), 1u);

    const CBalloonElement& balloon = model->GetBalloons()[0];
    EXPECT_EQ(balloon.GetAngles(), (std::vector<double>{0.0, 180.0, 360.0}));
    EXPECT_NEAR(balloon.GetCell(1, 1, 3).GetLevel(), 84.0, 1e-9);
    EXPECT_NEAR(balloon.GetCell(2, 2, 0).GetPhase(), 60.0, 1e-9);
}

TEST(ImportTest, StandardPoliciesFollowTheTypeCode)
{
    const auto ceiling = ImportText(TinyZsb(1));
    const auto forward = ImportText(TinyZsb(0));
    ASSERT_NE(ceiling, nullptr);
    ASSERT_NE(forward, nullptr);
    EXPECT_TRUE(ceiling->CanAutoInstall());
    EXPECT_FALSE(ceiling->IsAutoInstallDoubtful());
    EXPECT_EQ(ceiling->GetDefaultElevation(), 90.0);
    EXPECT_FALSE(forward->CanAutoInstall());
    EXPECT_TRUE(forward->IsAutoInstallDoubtful());
    EXPECT_EQ(forward->GetDefaultElevation(), 0.0);
    EXPECT_FALSE(forward->HasModuleArrangement());
    EXPECT_EQ(forward->DoModuleArrangement(0), 0.0);
    EXPECT_EQ(forward->GetNameSuffix(), "");
}

TEST(ImportTest, TheProgressRangeCountsEveryFrequencyLine)
{
    CStdioFile file;
    file.OpenText(TinyZsb(1));
    std::string line;
    file.ReadString(line);
    CRecordingProgress progress;
    CSpeakerModelContainer container;
    ASSERT_TRUE(container.ImportModel(file, 0, &progress));
    ASSERT_FALSE(progress.ranges.empty());
    // 4 frequencies x 2 meridian rows x 1 balloon.
    EXPECT_EQ(progress.ranges.back(), std::make_pair(0, 8));
    EXPECT_EQ(progress.positions.size(), 8u);
}

TEST(ImportTest, TheContainerAppendsWithoutChangingTheCurrentIndex)
{
    CSpeakerModelContainer container;
    for (int i = 0; i < 2; ++i) {
        CStdioFile file;
        file.OpenText(TinyZsb(i).substr(TinyZsb(i).find('\n') + 1));
        ASSERT_TRUE(container.ImportModel(file, 1, nullptr));
    }
    EXPECT_EQ(container.GetCount(), 2);
    EXPECT_EQ(container.GetCurrentIndex(), 0);
    EXPECT_EQ(container.GetAt(1)->GetTypeCode(), 1);
    EXPECT_EQ(container.GetAt(1)->GetUnitFlag(), 1);
    EXPECT_EQ(container.GetAt(2), nullptr);
}

TEST(ImportTest, TypeCodeLines)
{
    const std::string body = TinyZsb(0).substr(TinyZsb(0).find("Tiny"));
    struct Case {
        const char* line;
        bool ok;
        int type;
    };
    for (const Case& c : {Case{"9", false, 0}, Case{"-1", false, 0}, Case{"abc", true, 0},
                          Case{"1 ceiling", true, 1}, Case{"", true, 0}}) {
        SCOPED_TRACE(c.line);
        CStdioFile file;
        file.OpenText(std::string(c.line) + "\n" + body);
        CSpeakerModelContainer container;
        EXPECT_EQ(container.ImportModel(file, 0, nullptr) != FALSE, c.ok);
        EXPECT_EQ(container.GetCount(), c.ok ? 1 : 0);
        if (c.ok) {
            EXPECT_EQ(container.GetAt(0)->GetTypeCode(), c.type);
        }
    }
    CStdioFile empty;
    empty.OpenText("");
    CSpeakerModelContainer container;
    EXPECT_FALSE(container.ImportModel(empty, 0, nullptr));
}

TEST(ImportTest, AFileCutAtAnyLineIsRefused)
{
    const std::vector<std::string> lines = Lines(TinyZsb(1));
    // Line 0 is the version line, line 1 the type code.
    for (std::size_t n = 2; n < lines.size(); ++n) {
        SCOPED_TRACE(n);
        CStdioFile file;
        file.OpenText(Join(lines, n).substr(lines[0].size() + 1));
        CSpeakerModelContainer container;
        EXPECT_FALSE(container.ImportModel(file, 0, nullptr));
        EXPECT_EQ(container.GetCount(), 0);
    }
    EXPECT_NE(ImportText(Join(lines, lines.size())), nullptr);
}

TEST(ImportTest, AGeneratedFileCutAtAnyLineIsRefused)
{
    ZsbSpec spec;
    spec.typeCode = 0;
    spec.pitch = 1;
    spec.lowest = 125.0;
    spec.highest = 8000.0;
    spec.meridianStep = 90.0;
    spec.polarStep = 45.0;
    spec.taps = {ZsbTap{'l', 8.0, 60.0, 2.0, false}, ZsbTap{'l', 16.0, 30.0, 1.5, true}};
    const std::vector<std::string> lines = Lines(MakeZsbText(spec));
    for (std::size_t n = 0; n < lines.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ImportText(Join(lines, n)), nullptr);
    }
    const auto model = ImportText(Join(lines, lines.size()));
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->IsLowImpedanceTap(1));
    EXPECT_EQ(model->GetTapFactor(0), 2.0);
    EXPECT_EQ(model->GetTapFactor(1), 1.5);
}

TEST(ImportTest, HostileHeadersAreRefusedWithoutAllocatingForThem)
{
    const std::string tail = "0,90,180\n";
    for (const char* header : {"Big\n1\n100000\n3\n3\n1000\n2000\nh,100,10\n",
                               "Big\n1\n60000\n60000\n24\n1\n20000\nh,100,10\n",
                               "Big\n2000000000\n2\n3\n3\n1000\n2000\nh,100,10\n",
                               "Big\n1\n2\n3\n-3\n1000\n2000\nh,100,10\n",
                               "Big\n1\n2\n0\n3\n1000\n2000\nh,100,10\n"}) {
        SCOPED_TRACE(header);
        EXPECT_EQ(ImportText("Version 1.0.0\n1\n" + std::string(header) + tail), nullptr);
    }
}

TEST(ImportTest, ANegativeOrUnreadableShareIsRefused)
{
    // A TypeS column of two modules: the shares come from its axis blocks.
    ZsbSpec spec;
    spec.typeCode = 3;
    spec.countLines = {0, 0, 2};
    spec.pitch = 1;
    spec.lowest = 125.0;
    spec.highest = 8000.0;
    spec.meridianStep = 90.0;
    spec.polarStep = 45.0;
    spec.units.resize(1);
    spec.axes = {ZsbAxis{"A", 0.1, 0.05, 0.0, 0.5}, ZsbAxis{"B", 0.1, 0.05, 0.0, 0.5}};
    const std::string good = MakeZsbText(spec);
    const auto model = ImportText(good);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetPlacements()[1].GetShare(), 0.5);

    // The share line of the second block is the 5th of it; the geometry
    // lines before it are length, offset and splay.
    const std::vector<std::string> lines = Lines(good);
    std::size_t shareLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "B")
            shareLine = i + 4;
    }
    ASSERT_GT(shareLine, 0u);
    ASSERT_EQ(Numbers::Atof(lines[shareLine]), 0.5);
    for (const char* bad : {"-0.5", "-1e-300", "1e999"}) {
        SCOPED_TRACE(bad);
        std::vector<std::string> broken = lines;
        broken[shareLine] = bad;
        CStdioFile file;
        file.OpenText(Join(broken, broken.size()).substr(lines[0].size() + 1));
        CSpeakerModelContainer container;
        EXPECT_FALSE(container.ImportModel(file, 0, nullptr));
        EXPECT_EQ(container.GetCount(), 0);
    }
    // A module length that overflows gives no finite position: refused too.
    std::vector<std::string> broken = lines;
    broken[shareLine - 3] = "1e999";
    EXPECT_EQ(ImportText(Join(broken, broken.size())), nullptr);
    // A silent module (share 0) is a valid file.
    broken = lines;
    broken[shareLine] = "0";
    EXPECT_NE(ImportText(Join(broken, broken.size())), nullptr);
}

TEST(GeneratorTest, PistonDirectivityIsPlausible)
{
    ZsbUnit unit;
    unit.radius = 0.1;
    double level = 0.0, phase = 0.0;
    ZsbUnitResponse(unit, 1000.0, 0.0, 0.0, level, phase);
    EXPECT_NEAR(level, 90.0, 0.05);
    // Nearly omnidirectional at low frequencies, beaming at high ones.
    double side = 0.0;
    ZsbUnitResponse(unit, 200.0, 0.0, 0.0, level, phase);
    ZsbUnitResponse(unit, 200.0, 0.0, 90.0, side, phase);
    EXPECT_LT(level - side, 1.0);
    ZsbUnitResponse(unit, 8000.0, 0.0, 0.0, level, phase);
    ZsbUnitResponse(unit, 8000.0, 0.0, 60.0, side, phase);
    EXPECT_GT(level - side, 15.0);
    EXPECT_GE(phase, -180.0);
    EXPECT_LT(phase, 180.0);
}

TEST(GeneratorTest, EllipticityWidensTheHorizontalCoverage)
{
    ZsbUnit unit;
    unit.radius = 0.1;
    unit.ellipticity = 0.3;
    double horizontal = 0.0, vertical = 0.0, phase = 0.0;
    ZsbUnitResponse(unit, 4000.0, 0.0, 40.0, horizontal, phase);
    ZsbUnitResponse(unit, 4000.0, 90.0, 40.0, vertical, phase);
    EXPECT_GT(horizontal - vertical, 3.0);
}

TEST(GeneratorTest, AGeneratedFileGivesItsSensitivityAtOneMetre)
{
    ZsbSpec spec;
    spec.typeCode = 0;
    spec.pitch = 3;
    spec.lowest = 100.0;
    spec.highest = 10000.0;
    spec.meridianStep = 30.0;
    spec.polarStep = 10.0;
    spec.units.resize(1);
    spec.units[0].radius = 0.1;
    const auto model = ImportText(MakeZsbText(spec));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetHeader().GetMeridianAngleCount(), 13u);
    EXPECT_EQ(model->GetHeader().GetPolarAngleCount(), 19u);
    const int k = model->GetHeader().FindFrequencyIndex(model->GetHeader().GetFrequency(10));
    ASSERT_GE(k, 0);
    const double f = model->GetHeader().GetFrequency(k);
    CSPComplex p;
    ASSERT_EQ(model->CalcPressure(p, CPoint3D(1.0, 0.0, 0.0), CPoint3D(), CPoint3D(), f, 3.0, false, 1.0,
                                  3.0, false, 0),
              0);
    double expected = 0.0, phase = 0.0;
    ZsbUnitResponse(spec.units[0], f, 0.0, 0.0, expected, phase);
    EXPECT_NEAR(p.GetLevel(), expected, 0.01);
    EXPECT_NEAR(p.GetLevel(), 90.0, 0.5);
}

}  // namespace
