#include "dialogs/CPlayLogDlg.h"

#include "app/WindowHints.h"
#include "dialogs/CPlayDlg.h"
#include "dialogs/CPlayLogModel.h"
#include "dialogs/DialogLayout.h"
#include "history/PlayLogEdit.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>

using DialogLayout::Place;

namespace {

QPushButton* MakeButton(QDialog* dialog, const char* text, int y)
{
    auto* button = new QPushButton(QString::fromUtf8(text), dialog);
    Place(button, 203, y, 50, 15);
    return button;
}

// A new play starts now and lasts nothing until the user says otherwise.
CPlayTime Now()
{
    CPlayTime play;
    play.SetMoment(Clock::Get().Now());
    return play;
}

}  // namespace

CPlayLogDlg::CPlayLogDlg(PlayLogEdit& edit, QWidget* parent)
    : QDialog(parent), m_edit(edit), m_pModel(new CPlayLogModel(edit, this))
{
    setFont(DialogLayout::GothicFont(9.0));
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 260, 200));

    m_pList = new QTreeView(this);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->header()->setSectionsMovable(false);
    m_pList->header()->setSectionResizeMode(QHeaderView::Fixed);
    m_pList->setModel(m_pModel);
    Place(m_pList, 7, 7, 190, 186);
    m_pList->setColumnWidth(0, DialogLayout::DluX(this, 110));
    m_pList->installEventFilter(this);

    m_pAdd = MakeButton(this, "追加(&A)...", 7);
    m_pChange = MakeButton(this, "変更(&C)...", 26);
    m_pDelete = MakeButton(this, "削除(&D)", 45);
    m_pOk = MakeButton(this, "O K", 159);
    m_pOk->setDefault(true);
    m_pCancel = MakeButton(this, "キャンセル", 178);

    connect(m_pAdd, &QPushButton::clicked, this, &CPlayLogDlg::OnAdd);
    connect(m_pChange, &QPushButton::clicked, this, &CPlayLogDlg::OnChange);
    connect(m_pDelete, &QPushButton::clicked, this, &CPlayLogDlg::OnDelete);
    connect(m_pOk, &QPushButton::clicked, this, &CPlayLogDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CPlayLogDlg::reject);
    connect(m_pList, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            Select({index.row()});
            OnChange();
        }
    });
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CPlayLogDlg::UpdateButtons);
    UpdateButtons();
    m_pList->setFocus();
}

void CPlayLogDlg::Select(const std::vector<int>& rows)
{
    QItemSelectionModel* selection = m_pList->selectionModel();
    selection->clearSelection();
    QItemSelection chosen;
    for (int row : rows) {
        QModelIndex index = m_pModel->index(row, 0);
        if (index.isValid())
            chosen.select(index, m_pModel->index(row, 1));
    }
    selection->select(chosen, QItemSelectionModel::Select);
    if (!chosen.isEmpty()) {
        QModelIndex first = chosen.indexes().first();
        selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        m_pList->scrollTo(first);
    }
    UpdateButtons();
}

std::vector<int> CPlayLogDlg::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CPlayLogDlg::OnAdd()
{
    CPlayDlg dlg(m_edit, -1, Now(), this);
    if (dlg.exec() == QDialog::Accepted)
        Reload({m_edit.Add(dlg.Play())});
}

void CPlayLogDlg::OnChange()
{
    std::vector<int> rows = SelectedRows();
    if (rows.size() != 1)
        return;
    CPlayDlg dlg(m_edit, rows[0], m_edit.Rows()[static_cast<size_t>(rows[0])].play, this);
    if (dlg.exec() == QDialog::Accepted)
        Reload({m_edit.Change(rows[0], dlg.Play())});
}

void CPlayLogDlg::OnDelete()
{
    std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    m_edit.Delete(rows);
    // The row after the deleted ones (now at the first one's place) is chosen next.
    int next = std::min(rows[0], static_cast<int>(m_edit.Rows().size()) - 1);
    Reload({next});
}

void CPlayLogDlg::reject()
{
    if (m_edit.Changed() && !Messenger::Ask("プレイ記録の変更を保存せずに閉じます. 宜しいですか ?"))
        return;
    QDialog::reject();
}

bool CPlayLogDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDelete();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CPlayLogDlg::Reload(const std::vector<int>& select)
{
    m_pModel->Reload();
    Select(select);
    m_pList->setFocus();
}

void CPlayLogDlg::UpdateButtons()
{
    size_t selected = m_pList->selectionModel()->selectedRows().size();
    m_pChange->setEnabled(selected == 1);
    m_pDelete->setEnabled(selected > 0);
}
