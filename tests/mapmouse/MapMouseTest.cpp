// The SPL map window's mouse: grid, dot and speaker hit tests, the room and
// plane answers, hover, drag of an installed speaker, drops from the speaker
// list and the right button. A 10 x 8 room at height 3 seen from above at
// 50 pixels per unit: x -> T(50 x - 0.5) + 111, y -> T(-50 y - 0.5) + 445.

#include "MapMouseTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace mapmouse_test;

namespace {

CPoint Px(double x, double y)
{
    return CPoint(static_cast<int>(50.0 * x - 0.5) + 111, static_cast<int>(-50.0 * y - 0.5) + 445);
}

class MapMouse : public ::testing::Test {
protected:
    MapMouse() : scene(0)
    {
        CInstallationContainer& room = Doc().m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, 0.0);
        room.SetRoom(CInstallationContainer::kReferenceY0, 0.0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchX, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchY, 3.0);
        scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0);
        scene.Condition().SetViewAngles(0, 0, 0);
        scene.Condition().SetScale(0.05);
        scene.AddGraph();
        model = scene.AddModel(splcalc_test::SmallSpeaker());
        map = std::make_unique<CTestMap>(Doc());
        map->UpdateScrollSizes(FALSE);
    }
    CKDRDoc& Doc() { return *scene.doc; }
    LRESULT Send(unsigned message, CPoint logical, CKDRDoc* from = nullptr)
    {
        CPoint screen = map->Screen(logical);
        return map->OnMapMessage(message, DocParam(from ? *from : Doc()), reinterpret_cast<LPARAM>(&screen));
    }

    splcalc_test::Scene scene;
    std::unique_ptr<CTestMap> map;
    int model = -1;
};

TEST_F(MapMouse, ProjectionOfTheFixture)
{
    ASSERT_EQ(map->ProjectPoint(CPoint3D(2, 4, 3)), Px(2, 4));
    ASSERT_EQ(Px(2, 4), CPoint(210, 245));
}

TEST_F(MapMouse, RoomGridCellsIncludeTheNarrowLastColumnAndRow)
{
    double pos[3] = {};
    // Length 10 at pitch 3: four columns, the last from 9 to 10; its
    // nominal centre comes from the full pitch.
    ASSERT_TRUE(map->HitTestRoomGrid(Px(9.5, 1.0), pos));
    EXPECT_DOUBLE_EQ(pos[0], 10.5);
    EXPECT_DOUBLE_EQ(pos[1], 1.5);
    EXPECT_DOUBLE_EQ(pos[2], 3.0);
    // Width 8: three rows, the last from 6 to 8.
    ASSERT_TRUE(map->HitTestRoomGrid(Px(1.0, 7.9), pos));
    EXPECT_DOUBLE_EQ(pos[0], 1.5);
    EXPECT_DOUBLE_EQ(pos[1], 7.5);
    ASSERT_TRUE(map->HitTestRoomGrid(Px(4.0, 4.0), pos));
    EXPECT_DOUBLE_EQ(pos[0], 4.5);
    EXPECT_DOUBLE_EQ(pos[1], 4.5);
    EXPECT_FALSE(map->HitTestRoomGrid(Px(10.5, 4.0), pos));
    EXPECT_FALSE(map->HitTestRoomGrid(Px(4.0, -0.5), pos));

    // No grid without a positive pitch, nor for a grid of absurd size.
    Doc().m_installations.SetRoom(CInstallationContainer::kGridPitchY, 0.0);
    EXPECT_FALSE(map->HitTestRoomGrid(Px(4.0, 4.0), pos));
    Doc().m_installations.SetRoom(CInstallationContainer::kGridPitchY, 1e-9);
    EXPECT_FALSE(map->HitTestRoomGrid(Px(4.0, 4.0), pos));
}

