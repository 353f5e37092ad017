// The speaker-data list and the tap list: rows, hit test, clicks, the drag
// cursors and the pop-up menu choice.

#include "ListsTestSupport.h"

#include "views/ListRowHitTest.h"

#include <map>

namespace {

// Row height 20 and width 177; the header counts as one row, so row k lies
// under client y in ((k - top + 1) * 20, (k - top + 2) * 20].
CListRowGeometry Geometry(int rows, int top = 0, int scrollX = 0)
{
    CListRowGeometry g;
    g.rowHeight = 20;
    g.rowWidth = 177;
    g.topRow = top;
    g.scrollX = scrollX;
    g.rowCount = rows;
    return g;
}

TEST(ListRowHitTest, RowsFollowTheHeaderRowAndTheScrollPosition)
{
    struct Case {
        CListRowGeometry g;
        int x, y, row;
    };
    const CListRowGeometry three = Geometry(3), scrolled = Geometry(10, 4, 30);
    const Case cases[] = {
        {three, 5, 20, -1},  // the header
        {three, 5, 21, 0},          {three, 5, 40, 0},          {three, 5, 41, 1},
        {three, 5, 80, 2},          {three, 177, 80, 2},
        {three, 5, 81, -1},  // below the last row
        {three, 178, 30, -1},  // right of the columns
        {scrolled, 5, 21, 4},       {scrolled, 5, 140, 9},      {scrolled, 5, 141, -1},
        {scrolled, 147, 30, 4},     {scrolled, 148, 30, -1},    {Geometry(0), 5, 30, -1},
        {CListRowGeometry(), 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "top " << c.g.topRow << " at " << c.x << "," << c.y);
        EXPECT_EQ(HitTestListRow(c.g, c.x, c.y), c.row);
    }
    EXPECT_FALSE(IsPointInRows(three, 5, 81));
    EXPECT_TRUE(IsPointInRows(three, 177, 80));
}

// Answers of the windows under the cursor, by message.
class CFakeQuery : public IDragTargetQuery {
public:
    long AskWindowUnderCursor(unsigned message, bool withPoint) override
    {
        asked.push_back(message);
        withPoints.push_back(withPoint);
        auto it = answers.find(message);
        return it == answers.end() ? 0 : it->second;
    }
    std::map<unsigned, long> answers;
    std::vector<unsigned> asked;
    std::vector<bool> withPoints;
};

class ListViewsTest : public ListsTest {
protected:
    CSpeakerListPane speakers{doc};
    CTapListPane taps{doc};
};

TEST_F(ListViewsTest, ListsAreEmptyAndRefillOnlyOnTheirOwnHint)
{
    EXPECT_EQ(speakers.list.GetItemCount(), 0);
    EXPECT_EQ(taps.list.GetItemCount(), 0);
    // Clicks on an empty list do nothing.
    EXPECT_FALSE(speakers.logic.OnLButtonDown(Geometry(0), 5, 30).capture);
    taps.logic.OnLButtonDown(Geometry(0), 5, 30);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(0), 5, 30, 0), CSpeakerDataList::kMenuNone);

    doc.m_models.Add(std::make_unique<CArrangeableModel>(1.0));
    doc.m_models.GetAt(0)->GetHeader().SetName("Added");
    for (long hint : {1L, 2L, 4L, 5L})
        doc.UpdateAllViews(nullptr, hint);
    EXPECT_EQ(speakers.list.GetItemCount(), 0);
    doc.UpdateAllViews(nullptr, 3);
    ASSERT_EQ(speakers.list.GetItemCount(), 1);
    EXPECT_EQ(speakers.list.Text(0, 1), "Added");
}

TEST_F(ListViewsTest, TapListShowsUnitsWithoutBlankAfterTheNumber)
{
    Import("Mixed", 3, {"h,100,10", "h,70.7,2.5", "l,16,120", "h,100,0.125"});
    ASSERT_EQ(taps.list.GetItemCount(), 4);
    EXPECT_EQ(taps.list.Text(0, 1), "100V Line  10W");
    EXPECT_EQ(taps.list.Text(1, 1), "70.7V Line  2.5W");
    EXPECT_EQ(taps.list.Text(2, 1), "16ohms  120W");
    EXPECT_EQ(taps.list.Text(3, 1), "100V Line  0.125W");
    EXPECT_EQ(taps.list.Text(3, 0), "4");
    EXPECT_EQ(taps.list.selected, 0);

    Import("No taps", 3, {});
    EXPECT_EQ(doc.m_models.GetCount(), 2);
    EXPECT_EQ(taps.list.GetItemCount(), 0);
}

