// Reading speaker-data import files into models and the container.
#include "ModelTestData.h"
#include "support/RecordingProgress.h"

#include "platform/Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace modeltest;

// The text after its version line.
std::string Body(const std::string& text)
{
    return text.substr(text.find('\n') + 1);
}

TEST(ImportTest, AStandardSpeakerIsReadWhole)
{
    const auto model = Imported(TinyZsb(1));
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

    // A standard speaker has no module arrangement to change.
    EXPECT_EQ(model->DoModuleArrangement(0), 0.0);
    EXPECT_EQ(model->GetNameSuffix(), "");
}

TEST(ImportTest, TheContainerAppendsAndReportsProgressPerFrequencyLine)
{
    CSpeakerModelContainer container;
    CRecordingProgress progress;
    for (int i = 0; i < 2; ++i) {
        CStdioFile file;
        file.OpenText(Body(TinyZsb(i)));
        ASSERT_TRUE(container.ImportModel(file, 1, &progress));
    }
    // 4 frequencies x 2 meridian rows x 1 balloon.
    ASSERT_FALSE(progress.ranges.empty());
    EXPECT_EQ(progress.ranges.back(), std::make_pair(0, 8));
    EXPECT_EQ(progress.positions.size(), 16u);
    EXPECT_EQ(container.GetCount(), 2);
    EXPECT_EQ(container.GetCurrentIndex(), 0);
    EXPECT_EQ(container.GetAt(1)->GetTypeCode(), 1);
    EXPECT_EQ(container.GetAt(1)->GetUnitFlag(), 1);
    EXPECT_EQ(container.GetAt(2), nullptr);
}

TEST(ImportTest, TheBarShowsTheShareOfTheLinesReadBeyondItsRange)
{
    // 240 frequencies (1/24 octave from 20 Hz) on 300 meridian rows:
    // 72,000 level lines, more than the bar's 16-bit range holds.
    std::string text = "Tiny\n1\n300\n1\n24\n20\n20000\nh,100,10\n90\n";
    for (int i = 0; i < 300; ++i) {
        text += std::to_string(i * 1.2) + "\n";
        for (int k = 0; k < 240; ++k)
            text += "90,0\n";
    }
    CSpeakerModelContainer container;
    CRecordingProgress progress;
    CStdioFile file;
    file.OpenText("1\n" + text);
    ASSERT_TRUE(container.ImportModel(file, 0, &progress));
    ASSERT_EQ(container.GetAt(0)->GetHeader().GetFrequencyCount(), 240u);
    ASSERT_EQ(progress.ranges.size(), 1u);
    EXPECT_EQ(progress.ranges[0], std::make_pair(0, 0xFFFF));
    ASSERT_EQ(progress.positions.size(), 72000u);
    // Each position is the share of the lines read before it.
    for (std::size_t n = 0; n < progress.positions.size(); n += 997)
        EXPECT_NEAR(progress.positions[n], 65535.0 * static_cast<double>(n) / 72000.0, 1.0) << "line " << n;
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    EXPECT_GE(progress.positions.back(), 65534);
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
    EXPECT_EQ(ImportThroughContainer(""), 0);
}

TEST(ImportTest, AFileCutAtAnyLineIsRefused)
{
    ZsbRecipe recipe = SmallRecipe(0);
    recipe.taps = {ZsbTap{'l', 8.0, 60.0, 2.0, false}, ZsbTap{'l', 16.0, 30.0, 1.5, true}};
    for (const std::string& text : {TinyZsb(1), MakeZsbText(recipe)}) {
        const std::vector<std::string> lines = Lines(text);
        // Line 0 is the version line, line 1 the type code.
        for (std::size_t n = 2; n < lines.size(); ++n) {
            SCOPED_TRACE(n);
            EXPECT_EQ(ImportThroughContainer(Body(Join(lines, n))), 0);
        }
        EXPECT_NE(ImportText(Join(lines)), nullptr);
    }
    const auto model = Imported(MakeZsbText(recipe));
    EXPECT_TRUE(model->IsLowImpedanceTap(1));
    EXPECT_EQ(model->GetTapFactor(0), 2.0);
    EXPECT_EQ(model->GetTapFactor(1), 1.5);
}

