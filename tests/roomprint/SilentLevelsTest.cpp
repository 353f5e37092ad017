// Levels where nothing sounds: a band below every speaker's data, a speaker
// on a tap of no power. Such dots take the lowest colour, and every text
// that would carry a level (the block under the map on screen and paper,
// the cursor readout) says there is no sound instead of a number.

#include "MapWindow.h"

#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using roomprint_test::CMapWindow;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;
using Evaluation = CSPLMapCalculator::Evaluation;

namespace {

const std::string kMaxLabel = "Average SPL @This Color Mapping (Pink Noise, Max Value in Audience Plane) : ";
const std::string kMinLabel = "Average SPL @This Color Mapping (Pink Noise, Min Value in Audience Plane) : ";
const std::string kAverageLabel =
    "Average SPL @This Color Mapping (Pink Noise, Average Value in Audience Plane) : ";
const std::string kSpeechLabel =
    "Average SPL @This Color Mapping (Music/Speech, Average Value in Audience Plane) : ";
constexpr double kInf = std::numeric_limits<double>::infinity();

// A 10 x 8 room with one speaker (data from 100 Hz) in its middle and a
// plane of 80 dots at 1.2.
struct Room {
    Room(double fc, double power)
    {
        CKDRDoc& doc = *scene.doc;
        CInstallationContainer& room = doc.m_installations;
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchX, 1.0);
        room.SetRoom(CInstallationContainer::kGridPitchY, 1.0);
        scene.Install(scene.AddModel(SmallSpeaker()), 5.0, 4.0, 2.75, 0.0, 0.0, 90.0, power);
        scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0, fc, 3.0, 0);
        view = std::make_unique<CMapWindow>(doc);
        view->UpdateScrollSizes(TRUE);
    }

    // The texts of page 1 of a print job on a 5100 x 6600 page.
    std::vector<CDrawOp> PrintFirstPage()
    {
        CRecordingDC dc(true);
        dc.SetDeviceCaps(HORZRES, 5100);
        dc.SetDeviceCaps(VERTRES, 6600);
        CPrintInfo info;
        info.m_nMaxPage = 1;
        view->OnBeginPrinting(dc, info);
        info.m_nCurPage = 1;
        view->OnPrint(dc, info);
        view->OnEndPrinting(dc, info);
        return dc.OpsOf(CDrawOp::TextOut);
    }

    Scene scene{0};
    std::unique_ptr<CMapWindow> view;
};

bool HasText(const std::vector<CDrawOp>& ops, const std::string& text)
{
    for (const CDrawOp& op : ops)
        if (op.text == text)
            return true;
    return false;
}

// No text shows the start of the running maximum or a value that is no
// number as if it were a level.
void ExpectNoSentinel(const std::vector<CDrawOp>& ops)
{
    for (const CDrawOp& op : ops) {
        EXPECT_EQ(op.text.find("-1000"), std::string::npos) << op.text;
        EXPECT_EQ(op.text.find("inf"), std::string::npos) << op.text;
        EXPECT_EQ(op.text.find("nan"), std::string::npos) << op.text;
        EXPECT_EQ(op.text.find(": 0[dB]"), std::string::npos) << op.text;
    }
}

}  // namespace

TEST(SilentLevels, ABandBelowTheDataAndATapOfNoPowerShowNoSound)
{
    const struct {
        double fc, power;
    } cases[] = {{25.0, 6.0}, {1000.0, 0.0}};
    for (const auto& c : cases) {
        for (Evaluation e : {Evaluation::Reference, Evaluation::Fast}) {
            SCOPED_TRACE(testing::Message() << c.fc << " Hz, " << c.power << " W, evaluation "
                                            << static_cast<int>(e));
            Room r(c.fc, c.power);
            r.scene.Calculator(e, 2)->CalcColorMap();

            // The calculation is the one of any map: every dot minus
            // infinity, the maximum left at its start.
            ASSERT_EQ(r.scene.Plane().GetCells().GetCount(), 80u);
            for (double level : r.scene.Levels())
                EXPECT_EQ(level, -kInf);
            EXPECT_EQ(r.scene.Plane().GetMaxLevel(), -1000.0);
            EXPECT_EQ(r.scene.Plane().GetMinLevel(), -kInf);
            EXPECT_EQ(r.scene.Plane().GetAverageLevel(), -kInf);

            // Every dot in the lowest colour.
            CRecordingDC screen;
            r.view->OnDraw(screen);
            const auto fills = screen.OpsOf(CDrawOp::FillPolygon);
            ASSERT_EQ(fills.size(), 80u);
            for (const CDrawOp& fill : fills)
                EXPECT_EQ(fill.color, static_cast<COLORREF>(0xFF0000));

            const auto texts = screen.OpsOf(CDrawOp::TextOut);
            EXPECT_TRUE(HasText(texts, kMaxLabel + "No sound"));
            EXPECT_TRUE(HasText(texts, kMinLabel + "No sound"));
            EXPECT_TRUE(HasText(texts, kAverageLabel + "No sound"));
            EXPECT_TRUE(HasText(texts, kSpeechLabel + "No sound"));
            ExpectNoSentinel(texts);

            const double point[3] = {5.5, 4.5, 1.2};
            r.view->DrawCursorSPL(point);
            EXPECT_EQ(r.view->GetCursorLevelText(), "Average SPL @Cursor Point : No sound");
            ASSERT_EQ(r.view->readouts.size(), 1u);
            ExpectNoSentinel(r.view->readouts[0].OpsOf(CDrawOp::TextOut));

            const auto paper = r.PrintFirstPage();
            EXPECT_TRUE(HasText(paper, kMaxLabel + "No sound"));
            EXPECT_TRUE(HasText(paper, kMinLabel + "No sound"));
            EXPECT_TRUE(HasText(paper, kAverageLabel + "No sound"));
            EXPECT_TRUE(HasText(paper, kSpeechLabel + "No sound"));
            ExpectNoSentinel(paper);
        }
    }
}

