// The speaker-data list and the tap list: rows, hit test, clicks, the drag
// cursors and the pop-up menu choice.

#include "ListsTestSupport.h"

#include "views/ListRowHitTest.h"

#include <gtest/gtest.h>

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
    const CListRowGeometry g = Geometry(3);
    EXPECT_EQ(HitTestListRow(g, 5, 20), -1);  // the header
    EXPECT_EQ(HitTestListRow(g, 5, 21), 0);
    EXPECT_EQ(HitTestListRow(g, 5, 40), 0);
    EXPECT_EQ(HitTestListRow(g, 5, 41), 1);
    EXPECT_EQ(HitTestListRow(g, 5, 80), 2);
    EXPECT_EQ(HitTestListRow(g, 5, 81), -1);  // below the last row
    EXPECT_FALSE(IsPointInRows(g, 5, 81));
    EXPECT_TRUE(IsPointInRows(g, 177, 80));
    EXPECT_EQ(HitTestListRow(g, 178, 30), -1);  // right of the columns

    const CListRowGeometry scrolled = Geometry(10, 4, 30);
    EXPECT_EQ(HitTestListRow(scrolled, 5, 21), 4);
    EXPECT_EQ(HitTestListRow(scrolled, 5, 140), 9);
    EXPECT_EQ(HitTestListRow(scrolled, 5, 141), -1);
    EXPECT_EQ(HitTestListRow(scrolled, 147, 30), 4);
    EXPECT_EQ(HitTestListRow(scrolled, 148, 30), -1);

    EXPECT_EQ(HitTestListRow(Geometry(0), 5, 30), -1);
    CListRowGeometry empty;
    EXPECT_EQ(HitTestListRow(empty, 0, 0), -1);
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

class ListViewsTest : public ::testing::Test {
protected:
    ListViewsTest() : scoped(&ui) {}

    void Import(const std::string& name, int pitch, const std::vector<std::string>& taps)
    {
        ui.path = WriteTempFile(name + ".zsb", StdSpeakerZsb(name, pitch, taps));
        doc.OnSpeakerImport();
    }
    CColorMapCondition* AddMapCondition(double band)
    {
        CListeningPlane plane;
        return doc.m_colorMapConditions.AddNew(1000.0, band, 0, 100, 100, 0, 0, 0, 0, 1.0, plane, 0, 0, 0);
    }

    CFakeDocumentUi ui;
    CScopedDocumentUi scoped;
    CKDRDoc doc;
};

TEST_F(ListViewsTest, EmptyDocumentGivesEmptyLists)
{
    CSpeakerListPane speakers(doc);
    CTapListPane taps(doc);
    EXPECT_EQ(speakers.list.GetItemCount(), 0);
    EXPECT_EQ(taps.list.GetItemCount(), 0);
    // Clicks on an empty list do nothing.
    EXPECT_FALSE(speakers.logic.OnLButtonDown(Geometry(0), 5, 30).capture);
    taps.logic.OnLButtonDown(Geometry(0), 5, 30);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(0), 5, 30, 0), CSpeakerDataList::kMenuNone);
}

TEST_F(ListViewsTest, ListsRefillOnlyOnTheirOwnHint)
{
    CSpeakerListPane speakers(doc);
    CTapListPane taps(doc);
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
    CTapListPane taps(doc);
    Import("Mixed", 3, {"h,100,10", "h,70.7,2.5", "l,16,120", "h,100,0.125"});
    ASSERT_EQ(taps.list.GetItemCount(), 4);
    EXPECT_EQ(taps.list.Text(0, 1), "100V Line  10W");
    EXPECT_EQ(taps.list.Text(1, 1), "70.7V Line  2.5W");
    EXPECT_EQ(taps.list.Text(2, 1), "16ohms  120W");
    EXPECT_EQ(taps.list.Text(3, 1), "100V Line  0.125W");
    EXPECT_EQ(taps.list.Text(3, 0), "4");
    EXPECT_EQ(taps.list.selected, 0);
}

TEST_F(ListViewsTest, ModelWithoutTapsGivesEmptyTapList)
{
    CTapListPane taps(doc);
    Import("No taps", 3, {});
    EXPECT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(taps.list.GetItemCount(), 0);
}

TEST_F(ListViewsTest, TapClickMakesTheTapCurrentWithoutHintOrModifiedFlag)
{
    CTapListPane taps(doc);
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
    taps.list.selected = -1;
    taps.logic.OnLButtonDown(Geometry(3), 10, 81);
    EXPECT_EQ(taps.list.selected, 2);
    taps.list.selected = -1;
    taps.logic.OnLButtonDown(Geometry(3), 200, 30);
    EXPECT_EQ(taps.list.selected, 2);
    EXPECT_EQ(doc.m_models.GetCurrent()->GetCurrentTap(), 2);
}

TEST_F(ListViewsTest, CurrentTapBelongsToItsModel)
{
    CSpeakerListPane speakers(doc);
    CTapListPane taps(doc);
    Import("A", 3, {"h,100,10", "h,70,5"});
    Import("B", 3, {"h,100,20", "h,70,10", "h,50,5"});
    speakers.logic.OnLButtonDown(Geometry(2), 10, 30);  // model A
    taps.logic.OnLButtonDown(Geometry(2), 10, 45);      // its tap 2
    speakers.logic.OnLButtonDown(Geometry(2), 10, 45);  // model B
    EXPECT_EQ(taps.list.GetItemCount(), 3);
    EXPECT_EQ(taps.list.selected, 0);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 30);  // model A again
    EXPECT_EQ(taps.list.GetItemCount(), 2);
    EXPECT_EQ(taps.list.selected, 1);
}