TEST(ImportTest, HostileHeadersAreRefusedWithoutAllocatingForThem)
{
    for (const char* header : {"Big\n1\n100000\n3\n3\n1000\n2000\nh,100,10\n",
                               "Big\n1\n60000\n60000\n24\n1\n20000\nh,100,10\n",
                               "Big\n2000000000\n2\n3\n3\n1000\n2000\nh,100,10\n",
                               "Big\n1\n2\n3\n-3\n1000\n2000\nh,100,10\n",
                               "Big\n1\n2\n0\n3\n1000\n2000\nh,100,10\n"}) {
        SCOPED_TRACE(header);
        EXPECT_EQ(ImportText("Version 1.0.0\n1\n" + std::string(header) + "0,90,180\n"), nullptr);
    }
}

TEST(ImportTest, ANegativeOrUnreadableShareIsRefused)
{
    // A TypeS column of two modules: the shares come from its axis blocks.
    ZsbRecipe recipe = SmallRecipe(3);
    recipe.countLines = {0, 0, 2};
    recipe.units.resize(1);
    recipe.axes = {ZsbAxis{"A", 0.1, 0.05, 0.0, 0.5}, ZsbAxis{"B", 0.1, 0.05, 0.0, 0.5}};
    const std::vector<std::string> lines = Lines(MakeZsbText(recipe));
    const auto model = Imported(Join(lines));
    EXPECT_EQ(model->GetPlacements()[1].GetShare(), 0.5);

    // The share line of the second block is the 5th of it; the geometry
    // lines before it are length, offset and splay.
    std::size_t shareLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "B")
            shareLine = i + 4;
    }
    ASSERT_GT(shareLine, 0u);
    ASSERT_EQ(Numbers::Atof(lines[shareLine]), 0.5);
    struct Case {
        std::size_t line;
        const char* value;
        bool ok;
    } cases[] = {
        {shareLine, "-0.5", false},
        {shareLine, "-1e-300", false},
        {shareLine, "1e999", false},
        {shareLine - 3, "1e999", false},  // a module length that gives no finite position
        {shareLine, "0", true},           // a silent module is a valid file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::vector<std::string> broken = lines;
        broken[c.line] = c.value;
        EXPECT_EQ(ImportThroughContainer(Body(Join(broken))), c.ok ? 1 : 0);
    }
}

TEST(ImportTest, ValuesThatMakeAPressureInfiniteOrNoNumberAreRefused)
{
    // TinyZsb: line 9 the tap, line 10 the polar angles, line 16 the second
    // meridian row's angle; the pairs are front, side and rear cells.
    struct Case {
        const char* what;
        std::string text;
        bool ok;
    };
    auto withLine = [](std::size_t i, const char* value) {
        std::vector<std::string> lines = Lines(TinyZsb(1));
        lines[i] = value;
        return Join(lines);
    };
    const Case cases[] = {
        {"level that overflows", TinyZsb(1, "1e999,0"), false},
        {"level whose pressure overflows", TinyZsb(1, "90,0", "7000,0"), false},
        {"level whose energy overflows", TinyZsb(1, "90,0", "3500,0"), false},
        {"level of minus infinity", TinyZsb(1, "90,0", "84,30", "-1e999,0"), false},
        {"phase that overflows", TinyZsb(1, "90,1e999"), false},
        {"phase beyond 2^53 degrees", TinyZsb(1, "90,0", "84,1e17"), false},
        {"meridian angle whose radians overflow", withLine(16, "1e308"), false},
        {"polar angle whose radians overflow", withLine(10, "0,1e308,180"), false},
        {"tap value that overflows", withLine(9, "h,1e999,6"), false},
        {"tap power that overflows", withLine(9, "h,100,1e999"), false},
        {"negative tap power", withLine(9, "h,100,-5"), false},
        {"tap factor that overflows", withLine(9, "l,8,60,1e999"), false},
        // Far beyond measured data but within the bounds: kept.
        {"level of 999 dB", TinyZsb(1, "999,0"), true},
        {"level far below hearing", TinyZsb(1, "90,0", "-1e300,0"), true},
        {"unwrapped phase", TinyZsb(1, "90,-7200"), true},
        {"silent tap", withLine(9, "l,8,0"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CStdioFile file;
        file.OpenText(Body(c.text));
        CSpeakerModelContainer container;
        EXPECT_EQ(container.ImportModel(file, 0, nullptr) != FALSE, c.ok);
        ASSERT_EQ(container.GetCount(), c.ok ? 1 : 0);
        if (c.ok)
            ExpectFinitePressures(*container.GetAt(0));
    }
}

}  // namespace
