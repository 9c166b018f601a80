#include "view/CMarkedRowDelegate.h"

#include "view/IMarkedRows.h"

CMarkedRowDelegate::CMarkedRowDelegate(QObject* parent, const IMarkedRows* rows)
    : QStyledItemDelegate(parent), m_pRows(rows)
{
}

void CMarkedRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    // The list draws the focus frame round the whole row itself, never round one cell.
    opt.state &= ~QStyle::State_HasFocus;
    if (index.row() == m_pRows->MarkedRow()) {
        QColor mark = m_pRows->MarkColour();
        opt.palette.setColor(QPalette::Text, mark);
        opt.palette.setColor(QPalette::HighlightedText, mark);
    }
    QStyledItemDelegate::paint(painter, opt, index);
}

QSize CMarkedRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_pRows->RowHeight());
    return size;
}
