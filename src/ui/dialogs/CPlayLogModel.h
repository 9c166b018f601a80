#pragma once

#include <QAbstractTableModel>

class PlayLogEdit;

// The rows of the play log dialog, read from the edit as the list shows them: the start
// ("yyyy/mm/dd hh:mm:ss") and the play time ("h:mm:ss") of every play.
class CPlayLogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CPlayLogModel(const PlayLogEdit& edit, QObject* parent);

    // The edit changed: every row is read again.
    void Reload();
    QString Text(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PlayLogEdit& m_edit;
};