TEST_F(MapMouse, PlaneDotsAndSpeakers)
{
    double pos[3] = {};
    ASSERT_TRUE(map->HitTestPlaneDot(Px(2.2, 3.7), pos));
    EXPECT_DOUBLE_EQ(pos[0], 2.5);
    EXPECT_DOUBLE_EQ(pos[1], 3.5);
    EXPECT_DOUBLE_EQ(pos[2], 1.2);
    EXPECT_FALSE(map->HitTestPlaneDot(Px(10.5, 3.7), pos));

    // Speakers at pixels (210, 245) and (212, 245): strictly within 4 pixels,
    // the earlier in the list wins.
    scene.Install(model, 2.0, 4.0, 3.0);
    scene.Install(model, 2.04, 4.0, 3.0);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(213, 245)), 0);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(214, 245)), 1);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(216, 245)), -1);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(207, 242)), 0);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(207, 241)), -1);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(206, 245)), -1);
    EXPECT_EQ(map->HitTestSpeaker(CPoint(210, 249)), -1);

    // A speaker far outside projects to where far points are pinned: still hit.
    scene.Install(model, 42949670.72, 4.0, 3.0);
    const CPoint far(map->ToDeviceX(42949670.72), 245);
    ASSERT_EQ(far.x, 1 << 24);
    EXPECT_EQ(map->HitTestSpeaker(far), 2);
}

TEST_F(MapMouse, RoomAndPlaneAnswersOnlyForTheOwnDocument)
{
    EXPECT_EQ(Send(WM_IS_POINT_IN_ROOM, Px(5, 4)), 1);
    EXPECT_EQ(Send(WM_IS_POINT_IN_ROOM, Px(10.5, 4)), 2);
    EXPECT_EQ(Send(WM_IS_POINT_IN_PLANE, Px(5, 4)), 1);
    EXPECT_EQ(Send(WM_IS_POINT_IN_PLANE, Px(5, 8.5)), 2);
    splcalc_test::Scene other;
    EXPECT_EQ(Send(WM_IS_POINT_IN_ROOM, Px(5, 4), other.doc.get()), 2);
    EXPECT_EQ(Send(WM_IS_POINT_IN_PLANE, Px(5, 4), other.doc.get()), 2);
    EXPECT_EQ(Send(WM_CAN_ACCEPT_DROP, Px(5, 4)), 0);  // the list's message, not the map's
    EXPECT_EQ(map->OnMapMessage(WM_IS_POINT_IN_ROOM, DocParam(Doc()), 0), 2);

    // A plane smaller than the room.
    scene.SetPlane(2, 2, 1.2, 3, 3, 0, 1.0);
    scene.Condition().SetViewAngles(0, 0, 0);
    scene.Condition().SetScale(0.05);
    map->UpdateScrollSizes(FALSE);
    EXPECT_EQ(map->IsLogicalPointInPlane(Px(3, 3)), 1);
    EXPECT_EQ(map->IsLogicalPointInPlane(Px(6, 3)), 2);
    EXPECT_EQ(map->IsLogicalPointInRoom(Px(6, 3)), 1);
}

TEST_F(MapMouse, HoverMakesTheSpeakerCurrentOnce)
{
    const int second = scene.AddModel(splcalc_test::SmallSpeaker());
    scene.Install(model, 2.0, 4.0, 3.0);
    scene.Install(second, 6.0, 4.0, 3.0);
    Doc().m_installations.SetCurrentIndex(0);
    Doc().m_models.SetCurrentIndex(model);
    CHints hints(Doc());

    EXPECT_EQ(map->OnMouseMove(Px(6, 4)), CColorMapViewCore::kCursorOverSpeaker);
    EXPECT_TRUE(map->IsOnSpeaker());
    EXPECT_EQ(Doc().m_installations.GetCurrentIndex(), 1);
    EXPECT_EQ(Doc().m_models.GetCurrentIndex(), second);
    const int redraws = map->redraws;
    EXPECT_GT(redraws, 0);
    ASSERT_FALSE(hints.hints.empty());
    EXPECT_EQ(hints.hints.front(), 2);
    // The speaker stands over the plane: the readout and the graphs follow.
    EXPECT_EQ(hints.hints.back(), 4);
    EXPECT_FALSE(map->GetCursorLevelText().empty());

    // The same speaker again: no hint 2 (only the readout follows).
    hints.hints.clear();
    map->OnMouseMove(Px(6, 4));
    EXPECT_EQ(hints.hints, (std::vector<long>{4}));

    // A speaker beside the plane: no readout; hovering it again neither
    // redraws nor sends hint 2.
    scene.Install(model, 11.0, 4.0, 3.0);
    hints.hints.clear();
    map->OnMouseMove(Px(11, 4));
    EXPECT_EQ(hints.hints, (std::vector<long>{2}));
    EXPECT_EQ(Doc().m_installations.GetCurrentIndex(), 2);
    const int again = map->redraws;
    map->OnMouseMove(Px(11, 4));
    EXPECT_EQ(map->redraws, again);
    EXPECT_EQ(hints.hints, (std::vector<long>{2}));

    // Off the speaker: the ordinary cursor.
    EXPECT_EQ(map->OnMouseMove(Px(10.5, 9)), CColorMapViewCore::kCursorArrow);
    EXPECT_FALSE(map->IsOnSpeaker());
}

