#include "launch/CWaitingDlg.h"

#include "app/WindowHints.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
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

CWaitingDlg::CWaitingDlg(const CPlayTime& clock, bool noClock, QWidget* parent)
    : QDialog(parent),
      m_pTime(new QLineEdit(this)),
      m_pEnd(new QPushButton(QStringLiteral("終 了"), this)),
      m_Clock(clock),
      m_bNoClock(noClock)
{
    setWindowTitle(QStringLiteral("プレイ中"));
    WindowHints::FixDialog(this, Dlu(0, 0, 148, 66).size());
    m_pTime->setGeometry(Dlu(18, 12, 114, 15));
    m_pTime->setReadOnly(true);
    m_pTime->setFrame(true);
    m_pTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pTime->setFocusPolicy(Qt::NoFocus);
    // Blue text on the dialog's own background.
    QPalette colours = m_pTime->palette();
    colours.setColor(QPalette::Text, QColor(0, 0, 255));
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    m_pTime->setPalette(colours);

    m_pEnd->setGeometry(Dlu(36, 36, 78, 18));
    m_pEnd->setDefault(true);
    m_pEnd->setAutoDefault(true);
    connect(m_pEnd, &QPushButton::clicked, this, &QDialog::accept);

    m_font.setFamilies(QStringList{QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    m_font.setPointSize(14);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CWaitingDlg::OnTimer);
}

void CWaitingDlg::OnInitDialog()
{
    m_pTime->setFont(m_font);
    if (m_bNoClock)
        return;
    if (m_bFromStart) {
        m_timer.start();
        OnTimer();
        return;
    }
    // The display counts from the dialog's opening. A clock that cannot be read has shown
    // its message; the field then stays empty.
    if (m_Clock.Start())
        m_timer.start();
}

void CWaitingDlg::ShowStillRunning(const QString& running)
{
    if (!m_pRunning) {
        m_bFromStart = true;
        m_pRunning = new QLabel(this);
        m_pRunning->setGeometry(Dlu(8, 58, 132, 10));
        WindowHints::FixDialog(this, Dlu(0, 0, 148, 74).size());
    }
    m_pRunning->setText(running);
}

int CWaitingDlg::DoModal()
{
    OnInitDialog();
    int result = exec();
    m_timer.stop();
    return result;
}

// A tick whose message box is still open holds back the next one (a timer does not fire
// again while its handler runs), so a failing clock shows one box.
void CWaitingDlg::OnTimer()
{
    // A failed measurement leaves the elapsed field untouched (or negative): the marker
    // tells it from a legitimate 0 s.
    m_Clock.m_nElapsed = -1;
    m_Clock.Measure();
    if (m_Clock.m_nElapsed < 0) {
        m_timer.stop();
    } else {
        m_pTime->setText(QString::asprintf("%02d:%02d:%02d", m_Clock.m_nElapsedHour, m_Clock.m_nElapsedMinute,
                                           m_Clock.m_nElapsedSecond));
    }
}
