// The installation and automatic-installation dialogs on in-memory controls,
// and the user interface that runs them for the commands.

#include "InstallTestSupport.h"

#include "dialogs/AutoInstallationDialog1.h"
#include "dialogs/InstallationCommandsUi.h"
#include "dialogs/InstallationDialog1.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using D = CInstallationDialog1;
using A = CAutoInstallationDialog1;

const double kPos[3] = {1.5, 2.5, 3.0};
const double kAngles[3] = {45.0, 12.5, 0.0};  // azimuth, rotation, elevation

TEST(InstallationDialog, FullModeShowsEveryRowWithItsLabelsAndUnits)
{
    CScriptRunner r;
    D dlg;
    dlg.SetParameters(kPos, kAngles, 10.0, 1, 1, 2);
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1020].text, "X");
        EXPECT_EQ(c.c[1021].text, "Y");
        EXPECT_EQ(c.c[1009].text, "Z");
        EXPECT_EQ(c.c[1011].text, "Azimuth(Left+)");
        EXPECT_EQ(c.c[1012].text, "Elevation(Down+)");
        EXPECT_EQ(c.c[1013].text, "Rotation(Right+)");
        EXPECT_EQ(c.c[1022].text, "Power");
        EXPECT_EQ(c.c[1023].text, "Polarity");
        EXPECT_EQ(c.c[1002].text, "[ft]");
        EXPECT_EQ(c.c[1003].text, "[ft]");
        EXPECT_EQ(c.c[1004].text, "[ft]");
        EXPECT_EQ(c.c[1026].text, "1.5");
        EXPECT_EQ(c.c[1029].text, "45");
        EXPECT_EQ(c.c[1031].text, "12.5");
        EXPECT_EQ(c.c[1030].text, "0");
        EXPECT_EQ(c.c[1033].items, (std::vector<std::string>{"normal", "reverse"}));
        EXPECT_EQ(c.c[1033].sel, 0);
        for (int id : {1029, 1030, 1031, 1032, 1033, 1011, 1012, 1013, 1022, 1023, 1005, 1006, 1007, 1008})
            EXPECT_TRUE(c.IsWindowVisible(id)) << id;
        c.c[1033].sel = 1;
        c.c[1028].text = "12abc";
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_bPolarityNormal, 0);
    EXPECT_EQ(dlg.m_dZ, 12.0);
    EXPECT_EQ(dlg.m_dRotation, 12.5);
}

TEST(InstallationDialog, ReducedModeShowsThePositionOnlyAndReturnsTheRestAsGiven)
{
    CScriptRunner r;
    D dlg;
    dlg.SetParameters(kPos, kAngles, 12.5, 5, 0, 0);
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1004].text, "[m]");
        EXPECT_EQ(c.c[1033].sel, 1);  // any value but 1 preselects "reverse"
        for (int id : {1029, 1030, 1031, 1011, 1012, 1013, 1005, 1006, 1007, 1032, 1033, 1022, 1023, 1008})
            EXPECT_FALSE(c.IsWindowVisible(id)) << id;
        for (int id : {1026, 1027, 1028, 1020, 1021, 1009, 1002, 1003, 1004})
            EXPECT_TRUE(c.IsWindowVisible(id)) << id;
        c.c[1026].text = "-3";
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dX, -3.0);
    EXPECT_EQ(dlg.m_dAzimuth, 45.0);
    EXPECT_EQ(dlg.m_dRotation, 12.5);
    EXPECT_EQ(dlg.m_dElevation, 0.0);
    EXPECT_EQ(dlg.m_dPower, 12.5);
    EXPECT_EQ(dlg.m_bPolarityNormal, 0);
}

TEST(InstallationDialog, RangesAreInclusiveAndCheckedInExchangeOrder)
{
    CRecordingMessageBox box;
    CScriptRunner r;
    D dlg;
    dlg.SetParameters(kPos, kAngles, 0.0, 1, 0, 2);
    r.script = [](CDialog& d, CFakeControls& c) {
        c.c[1026].text = "10000";
        c.c[1027].text = "-10000";
        c.c[1029].text = "180";
        c.c[1031].text = "-180";
        c.c[1032].text = "0";
        d.OnOK();
        EXPECT_TRUE(d.IsEnded());
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(box.shown.empty());

    // Two bad fields: the first in exchange order (power, then x ...) is
    // reported, with the focus on it; the dialog stays open.
    r.script = [&box](CDialog& d, CFakeControls& c) {
        c.c[1026].text = "10000.001";
        c.c[1032].text = "abc";
        d.OnOK();
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].first, "Enter a number.");
        EXPECT_EQ(c.focus.back(), 1032);
        c.c[1032].text = "10";
        d.OnOK();
        ASSERT_EQ(box.shown.size(), 2u);
        EXPECT_EQ(box.shown[1].first, "Enter a number between -10000 and 10000.");
        EXPECT_EQ(c.focus.back(), 1026);
        c.c[1026].text = "1";
        c.c[1030].text = "-180.5";
        d.OnOK();
        ASSERT_EQ(box.shown.size(), 3u);
        EXPECT_EQ(box.shown[2].first, "Enter a number between -180 and 180.");
        EXPECT_EQ(c.focus.back(), 1030);
        d.OnCancel();
    };
    D dlg2;
    dlg2.SetParameters(kPos, kAngles, 0.0, 1, 0, 2);
    EXPECT_EQ(dlg2.DoModal(), IDCANCEL);
}

