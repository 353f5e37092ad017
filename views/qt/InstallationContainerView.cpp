#include "views/qt/InstallationContainerView.h"

#include "document/KDRDoc.h"
#include "platform/qt/MenuBuilder.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QResizeEvent>

namespace {

CInstallationContainerListCtrl::PopupRunner& PopupRunnerSlot()
{
    static CInstallationContainerListCtrl::PopupRunner runner;
    return runner;
}

}  // namespace

// The report list seen through the list interface of the pane's logic.
class CInstallationContainerView::CListAdapter : public IInstallationListControl {
public:
    explicit CListAdapter(CReportListCtrl& list) : m_list(list) {}

    void InsertColumn(int column, const std::string& heading, int width) override
    {
        m_list.InsertColumn(column, heading, width);
    }
    void DeleteAllItems() override { m_list.DeleteAllItems(); }
    int GetItemCount() const override { return m_list.GetItemCount(); }
    void InsertItem(int row, const std::string& text) override { m_list.InsertItem(row, text); }
    void SetItemText(int row, int column, const std::string& text) override { m_list.SetItemText(row, column, text); }
    void SelectItem(int row) override { m_list.SelectItem(row); }
    void EnsureVisible(int row) override { m_list.EnsureVisible(row); }
    int GetColumnCount() const override { return m_list.columnCount(); }
    void DeleteColumn(int column) override
    {
        const int count = m_list.columnCount();
        if (column < 0 || column >= count)
            return;
        QStringList labels;
        QList<int> widths;
        for (int i = 0; i < count; ++i) {
            if (i == column)
                continue;
            labels << m_list.headerItem()->text(i);
            widths << m_list.columnWidth(i);
        }
        // Rows keep their cells of the remaining columns only when the
        // removed column is the last; the pane removes trailing columns of
        // an emptied list.
        m_list.setColumnCount(count - 1);
        m_list.setHeaderLabels(labels);
        for (int i = 0; i < widths.size(); ++i)
            m_list.setColumnWidth(i, widths[i]);
    }

private:
    CReportListCtrl& m_list;
};

// ---- the list control ---------------------------------------------------

CInstallationContainerListCtrl::CInstallationContainerListCtrl(QWidget* parent) : CReportListCtrl(parent)
{
    setObjectName("InstallationContainerList");
}

CInstallationContainerListCtrl::~CInstallationContainerListCtrl() = default;

void CInstallationContainerListCtrl::SetPopupRunner(PopupRunner runner) { PopupRunnerSlot() = std::move(runner); }

CInstallationContainerView* CInstallationContainerListCtrl::GetParentView() const
{
    return qobject_cast<CInstallationContainerView*>(parentWidget());
}

CInstallationContainerViewCore* CInstallationContainerListCtrl::Logic() const
{
    CInstallationContainerView* view = GetParentView();
    return view ? view->GetLogic() : nullptr;
}

LRESULT CInstallationContainerListCtrl::OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    CInstallationContainerViewCore* logic = Logic();
    if (!logic) {
        // Not inside an installation view: a drop is refused, the query
        // answered "no".
        return message == WM_DROP_NEW_SPEAKER ? 2 : 0;
    }
    return logic->OnMessage(message, wParam, lParam, true);
}

void CInstallationContainerListCtrl::mousePressEvent(QMouseEvent* event)
{
    // The click is the pane's own: the list's selection follows the document.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (CInstallationContainerViewCore* logic = Logic()) {
        const QPoint client = ToListClient(event->position().toPoint());
        logic->OnLButtonDown(GetRowGeometry(), client.x(), client.y());
    }
}

void CInstallationContainerListCtrl::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CInstallationContainerListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    CInstallationContainerViewCore* logic = Logic();
    if (!logic)
        return;
    const QPoint client = ToListClient(event->pos());
    const unsigned menu = logic->OnContextMenu(GetRowGeometry(), client.x(), client.y());
    if (menu == 0)
        return;
    if (PopupRunnerSlot())
        PopupRunnerSlot()(menu, event->globalPos());
    else
        MenuBuilder::TrackPopupMenu(menu, event->globalPos());
}

void CInstallationContainerListCtrl::OnRowChosen(int row)
{
    if (CInstallationContainerViewCore* logic = Logic())
        logic->ChooseRow(row);
}

// ---- the view -----------------------------------------------------------

CInstallationContainerView::CInstallationContainerView(CDocument& doc, QWidget* parent) : CViewBase(doc, parent)
{
    setObjectName("Installation Info View");
    m_pList = new CInstallationContainerListCtrl(this);
    m_adapter = std::make_unique<CListAdapter>(*m_pList);
    m_logic = std::make_unique<CInstallationContainerViewCore>(dynamic_cast<CKDRDoc*>(&doc), *m_adapter);
    m_pList->setGeometry(0, 0, width(), height());
}

CInstallationContainerView::~CInstallationContainerView()
{
    // The list is a child widget and goes after this body: it must not find
    // the logic any more.
    if (m_pList)
        m_pList->setParent(nullptr);
    delete m_pList;
    m_pList = nullptr;
    GetDocument()->RemoveView(this);
}

void CInstallationContainerView::OnInitialUpdate() { m_logic->OnInitialUpdate(); }

void CInstallationContainerView::OnUpdate(IView*, long hint) { m_logic->OnUpdate(hint); }

void CInstallationContainerView::FillList() { m_logic->FillList(); }

void CInstallationContainerView::resizeEvent(QResizeEvent* event)
{
    CViewBase::resizeEvent(event);
    if (m_pList)
        m_pList->setGeometry(0, 0, event->size().width(), event->size().height());
}
