#pragma once
// The "Installation Info View" pane: the list of the installed speakers.
// A click or the keyboard's highlight makes an installation current, a
// right click opens its menu, a speaker dragged from the speaker list can be
// dropped on the list. The rules live in CInstallationContainerViewCore;
// these widgets feed it mouse positions and messages and show the menu it
// answers.

#include "platform/RegisteredMessages.h"
#include "platform/qt/ViewBase.h"
#include "views/InstallationContainerViewCore.h"
#include "views/qt/ReportListCtrl.h"

#include <QPoint>

#include <functional>
#include <memory>

class CKDRDoc;
class CInstallationContainerView;

// The list control of the pane. It answers the drag messages itself (the
// window under the cursor during a drag) and finds its document through
// its parent, which must be an installation view.
class CInstallationContainerListCtrl : public CReportListCtrl, public IMessageTarget {
    Q_OBJECT
public:
    explicit CInstallationContainerListCtrl(QWidget* parent);
    ~CInstallationContainerListCtrl() override;

    // The parent as an installation view; nullptr when it is none.
    CInstallationContainerView* GetParentView() const;

    LRESULT OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;

    // Shows a pop-up menu resource at a screen point and routes the chosen
    // command; MenuBuilder::TrackPopupMenu unless tests replace it.
    using PopupRunner = std::function<unsigned(unsigned menuId, const QPoint& screen)>;
    static void SetPopupRunner(PopupRunner runner);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void OnRowChosen(int row) override;

private:
    CInstallationContainerViewCore* Logic() const;
};

class CInstallationContainerView : public CViewBase {
    Q_OBJECT
public:
    CInstallationContainerView(CDocument& doc, QWidget* parent);
    ~CInstallationContainerView() override;

    // Columns 0-4 and the rows.
    void OnInitialUpdate() override;
    // Hint 2 refills; every other hint is ignored.
    void OnUpdate(IView* sender, long hint) override;
    void FillList();

    CInstallationContainerListCtrl* GetListCtrl() const { return m_pList; }
    CInstallationContainerViewCore* GetLogic() const { return m_logic.get(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class CListAdapter;
    CInstallationContainerListCtrl* m_pList = nullptr;
    std::unique_ptr<CListAdapter> m_adapter;
    std::unique_ptr<CInstallationContainerViewCore> m_logic;
};
