#pragma once
// A report-style list: columns with headings, rows of texts, one selected
// row, full-row selection, no tree decoration, scrolling by whole rows. The
// list views give it their logic through IReportListControl and turn its
// mouse positions into the client coordinates their hit test expects.
// Whenever the highlight moves otherwise than through the calls below (the
// arrow keys, Home/End, Page Up/Down, typing), the newly highlighted row
// goes to OnRowChosen, so that the list views make it current.

#include "views/ListRowHitTest.h"
#include "views/ReportListControl.h"

#include <QPoint>
#include <QTreeWidget>

class CReportListCtrl : public QTreeWidget, public IReportListControl {
    Q_OBJECT
public:
    explicit CReportListCtrl(QWidget* parent = nullptr);
    ~CReportListCtrl() override;

    void InsertColumn(int column, const std::string& heading, int width) override;
    void DeleteAllItems() override;
    int GetItemCount() const override;
    void InsertItem(int row, const std::string& text) override;
    void SetItemText(int row, int column, const std::string& text) override;
    void SelectItem(int row) override;
    void EnsureVisible(int row) override;

    // The text of a cell ("" outside the list).
    std::string GetItemText(int row, int column) const;
    // The selected row, -1 when none.
    int GetSelectedRow() const;

    // Height and width of row 0, first visible row, horizontal scroll
    // position and row count, for the list views' hit test.
    CListRowGeometry GetRowGeometry() const;
    // A point of the rows' viewport in the client coordinates of the hit
    // test, where the header counts as one row above row 0.
    QPoint ToListClient(const QPoint& viewportPoint) const;
    // The viewport point at which the hit test finds row (for tests and
    // for positioning a menu on a row).
    QPoint RowPoint(int row) const;

protected:
    // The row the user highlighted; the calls above do not come here.
    virtual void OnRowChosen(int /*row*/) {}
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    int RowHeight() const;

    // Set while the calls above change the rows or the selection.
    bool m_bSettingRows = false;
};
