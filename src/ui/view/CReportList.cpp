#include "view/CReportList.h"

#include <algorithm>

#include "view/CLazyIconItem.h"
#include "view/CMarkedRowDelegate.h"
#include "view/ReportListStyle.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>

CReportList::CReportList(QWidget* parent, QRgb background, QRgb text) : RowScrolling(parent)
{
    ReportListStyle::Apply(this, background, text);
    setColumnCount(0);
    setItemDelegate(new CMarkedRowDelegate(this, this));
}

void CReportList::SetMarkedRow(std::function<int()> marked, QRgb colour)
{
    m_marked = std::move(marked);
    m_markColour = colour;
}

int CReportList::MarkedRow() const { return m_marked ? m_marked() : -1; }

void CReportList::SetRowHeight(int pixels)
{
    if (pixels == m_nRowHeight)
        return;
    m_nRowHeight = pixels;
    // Uniform row heights are cached by the view: lay the rows out again.
    scheduleDelayedItemsLayout();
}

void CReportList::AddColumn(const QString& heading, int width, Qt::Alignment alignment)
{
    int column = columnCount();
    setColumnCount(column + 1);
    headerItem()->setText(column, heading);
    headerItem()->setTextAlignment(column, alignment | Qt::AlignVCenter);
    setColumnWidth(column, width);
    m_columnAlign.append(alignment);
}

void CReportList::DeleteAllItems()
{
    DropPendingScroll();
    clear();
}

void CReportList::InsertRow(const QStringList& texts, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(this, texts);
    for (int column = 0; column < texts.size(); ++column) {
        Qt::Alignment align = column < m_columnAlign.size() ? m_columnAlign[column] : Qt::AlignLeft;
        item->setTextAlignment(column, align | Qt::AlignVCenter);
    }
    if (!icon.isNull())
        item->setIcon(0, icon);
}

void CReportList::InsertRows(const QList<QStringList>& rows, const std::function<QIcon(int)>& icon)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    const int first = topLevelItemCount();
    for (const QStringList& texts : rows) {
        // Alignments set before the item is in the list cost no change notifications.
        const int row = first + static_cast<int>(items.size());
        auto* item = icon ? new CLazyIconItem(texts, [icon, row] { return icon(row); }) : new QTreeWidgetItem(texts);
        for (int column = 0; column < texts.size(); ++column) {
            Qt::Alignment align = column < m_columnAlign.size() ? m_columnAlign[column] : Qt::AlignLeft;
            item->setTextAlignment(column, align | Qt::AlignVCenter);
        }
        items.append(item);
    }
    addTopLevelItems(items);
}

void CReportList::SelectRow(int row)
{
    QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
    SelectIndex(item != nullptr ? indexFromItem(item, 0) : QModelIndex());
}

void CReportList::SetSwallowDrops(bool swallow)
{
    m_bSwallowDrops = swallow;
    setAcceptDrops(swallow);
    setDropIndicatorShown(false);
}

void CReportList::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_bSwallowDrops && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QTreeWidget::dragEnterEvent(event);
}

void CReportList::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_bSwallowDrops && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QTreeWidget::dragMoveEvent(event);
}

void CReportList::dropEvent(QDropEvent* event)
{
    if (m_bSwallowDrops)
        event->acceptProposedAction();
    else
        QTreeWidget::dropEvent(event);
}

int CReportList::KeyTarget(int key, int count) const
{
    return KeyTarget(key, SelectionMark(), TopIndex(), CountPerPage(), count);
}

bool CReportList::IsNavigationKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home ||
           key == Qt::Key_Up || key == Qt::Key_Down;
}

int CReportList::KeyTarget(int key, int mark, int top, int perPage, int count)
{
    if (count <= 0)
        return -1;
    switch (key) {
    case Qt::Key_PageUp:
        return std::max(top, 0);
    case Qt::Key_PageDown:
        return std::min(top + perPage, count - 1);
    case Qt::Key_End:
        return count - 1;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_Up:
        return mark - 1 >= 0 ? mark - 1 : -1;
    case Qt::Key_Down:
        return mark + 1 <= count - 1 ? mark + 1 : -1;
    default:
        return -1;
    }
}
