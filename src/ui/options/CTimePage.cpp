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

#include <algorithm>

namespace {

QString Minutes(int value) { return QString::fromStdString(Format("%2d", value)); }

// A number box with its arrows, followed by `text`.
QHBoxLayout* MinutesRow(QWidget* edit, QWidget* spin, QLabel* text)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(edit);
    row->addWidget(spin);
    row->addWidget(text);
    row->addStretch(1);
    return row;
}

}  // namespace

CTimePage::CTimePage(CZarn2App& app, QWidget* parent)
    : COptionPage(parent),
      m_pApp(&app),
      m_Font(OptionFont(11)),
      m_pEdit(MinutesBox("limitEdit")),
      m_pSpin(new CSpinButton(m_pEdit, this)),
      m_pIdleCheck(new QCheckBox(QStringLiteral("操作のない時間を確かめる(&I)"), this)),
      m_pIdleEdit(MinutesBox("idleEdit")),
      m_pIdleSpin(new CSpinButton(m_pIdleEdit, this)),
      m_pMinimize(new QCheckBox(QStringLiteral("タイトル起動後最小化する"), this)),
      m_pAutoExit(new QCheckBox(QStringLiteral("履歴を取らない場合ソフトの起動後に終了する"), this))
{
    m_pIdleCheck->setObjectName(QStringLiteral("idleCheck"));
    m_pMinimize->setObjectName(QStringLiteral("minimizeCheck"));
    m_pAutoExit->setObjectName(QStringLiteral("autoExitCheck"));
    connect(m_pEdit, &QLineEdit::textChanged, this, [this] { KeepWithin(m_pEdit, 0, kMaxMinutes); });
    connect(m_pIdleEdit, &QLineEdit::textChanged, this,
            [this] { KeepWithin(m_pIdleEdit, kMinIdleMinutes, kMaxIdleMinutes); });
    connect(m_pIdleCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_pIdleEdit->setEnabled(on);
        m_pIdleSpin->setEnabled(on);
    });

    auto* idle = MinutesRow(m_pIdleEdit, m_pIdleSpin, new QLabel(QStringLiteral(" 分以上"), this));
    idle->insertWidget(0, m_pIdleCheck);
    idle->insertSpacing(1, 8);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(MinutesRow(m_pEdit, m_pSpin, new QLabel(QStringLiteral(" 分以下は記録しない．"), this)));
    layout->addLayout(idle);
    layout->addSpacing(12);
    layout->addWidget(m_pMinimize);
    layout->addWidget(m_pAutoExit);
    layout->addStretch(1);
}

// Digits only (the blank that "%2d" puts before a single digit may stay).
CCaretStartEdit* CTimePage::MinutesBox(const char* name)
{
    auto* edit = new CCaretStartEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]*$")), edit));
    edit->setMaximumWidth(60);
    edit->setFont(m_Font);
    return edit;
}

void CTimePage::OnInitDialog()
{
    m_pEdit->setText(Minutes(m_pApp->LimitMinite));
    m_pSpin->SetRange(0, kMaxMinutes);
    const bool idle = m_pApp->IdleMinite > 0;
    m_pIdleEdit->setText(Minutes(idle ? m_pApp->IdleMinite : CSettings::kDefaultIdleMinite));
    m_pIdleSpin->SetRange(kMinIdleMinutes, kMaxIdleMinutes);
    m_pIdleCheck->setChecked(idle);
    m_pIdleEdit->setEnabled(idle);
    m_pIdleSpin->setEnabled(idle);
    m_pMinimize->setChecked(m_pApp->Minimize != 0);
    m_pAutoExit->setChecked(m_pApp->AutoExit != 0);
    m_nInitialised = 1;
}

// Keeps the typed number within its range at once; replacing the text comes back here
// with a value in range.
void CTimePage::KeepWithin(CCaretStartEdit* edit, int lower, int upper)
{
    if (m_nInitialised == 0)
        return;
    std::optional<int> value = LeadingInt(edit->text().toStdString());
    if (!value)
        return;
    if (*value < lower)
        edit->setText(Minutes(lower));
    else if (*value > upper)
        edit->setText(Minutes(upper));
}

void CTimePage::OnOK()
{
    if (std::optional<int> value = LeadingInt(m_pEdit->text().toStdString()))
        m_pApp->LimitMinite = *value;
    if (!m_pIdleCheck->isChecked())
        m_pApp->IdleMinite = 0;
    else if (std::optional<int> value = LeadingInt(m_pIdleEdit->text().toStdString()))
        m_pApp->IdleMinite = std::clamp(*value, kMinIdleMinutes, kMaxIdleMinutes);
    else if (m_pApp->IdleMinite <= 0)
        m_pApp->IdleMinite = CSettings::kDefaultIdleMinite;
    m_pApp->Minimize = m_pMinimize->isChecked() ? 1 : 0;
    m_pApp->AutoExit = m_pAutoExit->isChecked() ? 1 : 0;
}
