#pragma once

#include <QAbstractTableModel>

// A table model of texts, centred in their cells and under their headings, as the
// launcher's play lists show them (the history list, the play log dialog): a derived model
// gives its rows and columns, the text of each cell and each column's heading.
class CTextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The text of a row's column; an empty text for a row or column out of range.
    virtual QString Text(int row, int column) const = 0;

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    // The heading of a column within columnCount().
    virtual QString Heading(int section) const = 0;
};
