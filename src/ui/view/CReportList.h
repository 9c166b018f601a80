#pragma once

#include <QColor>
#include <QTreeWidget>

#include "view/RowScrolling.h"

#include <functional>

// A list in report style: rows of one or more columns under a heading, fixed row height,
// single full-row selection, one "marked" row drawn in its own text colour. The view's
// genre, title and history lists are all of this kind.
class CReportList : public RowScrolling<QTreeWidget> {
    Q_OBJECT
public:
    CReportList(QWidget* parent, QRgb background, QRgb text);

    // The row whose text is drawn in `colour`: `marked` is asked at every paint and
    // answers the row index, or -1 for none.
    void SetMarkedRow(std::function<int()> marked, QRgb colour);
    int MarkedRow() const override;
    QColor MarkColour() const override { return QColor(m_markColour); }

    void SetRowHeight(int pixels);
    int RowHeight() const override { return m_nRowHeight; }

    // Adds a column with its heading and width.
    void AddColumn(const QString& heading, int width, Qt::Alignment alignment);

    void DeleteAllItems();
    void InsertRow(const QStringList& texts, const QIcon& icon = QIcon());
    // Appends many rows at once: the view hears of them once, not once a row. With `icon`,
    // each row has the icon `icon(row)` makes when the row is first painted.
    void InsertRows(const QList<QStringList>& rows, const std::function<QIcon(int)>& icon = {});

    // Gives `row` the selected and focused state (-1 clears the selection).
    void SelectRow(int row);

    // The row a navigation key (Page Up/Down, End, Home, Up, Down) leads to from the
    // selection mark among `count` rows, or -1 when it leads nowhere.
    int KeyTarget(int key, int count) const;
    static bool IsNavigationKey(int key);
    static int KeyTarget(int key, int mark, int top, int perPage, int count);

    // A list that takes files dropped from the desktop and does nothing with them (so they
    // do not reach the window behind it).
    void SetSwallowDrops(bool swallow);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QList<Qt::Alignment> m_columnAlign;
    std::function<int()> m_marked;
    QRgb m_markColour = qRgb(0, 0, 0);
    int m_nRowHeight = 17;
    bool m_bSwallowDrops = false;
};
