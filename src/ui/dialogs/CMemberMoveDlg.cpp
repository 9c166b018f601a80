#include "dialogs/CMemberMoveDlg.h"

#include "app/WindowHints.h"
#include "dialogs/DialogLayout.h"
#include "library/CZarn2Doc.h"
#include "view/CReportList.h"

#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

using DialogLayout::PlacePx;

namespace {
constexpr QRgb kListBack = qRgb(250, 255, 240);
constexpr int kRowPixels = 17;
}  // namespace

CMemberMoveDlg::CMemberMoveDlg(CZarn2Doc* doc, QWidget* parent) : QDialog(parent), m_pDoc(doc)
{
    setWindowTitle(QStringLiteral("移動先のジャンルを選んで下さい"));
    setFont(DialogLayout::ShellFont(8.0));
    // The window measures 270 x 320 pixels with its frame; this is the area inside a
    // dialog frame of 3 pixels and a title bar of 26.
    WindowHints::FixDialog(this, QSize(DialogLayout::Px(this, 264), DialogLayout::Px(this, 291)));

    m_pList = new CReportList(this, kListBack, qRgb(0, 0, 0));
    m_pList->setFont(DialogLayout::GothicFont(12.0));
    PlacePx(m_pList, 10, 10, 240, 230);
    m_pList->AddColumn(QStringLiteral("        ジ ャ ン ル"), m_pList->ClientWidth() - 17,
                       Qt::AlignLeft);
    m_pList->installEventFilter(this);

    QFont buttonFont = DialogLayout::GothicFont(10.0);
    m_pOk = new QPushButton(QStringLiteral("O K"), this);
    m_pOk->setFont(buttonFont);
    m_pOk->setDefault(true);
    PlacePx(m_pOk, 10, 250, 100, 25);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_pCancel->setFont(buttonFont);
    PlacePx(m_pCancel, 140, 250, 110, 25);

    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Whatever moves the list's selection (a click, a key the list handles itself) moves
    // the choice with it, so OK always takes the genre shown selected.
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this] {
        int row = m_pList->SelectionMark();
        if (row >= 0)
            m_nSelGroup = row;
    });
}

int CMemberMoveDlg::exec()
{
    if (m_pDoc == nullptr)
        return QDialog::Rejected;
    InitDialog();
    return QDialog::exec();
}

void CMemberMoveDlg::InitDialog()
{
    m_pList->DeleteAllItems();
    m_nSelGroup = -1;
    if (m_pDoc == nullptr)
        return;
    int count = m_pDoc->GetGroupCount();
    for (int i = 0; i < count; ++i)
        m_pList->InsertRow({QString::fromStdString(m_pDoc->m_Group[static_cast<size_t>(i)].m_szName)});
    int current = m_pDoc->m_nCurrGroup;
    if (current < 0 || current >= count)
        current = count > 0 ? 0 : -1;
    if (current > 10)
        m_pList->ScrollDown(current * kRowPixels - 170);
    m_pList->SelectRow(current);
    m_nSelGroup = current;
    m_pList->setFocus();
}

void CMemberMoveDlg::Choose(int row)
{
    m_pList->SelectRow(row);
    if (QTreeWidgetItem* item = m_pList->topLevelItem(row))
        m_pList->scrollToItem(item);
    m_nSelGroup = row;
}

bool CMemberMoveDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pList || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!CReportList::IsNavigationKey(key->key()))
        return QDialog::eventFilter(watched, event);
    int choice = m_pList->KeyTarget(key->key(), m_pList->topLevelItemCount());
    if (choice >= 0)
        Choose(choice);
    return true;
}
