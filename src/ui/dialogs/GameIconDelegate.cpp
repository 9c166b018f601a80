#include "dialogs/GameIconDelegate.h"

#include <QApplication>
#include <QStyle>

void GameIconDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != 0)
        return;
    option->icon = IconFor(index.data(kIconRole).toString(), index.data(kThemedRole).toBool());
    option->features |= QStyleOptionViewItem::HasDecoration;
}

QIcon GameIconDelegate::IconFor(const QString& icon, bool themed) const
{
    auto found = m_icons.constFind(icon);
    if (found != m_icons.constEnd())
        return *found;
    QIcon made = themed ? QIcon::fromTheme(icon) : QIcon(icon);
    if (icon.isEmpty() || (themed && made.isNull()))
        made = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    m_icons.insert(icon, made);
    return made;
}
