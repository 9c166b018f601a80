#include "view/CTextTableModel.h"

namespace {

QVariant Centred()
{
    return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
}

}  // namespace

QVariant CTextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return Centred();
    return {};
}

QVariant CTextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return Centred();
    if (role != Qt::DisplayRole)
        return {};
    return Heading(section);
}
