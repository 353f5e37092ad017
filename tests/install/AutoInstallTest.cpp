// The automatic installation: the grid from measured coverage distances and
// the command around it.

#include "InstallTestSupport.h"

#include "document/AutoInstallLayout.h"
#include "platform/RecordingDC.h"
#include "views/ColorMapViewCore.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* const kDoubtful = "The result caused by this operation is doubtful...";
const char* const kPlaneAtRoomHeight =
    "This operation is not available in the case of setting the audience plane same height as the room height.";

std::vector<std::pair<double, double>> Points(const CAutoInstallLayout& layout)
{
    std::vector<std::pair<double, double>> out;
    for (const auto& p : layout.m_points)
        out.emplace_back(p.x, p.y);
    return out;
}

TEST(AutoLayout, RectangleEdgeToEdgeInATenByTenRoom)
{
    const double d[4] = {2.0, 2.0, 2.0, 2.0};
    CAutoInstallLayout layout;
    ASSERT_TRUE(layout.Compute(d, 2, CAutoInstallLayout::kRectangle, 0.0, 0.0, 10.0, 10.0));
    EXPECT_EQ(layout.m_nRows, 2);
    EXPECT_EQ(layout.m_nColumns, 2);
    EXPECT_EQ(Points(layout), (std::vector<std::pair<double, double>>{{3, 3}, {7, 3}, {3, 7}, {7, 7}}));
    EXPECT_EQ(layout.m_x1 + layout.m_x2, 4.0);
    EXPECT_EQ(layout.m_y1 + layout.m_y2, 4.0);
}

TEST(AutoLayout, RectangleDensitiesScaleEveryDistance)
{
    // Maximum overlap halves the spacing: sx = sy = 2, counts trunc((10 - 1.2) / 2) + 1 = 5.
    const double d[4] = {2.0, 2.0, 2.0, 2.0};
    CAutoInstallLayout layout;
    ASSERT_TRUE(layout.Compute(d, 0, CAutoInstallLayout::kRectangle, 0.0, 0.0, 10.0, 10.0));
    EXPECT_EQ(layout.m_nColumns, 5);
    EXPECT_EQ(layout.m_nRows, 5);
    EXPECT_EQ(layout.m_points.front().x, 1.0);
    EXPECT_EQ(layout.m_points[1].x, 3.0);
    EXPECT_EQ(layout.m_points.back().x, 9.0);

    // Unequal distances with "2 * Edge-to-Edge" in an offset room: sx = 2 * (1 + 3) = 8,
    // sy = 2 * (0.5 + 0.5) = 2; columns trunc((20 - 4.8) / 8) + 1 = 2, rows trunc((6 - 1.2) / 2) + 1 = 3.
    const double e[4] = {1.0, 3.0, 0.5, 0.5};
    ASSERT_TRUE(layout.Compute(e, 4, CAutoInstallLayout::kRectangle, -10.0, 5.0, 20.0, 6.0));
    EXPECT_EQ(layout.m_nColumns, 2);
    EXPECT_EQ(layout.m_nRows, 3);
    EXPECT_EQ(Points(layout), (std::vector<std::pair<double, double>>{
                                  {-4, 6}, {4, 6}, {-4, 8}, {4, 8}, {-4, 10}, {4, 10}}));
    EXPECT_EQ(layout.m_x1, 2.0);
    EXPECT_EQ(layout.m_x2, 6.0);

    // Minimum overlap divides by sqrt(2); 1.4 * edge-to-edge multiplies by it.
    ASSERT_TRUE(layout.Compute(d, 1, CAutoInstallLayout::kRectangle, 0.0, 0.0, 10.0, 10.0));
    EXPECT_DOUBLE_EQ(layout.m_x1, 2.0 / std::sqrt(2.0));
    ASSERT_TRUE(layout.Compute(d, 3, CAutoInstallLayout::kRectangle, 0.0, 0.0, 10.0, 10.0));
    EXPECT_DOUBLE_EQ(layout.m_y2, 2.0 * std::sqrt(2.0));
}

