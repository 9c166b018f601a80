#pragma once

#include "view/IMarkedRows.h"

#include <QItemSelectionModel>
#include <QModelIndex>
#include <QPoint>
#include <QScrollBar>
#include <QShowEvent>

// Rows of a report-style list (a tree view of one level with the fixed row height
// RowHeight()): the first visible row, whole rows a page holds, scrolling by whole rows,
// and selecting a row without moving the list. CReportList and CHistoryList build on it.
template <class View>
class RowScrolling : public View, public IMarkedRows {
public:
    using View::View;

    // Width of the list's client area (inside its border).
    int ClientWidth() const { return this->contentsRect().width(); }
    // The first visible row (0 for an empty list) and the number of whole rows a page holds.
    int TopIndex() const
    {
        QModelIndex top = this->indexAt(QPoint(1, 1));
        return top.isValid() ? top.row() : 0;
    }
    int CountPerPage() const { return this->viewport()->height() / RowHeight(); }
    // Scrolls down by a pixel amount; the list moves by whole rows, a part row counting as
    // a whole one. Applied when the list is first shown if it is still hidden.
    void ScrollDown(int pixels)
    {
        if (pixels <= 0)
            return;
        int rows = (pixels + RowHeight() - 1) / RowHeight();
        if (!this->isVisible()) {
            m_nPendingRows += rows;
            return;
        }
        ApplyScroll(rows);
    }
    // The row holding the selection mark (the current row), or -1.
    int SelectionMark() const
    {
        QModelIndex current = this->currentIndex();
        return current.isValid() ? current.row() : -1;
    }

protected:
    // Gives `index` the selected and focused state (an invalid index clears the
    // selection). Selecting must not move the list: the scroll position is the caller's.
    void SelectIndex(const QModelIndex& index)
    {
        if (!index.isValid()) {
            this->clearSelection();
            return;
        }
        bool scrolls = this->hasAutoScroll();
        this->setAutoScroll(false);
        this->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
        this->setAutoScroll(scrolls);
    }
    // Forgets a scroll still waiting for the list to be shown (the rows changed).
    void DropPendingScroll() { m_nPendingRows = 0; }

    void showEvent(QShowEvent* event) override
    {
        View::showEvent(event);
        if (m_nPendingRows > 0) {
            ApplyScroll(m_nPendingRows);
            m_nPendingRows = 0;
        }
    }

private:
    void ApplyScroll(int rows)
    {
        this->executeDelayedItemsLayout();
        this->updateGeometries();
        QScrollBar* bar = this->verticalScrollBar();
        bar->setValue(bar->value() + rows);
    }

    int m_nPendingRows = 0;
};
