#include "view/CHistoryList.h"

#include "view/CHistoryModel.h"
#include "view/CMarkedRowDelegate.h"
#include "view/ReportListStyle.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMenu>

CHistoryList::CHistoryList(QWidget* parent, QRgb background, QRgb text, QRgb mark)
    : RowScrolling(parent), m_pModel(new CHistoryModel(this)), m_markColour(mark)
{
    ReportListStyle::Apply(this, background, text);
    setItemDelegate(new CMarkedRowDelegate(this, this));
    setModel(m_pModel);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT EditRequested(index.row());
    });
}

void CHistoryList::contextMenuEvent(QContextMenuEvent* event)
{
    // From the mouse the position is the rows' area's; from the keyboard the marked row is meant.
    QModelIndex index = event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos())
                                                                      : model()->index(SelectionMark(), 0);
    if (!index.isValid())
        return;
    SelectRow(index.row());
    QMenu menu(this);
    QAction* edit = menu.addAction(QStringLiteral("このプレイを編集(&E)..."));
    edit->setEnabled(!m_editable || m_editable());
    if (menu.exec(event->globalPos()) == edit)
        Q_EMIT EditRequested(index.row());
}

void CHistoryList::Show(const CPlayHistory* history, int mode)
{
    DropPendingScroll();
    m_pModel->Show(history, mode);
}

bool CHistoryList::Repoint(const CPlayHistory* history)
{
    return m_pModel->Repoint(history);
}

void CHistoryList::SetHeadingMode(int mode) { m_pModel->SetHeadingMode(mode); }

int CHistoryList::RowCount() const { return m_pModel->rowCount(); }

QString CHistoryList::Cell(int row, int column) const { return m_pModel->Text(row, column); }

QString CHistoryList::Heading(int column) const
{
    return m_pModel->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void CHistoryList::SelectRow(int row)
{
    SelectIndex(row >= 0 ? m_pModel->index(row, 0) : QModelIndex());
}

bool CHistoryList::IsRowSelected(int row) const
{
    return row >= 0 && selectionModel()->isRowSelected(row, QModelIndex());
}