// Power runs from 0 to 10000 W, both bounds included.
TEST(InstallationDialog, PowerBounds)
{
    const struct {
        const char* text;
        bool accepted;
    } cases[] = {{"0", true}, {"10000", true}, {"10000.001", false}, {"-0.001", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CRecordingMessageBox box;
        CScriptRunner r;
        D dlg;
        dlg.SetParameters(kPos, kAngles, 10.0, 1, 0, 2);
        r.script = [&c](CDialog& d, CFakeControls& controls) {
            controls.c[1032].text = c.text;
            d.OnOK();
            if (!d.IsEnded())
                d.OnCancel();
        };
        EXPECT_EQ(dlg.DoModal(), c.accepted ? IDOK : IDCANCEL);
        if (c.accepted) {
            EXPECT_TRUE(box.shown.empty());
            EXPECT_EQ(dlg.m_dPower, std::atof(c.text));
        } else {
            ASSERT_EQ(box.shown.size(), 1u);
            EXPECT_EQ(box.shown[0].first, "Enter a number between 0 and 10000.");
        }
    }
}

TEST(InstallationDialog, TemplateHasTheCaptionAndEveryControl)
{
    D dlg;
    const DialogTemplate* t = FindDialogTemplate(158);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "Properties for Installation");
    std::vector<int> ids;
    for (const ControlTemplate& c : t->controls)
        ids.push_back(c.id);
    for (int id : {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1011, 1012, 1013, 1020, 1021, 1022, 1023, 1026,
                   1027, 1028, 1029, 1030, 1031, 1032, 1033, int(IDOK), int(IDCANCEL)})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
}

void SetAuto(A& dlg, double pitch, double centre, double band, int level, unsigned overlap = 2, int pattern = 0)
{
    const double angles[3] = {0.0, 0.0, 90.0};
    dlg.SetParameters(3.0, angles, overlap, pattern, pitch, centre, band, 0, level);
}

TEST(AutoInstallationDialog, PitchThreeWithNothingRememberedOffersTwoOctavesAroundOneKilohertz)
{
    CScriptRunner r;
    A dlg;
    const double angles[3] = {0.0, 0.0, 90.0};
    dlg.SetParameters(3.0, angles, 2, 0, 3.0, 0.0, 0.0, 1, 2);
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1010].items,
                  (std::vector<std::string>{"1/3 Oct. Band", "1 Oct. Band", "2 Oct. Band", "4 Oct. Band"}));
        EXPECT_EQ(c.c[1010].sel, 2);
        EXPECT_EQ(c.c[1015].items,
                  (std::vector<std::string>{"63[Hz]", "250[Hz]", "1000[Hz]", "4000[Hz]", "16000[Hz]"}));
        EXPECT_EQ(c.c[1015].sel, 2);
        EXPECT_EQ(c.c[1016].text, "501[Hz] - 2000[Hz]");
        EXPECT_EQ(c.c[1008].items, (std::vector<std::string>{"Maximum Overlap", "Minimum Overlap", "Edge-to-Edge",
                                                             "1.4 * Edge-to-Edge", "2 * Edge-to-Edge"}));
        EXPECT_EQ(c.c[1008].sel, 2);
        EXPECT_EQ(c.c[1092].items, (std::vector<std::string>{"Rectangle", "Hexagonal"}));
        EXPECT_EQ(c.c[1092].sel, 0);
        EXPECT_EQ(c.c[1014].text, "Speaker Density : ");
        EXPECT_EQ(c.c[1093].text, "Layout Pattern : ");
        EXPECT_EQ(c.c[1036].text, "Octave Band for Auto-Installation Judgment : ");
        EXPECT_EQ(c.c[1037].text, "Center Frequency for Auto-Installation Judgment : ");
        EXPECT_EQ(c.c[1004].text, "[ft]");
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dOctaveBand, 0.5);
    EXPECT_DOUBLE_EQ(dlg.m_dCenterFreq, 1000.0);
    EXPECT_EQ(dlg.m_dOverlapMode, 2.0);
}