TEST(AutoLayout, HexagonalGridsByTheirCountOfHalfColumnSlots)
{
    // Only d1 counts. sx = 4, sy = 2 * sqrt(3); the stored column distance is
    // that of neighbouring shifted columns (2).
    const double d[4] = {2.0, 9.0, 9.0, 9.0};
    const struct {
        double x0, lx, ly;
        int columns, rows;
        std::vector<double> xs;
    } cases[] = {
        // m = trunc(2 * (10 - 1.2) / 4) + 1 = 5 (odd): the shifted row's third point (11) is dropped.
        {0.0, 10.0, 10.0, 3, 3, {1, 5, 9, 3, 7, 1, 5, 9}},
        // m = 6 (even): first x = (12 - 2.5 * 4) / 2 = 1, shifted rows keep all three points.
        {0.0, 12.0, 8.0, 3, 2, {1, 5, 9, 3, 7, 11}},
        // m = 1: one column, centred in every row, the odd row's point dropped.
        {1.0, 3.0, 10.0, 1, 3, {2.5, 2.5}},
    };
    const double sy = 2.0 * std::sqrt(3.0);
    for (const auto& k : cases) {
        CAutoInstallLayout layout;
        ASSERT_TRUE(layout.Compute(d, 2, CAutoInstallLayout::kHexagonal, k.x0, 0.0, k.lx, k.ly));
        EXPECT_EQ(layout.m_nColumns, k.columns) << k.lx;
        EXPECT_EQ(layout.m_nRows, k.rows) << k.lx;
        ASSERT_EQ(layout.m_points.size(), k.xs.size()) << k.lx;
        for (std::size_t i = 0; i < k.xs.size(); ++i)
            EXPECT_DOUBLE_EQ(layout.m_points[i].x, k.xs[i]) << k.lx << " " << i;
        EXPECT_EQ(layout.m_x1 + layout.m_x2, 2.0);
        EXPECT_DOUBLE_EQ(layout.m_y1 + layout.m_y2, sy);
    }

    // The rows of the 10 x 10 room: centred, sy apart.
    CAutoInstallLayout layout;
    ASSERT_TRUE(layout.Compute(d, 2, CAutoInstallLayout::kHexagonal, 0.0, 0.0, 10.0, 10.0));
    const double y0 = (10.0 - 2.0 * sy) / 2.0;
    const int rowOf[8] = {0, 0, 0, 1, 1, 2, 2, 2};
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(layout.m_points[i].y, y0 + rowOf[i] * sy) << i;

    // Minimum overlap: x1 = d1 * sqrt(3) / 2 (halved after the layout).
    ASSERT_TRUE(layout.Compute(d, 1, CAutoInstallLayout::kHexagonal, 0.0, 0.0, 10.0, 10.0));
    EXPECT_DOUBLE_EQ(layout.m_x1 * 2.0, 2.0 * std::sqrt(3.0) * 0.5);
}

// Rooms one and two columns wide (sx = 4, sy = 2 * sqrt(3), three rows in a
// width of 10, rows at 5 - sy, 5 and 5 + sy): one column stands centred in
// a straight line, two columns give two distinct points in every full row.
TEST(AutoLayout, HexagonalRoomsOneAndTwoColumnsWide)
{
    const double d[4] = {2.0, 9.0, 9.0, 9.0};
    const double sy = 2.0 * std::sqrt(3.0);
    const double rowY[3] = {5.0 - sy, 5.0, 5.0 + sy};
    using XY = std::pair<double, double>;
    const struct {
        double lx;
        int slots;
        std::vector<XY> points;
    } cases[] = {
        // m = 1: the centre of every even row; the shifted row's point lies beyond the area.
        {3.0, 1, {{3.5, rowY[0]}, {3.5, rowY[2]}}},
        // m = 2: the single column replaces the shifted and unshifted x alike.
        {4.0, 2, {{4.0, rowY[0]}, {4.0, rowY[1]}, {4.0, rowY[2]}}},
        // m = 3: full rows at 3 and 7; the shifted row keeps only 5, its 9 is dropped.
        {6.0, 3, {{3.0, rowY[0]}, {7.0, rowY[0]}, {5.0, rowY[1]}, {3.0, rowY[2]}, {7.0, rowY[2]}}},
        // m = 4: first x = 2 + (8 - 1.5 * 4) / 2 = 3; every row is full, the shifted one at 5 and 9.
        {8.0, 4,
         {{3.0, rowY[0]}, {7.0, rowY[0]}, {5.0, rowY[1]}, {9.0, rowY[1]}, {3.0, rowY[2]}, {7.0, rowY[2]}}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.lx);
        ASSERT_EQ(static_cast<int>(std::trunc(2.0 * (k.lx - 1.2) / 4.0)) + 1, k.slots);
        CAutoInstallLayout layout;
        // The room starts at x = 2.
        ASSERT_TRUE(layout.Compute(d, 2, CAutoInstallLayout::kHexagonal, 2.0, 0.0, k.lx, 10.0));
        EXPECT_EQ(layout.m_nColumns, (k.slots + 1) / 2);
        EXPECT_EQ(layout.m_nRows, 3);
        const auto points = Points(layout);
        ASSERT_EQ(points.size(), k.points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_DOUBLE_EQ(points[i].first, k.points[i].first) << i;
            EXPECT_DOUBLE_EQ(points[i].second, k.points[i].second) << i;
        }
        if (layout.m_nColumns == 1) {
            for (const XY& p : points)
                EXPECT_EQ(p.first, 2.0 + k.lx / 2.0);
        }
    }
}

