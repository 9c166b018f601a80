#pragma once

#include <QStyledItemDelegate>

class IMarkedRows;

// Draws the rows of a report list at the list's row height, the marked row's text in the
// list's mark colour (selected or not).
class CMarkedRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `rows` is the list itself, which outlives its delegate.
    CMarkedRowDelegate(QObject* parent, const IMarkedRows* rows);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const IMarkedRows* m_pRows;
};
