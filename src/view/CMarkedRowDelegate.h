#pragma once

#include <QStyledItemDelegate>

class CReportList;

// Draws the rows of a report list at the list's row height, the marked row's text in the
// list's mark colour (selected or not).
class CMarkedRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CMarkedRowDelegate(CReportList* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CReportList* m_pList;
};
