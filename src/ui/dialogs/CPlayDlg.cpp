#include "dialogs/CPlayDlg.h"

#include "app/WindowHints.h"
#include "dialogs/DialogLayout.h"
#include "history/PlayLogEdit.h"
#include "platform/IClock.h"
#include "platform/IMessenger.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <cstdint>
#include <limits>

using DialogLayout::Place;

namespace {

// Hours up to the longest play time a log line holds.
constexpr int kMaxHours = std::numeric_limits<int>::max() / 3600;

QSpinBox* MakeSpin(QWidget* parent, int maximum, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(0, maximum);
    spin->setValue(value);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

QLabel* AddLabel(QWidget* parent, const char* text, int x, int y, int width)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    Place(label, x, y, width, 10);
    return label;
}

}  // namespace

CPlayDlg::CPlayDlg(const PlayLogEdit& edit, int row, const CPlayTime& play, QWidget* parent)
    : QDialog(parent), m_edit(edit), m_nRow(row)
{
    setWindowTitle(QStringLiteral("プレイ"));
    setFont(DialogLayout::GothicFont(9.0));
    WindowHints::FixDialog(this, DialogLayout::DluSize(this, 204, 72));

    QLabel* startLabel = AddLabel(this, "開始日時(&S)", 7, 10, 50);
    m_pStart = new QDateTimeEdit(this);
    startLabel->setBuddy(m_pStart);
    // The fields are the log's local date and time as written; no zone moves them.
    m_pStart->setTimeSpec(Qt::UTC);
    m_pStart->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    m_pStart->setMinimumDateTime(QDateTime(QDate(2008, 1, 1), QTime(0, 0), Qt::UTC));
    m_pStart->setDateTime(QDateTime(QDate(play.m_nYear, play.m_nMonth, play.m_nDay),
                                    QTime(play.m_nHour, play.m_nMinute, std::min(play.m_nSecond, 59)), Qt::UTC));
    Place(m_pStart, 58, 7, 100, 14);

    QLabel* timeLabel = AddLabel(this, "プレイ時間(&P)", 7, 30, 50);
    m_pHours = MakeSpin(this, kMaxHours, play.m_nElapsed / 3600);
    timeLabel->setBuddy(m_pHours);
    Place(m_pHours, 58, 27, 40, 14);
    AddLabel(this, "時間", 100, 30, 16);
    m_pMinutes = MakeSpin(this, 59, play.m_nElapsed % 3600 / 60);
    Place(m_pMinutes, 118, 27, 26, 14);
    AddLabel(this, "分", 146, 30, 10);
    m_pSeconds = MakeSpin(this, 59, play.m_nElapsed % 60);
    Place(m_pSeconds, 158, 27, 26, 14);
    AddLabel(this, "秒", 186, 30, 10);

    m_pOk = new QPushButton(QStringLiteral("O K"), this);
    m_pOk->setDefault(true);
    Place(m_pOk, 86, 50, 54, 15);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Place(m_pCancel, 143, 50, 54, 15);
    connect(m_pOk, &QPushButton::clicked, this, &CPlayDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CPlayDlg::reject);
}

CPlayTime CPlayDlg::Play() const
{
    QDateTime start = m_pStart->dateTime();
    CPlayTime play;
    play.SetMoment({start.date().year(), start.date().month(), start.date().day(), start.time().hour(),
                    start.time().minute(), start.time().second()});
    std::int64_t seconds =
        std::int64_t{m_pHours->value()} * 3600 + m_pMinutes->value() * 60 + m_pSeconds->value();
    // A time beyond what a log line holds reads as one the check refuses.
    play.m_nElapsed = seconds > std::numeric_limits<int>::max() ? -1 : static_cast<int>(seconds);
    play.SplitElapsed();
    return play;
}

void CPlayDlg::accept()
{
    CPlayTime play = Play();
    PlayLogEdit::Refusal refusal = PlayLogEdit::Check(play, Clock::Get().Now());
    if (refusal != PlayLogEdit::Refusal::None) {
        Messenger::Show(PlayLogEdit::RefusalText(refusal));
        return;
    }
    if (m_edit.Overlaps(play, m_nRow) &&
        !Messenger::Ask("ほかのプレイと時間が重なっています. 記録しますか ?"))
        return;
    QDialog::accept();
}
