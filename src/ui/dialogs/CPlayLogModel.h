#pragma once

#include "view/CTextTableModel.h"

class PlayLogEdit;

// The rows of the play log dialog, read from the edit as the list shows them: the start
// ("yyyy/mm/dd hh:mm:ss") and the play time ("h:mm:ss") of every play.
class CPlayLogModel : public CTextTableModel {
    Q_OBJECT
public:
    CPlayLogModel(const PlayLogEdit& edit, QObject* parent);

    // The edit changed: every row is read again.
    void Reload();
    QString Text(int row, int column) const override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;

private:
    QString Heading(int section) const override;

    const PlayLogEdit& m_edit;
};