TEST(AutoLayout, UnusableOrTooFineSpacingIsRefused)
{
    CAutoInstallLayout layout;
    const double zero[4] = {0.0, 0.0, 0.0, 0.0};
    EXPECT_FALSE(layout.Compute(zero, 2, CAutoInstallLayout::kRectangle, 0, 0, 10, 10));
    const double nan[4] = {NAN, 1.0, 1.0, 1.0};
    EXPECT_FALSE(layout.Compute(nan, 2, CAutoInstallLayout::kRectangle, 0, 0, 10, 10));
    // 0.05 spacing over 10000 x 10000: 4e10 points.
    const double fine[4] = {0.1, 0.1, 0.1, 0.1};
    EXPECT_FALSE(layout.Compute(fine, 0, CAutoInstallLayout::kRectangle, 0, 0, 10000, 10000));
    EXPECT_FALSE(layout.Compute(fine, 0, CAutoInstallLayout::kHexagonal, 0, 0, 10000, 10000));
    EXPECT_TRUE(layout.m_points.empty());
    // A room of negative width (damaged file) holds no row.
    const double two[4] = {2.0, 2.0, 2.0, 2.0};
    EXPECT_FALSE(layout.Compute(two, 2, CAutoInstallLayout::kRectangle, 0, 0, 10, -20));
    EXPECT_TRUE(layout.m_points.empty());
    // 100 x 100 = 10000 is the most laid.
    const double fit[4] = {0.5, 0.5, 0.5, 0.5};
    ASSERT_TRUE(layout.Compute(fit, 2, CAutoInstallLayout::kRectangle, 0, 0, 100, 100));
    EXPECT_EQ(layout.m_points.size(), 10000u);
}

class AutoInstallTest : public ::testing::Test {
protected:
    AutoInstallTest()
    {
        doc.m_nLengthUnit = 0;
        CInstallationContainer& room = doc.m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, 0.0);
        room.SetRoom(CInstallationContainer::kReferenceY0, 0.0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 10.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
    }
    CKDRDoc doc;
    CFakeInstallationUi ui;
    CFakeDocumentUi docUi;
    CRecordingMessageBox box;
};