TEST(AutoInstallationDialog, CentreListsOfThirdAndTwelfthOctaves)
{
    int first = 0;
    const std::vector<double> third = A::CenterList(3.0, first);
    ASSERT_FALSE(third.empty());
    EXPECT_EQ(first, 14);  // 10^1.3 = 19.95 Hz lies below 20 Hz
    EXPECT_EQ(A::CenterText(third.front(), 3.0), "25[Hz]");
    EXPECT_EQ(A::CenterText(third.back(), 3.0), "20000[Hz]");
    EXPECT_EQ(third.size(), 30u);
    EXPECT_EQ(A::CenterText(std::pow(10.0, 0.3 * 120 / 12.0), 12.0), "1000[Hz]");
    EXPECT_EQ(A::CenterText(std::pow(10.0, 0.3 * 121 / 12.0), 12.0), "1060[Hz]");
}

TEST(AutoInstallationDialog, ChangingTheBandKeepsTheCentreAsCloseAsTheListAllows)
{
    CScriptRunner r;
    A dlg;
    const double angles[3] = {0.0, 0.0, 90.0};
    dlg.SetParameters(3.0, angles, 2, 0, 24.0, 1000.0, 3.0, 0, 2);
    r.script = [](CDialog& d, CFakeControls& c) {
        auto& a = static_cast<A&>(d);
        ASSERT_EQ(c.c[1010].items.size(), 7u);
        EXPECT_EQ(c.c[1010].sel, 3);
        for (int sel : {0, 1, 2, 4, 5}) {
            c.c[1010].sel = sel;
            d.OnControlCommand(1010, CBN_SELCHANGE);
            EXPECT_EQ(a.m_dOctaveBand, A::kBands[sel]);
            EXPECT_NEAR(a.m_dCenterFreq, 1000.0, 1e-9) << sel;
        }
        c.c[1010].sel = 6;
        d.OnControlCommand(1010, CBN_SELCHANGE);
        EXPECT_EQ(a.m_dOctaveBand, 0.25);
        EXPECT_NEAR(a.m_dCenterFreq, 251.18864315, 1e-6);
        EXPECT_EQ(c.c[1015].items[c.c[1015].sel], "250[Hz]");

        // A centre chosen in the list.
        c.c[1010].sel = 3;
        d.OnControlCommand(1010, CBN_SELCHANGE);
        c.c[1015].sel = 0;
        d.OnControlCommand(1015, CBN_SELCHANGE);
        EXPECT_NEAR(a.m_dCenterFreq, 25.118864315, 1e-6);
        EXPECT_EQ(c.c[1016].text, A::BandRangeText(a.m_dCenterFreq, 3.0));
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dOctaveBand, 3.0);
    EXPECT_NEAR(dlg.m_dCenterFreq, 25.118864315, 1e-6);
}

TEST(AutoInstallationDialog, PitchOneOffersThreeBandsEachWithItsOwnSpacing)
{
    CScriptRunner r;
    A dlg;
    SetAuto(dlg, 1.0, 1000.0, 1.0, 2);
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1010].items, (std::vector<std::string>{"1 Oct. Band", "2 Oct. Band", "4 Oct. Band"}));
        EXPECT_EQ(c.c[1010].sel, 0);
        EXPECT_EQ(c.c[1015].items.size(), 10u);  // 31.6 ... 15849 Hz
        c.c[1010].sel = 2;
        d.OnControlCommand(1010, CBN_SELCHANGE);
        EXPECT_EQ(c.c[1015].items, (std::vector<std::string>{"250[Hz]", "4000[Hz]"}));
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dOctaveBand, 0.25);
}

TEST(AutoInstallationDialog, ABandTheDataDoNotOfferFallsBackOrStaysAsItWas)
{
    // Pitch 3 with 1/24 octave remembered: the data's own band, item 0.
    // Pitch 2 (unknown): no band list, the band and centre kept on OK.
    const struct {
        double pitch;
        std::size_t items;
        int sel;
        double band;
    } cases[] = {{3.0, 4, 0, 3.0}, {2.0, 0, -1, 3.0}};
    for (const auto& k : cases) {
        CScriptRunner r;
        A dlg;
        SetAuto(dlg, k.pitch, 1000.0, k.pitch == 3.0 ? 24.0 : 3.0, 2);
        r.script = [&k](CDialog& d, CFakeControls& c) {
            EXPECT_EQ(c.c[1010].items.size(), k.items);
            EXPECT_EQ(c.c[1010].sel, k.sel);
            EXPECT_EQ(static_cast<A&>(d).m_dOctaveBand, k.band);
            EXPECT_EQ(c.c[1015].items[c.c[1015].sel], "1000[Hz]");
            d.OnOK();
        };
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_dOctaveBand, k.band) << k.pitch;
        EXPECT_NEAR(dlg.m_dCenterFreq, 1000.0, 1e-9) << k.pitch;
    }
}