TEST_F(MapMouse, NoReadoutWithoutInstallations)
{
    CHints hints(Doc());
    map->OnMouseMove(Px(5, 4));
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_TRUE(map->GetCursorLevelText().empty());
}

TEST_F(MapMouse, HoverOverAVerticalPlaneShowsTheReadout)
{
    scene.Install(model, 5.0, 4.0, 3.0);
    scene.SetPlane(0, 0, 0, 0, 8, 3, 1.0);  // the YZ wall at x = 0
    scene.Condition().SetViewAngles(45, 75, 0);
    scene.Condition().SetScale(0.05);
    map->UpdateScrollSizes(FALSE);
    const CPoint at = map->ProjectPoint(CPoint3D(0.0, 4.5, 1.5));
    ASSERT_EQ(map->IsLogicalPointInPlane(at), 1);
    CHints hints(Doc());
    map->OnMouseMove(at);
    EXPECT_FALSE(map->GetCursorLevelText().empty());
    EXPECT_EQ(hints.hints, (std::vector<long>{4}));
}

class MapDrag : public MapMouse {
protected:
    MapDrag()
    {
        scene.Install(model, 2.0, 4.0, 3.0, 10.0, 20.0, 30.0, 6.0, false);
        scene.Install(model, 8.0, 4.0, 3.0);
        Doc().m_installations.SetCurrentIndex(1);
        map->OnMouseMove(Px(2, 4));  // hover makes installation 0 current
        Doc().SetModifiedFlag(false);
    }
    CScriptedInstallationUi ui;
    CScriptedDocumentUi docUi;
};

TEST_F(MapDrag, DragToACellOpensTheDialogThereAndMoves)
{
    EXPECT_EQ(map->OnLButtonDown(Px(2, 4)), CColorMapViewCore::kCursorDragSpeaker);
    EXPECT_TRUE(map->IsDraggingSpeaker());
    EXPECT_FALSE(map->IsOnSpeaker());
    CHints hints(Doc());
    EXPECT_EQ(map->OnMouseMove(Px(9.5, 1)), CColorMapViewCore::kCursorDragSpeaker);
    EXPECT_TRUE(hints.hints.empty());

    map->OnLButtonUp(Px(9.5, 1));
    EXPECT_FALSE(map->IsDraggingSpeaker());
    ASSERT_EQ(ui.shown.size(), 1u);
    const CInstallationValues& v = ui.shown[0];
    EXPECT_DOUBLE_EQ(v.pos[0], 10.5);
    EXPECT_DOUBLE_EQ(v.pos[1], 1.5);
    EXPECT_DOUBLE_EQ(v.pos[2], 3.0);
    EXPECT_EQ((std::vector<double>(v.angles, v.angles + 3)), (std::vector<double>{10, 20, 30}));
    EXPECT_DOUBLE_EQ(v.power, 6.0);
    EXPECT_EQ(v.polarityNormal, FALSE);
    const CPoint3D& moved = Doc().m_installations.GetAt(0)->GetPosition();
    EXPECT_DOUBLE_EQ(moved.x, 10.5);
    EXPECT_DOUBLE_EQ(moved.y, 1.5);
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 4}));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MapDrag, CancelledMoveChangesNothing)
{
    ui.ok = false;
    map->OnLButtonDown(Px(2, 4));
    map->OnLButtonUp(Px(5, 5));
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_DOUBLE_EQ(Doc().m_installations.GetAt(0)->GetPosition().x, 2.0);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(map->IsDraggingSpeaker());
}

