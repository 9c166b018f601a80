#pragma once

#include <QIcon>
#include <QTreeWidgetItem>

#include <functional>
#include <utility>

// A list row whose icon is made the first time something asks for it (in practice when the
// row is first painted), so filling a list of many titles reads only the icons of the rows
// that show.
class CLazyIconItem : public QTreeWidgetItem {
public:
    CLazyIconItem(const QStringList& texts, std::function<QIcon()> icon)
        : QTreeWidgetItem(texts), m_make(std::move(icon))
    {
    }

    QVariant data(int column, int role) const override
    {
        if (column != 0 || role != Qt::DecorationRole)
            return QTreeWidgetItem::data(column, role);
        if (m_make) {
            m_icon = m_make();
            m_make = nullptr;
        }
        return m_icon.isNull() ? QVariant() : QVariant(m_icon);
    }

private:
    mutable std::function<QIcon()> m_make;
    mutable QIcon m_icon;
};
