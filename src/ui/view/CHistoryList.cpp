#include "view/CHistoryList.h"

#include "view/CHistoryModel.h"
#include "view/CMarkedRowDelegate.h"
#include "view/ReportListStyle.h"
#include "view/ViewStyle.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

CHistoryList::CHistoryList(QWidget* parent, QRgb background, QRgb text, QRgb mark)
    : RowScrolling(parent), m_pModel(new CHistoryModel(this)), m_markColour(mark)
{
    ReportListStyle::Apply(this, background, text, kRowHeight);
    setItemDelegate(new CMarkedRowDelegate(this, this));
    // The list's face before its model: the headings measure themselves for the model in
    // the face they have then, and no other face need be loaded for that.
    setFont(ViewStyle::ListFont());
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

void CHistoryList::paintEvent(QPaintEvent* event)
{
    RowScrolling::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = QRect(0, rowViewportPosition(current.row()), viewport()->width(), rowHeight(current.row()));
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.backgroundColor = palette().color(selectionModel()->isRowSelected(current.row(), QModelIndex())
                                                ? QPalette::Highlight
                                                : QPalette::Base);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void CHistoryList::scrollContentsBy(int dx, int dy)
{
    RowScrolling::scrollContentsBy(dx, dy);
    KeepWholeTopRow();
}

void CHistoryList::updateGeometries()
{
    RowScrolling::updateGeometries();
    KeepWholeTopRow();
}

void CHistoryList::KeepWholeTopRow()
{
    QHeaderView* rows = verticalHeader();
    const int top = verticalScrollBar()->value();
    if (top >= rows->count() || rows->offset() == rows->sectionPosition(top))
        return;
    rows->setOffsetToSectionPosition(top);
    viewport()->update();
}

QModelIndex CHistoryList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const int rows = m_pModel->rowCount();
    switch (action) {
    case MoveHome:
        return rows > 0 ? m_pModel->index(0, 0) : QModelIndex();
    case MoveEnd:
        return rows > 0 ? m_pModel->index(rows - 1, 0) : QModelIndex();
    case MoveLeft:
    case MoveRight: {
        QScrollBar* bar = horizontalScrollBar();
        bar->setValue(bar->value() + (action == MoveLeft ? -bar->singleStep() : bar->singleStep()));
        return currentIndex();
    }
    default:
        return RowScrolling::moveCursor(action, modifiers);
    }
}

void CHistoryList::changeEvent(QEvent* event)
{
    RowScrolling::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        horizontalHeader()->setFont(font());
}
