#pragma once
// The "Speaker Data View" pane without its widgets: the rows of the speaker
// list (number and name of every imported model), which model is current,
// what a click, a drag and a right click do. The Qt half owns the list
// widget, turns mouse events into the calls below and shows the cursors and
// menus they answer.

#include "platform/GdiTypes.h"
#include "platform/RegisteredMessages.h"
#include "views/ListRowHitTest.h"
#include "views/ReportListControl.h"

class CDocument;
class CKDRDoc;

// Asks the window under the cursor during a drag from the speaker list.
class IDragTargetQuery {
public:
    virtual ~IDragTargetQuery() = default;
    // Sends a registered message to the window under the cursor with the
    // dragging document as wParam and, when withPoint is true, the cursor's
    // screen point as lParam (0 otherwise); returns the answer (0 from a
    // window that does not handle it).
    virtual long AskWindowUnderCursor(unsigned message, bool withPoint) = 0;
};

// Asks the window under a screen point through the registered messages.
class CWindowAtPointQuery : public IDragTargetQuery {
public:
    CWindowAtPointQuery(const CDocument* doc, CPoint screen) : m_doc(doc), m_screen(screen) {}
    long AskWindowUnderCursor(unsigned message, bool withPoint) override;

private:
    const CDocument* m_doc;
    CPoint m_screen;
};

class CSpeakerDataList {
public:
    static constexpr int kControlId = 1028;
    // Registered messages of a speaker drag (WM_USER + 6, + 8, + 9).
    static constexpr unsigned kMsgDropNewSpeaker = WM_DROP_NEW_SPEAKER;
    static constexpr unsigned kMsgAcceptsDrop = WM_CAN_ACCEPT_DROP;
    static constexpr unsigned kMsgIsPointInRoom = WM_IS_POINT_IN_ROOM;
    // Cursors: hover over the rows, a drop here installs, a drop here does
    // nothing; kCursorDefault leaves the ordinary cursor.
    enum : int { kCursorDefault = 0, kCursorSpeaker = 131, kCursorDrop = 133, kCursorNoDrop = 134 };
    // Pop-up menus: the ordinary one and the developer's (with "Export zx1...").
    enum : int { kMenuNone = 0, kMenuSpeaker = 138, kMenuSpeakerDeveloper = 146 };
    // Column widths of "No" and "Speaker Name".
    static constexpr int kNumberColumnWidth = 27;
    static constexpr int kNameColumnWidth = 150;

    // doc may be nullptr (an empty list).
    CSpeakerDataList(CKDRDoc* doc, IReportListControl& list);
    CSpeakerDataList(const CSpeakerDataList&) = delete;
    CSpeakerDataList& operator=(const CSpeakerDataList&) = delete;

    CKDRDoc* GetDocument() const { return m_doc; }

    // The two columns, then the rows.
    void OnInitialUpdate();
    // One row per model: "No" = its number from 1, then its name followed by
    // its name suffix; the current model's row selected and scrolled into view.
    void FillList();
    // Hint 3 refills; every other hint is ignored.
    void OnUpdate(long hint);

    struct CButtonDownResult {
        bool capture = false;  // a drag begins: the list captures the mouse
        int cursor = kCursorDefault;
    };
    // A press at (x, y) of the list's client area (header included). On a
    // row: that model becomes current, the drag state and the SPL maps and
    // tap lists follow. Elsewhere the current row is selected again.
    CButtonDownResult OnLButtonDown(const CListRowGeometry& g, int x, int y);
    // A row chosen other than by a press (the keyboard's highlight, a right
    // click): as a press on it, without a drag.
    void ChooseRow(int row);
    // The cursor for a move to (x, y); dragging is true while the list holds
    // the mouse capture. runDefault is false when the move is to be ignored
    // altogether (nothing may be drag-installed).
    int OnMouseMove(const CListRowGeometry& g, int x, int y, bool dragging, IDragTargetQuery& query,
                    bool& runDefault);
    // A release at the screen point: while the current model may be
    // installed, the drop message goes to the window under the point (its
    // answer is not used); returns whether it was sent.
    bool OnLButtonUp(CPoint screen);
    // A right click at (x, y) of the client area: on a row that model is
    // chosen (as by ChooseRow) and the menu to open is returned; outside the
    // rows the current row is selected again and kMenuNone returned.
    // developerId is the application's DeveloperID setting.
    int OnContextMenu(const CListRowGeometry& g, int x, int y, int developerId);
    // After the pop-up menu closed (its command may have run).
    void AfterContextMenu();

private:
    void SelectCurrentRow();

    CKDRDoc* m_doc;
    IReportListControl& m_list;
};
