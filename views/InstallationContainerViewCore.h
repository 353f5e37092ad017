#pragma once
// The "Installation Info View" pane without its widgets: one row per
// installed speaker (number, speaker name, position and, in Advanced Mode,
// angles, power and polarity), the current installation's row selected, what
// a click and a right click on the rows do, and the answers to a speaker
// dragged from the speaker list. The pane never changes installations
// itself: the current one is the document's, installing goes through the
// document's InstallSpeakerAt.

#include "platform/GdiTypes.h"
#include "platform/RegisteredMessages.h"
#include "views/ListRowHitTest.h"
#include "views/ReportListControl.h"

#include <string>

class CInstallationElement;
class CKDRDoc;

// The report list of the pane: a report list whose trailing columns can be
// removed again.
class IInstallationListControl : public IReportListControl {
public:
    // Removes column (and its heading); a column that does not exist is no error.
    virtual void DeleteColumn(int column) = 0;
    virtual int GetColumnCount() const = 0;
};

class CInstallationContainerViewCore {
public:
    static constexpr int kControlId = 1029;
    static constexpr int kColumnCount = 10;
    // Columns 0-4 always, 5-9 only in Advanced Mode.
    static constexpr int kBasicColumns = 5;
    static const int kColumnWidths[kColumnCount];
    // The pop-up menu of an installation ("Remove...", "Properties...").
    static constexpr unsigned kMenuInstallation = 136;

    // doc may be nullptr (an empty list that answers no drop).
    CInstallationContainerViewCore(CKDRDoc* doc, IInstallationListControl& list);
    CInstallationContainerViewCore(const CInstallationContainerViewCore&) = delete;
    CInstallationContainerViewCore& operator=(const CInstallationContainerViewCore&) = delete;

    CKDRDoc* GetDocument() const { return m_doc; }

    // Columns 0-4, then the rows.
    void OnInitialUpdate();
    // Hint 2 refills; every other hint is ignored.
    void OnUpdate(long hint);
    // Columns 5-9 as Advanced Mode says, then one row per installation; the
    // current installation's row selected and scrolled into view.
    void FillList();

    // The heading of column (0 .. 9).
    static std::string ColumnHeading(int column);
    // The texts of installation row k: columns 0-4, and 5-9 when advanced.
    // unitText is "[ft]" or "[m]".
    std::string CellText(int k, int column, const std::string& unitText) const;
    // "[ft]" when the document's length unit is feet, else "[m]".
    std::string GetUnitText() const;

    // A left press at (x, y) of the list's client area (header included):
    // on a row that installation becomes current and the SPL maps redraw;
    // outside the rows the current row is selected again; on the header
    // nothing happens. Returns the row made current, or -1.
    int OnLButtonDown(const CListRowGeometry& g, int x, int y);
    // A row chosen other than by a press (the keyboard's highlight, a right
    // click): as a press on it.
    void ChooseRow(int k);
    // A right click at (x, y) of the list's client area: on a row that
    // installation is chosen (as by ChooseRow) and the menu to show
    // is returned (kMenuInstallation); otherwise 0.
    unsigned OnContextMenu(const CListRowGeometry& g, int x, int y);

    // WM_USER + 6: a speaker of the dragging document dropped here. Installs
    // the current model at the room's centre through the document; 1
    // installed, 2 not (another document, or the pane is not an installation
    // view, or the user cancelled).
    LRESULT OnDropNewSpeaker(WPARAM wParam, bool parentIsView);
    // WM_USER + 8: 1 when a drop from the dragging document would be taken.
    LRESULT OnQueryDropNewSpeaker(WPARAM wParam, bool parentIsView) const;
    // The two messages above by number; 0 for any other message.
    LRESULT OnMessage(unsigned message, WPARAM wParam, LPARAM lParam, bool parentIsView);

private:
    // Selected and focused state for the current installation's row.
    void SelectCurrentRow();
    // Installation k current and every SPL map window of the document redrawn.
    void MakeCurrent(int k);
    bool IsOwnDocument(WPARAM wParam) const;

    CKDRDoc* m_doc;
    IInstallationListControl& m_list;
};