TEST_F(ListViewsTest, TapClickMakesTheTapCurrentWithoutHintOrModifiedFlag)
{
    Import("A", 3, {"h,100,10", "h,70,5", "h,50,2.5"});
    doc.SetModifiedFlag(false);
    CHintRecorder hints(doc);
    taps.logic.OnLButtonDown(Geometry(3), 10, 65);  // row 2
    EXPECT_EQ(doc.m_models.GetCurrent()->GetCurrentTap(), 2);
    EXPECT_EQ(taps.list.selected, 2);
    EXPECT_TRUE(hints.hints.empty());
    EXPECT_FALSE(doc.IsModified());

    // Below the last row and right of the columns: the current tap's row is
    // selected again.
    for (const auto& [x, y] : {std::pair{10, 81}, std::pair{200, 30}}) {
        taps.list.selected = -1;
        taps.logic.OnLButtonDown(Geometry(3), x, y);
        EXPECT_EQ(taps.list.selected, 2);
    }
    EXPECT_EQ(doc.m_models.GetCurrent()->GetCurrentTap(), 2);
}

TEST_F(ListViewsTest, ClickOnARowMakesItsModelCurrentAndItsTapsShow)
{
    Import("A", 3, {"h,100,10", "h,70,5"});
    Import("B", 3, {"h,100,20", "h,70,10", "h,50,5"});
    const int tapFills = taps.fills;
    const auto result = speakers.logic.OnLButtonDown(Geometry(2), 10, 30);  // model A
    EXPECT_TRUE(result.capture);
    EXPECT_EQ(result.cursor, CSpeakerDataList::kCursorDrop);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(speakers.list.selected, 0);
    EXPECT_EQ(taps.fills, tapFills + 1);
    EXPECT_EQ(taps.list.GetItemCount(), 2);

    // The current tap belongs to its model.
    taps.logic.OnLButtonDown(Geometry(2), 10, 45);      // A's tap 2
    speakers.logic.OnLButtonDown(Geometry(2), 10, 45);  // model B
    EXPECT_EQ(taps.list.GetItemCount(), 3);
    EXPECT_EQ(taps.list.selected, 0);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 30);  // model A again
    EXPECT_EQ(taps.list.GetItemCount(), 2);
    EXPECT_EQ(taps.list.selected, 1);

    // Below the last row only the current model is selected again.
    speakers.list.selected = -1;
    EXPECT_FALSE(speakers.logic.OnLButtonDown(Geometry(2), 10, 61).capture);
    EXPECT_EQ(speakers.list.selected, 0);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
}

TEST_F(ListViewsTest, AClickComparesThePitchesForTheMapControls)
{
    CFakeMapView map(doc);
    CListeningPlane plane;
    CColorMapCondition* condition =
        doc.m_colorMapConditions.AddNew(1000.0, 3.0, 0, 100, 100, 0, 0, 0, 0, 1.0, plane, 0, 0, 0);
    // With one model: the map's band against the pitch.
    Import("Only", 24);
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(1), 10, 30);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});  // band 3 against pitch 24
    condition->SetBandFraction(24.0);
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(1), 10, 30);
    EXPECT_TRUE(map.calls.empty());

    // With more: the pitch of the model left against the one clicked.
    Import("B", 24);
    Import("C", 1);
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(3), 10, 30);  // C -> Only: pitch 1 against 24
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(3), 10, 45);  // Only -> B, same pitch
    EXPECT_TRUE(map.calls.empty());
}

TEST_F(ListViewsTest, ClickRecomputesTheDragStateOnlyWithInstallations)
{
    Import("Pitch 3", 3);
    Import("Pitch 1", 1);
    ASSERT_EQ(doc.m_nDragInstallState, 2);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 45);
    EXPECT_EQ(doc.m_nDragInstallState, 2);  // no installation: unchanged

    Install(0, 10.0);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 45);
    EXPECT_EQ(doc.m_nDragInstallState, 0);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 30);
    EXPECT_EQ(doc.m_nDragInstallState, 2);
}

