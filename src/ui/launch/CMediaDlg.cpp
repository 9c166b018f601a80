#include "launch/CMediaDlg.h"

#include "app/WindowHints.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace {

// Dialog units of the original layout, in pixels for a 10-point Japanese UI font.
QRect Dlu(int x, int y, int width, int height)
{
    auto px = [](int dlu, int num, int den) { return (dlu * num + den / 2) / den; };
    return QRect(px(x, 3, 2), px(y, 13, 8), px(width, 3, 2), px(height, 13, 8));
}

}  // namespace

CMediaDlg::CMediaDlg(QWidget* parent)
    : QDialog(parent),
      m_pMessage(new QLineEdit(this)),
      m_pOk(new QPushButton(QStringLiteral("O K"), this)),
      m_pCancel(new QPushButton(QStringLiteral("キャンセル"), this))
{
    WindowHints::FixDialog(this, Dlu(0, 0, 166, 60).size());
    m_pMessage->setGeometry(Dlu(12, 12, 144, 12));
    m_pMessage->setReadOnly(true);
    m_pMessage->setAlignment(Qt::AlignCenter);
    m_pOk->setGeometry(Dlu(12, 30, 60, 18));
    m_pCancel->setGeometry(Dlu(90, 30, 66, 18));
    m_pOk->setDefault(true);
    m_pOk->setAutoDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { done(kOk); });
    connect(m_pCancel, &QPushButton::clicked, this, [this] { done(kCancel); });

    m_font.setFamilies(QStringList{QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    m_font.setPointSize(10);
}

void CMediaDlg::OnInitDialog()
{
    m_pMessage->setFont(m_font);
    m_pOk->setFont(m_font);
    m_pCancel->setFont(m_font);
    setWindowTitle(QString::fromStdString(m_szCaption));
    m_pMessage->setText(QString::fromStdString(m_szMessage));
    m_pMessage->setCursorPosition(0);
}

int CMediaDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void CMediaDlg::reject() { done(kCancel); }
