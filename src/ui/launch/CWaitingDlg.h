#pragma once

#include "history/CPlayTime.h"

#include <QDialog>
#include <QFont>
#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

// The "プレイ中" dialog: shown while a title with manual timing runs, until the user
// presses "終 了" (or closes it). It shows the running time, counted from its opening,
// in blue every 500 ms. With the no-clock flag (a disc title played without history) the
// field stays empty: the dialog only holds the disc in the drive.
//
// Shown for a timed play whose first process has ended while others still run, it counts
// from the play's start (the clock it was given) and names what still runs.
//
// When the clock cannot be read on a tick (date before 2008, clock gone backwards), the
// message is shown once and the display stops at its last value.
class CWaitingDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 500;

    CWaitingDlg(const CPlayTime& clock, bool noClock, QWidget* parent = nullptr);

    int DoModal();
    // Font, clock and timer (DoModal does this first).
    void OnInitDialog();
    void OnTimer();
    // Counts from the given clock's start instead of the opening, and shows the line
    // saying what the play waits for (set again to change it).
    void ShowStillRunning(const QString& running);

    QLineEdit* TimeField() const { return m_pTime; }
    QPushButton* EndButton() const { return m_pEnd; }
    QLabel* RunningLine() const { return m_pRunning; }
    bool IsCounting() const { return m_timer.isActive(); }

private:
    QLineEdit* m_pTime;
    QPushButton* m_pEnd;
    QLabel* m_pRunning = nullptr;
    QFont m_font;
    CPlayTime m_Clock;
    bool m_bNoClock;
    bool m_bFromStart = false;
    QTimer m_timer;
};
