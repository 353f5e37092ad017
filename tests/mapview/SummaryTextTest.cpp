// The text block under the map.

#include "MapViewTestSupport.h"

#include <gtest/gtest.h>

using namespace mapview_test;
using splcalc_test::SmallSpeaker;

namespace {

// The top view; its total height is 768.
struct Block : TopView {
    // Line number -> text of everything drawn at the margin's left edge.
    std::map<int, std::string> Lines()
    {
        CRecordingDC dc;
        view->DrawRoomInfo(dc, 12);
        view->DrawSPLSummary(dc, 12);
        view->DrawAmplifierPower(dc, 12);
        if (scene.doc->m_bAutoInstalled == 1)
            view->DrawAutoInstallationInfo(dc, 12);
        else
            view->EraseAutoInstallationInfo(dc, 12);
        std::map<int, std::string> out;
        for (const auto& op : dc.OpsOf(CDrawOp::TextOut)) {
            EXPECT_EQ(op.points[0].x, 110);
            const int y = op.points[0].y - (768 - 324);
            EXPECT_EQ(y % 12, 0);
            EXPECT_EQ(out.count(y / 12), 0u) << y / 12;
            out[y / 12] = op.text;
        }
        return out;
    }
};

}  // namespace

TEST(SummaryText, EmptyProject)
{
    Block b;
    b.scene.doc->m_strProjectName = "Hall";
    b.scene.doc->m_strDate = "2026-12-07";
    auto lines = b.Lines();
    EXPECT_EQ(lines[2], "Project Name : Hall");
    EXPECT_EQ(lines[3], "Date : 2026-12-07");
    EXPECT_EQ(lines[11], "Ceiling Height (Solid Material) : 3[m]");
    EXPECT_EQ(lines[12], "Audience Plane Height : 1.2[m]");
    // Nothing sounds in a room without speakers: no level, not the zeros
    // the plane's results start with.
    EXPECT_EQ(lines[6], "Average SPL @This Color Mapping (Pink Noise, Max Value in Audience Plane) : No sound");
    EXPECT_EQ(lines[9], "Average SPL @This Color Mapping (Music/Speech, Average Value in Audience Plane) : No sound");
    EXPECT_EQ(lines[14], "Number of Speakers : 0");
    EXPECT_EQ(lines[15], "Recommended Amplifier Power : 0[W]");
    for (int k = 17; k <= 26; ++k)
        EXPECT_EQ(lines[k], std::string(44, ' '));
    EXPECT_EQ(lines.count(5), 0u);
    EXPECT_EQ(lines.size(), 4u + 5u + 1u + 10u);
}

TEST(SummaryText, LevelsCeilingPlaneAndUnit)
{
    Block b;
    b.scene.Install(b.scene.AddModel(SmallSpeaker()), 1, 1, 3);
    b.scene.Plane().SetMaxLevel(93.456);
    b.scene.Plane().SetMinLevel(71.04);
    b.scene.Plane().SetAverageLevel(88.0);
    b.scene.Plane().SetSpeechAverageLevel(84.0);
    b.scene.doc->m_installations.SetCeilingKind(0);
    b.scene.doc->m_nLengthUnit = 1;
    auto lines = b.Lines();
    EXPECT_EQ(lines[6], "Average SPL @This Color Mapping (Pink Noise, Max Value in Audience Plane) : 93.46[dB]");
    EXPECT_EQ(lines[7], "Average SPL @This Color Mapping (Pink Noise, Min Value in Audience Plane) : 71.04[dB]");
    EXPECT_EQ(lines[8], "Average SPL @This Color Mapping (Pink Noise, Average Value in Audience Plane) : 88[dB]");
    EXPECT_EQ(lines[9], "Average SPL @This Color Mapping (Music/Speech, Average Value in Audience Plane) : 84[dB]");
    EXPECT_EQ(lines[11], "Ceiling Height (Absorbent Material / No Ceiling) : 3[ft]");

    b.scene.SetPlane(0, 2.5, 0, 10, 0, 3, 1.0);
    EXPECT_EQ(b.Lines()[12], "Length(Y) from XZ Plane :2.5[ft]");
    b.scene.SetPlane(4, 0, 0, 0, 8, 3, 1.0);
    EXPECT_EQ(b.Lines()[12], "Length(X) from YZ Plane :4[ft]");
}

TEST(SummaryText, AmplifierPowerLineTapAndLowImpedance)
{
    Block b;
    b.scene.AddModel(SmallSpeaker());
    for (int i = 0; i < 3; ++i)
        b.scene.Install(0, 1 + i, 1, 3, 0, 0, 90, 10.0);
    b.scene.doc->m_installations.UpdateTotalPower();
    auto lines = b.Lines();
    EXPECT_EQ(lines[14], "Number of Speakers : 3");
    EXPECT_EQ(lines[15], "Recommended Amplifier Power : 36[W]");

    Block c;
    auto recipe = SmallSpeaker();
    recipe.taps[0].kind = 'l';
    recipe.taps[0].value = 8.0;
    recipe.taps[0].factor = 2.0;
    recipe.taps[0].hasFactor = true;
    ASSERT_EQ(c.scene.AddModel(recipe), 0);
    ASSERT_TRUE(c.scene.doc->m_models.GetAt(0)->IsLowImpedanceTap(0));
    ASSERT_EQ(c.scene.doc->m_models.GetAt(0)->GetTapFactor(0), 2.0);
    c.scene.Install(0, 1, 1, 3, 0, 0, 90, 10.0);
    c.scene.Install(0, 2, 1, 3, 0, 0, 90, 10.0);
    c.scene.doc->m_installations.UpdateTotalPower();
    EXPECT_EQ(c.Lines()[15], "Recommended Amplifier Power : 20 to 40[W]");
}