TEST_F(MapDrag, DropInTheRoomOffGridAndPlaneProposesTheOrigin)
{
    Doc().m_installations.SetRoom(CInstallationContainer::kGridPitchX, 0.0);
    scene.SetPlane(0, 0, 1.2, 1, 1, 0, 1.0);
    scene.Condition().SetViewAngles(0, 0, 0);
    scene.Condition().SetScale(0.05);
    map->OnLButtonDown(Px(2, 4));
    map->OnLButtonUp(Px(6, 6));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ((std::vector<double>(ui.shown[0].pos, ui.shown[0].pos + 3)), (std::vector<double>{0, 0, 0}));
}

TEST_F(MapDrag, DropOutsideRemovesAfterTheQuestion)
{
    docUi.answers = {IDCANCEL, IDOK};
    map->OnLButtonDown(Px(2, 4));
    map->OnLButtonUp(Px(12, 4));
    ASSERT_EQ(docUi.messages.size(), 1u);
    EXPECT_EQ(docUi.messages[0], "Are you sure you want to remove this speaker?");
    EXPECT_EQ(Doc().m_installations.GetCount(), 2);
    EXPECT_TRUE(Doc().IsModified());  // also after a cancelled removal

    map->OnMouseMove(Px(2, 4));
    map->OnLButtonDown(Px(2, 4));
    CHints hints(Doc());
    map->OnLButtonUp(Px(12, 4));
    ASSERT_EQ(Doc().m_installations.GetCount(), 1);
    EXPECT_DOUBLE_EQ(Doc().m_installations.GetAt(0)->GetPosition().x, 8.0);
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 4}));
}

TEST_F(MapDrag, ReleaseWithoutDragAndRightButton)
{
    map->OnLButtonUp(Px(12, 4));
    EXPECT_TRUE(docUi.messages.empty());
    EXPECT_TRUE(ui.shown.empty());

    EXPECT_EQ(map->OnRButtonDown(), CColorMapViewCore::kCursorRightOnSpeaker);
    EXPECT_EQ(map->OnRButtonUp(), CColorMapViewCore::kMenuInstallation);
    EXPECT_FALSE(map->IsOnSpeaker());
    EXPECT_EQ(map->OnRButtonDown(), -1);
    EXPECT_EQ(map->OnRButtonUp(), CColorMapViewCore::kMenuRoom);
}

TEST_F(MapDrag, DropOfANewSpeakerInstallsAtTheCellCentre)
{
    splcalc_test::Scene other;
    EXPECT_EQ(Send(WM_DROP_NEW_SPEAKER, Px(9.5, 1), other.doc.get()), 2);
    EXPECT_EQ(Send(WM_DROP_NEW_SPEAKER, Px(10.5, 1)), 2);  // outside the room
    EXPECT_TRUE(ui.shown.empty());

    ui.ok = false;
    EXPECT_EQ(Send(WM_DROP_NEW_SPEAKER, Px(9.5, 1)), 2);
    EXPECT_EQ(Doc().m_installations.GetCount(), 2);
    EXPECT_FALSE(Doc().IsModified());

    ui.ok = true;
    CHints hints(Doc());
    EXPECT_EQ(Send(WM_DROP_NEW_SPEAKER, Px(9.5, 1)), 1);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_DOUBLE_EQ(ui.shown[1].pos[0], 10.5);
    EXPECT_DOUBLE_EQ(ui.shown[1].pos[1], 1.5);
    EXPECT_EQ(Doc().m_installations.GetCount(), 3);
    EXPECT_EQ(hints.hints, (std::vector<long>{1, 2, 4}));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(MapDrag, MovedSpeakerMessageFromAnotherDocumentIsRefused)
{
    splcalc_test::Scene other;
    EXPECT_EQ(Send(WM_DROP_MOVED_SPEAKER, Px(5, 5), other.doc.get()), 2);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(Send(WM_DROP_MOVED_SPEAKER, Px(5, 5)), 1);
    EXPECT_DOUBLE_EQ(Doc().m_installations.GetAt(0)->GetPosition().x, 4.5);
}

}  // namespace
