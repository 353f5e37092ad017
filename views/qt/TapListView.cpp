#include "views/qt/TapListView.h"

#include "document/KDRDoc.h"

#include <QMouseEvent>
#include <QResizeEvent>

CTapListListCtrl::CTapListListCtrl(QWidget* parent) : CReportListCtrl(parent) { setObjectName("TapList"); }

CTapListListCtrl::~CTapListListCtrl() = default;

void CTapListListCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_logic)
        return;
    const QPoint client = ToListClient(event->position().toPoint());
    m_logic->OnLButtonDown(GetRowGeometry(), client.x(), client.y());
}

void CTapListListCtrl::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

// Dragging over the rows does not move the selection: only a press chooses.
void CTapListListCtrl::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void CTapListListCtrl::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void CTapListListCtrl::OnRowChosen(int row)
{
    if (m_logic)
        m_logic->ChooseRow(row);
}

CTapListView::CTapListView(CDocument& doc, QWidget* parent) : CViewBase(doc, parent)
{
    m_pList = new CTapListListCtrl(this);
    m_logic = std::make_unique<CTapList>(dynamic_cast<CKDRDoc*>(&doc), *m_pList);
    m_pList->SetLogic(m_logic.get());
    m_pList->setGeometry(0, 0, width(), height());
}

CTapListView::~CTapListView()
{
    if (m_pList)
        m_pList->SetLogic(nullptr);
}

void CTapListView::OnInitialUpdate() { m_logic->OnInitialUpdate(); }

void CTapListView::OnUpdate(IView*, long hint) { m_logic->OnUpdate(hint); }

void CTapListView::FillList() { m_logic->FillList(); }

void CTapListView::resizeEvent(QResizeEvent* event)
{
    CViewBase::resizeEvent(event);
    if (m_pList)
        m_pList->setGeometry(0, 0, event->size().width(), event->size().height());
}