TEST_F(AutoInstallTest, LaysTheRectangleGridRowByRowAndStoresTheDistances)
{
    AddModel(doc, 0, 3, {{false, 10.0}, {false, 2.5}}, 1);
    AddCondition(doc, 1.2);
    AddGraph(doc);
    CFakeMapView map(doc, 0);
    doc.m_installations.AddInstallation(0, 0, 9, 9, 3, 0, 0, 0, 1.0, TRUE);  // replaced
    CHintRecorder hints(doc);

    doc.OnInstallationAuto();

    ASSERT_EQ(ui.autoShown.size(), 1u);
    const CAutoInstallationValues& v = ui.autoShown[0];
    EXPECT_EQ(v.z, 3.0);  // the room height while no height is remembered
    EXPECT_EQ(v.angles[0], 0.0);
    EXPECT_EQ(v.angles[1], 0.0);
    EXPECT_EQ(v.angles[2], 0.0);
    EXPECT_EQ(v.overlapMode, 2.0);
    EXPECT_EQ(v.dataPitch, 3.0);
    // The scan ran on the probe alone, on the current condition.
    EXPECT_EQ(ui.installationsAtScan, 1);
    EXPECT_EQ(ui.coverageConditions, (std::vector<int>{0, 0}));

    ASSERT_EQ(doc.m_installations.GetCount(), 4);
    const double expected[4][2] = {{3, 3}, {7, 3}, {3, 7}, {7, 7}};
    for (int i = 0; i < 4; ++i) {
        const CInstallationElement* e = doc.m_installations.GetAt(i);
        EXPECT_EQ(e->GetPosition().x, expected[i][0]);
        EXPECT_EQ(e->GetPosition().y, expected[i][1]);
        EXPECT_EQ(e->GetPosition().z, 3.0);
        EXPECT_EQ(e->GetTapIndex(), 1u);
        EXPECT_EQ(e->GetPower(), 2.5);
        EXPECT_EQ(e->GetPolarity(), 1);
    }
    EXPECT_EQ(doc.m_installations.GetCurrentIndex(), 3);
    EXPECT_TRUE(doc.m_bAutoInstalled);
    EXPECT_EQ(doc.m_dAutoDistance[3], 4.0);
    EXPECT_EQ(doc.m_dAutoDistance[2], 4.0);
    EXPECT_EQ(doc.m_dAutoDistance[1], 3.0);
    EXPECT_EQ(doc.m_dAutoDistance[0], 3.0);
    EXPECT_EQ(doc.m_dAutoHeight, 3.0);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,0)"});
    // Emptied room announced, then the grid.
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 4, 1, 2, 4}));
    EXPECT_EQ(hints.installationCounts, (std::vector<int>{0, 0, 0, 4, 4, 4}));
    EXPECT_TRUE(hints.graphCleared[2]);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(AutoInstallTest, RemembersTheDialogsValuesAndTruncatesTheDensity)
{
    CTestModel& model = AddModel(doc, CStdSPModel::kCeilingType, 3, {{false, 10.0}});
    (void)model;
    AddCondition(doc, 1.2);
    ui.autoEdit = [](CAutoInstallationValues& v) {
        v.overlapMode = 2.9;
        v.z = 2.5;
        v.angles[0] = 5.0;
        v.centerFreq = 2000.0;
        v.octaveBand = 1.0;
    };
    doc.OnInstallationAuto();
    ASSERT_EQ(ui.autoShown.size(), 1u);
    EXPECT_EQ(ui.autoShown[0].angles[2], 90.0);  // ceiling kind
    EXPECT_EQ(doc.m_nAutoOverlapMode, 2);
    EXPECT_EQ(doc.m_dAutoHeight, 2.5);
    EXPECT_EQ(doc.m_ptAutoAngles.x, 5.0);
    EXPECT_EQ(doc.m_ptAutoAngles.z, 90.0);
    EXPECT_EQ(doc.m_dAutoCenterFreq, 2000.0);
    EXPECT_EQ(doc.m_dAutoBand, 1.0);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().z, 2.5);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetAngles().x, 5.0);

    // The next time the remembered values are proposed.
    doc.OnInstallationAuto();
    ASSERT_EQ(ui.autoShown.size(), 2u);
    EXPECT_EQ(ui.autoShown[1].z, 2.5);
    EXPECT_EQ(ui.autoShown[1].angles[0], 5.0);
    EXPECT_EQ(ui.autoShown[1].overlapMode, 2.0);

    // A density outside the five keeps the one remembered.
    ui.autoEdit = [](CAutoInstallationValues& v) { v.overlapMode = -1.0; };
    doc.OnInstallationAuto();
    EXPECT_EQ(doc.m_nAutoOverlapMode, 2);
}

TEST_F(AutoInstallTest, AForwardModelProposesElevationZero)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    ui.autoOk = false;
    EXPECT_EQ(doc.AutoInstall(), 1);
    ASSERT_EQ(ui.autoShown.size(), 1u);
    EXPECT_EQ(ui.autoShown[0].angles[2], 0.0);
    EXPECT_EQ(doc.m_ptAutoAngles.z, CKDRDoc::kNotSet);  // Cancel keeps nothing
    EXPECT_EQ(doc.m_dAutoHeight, CKDRDoc::kNotSet);
}