TEST(AutoInstallationDialog, LevelsHideRowsAndHiddenFieldsComeBackUnchanged)
{
    CScriptRunner r;
    A dlg;
    SetAuto(dlg, 3.0, 0.0, 0.0, 0, 7, 5);
    r.script = [](CDialog& d, CFakeControls& c) {
        for (int id : {1029, 1030, 1031, 1011, 1012, 1013, 1005, 1006, 1007, 1028, 1009, 1004, 1036, 1037, 1010,
                       1015, 1016})
            EXPECT_FALSE(c.IsWindowVisible(id)) << id;
        for (int id : {1008, 1014, 1092, 1093})
            EXPECT_TRUE(c.IsWindowVisible(id)) << id;
        EXPECT_EQ(c.c[1008].sel, -1);  // a density outside the five
        EXPECT_EQ(c.c[1092].sel, -1);
        c.c[1008].sel = 4;
        d.OnOK();
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dZ, 3.0);
    EXPECT_EQ(dlg.m_dElevation, 90.0);
    EXPECT_EQ(dlg.m_dOverlapMode, 4.0);
    EXPECT_EQ(dlg.m_nLayoutPattern, 5);  // no pattern chosen: unchanged
    EXPECT_EQ(dlg.m_dOctaveBand, 0.5);

    A dlg1;
    SetAuto(dlg1, 3.0, 0.0, 0.0, 1);
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_TRUE(c.IsWindowVisible(1028));
        EXPECT_FALSE(c.IsWindowVisible(1010));
        d.OnCancel();
    };
    EXPECT_EQ(dlg1.DoModal(), IDCANCEL);
}

TEST(AutoInstallationDialog, NumbersValidatedInTheOrderAzimuthRotationHeightElevation)
{
    CRecordingMessageBox box;
    CScriptRunner r;
    A dlg;
    SetAuto(dlg, 3.0, 0.0, 0.0, 2);
    r.script = [&box](CDialog& d, CFakeControls& c) {
        c.c[1030].text = "181";
        c.c[1028].text = "10001";
        d.OnOK();
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].first, "Enter a number between -10000 and 10000.");
        EXPECT_EQ(c.focus.back(), 1028);
        c.c[1028].text = "10000";
        d.OnOK();
        ASSERT_EQ(box.shown.size(), 2u);
        EXPECT_EQ(box.shown[1].first, "Enter a number between -180 and 180.");
        EXPECT_EQ(c.focus.back(), 1030);
        c.c[1030].text = "-180";
        d.OnOK();
        EXPECT_TRUE(d.IsEnded());
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dZ, 10000.0);
    EXPECT_EQ(dlg.m_dElevation, -180.0);
}

TEST(InstallationCommandsUi, RunsTheDialogsAndHandsBackTheValues)
{
    CScriptRunner r;
    CInstallationCommandsUi ui;
    CInstallationValues v;
    v.pos[0] = 5.0;
    v.angles[2] = 30.0;
    v.power = 10.0;
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1026].text, "5");
        EXPECT_EQ(c.c[1030].text, "30");
        c.c[1027].text = "6";
        c.c[1031].text = "15";
        d.OnOK();
    };
    ASSERT_TRUE(ui.RunInstallationDialog(v, 0, 2));
    EXPECT_EQ(v.pos[1], 6.0);
    EXPECT_EQ(v.angles[1], 15.0);
    EXPECT_EQ(v.polarityNormal, 1);

    r.script = [](CDialog& d, CFakeControls&) { d.OnCancel(); };
    CInstallationValues untouched = v;
    EXPECT_FALSE(ui.RunInstallationDialog(v, 0, 2));
    EXPECT_EQ(v.pos[1], untouched.pos[1]);

    CAutoInstallationValues a;
    a.z = 2.0;
    a.dataPitch = 3.0;
    r.script = [](CDialog& d, CFakeControls& c) {
        EXPECT_EQ(c.c[1028].text, "2");
        c.c[1008].sel = 0;
        c.c[1092].sel = 1;
        d.OnOK();
    };
    ASSERT_TRUE(ui.RunAutoInstallationDialog(a, 0, 2));
    EXPECT_EQ(a.overlapMode, 0.0);
    EXPECT_EQ(a.layoutPattern, 1);
    EXPECT_EQ(a.octaveBand, 0.5);
    EXPECT_NEAR(a.centerFreq, 1000.0, 1e-9);
}

}  // namespace
