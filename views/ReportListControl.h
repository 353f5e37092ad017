#pragma once
// What a list view needs of its report-style list control: columns, rows of
// texts, one selected and focused row. The Qt half implements it on a
// widget; tests implement it on plain vectors.

#include <string>

class IReportListControl {
public:
    virtual ~IReportListControl() = default;

    virtual void InsertColumn(int column, const std::string& heading, int width) = 0;
    virtual void DeleteAllItems() = 0;
    virtual int GetItemCount() const = 0;
    // Inserts a row at index row with the text of column 0.
    virtual void InsertItem(int row, const std::string& text) = 0;
    virtual void SetItemText(int row, int column, const std::string& text) = 0;
    // Makes row the selected and focused row (the others lose both).
    virtual void SelectItem(int row) = 0;
    // Scrolls so that row is at least partly visible.
    virtual void EnsureVisible(int row) = 0;
};
