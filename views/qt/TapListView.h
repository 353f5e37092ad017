#pragma once
// The "Tap View" pane: the taps of the current speaker model with their
// power; a click on a row, or the keyboard's highlight, makes that tap the
// model's current tap. The rules live in CTapList.

#include "document/DocumentViewLinks.h"
#include "platform/qt/ViewBase.h"
#include "views/TapList.h"
#include "views/qt/ReportListCtrl.h"

#include <memory>

// The list control of the pane.
class CTapListListCtrl : public CReportListCtrl {
    Q_OBJECT
public:
    explicit CTapListListCtrl(QWidget* parent);
    ~CTapListListCtrl() override;

    void SetLogic(CTapList* logic) { m_logic = logic; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void OnRowChosen(int row) override;

private:
    CTapList* m_logic = nullptr;
};

class CTapListView : public CViewBase, public ITapListLink {
    Q_OBJECT
public:
    CTapListView(CDocument& doc, QWidget* parent);
    ~CTapListView() override;

    // The two columns and the rows.
    void OnInitialUpdate() override;
    // Hint 5 refills; every other hint is ignored.
    void OnUpdate(IView* sender, long hint) override;
    void FillList() override;

    CTapListListCtrl* GetListCtrl() const { return m_pList; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CTapListListCtrl* m_pList = nullptr;
    std::unique_ptr<CTapList> m_logic;
};
