#include "app/CMainStatusBar.h"

#include "platform/Format.h"
#include "platform/IClock.h"
#include "view/ViewStyle.h"

#include <QLabel>

#include <algorithm>

namespace {

// A pane `width` pixels wide, or wider where its face needs more to show `widest` whole.
QLabel* MakePane(QStatusBar* bar, int width, const QString& text, const QString& widest)
{
    auto* pane = new QLabel(widest, bar);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setTextFormat(Qt::PlainText);
    // A slightly smaller face lets the counters and the clock fit the panes' widths of old in
    // most faces; where it does not, the pane grows rather than cut its text.
    pane->setFont(ViewStyle::MakeFont(8.0));
    pane->setFixedWidth(std::max(width, pane->sizeHint().width()));
    // A pane of fixed size in both directions takes new text without asking the status bar
    // to lay out and repaint all of itself: the clock changes every second, also while a
    // title plays, and then repaints only its own pane. The height is that of the tallest
    // text a pane shows.
    pane->setText(QStringLiteral(" ジャンル : 888/888 2026/12/31 23:59:59"));
    int height = pane->sizeHint().height();
    pane->setText(text);
    pane->setFixedHeight(std::max(height, pane->sizeHint().height()));
    bar->addPermanentWidget(pane);
    return pane;
}

}  // namespace

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setFont(ViewStyle::MakeFont(9.0));
    setSizeGripEnabled(false);
    // Until their first update the panes show their identifiers' texts.
    // The widest texts: the counters at their limits (32 genres, 128 titles) with the digit
    // that is widest in most faces, and a clock of such digits.
    m_pGenre = MakePane(this, 90, QString(12, QLatin1Char(' ')), QStringLiteral(" ジャンル :  88/ 88"));
    m_pTitle = MakePane(this, 90, QStringLiteral("ID_GROUP"), QStringLiteral(" タイトル : 888/888"));
    m_pClock = MakePane(this, 110, QStringLiteral("ID_MEMBER"), QStringLiteral(" 2888/08/28 28:28:28"));
}

void CMainStatusBar::SetGenreCounter(int current, int total)
{
    m_pGenre->setText(QString::fromStdString(Format(" ジャンル : %3d/%3d", current, total)));
}

void CMainStatusBar::SetTitleCounter(int current, int total)
{
    m_pTitle->setText(QString::fromStdString(Format(" タイトル : %3d/%3d", current, total)));
}

void CMainStatusBar::UpdateClock()
{
    LocalDateTime now = Clock::Get().Now();
    m_pClock->setText(QString::fromStdString(Format(" %04d/%02d/%02d %02d:%02d:%02d", now.year, now.month,
                                                    now.day, now.hour, now.minute, now.second)));
}

QLabel* CMainStatusBar::Pane(int pane) const
{
    switch (pane) {
    case 1:
        return m_pGenre;
    case 2:
        return m_pTitle;
    case 3:
        return m_pClock;
    default:
        return nullptr;
    }
}

QString CMainStatusBar::PaneText(int pane) const
{
    QLabel* label = Pane(pane);
    return label ? label->text() : currentMessage();
}

int CMainStatusBar::PaneWidth(int pane) const
{
    QLabel* label = Pane(pane);
    return label ? label->width() : -1;
}