TEST_F(ListViewsTest, ClickOnARowMakesItsModelCurrentAndStartsADrag)
{
    CSpeakerListPane speakers(doc);
    CTapListPane taps(doc);
    Import("A", 3, {"h,100,10"});
    Import("B", 3, {"h,100,10", "h,70,5"});
    const int tapFills = taps.fills;
    const auto result = speakers.logic.OnLButtonDown(Geometry(2), 10, 30);
    EXPECT_TRUE(result.capture);
    EXPECT_EQ(result.cursor, CSpeakerDataList::kCursorDrop);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(speakers.list.selected, 0);
    EXPECT_EQ(taps.fills, tapFills + 1);
    EXPECT_EQ(taps.list.GetItemCount(), 1);
}

TEST_F(ListViewsTest, ClickBelowTheLastRowOnlyReselectsTheCurrentModel)
{
    CSpeakerListPane speakers(doc);
    Import("A", 3, {"h,100,10"});
    Import("B", 3, {"h,100,10"});
    speakers.list.selected = -1;
    const auto result = speakers.logic.OnLButtonDown(Geometry(2), 10, 61);
    EXPECT_FALSE(result.capture);
    EXPECT_EQ(speakers.list.selected, 1);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 1);
}

TEST_F(ListViewsTest, WithOneModelAClickComparesTheMapBandWithThePitch)
{
    CFakeMapView map(doc);
    CSpeakerListPane speakers(doc);
    CColorMapCondition* condition = AddMapCondition(3.0);
    Import("Only", 24, {"h,100,10"});
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(1), 10, 30);
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});  // band 3 against pitch 24

    condition->SetBandFraction(24.0);
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(1), 10, 30);
    EXPECT_TRUE(map.calls.empty());
}

TEST_F(ListViewsTest, WithTwoModelsAClickComparesThePitches)
{
    CFakeMapView map(doc);
    CSpeakerListPane speakers(doc);
    AddMapCondition(3.0);
    Import("A", 3, {"h,100,10"});
    Import("B", 3, {"h,100,10"});
    Import("C", 1, {"h,100,10"});
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(3), 10, 30);  // C -> A: pitch 1 against 3
    EXPECT_EQ(map.calls, std::vector<std::string>{"Update(0,1)"});
    map.calls.clear();
    speakers.logic.OnLButtonDown(Geometry(3), 10, 45);  // A -> B, same pitch
    EXPECT_TRUE(map.calls.empty());
}

TEST_F(ListViewsTest, ClickRecomputesTheDragStateOnlyWithInstallations)
{
    CSpeakerListPane speakers(doc);
    Import("Pitch 3", 3, {"h,100,10"});
    Import("Pitch 1", 1, {"h,100,10"});
    ASSERT_EQ(doc.m_nDragInstallState, 2);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 45);
    EXPECT_EQ(doc.m_nDragInstallState, 2);  // no installation: unchanged

    doc.m_installations.AddInstallation(0, 0, 1, 1, 3, 0, 0, 0, 10.0, TRUE);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 45);
    EXPECT_EQ(doc.m_nDragInstallState, 0);
    speakers.logic.OnLButtonDown(Geometry(2), 10, 30);
    EXPECT_EQ(doc.m_nDragInstallState, 2);
}

TEST_F(ListViewsTest, MouseMoveCursorsFollowTheWindowsUnderTheCursor)
{
    CSpeakerListPane speakers(doc);
    Import("A", 3, {"h,100,10"});
    Import("B", 3, {"h,100,10"});
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
}

TEST_F(ListViewsTest, WithDragStateZeroNothingHappensOnMoveAndRelease)
{
    CSpeakerListPane speakers(doc);
    Import("A", 3, {"h,100,10"});
    doc.m_nDragInstallState = 0;
    CFakeQuery query;
    query.answers[0x409] = 1;
    bool runDefault = true;
    EXPECT_EQ(speakers.logic.OnMouseMove(Geometry(1), 10, 30, true, query, runDefault), 0);
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
    CSpeakerListPane speakers(doc);
    Import("A", 3, {"h,100,10"});
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

TEST_F(ListViewsTest, RightClickMakesTheModelCurrentWithoutMovingTheHighlight)
{
    CSpeakerListPane speakers(doc);
    Import("A", 3, {"h,100,10"});
    Import("B", 1, {"h,100,10"});
    ASSERT_EQ(speakers.list.selected, 1);
    const int selects = speakers.list.selectCalls;
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(2), 10, 30, 0), 138);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(speakers.list.selected, 1);
    EXPECT_EQ(speakers.list.selectCalls, selects);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(2), 10, 45, 1), 146);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 1);

    // Outside the rows: only the current row is selected again.
    doc.m_models.SetCurrentIndex(0);
    EXPECT_EQ(speakers.logic.OnContextMenu(Geometry(2), 10, 70, 1), 0);
    EXPECT_EQ(speakers.list.selected, 0);

    // After the menu the drag state follows the model made current.
    doc.m_installations.AddInstallation(1, 0, 1, 1, 3, 0, 0, 0, 10.0, TRUE);
    speakers.logic.AfterContextMenu();
    EXPECT_EQ(doc.m_nDragInstallState, 0);
}

}  // namespace
