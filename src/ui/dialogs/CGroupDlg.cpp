#include "dialogs/CGroupDlg.h"

#include "app/WindowHints.h"
#include "dialogs/DialogLayout.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using DialogLayout::Place;

CGroupDlg::CGroupDlg(QWidget* parent) : QDialog(parent)
{
    setFont(DialogLayout::GothicFont(9.0));
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 151, 167));
    QFont font = DialogLayout::GothicFont(11.5);

    m_pTitle = new QLabel(QStringLiteral("【 ジ ャ ン ル 名 入 力 】"), this);
    Place(m_pTitle, 12, 12, 126, 18);
    m_pTitle->setFont(font);
    m_pName = new QLineEdit(this);
    Place(m_pName, 12, 30, 126, 18);
    m_pName->setFont(font);
    m_pName->installEventFilter(this);
    Place(new QLabel(QStringLiteral("ジャンルの属性"), this), 12, 54, 126, 12);
    Place(new QGroupBox(QStringLiteral("時間記録"), this), 12, 72, 126, 54);
    m_pWithHistory = new QRadioButton(QStringLiteral("履歴を取ってプレイ"), this);
    Place(m_pWithHistory, 18, 84, 114, 18);
    m_pWithoutHistory = new QRadioButton(QStringLiteral("履歴を取らずにプレイ"), this);
    Place(m_pWithoutHistory, 18, 102, 120, 18);
    m_pOk = new QPushButton(QStringLiteral("O K"), this);
    Place(m_pOk, 12, 138, 54, 15);
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Place(m_pCancel, 84, 138, 54, 15);

    connect(m_pOk, &QPushButton::clicked, this, &CGroupDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CGroupDlg::reject);
}

void CGroupDlg::InitDialog()
{
    setWindowTitle(QString::fromStdString(m_szCaption));
    m_pName->setText(QString::fromStdString(m_szName));
    m_pWithHistory->setChecked(m_nPlayMode == 0);
    m_pWithoutHistory->setChecked(m_nPlayMode != 0);
}

int CGroupDlg::exec()
{
    InitDialog();
    return QDialog::exec();
}

bool CGroupDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pName && event->type() == QEvent::FocusIn) {
        // The field selects all its text when it gains the focus: let it, then take the
        // selection away so that the name is not shown all selected.
        m_pName->event(event);
        m_pName->deselect();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CGroupDlg::accept()
{
    m_szName = m_pName->text().toStdString();
    m_nPlayMode = m_pWithHistory->isChecked() ? 0 : 1;
    QDialog::accept();
}
