// The SPL map pane's mouse in a project window: the drag messages reach the
// panes under a screen point; hover, right button and a drag on the canvas.

#include "MapMouseQtFixture.h"

#include "views/qt/StdSPDataListView.h"

using namespace mapmouse_qt_test;

namespace {

// The map's pop-up menus recorded for the length of a test.
class MapMouseQt : public MapMouseQtTest {
protected:
    void SetUp() override
    {
        MapMouseQtTest::SetUp();
        CColorMapView::SetPopupRunner(&RecordMenu);
    }
    void TearDown() override
    {
        CColorMapView::SetPopupRunner(nullptr);
        MapMouseQtTest::TearDown();
    }
};

}  // namespace

TEST_F(MapMouseQt, DragMessagesReachThePanesUnderThePoint)
{
    CInstallationContainerListCtrl* ctrl = list->GetListCtrl();
    const QPoint listCentre = ctrl->viewport()->mapToGlobal(ctrl->viewport()->rect().center());
    CKDRDoc other;
    CPoint screen(listCentre.x(), listCentre.y());
    EXPECT_EQ(SendMessageToWindowAt(screen, WM_CAN_ACCEPT_DROP, Param(doc), 0), 1);
    EXPECT_EQ(SendMessageToWindowAt(screen, WM_CAN_ACCEPT_DROP, Param(&other), 0), 0);
    EXPECT_EQ(SendMessageToWindowAt(screen, WM_DROP_NEW_SPEAKER, Param(&other), reinterpret_cast<LPARAM>(&screen)),
              2);

    const CInstallationContainer& room = doc->m_installations;
    const CPoint3D centre(room.GetRoom(CInstallationContainer::kReferenceX0) +
                              room.GetRoom(CInstallationContainer::kRoomLengthX) / 2.0,
                          room.GetRoom(CInstallationContainer::kReferenceY0) +
                              room.GetRoom(CInstallationContainer::kRoomWidthY) / 2.0,
                          room.GetRoom(CInstallationContainer::kRoomHeight));
    const QPoint inRoom = MapScreenPoint(centre);
    CPoint mapPoint(inRoom.x(), inRoom.y());
    EXPECT_EQ(SendMessageToWindowAt(mapPoint, WM_IS_POINT_IN_ROOM, Param(doc), reinterpret_cast<LPARAM>(&mapPoint)),
              1);
    EXPECT_EQ(
        SendMessageToWindowAt(mapPoint, WM_IS_POINT_IN_ROOM, Param(&other), reinterpret_cast<LPARAM>(&mapPoint)), 2);
    EXPECT_EQ(SendMessageToWindowAt(mapPoint, WM_CAN_ACCEPT_DROP, Param(doc), 0), 0);
}

TEST_F(MapMouseQt, HoverAndRightButtonOnTheCanvas)
{
    AddModelAndInstall(2.0, 2.0);
    AddModelAndInstall(4.0, 2.0);
    doc->m_installations.SetCurrentIndex(1);
    QWidget* canvas = map->GetCanvas();
    const QPoint global = MapScreenPoint(CPoint3D(2.0, 2.0, doc->m_installations.GetRoom(
                                                                 CInstallationContainer::kRoomHeight)));
    const QPoint local = canvas->mapFromGlobal(global);

    SendMouse(canvas, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(doc->m_installations.GetCurrentIndex(), 0);
    EXPECT_EQ(canvas->cursor().pixmap().toImage(), LoadProgramCursor(131).pixmap().toImage());
    // Hint 2 reached the list.
    EXPECT_EQ(list->GetListCtrl()->GetSelectedRow(), 0);

    SendMouse(canvas, QEvent::MouseButtonPress, local, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(canvas->cursor().pixmap().toImage(), LoadProgramCursor(132).pixmap().toImage());
    SendMouse(canvas, QEvent::MouseButtonRelease, local, Qt::RightButton, Qt::NoButton);
    SendMouse(canvas, QEvent::MouseButtonRelease, local, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Menus(), (std::vector<unsigned>{136, 137}));

    // A left press on the speaker starts a drag: cursor 133.
    SendMouse(canvas, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
    SendMouse(canvas, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(map->IsDraggingSpeaker());
    EXPECT_EQ(canvas->cursor().pixmap().toImage(), LoadProgramCursor(133).pixmap().toImage());
    // Released on the same cell: the (cancelled) dialog leaves it in place.
    SendMouse(canvas, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(map->IsDraggingSpeaker());
    EXPECT_EQ(doc->m_installations.GetCount(), 2);
}

TEST_F(MapMouseQt, SpeakerDraggedFromTheListAsksTheMapAndOpensTheInstallationDialog)
{
    AddModelAndInstall(2.0, 2.0);
    doc->m_installations.RemoveAll();
    doc->m_nDragInstallState = 2;
    doc->UpdateAllViews(nullptr, kHintSpeakerList);
    auto* speakers = dynamic_cast<CStdSPDataListView*>(child->GetPane(PaneKind::SpeakerData));
    ASSERT_NE(speakers, nullptr);
    CStdSPDataListListCtrl* source = speakers->GetListCtrl();
    QWidget* viewport = source->viewport();

    // A point inside the room's first grid cell.
    const CInstallationContainer& room = doc->m_installations;
    const double x0 = room.GetRoom(CInstallationContainer::kReferenceX0);
    const double y0 = room.GetRoom(CInstallationContainer::kReferenceY0);
    const double px = room.GetRoom(CInstallationContainer::kGridPitchX);
    const double py = room.GetRoom(CInstallationContainer::kGridPitchY);
    const QPoint target = MapScreenPoint(
        CPoint3D(x0 + 0.5 * px, y0 + 0.5 * py, room.GetRoom(CInstallationContainer::kRoomHeight)));

    const QPoint row = source->RowPoint(0);
    SendMouse(viewport, QEvent::MouseButtonPress, row, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(source->IsDragging());
    const QPoint over = viewport->mapFromGlobal(target);
    SendMouse(viewport, QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    // The map answered "in the room": the drop cursor.
    EXPECT_EQ(viewport->cursor().pixmap().toImage(), LoadProgramCursor(133).pixmap().toImage());
    runner.ran.clear();
    SendMouse(viewport, QEvent::MouseButtonRelease, over, Qt::LeftButton, Qt::NoButton);
    // The map ran the installation dialog ("Properties for Installation",
    // cancelled here): nothing installed.
    EXPECT_EQ(runner.ran, (std::vector<unsigned>{158}));
    EXPECT_EQ(doc->m_installations.GetCount(), 0);
}