// The upper end of the low-impedance range weighs each installation's power
// with the factor of its own tap of its own model:
// 10 W x 2 + 5 W x 3 + 4 W x 1.5 = 41 W, from a total of 19 W.
TEST(SummaryText, LowImpedanceRangeUsesEachInstallationsOwnTapFactor)
{
    Block b;
    auto first = SmallSpeaker();
    first.taps = {ZsbTap{'l', 8.0, 10.0, 2.0, true}};
    auto second = SmallSpeaker();
    second.taps = {ZsbTap{'l', 8.0, 10.0, 1.5, true}, ZsbTap{'l', 4.0, 20.0, 3.0, true}};
    ASSERT_EQ(b.scene.AddModel(first), 0);
    ASSERT_EQ(b.scene.AddModel(second), 1);
    CInstallationContainer& room = b.scene.doc->m_installations;
    // model, tap, position, angles, power, polarity
    room.AddInstallation(0, 0, 1, 1, 3, 0, 0, 90, 10.0, 1);
    room.AddInstallation(1, 1, 2, 1, 3, 0, 0, 90, 5.0, 1);
    room.AddInstallation(1, 0, 3, 1, 3, 0, 0, 90, 4.0, 1);
    room.UpdateTotalPower();
    EXPECT_EQ(b.Lines()[15], "Recommended Amplifier Power : 19 to 41[W]");
}

TEST(SummaryText, AutomaticInstallationBlock)
{
    Block b;
    b.scene.AddModel(SmallSpeaker());
    b.scene.Install(0, 2, 2, 3);
    CKDRDoc& doc = *b.scene.doc;
    doc.m_bAutoInstalled = TRUE;
    doc.m_nAutoOverlapMode = 3;
    doc.m_dAutoDistance[0] = 1.25;
    doc.m_dAutoDistance[1] = 1.5;
    doc.m_dAutoDistance[2] = 2.5;
    doc.m_dAutoDistance[3] = 3.0;
    doc.m_dAutoCenterFreq = 1258.9;
    doc.m_dAutoBand = 3.0;
    doc.m_nAdvancedMode = 0;
    auto lines = b.Lines();
    EXPECT_EQ(lines[17], "Speaker Density :  \"1.4 * Edge-to-Edge\"");
    EXPECT_EQ(lines[18], "Speaker : " + doc.m_models.GetAt(0)->GetName() + doc.m_models.GetAt(0)->GetNameSuffix());
    EXPECT_EQ(lines[19], "Tap : 100V Line  6W");
    EXPECT_EQ(lines[20], "Distance between Successive Columns : 3[m]");
    EXPECT_EQ(lines[21], "Distance between Successive Rows : 2.5[m]");
    EXPECT_EQ(lines[22], "Distance from Left Wall to First Column : 1.5[m]");
    EXPECT_EQ(lines[23], "Distance from Bottom Wall to First Row : 1.25[m]");
    EXPECT_EQ(lines.count(24), 0u);
    EXPECT_EQ(lines.count(25), 0u);
    EXPECT_EQ(lines.count(26), 0u);

    doc.m_nAdvancedMode = 2;
    doc.m_nAutoOverlapMode = 7;  // no such density: the label alone
    lines = b.Lines();
    EXPECT_EQ(lines[17], "Speaker Density :  ");
    EXPECT_EQ(lines[25], "Center Frequency for Auto-Installation Judgment : 1300[Hz]");
    EXPECT_EQ(lines[26], "Octave Band for Auto-Installation Judgment : 1/3 Oct. Band");
    EXPECT_EQ(lines.count(24), 0u);
}

TEST(SummaryText, DamagedOrLongValuesStayWithinTheLine)
{
    Block b;
    b.scene.doc->m_bAutoInstalled = TRUE;  // without any installation
    b.scene.doc->m_strProjectName = std::string(300, 'n');
    auto lines = b.Lines();
    EXPECT_EQ(lines[18], "Speaker : ");
    EXPECT_EQ(lines[19], "Tap : ");
    EXPECT_EQ(lines[2].size(), CColorMapViewCore::kMaxLineLength);
    EXPECT_EQ(lines[2].substr(0, 16), "Project Name : n");
    // A two-byte character across the limit is left out whole: "Date : " is
    // 7 bytes, 91 more make 98, the 99th and 100th are one character.
    b.scene.doc->m_strDate = std::string(91, 'd') + "\xC3\xA9" + "x";
    EXPECT_EQ(b.Lines()[3], "Date : " + std::string(91, 'd'));
}
