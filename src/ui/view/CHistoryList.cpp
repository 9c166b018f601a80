#include "view/CHistoryList.h"

#include "view/CHistoryModel.h"
#include "view/CMarkedRowDelegate.h"
#include "view/ReportListStyle.h"

#include <QItemSelectionModel>
#include <QScrollBar>

CHistoryList::CHistoryList(QWidget* parent, QRgb background, QRgb text, QRgb mark)
    : QTreeView(parent), m_pModel(new CHistoryModel(this)), m_markColour(mark)
{
    ReportListStyle::Apply(this, background, text);
    setItemDelegate(new CMarkedRowDelegate(this, this));
    setModel(m_pModel);
}

void CHistoryList::Show(const CPlayHistory* history, int mode)
{
    m_nPendingRows = 0;
    m_pModel->Show(history, mode);
}

void CHistoryList::SetHeadingMode(int mode) { m_pModel->SetHeadingMode(mode); }

int CHistoryList::RowCount() const { return m_pModel->rowCount(); }

QString CHistoryList::Cell(int row, int column) const { return m_pModel->Text(row, column); }

QString CHistoryList::Heading(int column) const
{
    return m_pModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int CHistoryList::ClientWidth() const { return contentsRect().width(); }

int CHistoryList::TopIndex() const
{
    QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

int CHistoryList::CountPerPage() const { return viewport()->height() / kRowHeight; }

void CHistoryList::ScrollDown(int pixels)
{
    if (pixels <= 0)
        return;
    int rows = (pixels + kRowHeight - 1) / kRowHeight;
    if (!isVisible()) {
        m_nPendingRows += rows;
        return;
    }
    ApplyScroll(rows);
}

void CHistoryList::ApplyScroll(int rows)
{
    executeDelayedItemsLayout();
    updateGeometries();
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + rows);
}

void CHistoryList::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    if (m_nPendingRows > 0) {
        ApplyScroll(m_nPendingRows);
        m_nPendingRows = 0;
    }
}

void CHistoryList::SelectRow(int row)
{
    QModelIndex index = row >= 0 ? m_pModel->index(row, 0) : QModelIndex();
    if (!index.isValid()) {
        clearSelection();
        return;
    }
    // Selecting must not move the list: the scroll position is the caller's.
    bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setAutoScroll(scrolls);
}

int CHistoryList::SelectionMark() const
{
    QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool CHistoryList::IsRowSelected(int row) const
{
    return row >= 0 && selectionModel()->isRowSelected(row, QModelIndex());
}
