#include "options/CTimePage.h"

#include "app/CCaretStartEdit.h"
#include "options/CSpinButton.h"
#include "options/OptionFont.h"
#include "app/CZarn2App.h"
#include "platform/Format.h"
#include "platform/LeadingInt.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QString Minutes(int value) { return QString::fromStdString(Format("%2d", value)); }

}  // namespace

CTimePage::CTimePage(CZarn2App& app, QWidget* parent)
    : COptionPage(parent),
      m_pApp(&app),
      m_Font(OptionFont(11)),
      m_pEdit(new CCaretStartEdit(this)),
      m_pSpin(new CSpinButton(m_pEdit, this)),
      m_pMinimize(new QCheckBox(QStringLiteral("タイトル起動後最小化する"), this)),
      m_pAutoExit(new QCheckBox(QStringLiteral("履歴を取らない場合ソフトの起動後に終了する"), this))
{
    m_pEdit->setObjectName(QStringLiteral("limitEdit"));
    m_pMinimize->setObjectName(QStringLiteral("minimizeCheck"));
    m_pAutoExit->setObjectName(QStringLiteral("autoExitCheck"));
    // Digits only (the blank that "%2d" puts before a single digit may stay).
    m_pEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]*$")), m_pEdit));
    m_pEdit->setMaximumWidth(60);
    m_pEdit->setFont(m_Font);
    connect(m_pEdit, &QLineEdit::textChanged, this, [this] { OnChangeMinutes(); });

    auto* minutes = new QHBoxLayout;
    minutes->setSpacing(0);
    minutes->addWidget(m_pEdit);
    minutes->addWidget(m_pSpin);
    minutes->addWidget(new QLabel(QStringLiteral(" 分以下は記録しない．"), this));
    minutes->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(minutes);
    layout->addSpacing(12);
    layout->addWidget(m_pMinimize);
    layout->addWidget(m_pAutoExit);
    layout->addStretch(1);
}

void CTimePage::OnInitDialog()
{
    m_pEdit->setText(Minutes(m_pApp->LimitMinite));
    m_pSpin->SetRange(0, kMaxMinutes);
    m_pMinimize->setChecked(m_pApp->Minimize != 0);
    m_pAutoExit->setChecked(m_pApp->AutoExit != 0);
    m_nInitialised = 1;
}

// Keeps the typed number within 0 .. 15 at once; replacing the text comes back here
// with a value in range.
void CTimePage::OnChangeMinutes()
{
    if (m_nInitialised == 0)
        return;
    std::optional<int> value = LeadingInt(m_pEdit->text().toStdString());
    if (!value)
        return;
    if (*value < 0)
        m_pEdit->setText(Minutes(0));
    else if (*value > kMaxMinutes)
        m_pEdit->setText(Minutes(kMaxMinutes));
}

void CTimePage::OnOK()
{
    if (std::optional<int> value = LeadingInt(m_pEdit->text().toStdString()))
        m_pApp->LimitMinite = *value;
    m_pApp->Minimize = m_pMinimize->isChecked() ? 1 : 0;
    m_pApp->AutoExit = m_pAutoExit->isChecked() ? 1 : 0;
}
