#pragma once

#include "view/RowScrolling.h"

#include <QHeaderView>
#include <QTableView>

#include <functional>

class CHistoryModel;
class CPlayHistory;

// The history list of the main view: the sessions or day groups of the current title in
// the report lists' look (fixed row height, full-row selection, the list's current row
// drawn in the mark colour). Its rows are read from the title's history as they are
// shown (CHistoryModel), so a long history costs no more to show than a short one. A
// table, not a tree: a table of rows of one height needs no layout of its rows, which a
// tree view makes for every row whenever they change. A double click or the context menu
// asks for a row's plays to be edited.
class CHistoryList : public RowScrolling<QTableView> {
    Q_OBJECT
public:
    CHistoryList(QWidget* parent, QRgb background, QRgb text, QRgb mark);

    // Shows the rows of `history` by `mode` (nullptr: no rows). The current row, the
    // selection and a scroll still waiting for the list to be shown are dropped.
    void Show(const CPlayHistory* history, int mode);
    void Clear() { Show(nullptr, 0); }
    // The same rows read from `history` (see CHistoryModel::Repoint); false when its
    // number of rows differs.
    bool Repoint(const CPlayHistory* history);
    // Headings of the first two columns by history mode.
    void SetHeadingMode(int mode);
    QHeaderView* header() const { return horizontalHeader(); }

    int RowCount() const;
    // The text of a row's column, or of a column's heading.
    QString Cell(int row, int column) const;
    QString Heading(int column) const;

    // The marked row is the list's current row.
    int MarkedRow() const override { return SelectionMark(); }
    QColor MarkColour() const override { return QColor(m_markColour); }
    int RowHeight() const override { return kRowHeight; }

    // Gives `row` the selected and focused state (-1 clears the selection) without
    // scrolling.
    void SelectRow(int row);
    bool IsRowSelected(int row) const;

    // Whether the plays can be edited now (the context menu's item is enabled by it).
    void SetEditable(std::function<bool()> editable) { m_editable = std::move(editable); }

Q_SIGNALS:
    // A double click on a row, or "このプレイを編集(&E)..." of its context menu.
    void EditRequested(int row);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The focus frame goes round the whole current row, as in the other lists.
    void paintEvent(QPaintEvent* event) override;
    // Scrolled to its end, the list keeps a whole row at its top as the other lists do (a
    // table would put its last row at the bottom edge and cut the top one).
    void scrollContentsBy(int dx, int dy) override;
    // Keys move by rows as in a list: Home and End go to the first and last row, Left
    // and Right scroll the columns.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;
    // The heading is in the list's face, as a tree view's is.
    void changeEvent(QEvent* event) override;

private:
    void KeepWholeTopRow();

    static constexpr int kRowHeight = 17;

    CHistoryModel* m_pModel;
    QRgb m_markColour;
    std::function<bool()> m_editable;
};