// Each result line decides on its own: a plane with silent dots among
// sounding ones has a maximum and an average but no minimum. A level
// above the start of the running maximum is a level; a value that is no
// number (only a damaged file holds one) is no level.
TEST(SilentLevels, EachResultLineSaysSoOnItsOwn)
{
    Room r(1000.0, 6.0);
    CListeningPlane& plane = r.scene.Plane();
    auto lines = [&] {
        CRecordingDC dc;
        r.view->DrawSPLSummary(dc, 12);
        std::vector<std::string> out;
        for (const CDrawOp& op : dc.OpsOf(CDrawOp::TextOut))
            out.push_back(op.text);
        return out;
    };
    plane.SetMaxLevel(93.456);
    plane.SetMinLevel(-kInf);
    plane.SetAverageLevel(-999.94);
    plane.SetSpeechAverageLevel(std::numeric_limits<double>::quiet_NaN());
    auto l = lines();
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0], kMaxLabel + "93.46[dB]");
    EXPECT_EQ(l[1], kMinLabel + "No sound");
    EXPECT_EQ(l[2], kAverageLabel + "-999.9[dB]");
    EXPECT_EQ(l[3], kSpeechLabel + "No level");

    plane.SetMaxLevel(kInf);
    plane.SetMinLevel(-1000.0);
    plane.SetAverageLevel(-999.97);  // would print as -1000
    plane.SetSpeechAverageLevel(0.0);
    l = lines();
    EXPECT_EQ(l[0], kMaxLabel + "No level");
    EXPECT_EQ(l[1], kMinLabel + "No sound");
    EXPECT_EQ(l[2], kAverageLabel + "No sound");
    EXPECT_EQ(l[3], kSpeechLabel + "0[dB]");

    // The number format prints 0 from a million up.
    plane.SetMaxLevel(1.0e6);
    plane.SetMinLevel(999999.0);
    l = lines();
    EXPECT_EQ(l[0], kMaxLabel + "No level");
    EXPECT_EQ(l[1], kMinLabel + "1000000[dB]");
}

// Without a speaker in the room nothing sounds: the plane shows in one
// colour, and the result lines say so, whatever the last map left in them
// (a new project holds zeros, Remove All the levels of the map before).
TEST(SilentLevels, ARoomWithoutSpeakersShowsNoSound)
{
    Room r(1000.0, 6.0);
    r.scene.Calculator(Evaluation::Reference, 2)->CalcColorMap();
    ASSERT_GT(r.scene.Plane().GetMaxLevel(), 40.0);
    r.scene.doc->m_installations.RemoveAll();
    for (double level : {93.0, 0.0}) {
        SCOPED_TRACE(level);
        CListeningPlane& plane = r.scene.Plane();
        plane.SetMaxLevel(level);
        plane.SetMinLevel(level);
        plane.SetAverageLevel(level);
        plane.SetSpeechAverageLevel(level);
        CRecordingDC screen;
        r.view->OnDraw(screen);
        const auto texts = screen.OpsOf(CDrawOp::TextOut);
        EXPECT_TRUE(HasText(texts, kMaxLabel + "No sound"));
        EXPECT_TRUE(HasText(texts, kMinLabel + "No sound"));
        EXPECT_TRUE(HasText(texts, kAverageLabel + "No sound"));
        EXPECT_TRUE(HasText(texts, kSpeechLabel + "No sound"));
        ExpectNoSentinel(texts);
        const auto paper = r.PrintFirstPage();
        EXPECT_TRUE(HasText(paper, kMaxLabel + "No sound"));
        ExpectNoSentinel(paper);
    }
}

// Until Tool > Recalculate a plane holds the zeros of its set-up: its result
// lines show no level, while the readout takes the level at its point.
TEST(SilentLevels, AMapNotYetCalculatedShowsNoLevelButTheReadoutDoes)
{
    Room r(1000.0, 6.0);
    CRecordingDC screen;
    r.view->OnDraw(screen);
    EXPECT_TRUE(HasText(screen.OpsOf(CDrawOp::TextOut), kSpeechLabel + "No level"));
    EXPECT_TRUE(HasText(r.PrintFirstPage(), kSpeechLabel + "No level"));
    const double point[3] = {5.5, 4.5, 1.2};
    r.view->DrawCursorSPL(point);
    EXPECT_NE(r.view->GetCursorLevelText().find("[dB]"), std::string::npos);
}
