#include "views/qt/StdSPDataListView.h"

#include "document/KDRDoc.h"
#include "platform/AppSettings.h"
#include "platform/qt/ProgramResources.h"
#include "resources/Menus.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>

namespace {

CStdSPDataListListCtrl::MenuRunner& MenuRunnerSlot()
{
    static CStdSPDataListListCtrl::MenuRunner runner;
    return runner;
}

CPoint ToScreenPoint(const QPoint& global) { return CPoint(global.x(), global.y()); }

}  // namespace

// ---- the list control ---------------------------------------------------

CStdSPDataListListCtrl::CStdSPDataListListCtrl(CKDRDoc* doc, QWidget* parent) : CReportListCtrl(parent), m_doc(doc)
{
    setObjectName("StdSPDataList");
    viewport()->setMouseTracking(true);
}

CStdSPDataListListCtrl::~CStdSPDataListListCtrl() = default;

void CStdSPDataListListCtrl::SetMenuRunner(MenuRunner runner) { MenuRunnerSlot() = std::move(runner); }

void CStdSPDataListListCtrl::ShowCursor(int cursorId)
{
    if (cursorId == CSpeakerDataList::kCursorDefault)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(LoadProgramCursor(static_cast<unsigned>(cursorId)));
}

void CStdSPDataListListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_logic) {
        event->accept();
        return;
    }
    const QPoint client = ToListClient(event->position().toPoint());
    const CSpeakerDataList::CButtonDownResult result = m_logic->OnLButtonDown(GetRowGeometry(), client.x(), client.y());
    // The press holds the mouse for this widget until the release (Qt's
    // implicit grab), which is the capture of the drag.
    m_bDragging = result.capture;
    if (result.capture)
        ShowCursor(result.cursor);
    event->accept();
}

void CStdSPDataListListCtrl::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CStdSPDataListListCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_logic) {
        event->accept();
        return;
    }
    const QPoint client = ToListClient(event->position().toPoint());
    CWindowAtPointQuery query(m_doc, ToScreenPoint(event->globalPosition().toPoint()));
    bool runDefault = true;
    const int cursor = m_logic->OnMouseMove(GetRowGeometry(), client.x(), client.y(), m_bDragging, query, runDefault);
    // Without a drag-install the list keeps the ordinary cursor.
    ShowCursor(runDefault ? cursor : CSpeakerDataList::kCursorDefault);
    event->accept();
}

void CStdSPDataListListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool wasDragging = m_bDragging;
    m_bDragging = false;
    viewport()->unsetCursor();
    if (wasDragging && m_logic)
        m_logic->OnLButtonUp(ToScreenPoint(event->globalPosition().toPoint()));
}

void CStdSPDataListListCtrl::OnRowChosen(int row)
{
    if (m_logic)
        m_logic->ChooseRow(row);
}

std::unique_ptr<QMenu> CStdSPDataListListCtrl::CreateSpeakerMenu(int menuId) const
{
    auto menu = std::make_unique<QMenu>();
    const std::vector<MenuItemDef>* def = FindMenu(static_cast<unsigned>(menuId));
    if (!def || def->empty() || def->front().kind != MenuItemDef::Popup)
        return menu;
    for (const MenuItemDef& item : def->front().items) {
        if (item.kind == MenuItemDef::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(item.text));
        action->setData(item.id);
        bool enabled = true;
        if (m_doc)
            m_doc->GetModelCommandEnabled(item.id, enabled);
        action->setEnabled(enabled);
    }
    return menu;
}

void CStdSPDataListListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (!m_logic || !m_doc)
        return;
    const QPoint client = ToListClient(event->pos());
    const int menuId =
        m_logic->OnContextMenu(GetRowGeometry(), client.x(), client.y(), AppSettings().m_nDeveloperID);
    if (menuId == CSpeakerDataList::kMenuNone)
        return;

    std::unique_ptr<QMenu> menu = CreateSpeakerMenu(menuId);
    QAction* chosen = MenuRunnerSlot() ? MenuRunnerSlot()(*menu, event->globalPos()) : menu->exec(event->globalPos());
    const unsigned command = chosen ? chosen->data().toUInt() : 0;
    menu.reset();

    // The chosen command runs once the menu has closed, after the drag state
    // has followed the model the click made current.
    m_logic->AfterContextMenu();
    if (command != 0)
        m_doc->OnModelCommand(command);
}

// ---- the view -----------------------------------------------------------

CStdSPDataListView::CStdSPDataListView(CDocument& doc, QWidget* parent) : CViewBase(doc, parent)
{
    CKDRDoc* kdr = dynamic_cast<CKDRDoc*>(&doc);
    m_pList = new CStdSPDataListListCtrl(kdr, this);
    m_logic = std::make_unique<CSpeakerDataList>(kdr, *m_pList);
    m_pList->SetLogic(m_logic.get());
    m_pList->setGeometry(0, 0, width(), height());
}

CStdSPDataListView::~CStdSPDataListView()
{
    if (m_pList)
        m_pList->SetLogic(nullptr);
}

void CStdSPDataListView::OnInitialUpdate() { m_logic->OnInitialUpdate(); }

void CStdSPDataListView::OnUpdate(IView*, long hint) { m_logic->OnUpdate(hint); }

void CStdSPDataListView::FillList() { m_logic->FillList(); }

void CStdSPDataListView::resizeEvent(QResizeEvent* event)
{
    CViewBase::resizeEvent(event);
    if (m_pList)
        m_pList->setGeometry(0, 0, event->size().width(), event->size().height());
}
