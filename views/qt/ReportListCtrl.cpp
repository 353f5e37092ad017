#include "views/qt/ReportListCtrl.h"

#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>

CReportListCtrl::CReportListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    setColumnCount(0);

    // The desktop's ordinary font at a height of 12 pixels.
    QFont font = QApplication::font();
    font.setPixelSize(12);
    setFont(font);
}

CReportListCtrl::~CReportListCtrl() = default;

void CReportListCtrl::InsertColumn(int column, const std::string& heading, int width)
{
    const int count = columnCount();
    QStringList labels;
    for (int i = 0; i < count; ++i)
        labels << headerItem()->text(i);
    labels.insert(qBound(0, column, count), QString::fromStdString(heading));
    setColumnCount(count + 1);
    setHeaderLabels(labels);
    setColumnWidth(qBound(0, column, count), width);
}

void CReportListCtrl::DeleteAllItems()
{
    const QScopedValueRollback<bool> quiet(m_bSettingRows, true);
    clear();
}

int CReportListCtrl::GetItemCount() const { return topLevelItemCount(); }

void CReportListCtrl::InsertItem(int row, const std::string& text)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromStdString(text));
    const QScopedValueRollback<bool> quiet(m_bSettingRows, true);
    insertTopLevelItem(qBound(0, row, topLevelItemCount()), item);
}

void CReportListCtrl::SetItemText(int row, int column, const std::string& text)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        item->setText(column, QString::fromStdString(text));
}

void CReportListCtrl::SelectItem(int row)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    const QScopedValueRollback<bool> quiet(m_bSettingRows, true);
    setCurrentItem(item);
    item->setSelected(true);
}

void CReportListCtrl::EnsureVisible(int row)
{
    if (QTreeWidgetItem* item = topLevelItem(row))
        scrollToItem(item, QAbstractItemView::EnsureVisible);
}

std::string CReportListCtrl::GetItemText(int row, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column).toStdString() : std::string();
}

int CReportListCtrl::GetSelectedRow() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.first());
}

void CReportListCtrl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeWidget::selectionChanged(selected, deselected);
    const int row = GetSelectedRow();
    if (!m_bSettingRows && row >= 0)
        OnRowChosen(row);
}

int CReportListCtrl::RowHeight() const
{
    if (QTreeWidgetItem* first = topLevelItem(0)) {
        const int h = visualItemRect(first).height();
        if (h > 0)
            return h;
    }
    return fontMetrics().height() + 4;
}

CListRowGeometry CReportListCtrl::GetRowGeometry() const
{
    CListRowGeometry g;
    g.rowHeight = RowHeight();
    g.rowWidth = header()->length();
    g.topRow = verticalScrollBar()->value();
    g.scrollX = horizontalScrollBar()->value();
    g.rowCount = topLevelItemCount();
    return g;
}

QPoint CReportListCtrl::ToListClient(const QPoint& viewportPoint) const
{
    // Row k - top covers viewport pixels [(k - top) * h, (k - top + 1) * h);
    // the hit test puts it at ((k - top + 1) * h, (k - top + 2) * h].
    return QPoint(viewportPoint.x(), viewportPoint.y() + RowHeight() + 1);
}

QPoint CReportListCtrl::RowPoint(int row) const
{
    const int h = RowHeight();
    return QPoint(4, (row - verticalScrollBar()->value()) * h + h / 2);
}
