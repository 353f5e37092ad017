#pragma once
// The "Speaker Data View" pane: the list of the project's speaker models.
// A click or a move of the highlight by the keyboard makes a model current,
// a press on a row followed by a release over the SPL map or the
// installation list installs it there, the right button opens the speaker
// menu. The rules live in CSpeakerDataList; this widget
// feeds it mouse positions and shows the cursors and menus it answers.

#include "document/DocumentViewLinks.h"
#include "platform/qt/ViewBase.h"
#include "views/SpeakerDataList.h"
#include "views/qt/ReportListCtrl.h"

#include <functional>
#include <memory>

class CKDRDoc;
class QMenu;
class QAction;

// The list control of the pane.
class CStdSPDataListListCtrl : public CReportListCtrl {
    Q_OBJECT
public:
    CStdSPDataListListCtrl(CKDRDoc* doc, QWidget* parent);
    ~CStdSPDataListListCtrl() override;

    void SetLogic(CSpeakerDataList* logic) { m_logic = logic; }
    bool IsDragging() const { return m_bDragging; }

    // The speaker pop-up menu 138 or 146 with its items enabled as the
    // document's update handlers say; each action carries its command id
    // in data().
    std::unique_ptr<QMenu> CreateSpeakerMenu(int menuId) const;

    // Runs a pop-up menu at a global point and returns the chosen action
    // (nullptr when none); QMenu::exec unless tests replace it.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;
    static void SetMenuRunner(MenuRunner runner);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void OnRowChosen(int row) override;

private:
    void ShowCursor(int cursorId);

    CKDRDoc* m_doc;
    CSpeakerDataList* m_logic = nullptr;
    bool m_bDragging = false;
};

class CStdSPDataListView : public CViewBase, public ISpeakerDataListLink {
    Q_OBJECT
public:
    CStdSPDataListView(CDocument& doc, QWidget* parent);
    ~CStdSPDataListView() override;

    // The two columns and the rows.
    void OnInitialUpdate() override;
    // Hint 3 refills; every other hint is ignored.
    void OnUpdate(IView* sender, long hint) override;
    void FillList() override;

    CStdSPDataListListCtrl* GetListCtrl() const { return m_pList; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CStdSPDataListListCtrl* m_pList = nullptr;
    std::unique_ptr<CSpeakerDataList> m_logic;
};
