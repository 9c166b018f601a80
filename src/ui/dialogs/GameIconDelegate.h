#pragma once

#include <QHash>
#include <QIcon>
#include <QStyledItemDelegate>

// Draws a found game's icon only when its row is painted: the item holds the icon's image
// file or theme name (kIconRole, with kThemedRole), read once and kept. A list of thousands
// of games opens without reading their pictures.
class GameIconDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kIconRole = Qt::UserRole + 1;
    static constexpr int kThemedRole = Qt::UserRole + 2;

    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QIcon IconFor(const QString& icon, bool themed) const;

    mutable QHash<QString, QIcon> m_icons;
};
