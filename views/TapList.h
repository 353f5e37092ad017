#pragma once
// The "Tap View" pane without its widgets: one row per tap of the current
// speaker model (its value with the unit text and its power), the model's
// current tap selected; a click on a row makes that tap current.

#include "views/ListRowHitTest.h"
#include "views/ReportListControl.h"

#include <string>

class CKDRDoc;
class CSpeakerModel;

class CTapList {
public:
    static constexpr int kControlId = 1033;
    static constexpr int kNumberColumnWidth = 27;
    static constexpr int kTapColumnWidth = 150;

    // doc may be nullptr (an empty list).
    CTapList(CKDRDoc* doc, IReportListControl& list);
    CTapList(const CTapList&) = delete;
    CTapList& operator=(const CTapList&) = delete;

    CKDRDoc* GetDocument() const { return m_doc; }

    // The two columns "No" and "Tap", then the rows.
    void OnInitialUpdate();
    void FillList();
    // Hint 5 refills; every other hint is ignored.
    void OnUpdate(long hint);
    // A press at (x, y) of the list's client area (header included): the tap
    // of the row becomes the current model's current tap; elsewhere the
    // current tap's row is selected again. No hint, no modified flag.
    void OnLButtonDown(const CListRowGeometry& g, int x, int y);
    // The row highlighted by the keyboard: as a press on it.
    void ChooseRow(int row);

    // The text of tap i: value and unit text, then power and "W", e.g.
    // "100V Line  10W".
    static std::string FormatTap(const CSpeakerModel& model, int i);

private:
    void SelectCurrentRow();

    CKDRDoc* m_doc;
    IReportListControl& m_list;
};