TEST_F(AutoInstallTest, HexagonalWithTiltedSpeakersAsksFirstAndCancelKeepsTheRoom)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 1.2);
    doc.m_installations.AddInstallation(0, 0, 1, 1, 3, 0, 0, 0, 1.0, TRUE);
    ui.autoEdit = [](CAutoInstallationValues& v) {
        v.layoutPattern = 1;
        v.angles[2] = 45.0;
    };
    docUi.answers = {IDCANCEL};
    CHintRecorder hints(doc);
    EXPECT_EQ(doc.AutoInstall(), 1);
    EXPECT_EQ(docUi.messages, std::vector<std::string>{kDoubtful});
    EXPECT_EQ(doc.m_installations.GetCount(), 1);
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_EQ(doc.m_nAutoLayoutPattern, 0);  // the dialog's values given back
    EXPECT_EQ(doc.m_ptAutoAngles.z, CKDRDoc::kNotSet);

    // Straight down and not doubtful: no question, the hexagonal grid.
    ui.autoEdit = [](CAutoInstallationValues& v) {
        v.layoutPattern = 1;
        v.angles[2] = 90.0;
    };
    docUi.messages.clear();
    EXPECT_EQ(doc.AutoInstall(), 0);
    EXPECT_TRUE(docUi.messages.empty());
    EXPECT_EQ(doc.m_installations.GetCount(), 8);
    EXPECT_EQ(doc.m_dAutoDistance[3], 2.0);
    EXPECT_EQ(doc.m_dAutoDistance[1], 1.0);

    // A doubtful model asks even straight down.
    static_cast<CTestModel*>(doc.m_models.GetCurrent())->doubtful = TRUE;
    EXPECT_EQ(doc.AutoInstall(), 0);
    EXPECT_EQ(docUi.messages, std::vector<std::string>{kDoubtful});
}

TEST_F(AutoInstallTest, APlaneAtRoomHeightIsRefusedWithAMessage)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 3.0);
    EXPECT_EQ(doc.AutoInstall(), 1);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].first, kPlaneAtRoomHeight);
    EXPECT_EQ(box.shown[0].second, static_cast<unsigned>(MB_OK));
    EXPECT_TRUE(ui.autoShown.empty());
}

TEST_F(AutoInstallTest, WithoutConditionOnlyTheProbeStays)
{
    AddModel(doc, 0, 3, {{false, 10.0}});
    EXPECT_EQ(doc.AutoInstall(), 0);
    ASSERT_EQ(doc.m_installations.GetCount(), 1);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().x, 0.0);
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPosition().y, 0.0);
    EXPECT_FALSE(doc.m_bAutoInstalled);
    EXPECT_TRUE(ui.coverageConditions.empty());
}

