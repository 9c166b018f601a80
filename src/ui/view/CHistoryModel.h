#pragma once

#include "view/CTextTableModel.h"

class CPlayHistory;

// The rows of the history list, read from a title's play history when the list asks for
// them: one row per session (history mode 0) or per day group (any other mode), three
// columns (number, start date and time or date, elapsed time). Nothing is copied: the
// model points at the history, which lives in a library slot, and is pointed again (or
// away) at every refresh of the statistics. Rows beyond what the history holds when they
// are asked for read as empty, so a history changed since the refresh is never read out
// of its bounds.
class CHistoryModel : public CTextTableModel {
    Q_OBJECT
public:
    explicit CHistoryModel(QObject* parent = nullptr);

    // Shows the rows of `history` (nullptr for none) by `mode`. A row check that fails
    // (see CStatisticsArea::CheckRow) makes every figure of the rows read -1.
    void Show(const CPlayHistory* history, int mode);
    // Reads the same rows from `history` instead (the title moved to another slot): the
    // rows stay as they are, so does the list's selection. False, and nothing changed, when
    // `history` holds a different number of rows.
    bool Repoint(const CPlayHistory* history);
    // The headings of the first two columns by `mode`.
    void SetHeadingMode(int mode);

    QString Text(int row, int column) const override;

    // The list lays out every row once a refresh: an index costs no more than a check.
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString Heading(int section) const override;

    const CPlayHistory* m_pHistory = nullptr;
    int m_nMode = 0;
    int m_nRows = 0;
    bool m_bRowsOk = true;
    int m_nHeadingMode = 0;
};
