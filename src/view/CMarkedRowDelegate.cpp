#include "view/CMarkedRowDelegate.h"

#include "view/CReportList.h"

CMarkedRowDelegate::CMarkedRowDelegate(CReportList* list) : QStyledItemDelegate(list), m_pList(list)
{
}

void CMarkedRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    if (index.row() == m_pList->MarkedRow()) {
        opt.palette.setColor(QPalette::Text, m_pList->MarkColour());
        opt.palette.setColor(QPalette::HighlightedText, m_pList->MarkColour());
    }
    QStyledItemDelegate::paint(painter, opt, index);
}

QSize CMarkedRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_pList->RowHeight());
    return size;
}