TEST_F(AutoInstallTest, AFailedScanOrAnImpossibleGridGivesTheRoomBackAndSaysWhy)
{
    const std::string lost = "The automatic installation could not be made: ";
    const std::string kept = " The installations are left as they were.";
    struct Case {
        const char* name;
        int failingAxis;  // -1: the scan succeeds
        double coverage;
        double lengthX, widthY;
        std::string text;
    };
    const Case cases[] = {
        {"scan fails", 1, 2.0, 10.0, 10.0,
         lost +
             "the coverage of the speaker could not be measured in the judgment band (its level does not fall by "
             "6 dB, or the band holds no frequency of the speaker data)." +
             kept},
        // 2000 m x 2000 m at 10 m spacing: 200 x 200 speakers.
        {"too many", -1, 5.0, 2000.0, 2000.0,
         lost + "the grid would need more than 10000 speakers. Choose a lower speaker density or a smaller room." +
             kept},
        {"no spacing", -1, 0.0, 10.0, 10.0, lost + "the measured coverage gives no spacing for a grid." + kept},
        {"no area", -1, 2.0, 10.0, -20.0, lost + "the room has no area to lay a grid in." + kept},
    };
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 1.2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.m_installations.RemoveAll();
        doc.m_installations.AddInstallation(0, 0, 1.0, 2.0, 2.5, 10.0, 20.0, 30.0, 4.0, TRUE);
        doc.m_installations.AddInstallation(0, 0, 5.0, 6.0, 2.0, 0.0, 0.0, 90.0, 8.0, FALSE);
        doc.m_installations.SetCurrentIndex(1);
        doc.m_installations.SetTotalPower(99.0);  // as a loaded file may hold it
        doc.m_installations.SetRoom(CInstallationContainer::kRoomLengthX, c.lengthX);
        doc.m_installations.SetRoom(CInstallationContainer::kRoomWidthY, c.widthY);
        doc.m_nDragInstallState = 0;
        doc.m_bAutoInstalled = TRUE;
        doc.m_dAutoDistance[3] = 7.0;
        ui.coverageResult[0] = ui.coverageResult[1] = 0;
        if (c.failingAxis >= 0)
            ui.coverageResult[c.failingAxis] = 1;
        for (double& d : ui.coverage)
            d = c.coverage;
        box.shown.clear();
        CHintRecorder hints(doc);

        EXPECT_EQ(doc.AutoInstall(), 1);

        ASSERT_EQ(doc.m_installations.GetCount(), 2);
        const CInstallationElement* a = doc.m_installations.GetAt(0);
        const CInstallationElement* b = doc.m_installations.GetAt(1);
        EXPECT_EQ(a->GetPosition().x, 1.0);
        EXPECT_EQ(a->GetPosition().y, 2.0);
        EXPECT_EQ(a->GetPosition().z, 2.5);
        EXPECT_EQ(a->GetAngles().x, 10.0);
        EXPECT_EQ(a->GetAngles().y, 20.0);
        EXPECT_EQ(a->GetAngles().z, 30.0);
        EXPECT_EQ(a->GetPower(), 4.0);
        EXPECT_EQ(a->GetPolarity(), 1);
        EXPECT_EQ(b->GetPosition().x, 5.0);
        EXPECT_EQ(b->GetPower(), 8.0);
        EXPECT_EQ(b->GetPolarity(), 0);
        EXPECT_EQ(doc.m_installations.GetCurrentIndex(), 1);
        EXPECT_EQ(doc.m_installations.GetTotalPower(), 99.0);
        EXPECT_EQ(doc.m_nDragInstallState, 0);
        EXPECT_TRUE(doc.m_bAutoInstalled);
        EXPECT_EQ(doc.m_dAutoDistance[3], 7.0);
        // The emptied room for the scan, then the room as it was.
        EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 4, 1, 2, 4}));
        EXPECT_EQ(hints.installationCounts, (std::vector<int>{0, 0, 0, 2, 2, 2}));
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].first, c.text);
        EXPECT_EQ(box.shown[0].second, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(AutoInstallTest, AnAttemptThatLaysNothingKeepsTheAutomaticLayoutAndItsMap)
{
    // A room laid automatically, its map calculated, recalculation by hand.
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 1.2);
    doc.m_installations.AddInstallation(0, 0, 3, 3, 3, 0, 0, 0, 10.0, TRUE);
    doc.m_installations.AddInstallation(0, 0, 7, 3, 3, 0, 0, 0, 10.0, TRUE);
    doc.m_bManualRecalculation = TRUE;
    CListeningPlane& plane = doc.m_colorMapConditions.GetAtOrNull(0)->GetPlane();
    for (const auto& dot : plane.GetCells())
        dot->SetLevel(87.5);
    plane.SetMaxLevel(91.0);
    plane.SetMinLevel(80.0);
    plane.SetAverageLevel(86.0);
    plane.SetSpeechAverageLevel(82.0);
    auto mapIsKept = [&plane]() {
        for (const auto& dot : plane.GetCells()) {
            if (dot->GetLevel() != 87.5)
                return false;
        }
        return plane.GetMaxLevel() == 91.0 && plane.GetMinLevel() == 80.0 && plane.GetAverageLevel() == 86.0 &&
               plane.GetSpeechAverageLevel() == 82.0;
    };

    const struct {
        const char* name;
        bool dialogOk;
        bool doubtfulCancelled;
        int failingAxis;
    } cases[] = {
        {"Cancel in the dialog", false, false, -1},
        {"Cancel at the doubtful result", true, true, -1},
        {"a scan that finds no edge", true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.m_bAutoInstalled = TRUE;
        ui.autoOk = c.dialogOk;
        ui.autoEdit = [&c](CAutoInstallationValues& v) {
            v.layoutPattern = c.doubtfulCancelled ? 1 : 0;
            v.angles[2] = 45.0;
        };
        docUi.answers = {IDCANCEL};
        ui.coverageResult[0] = c.failingAxis == 0 ? 1 : 0;
        box.shown.clear();

        EXPECT_EQ(doc.AutoInstall(), 1);

        EXPECT_TRUE(doc.m_bAutoInstalled);
        EXPECT_EQ(doc.m_installations.GetCount(), 2);
        EXPECT_TRUE(mapIsKept());
    }
    // The failed scan said why.
    EXPECT_EQ(box.shown.size(), 1u);

    // A grid laid from the scan is a new automatic layout with a map to come.
    ui.autoEdit = nullptr;
    ui.coverageResult[0] = 0;
    EXPECT_EQ(doc.AutoInstall(), 0);
    EXPECT_TRUE(doc.m_bAutoInstalled);
    EXPECT_EQ(doc.m_installations.GetCount(), 4);
    EXPECT_EQ(plane.GetCells().GetAt(0)->GetLevel(), 0.0);
    EXPECT_EQ(plane.GetMaxLevel(), 0.0);
}

// The automatic-installation lines of a map window's summary.
std::vector<std::string> AutoSummary(CKDRDoc& doc)
{
    struct CSummary : CColorMapViewCore {
        using CColorMapViewCore::CColorMapViewCore;
        void OnPrintCommand(unsigned) override {}
        CSize GetClientSize() const override { return CSize(800, 600); }
        void ClearAndRedraw() override {}
        void ComboResetContent(int) override {}
        void ComboAddString(int, const std::string&) override {}
        int ComboGetCount(int) const override { return 0; }
        int ComboGetCurSel(int) const override { return -1; }
        void ComboSetCurSel(int, int) override {}
    } view(doc);
    CRecordingDC dc;
    view.DrawAutoInstallationInfo(dc, 12);
    return dc.Texts();
}

TEST_F(AutoInstallTest, AnAttemptThatLaysNothingLeavesTheProjectAsSaved)
{
    // Laid with "Maximum Overlap", "1/3 Oct. Band" at 1000 Hz; a response at the cursor; saved.
    AddModel(doc, 0, 3, {{false, 10.0}});
    AddCondition(doc, 1.2);
    doc.m_nAdvancedMode = 2;  // the summary names the band too
    ui.autoEdit = [](CAutoInstallationValues& v) {
        v.overlapMode = 0.0;
        v.centerFreq = 1000.0;
        v.octaveBand = 3.0;
    };
    doc.OnInstallationAuto();
    ASSERT_EQ(doc.m_installations.GetCount(), 25);
    AddGraph(doc);
    doc.SetModifiedFlag(false);
    CArchive saved;
    doc.Serialize(saved);
    const std::vector<std::string> summary = AutoSummary(doc);
    ASSERT_EQ(summary.size(), 9u);
    EXPECT_EQ(summary[0], "Speaker Density :  \"Maximum Overlap\"");
    EXPECT_EQ(summary[8], "Octave Band for Auto-Installation Judgment : 1/3 Oct. Band");

    // "Edge-to-Edge", "1 Oct. Band" at 1.51 m, each way that lays nothing.
    const struct {
        const char* name;
        bool dialogOk;
        int pattern;
        bool scanFails;
        double coverage;
    } cases[] = {
        {"a grid of 500 x 500", true, 0, false, 0.01},
        {"a scan that finds no edge", true, 0, true, 2.0},
        {"Cancel at the doubtful result", true, 1, false, 2.0},
        {"Cancel in the dialog", false, 0, false, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.autoOk = c.dialogOk;
        ui.autoEdit = [&c](CAutoInstallationValues& v) {
            v.overlapMode = 2.0;
            v.layoutPattern = c.pattern;
            v.octaveBand = 1.0;
            v.z = 1.51;
        };
        for (double& d : ui.coverage)
            d = c.coverage;
        ui.coverageResult[1] = c.scanFails ? 1 : 0;
        docUi.answers = {IDCANCEL};
        doc.OnInstallationAuto();
        CArchive again;
        doc.Serialize(again);
        EXPECT_EQ(again.Buffer(), saved.Buffer());
        EXPECT_EQ(AutoSummary(doc), summary);
        EXPECT_FALSE(doc.IsModified());
    }
}

}  // namespace