TEST_F(ListViewsTest, MouseMoveCursorsFollowTheWindowsUnderTheCursor)
{
    Import("A", 3);
    Import("B", 3);
    const CListRowGeometry g = Geometry(2);
    bool runDefault = false;

    CFakeQuery room;
    room.answers[0x409] = 1;
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 30, true, room, runDefault), 133);
    EXPECT_TRUE(runDefault);
    EXPECT_EQ(room.asked, std::vector<unsigned>{0x409});
    EXPECT_EQ(room.withPoints, std::vector<bool>{true});

    CFakeQuery list;
    list.answers[0x408] = 1;
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 30, true, list, runDefault), 133);
    EXPECT_EQ(list.asked, (std::vector<unsigned>{0x409, 0x408}));
    EXPECT_EQ(list.withPoints, (std::vector<bool>{true, false}));

    CFakeQuery nothing;
    nothing.answers[0x409] = 2;  // outside the room
    // Dragging: the drop cursor over the current model's row only.
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 45, true, nothing, runDefault), 133);
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 30, true, nothing, runDefault), 134);
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 500, true, nothing, runDefault), 134);
    // Not dragging: the speaker cursor over the rows, the ordinary one below.
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 30, false, nothing, runDefault), 131);
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 61, false, nothing, runDefault), 0);

    // With drag state 0 nothing happens on move and release.
    doc.m_nDragInstallState = 0;
    CFakeQuery query;
    query.answers[0x409] = 1;
    runDefault = true;
    EXPECT_EQ(speakers.logic.OnMouseMove(g, 10, 30, true, query, runDefault), 0);
    EXPECT_FALSE(runDefault);
    EXPECT_TRUE(query.asked.empty());
    EXPECT_FALSE(speakers.logic.OnLButtonUp(CPoint(5, 5)));
    doc.m_nDragInstallState = 2;
    EXPECT_TRUE(speakers.logic.OnLButtonUp(CPoint(5, 5)));
}

// A window that records the registered messages it gets.
class CRecordingTarget : public IMessageTarget {
public:
    LRESULT OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        documents.push_back(wParam);
        points.push_back(lParam ? *reinterpret_cast<const CPoint*>(lParam) : CPoint(-1, -1));
        return message == WM_IS_POINT_IN_ROOM ? 2 : 0;
    }
    std::vector<unsigned> messages;
    std::vector<WPARAM> documents;
    std::vector<CPoint> points;
};

class CSingleWindowLocator : public IWindowLocator {
public:
    explicit CSingleWindowLocator(IMessageTarget* target) : m_target(target) { SetWindowLocator(this); }
    ~CSingleWindowLocator() override { SetWindowLocator(nullptr); }
    IMessageTarget* WindowFromPoint(CPoint screen) override
    {
        asked.push_back(screen);
        return m_target;
    }
    bool IsMouseCaptured() const override { return false; }
    std::vector<CPoint> asked;

private:
    IMessageTarget* m_target;
};

TEST_F(ListViewsTest, DragMessagesCarryTheDocumentAndTheScreenPoint)
{
    Import("A", 3);
    CRecordingTarget target;
    CSingleWindowLocator locator(&target);
    const WPARAM docParam = reinterpret_cast<WPARAM>(static_cast<CDocument*>(&doc));

    CWindowAtPointQuery query(&doc, CPoint(300, 200));
    bool runDefault = false;
    EXPECT_EQ(speakers.logic.OnMouseMove(Geometry(1), 10, 30, true, query, runDefault), 133);
    ASSERT_EQ(target.messages, (std::vector<unsigned>{0x409, 0x408}));
    EXPECT_EQ(target.documents, (std::vector<WPARAM>{docParam, docParam}));
    EXPECT_EQ(target.points[0], CPoint(300, 200));
    EXPECT_EQ(target.points[1], CPoint(-1, -1));  // +8 carries no point

    EXPECT_TRUE(speakers.logic.OnLButtonUp(CPoint(310, 220)));
    ASSERT_EQ(target.messages.size(), 3u);
    EXPECT_EQ(target.messages[2], 0x406u);
    EXPECT_EQ(target.documents[2], docParam);
    EXPECT_EQ(target.points[2], CPoint(310, 220));
    EXPECT_EQ(locator.asked.back(), CPoint(310, 220));
}

TEST_F(ListViewsTest, RightClickMakesTheModelCurrentAndHighlightsIt)
{
    Import("A", 3);
    Import("B", 1);
    ASSERT_EQ(speakers.list.selected, 1);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(2), 10, 30, 0), 138);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(speakers.list.selected, 0);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(2), 10, 45, 1), 146);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 1);

    // Outside the rows: only the current row is selected again.
    doc.m_models.SetCurrentIndex(0);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(2), 10, 70, 1), 0);
    EXPECT_EQ(speakers.list.selected, 0);

    // After the menu the drag state follows the model made current.
    Install(1, 10.0);
    speakers.logic.AfterContextMenu();
    EXPECT_EQ(doc.m_nDragInstallState, 0);
}

}  // namespace
