#include "view/CHistoryList.h"

#include "view/CHistoryModel.h"
#include "view/CMarkedRowDelegate.h"
#include "view/ReportListStyle.h"

#include <QItemSelectionModel>

CHistoryList::CHistoryList(QWidget* parent, QRgb background, QRgb text, QRgb mark)
    : RowScrolling(parent), m_pModel(new CHistoryModel(this)), m_markColour(mark)
{
    ReportListStyle::Apply(this, background, text);
    setItemDelegate(new CMarkedRowDelegate(this, this));
    setModel(m_pModel);
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
