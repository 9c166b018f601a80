#pragma once

#include "history/CPlayTime.h"

#include <QDialog>

class PlayLogEdit;
class QDateTimeEdit;
class QPushButton;
class QSpinBox;

// One play of the play log dialog, added or changed: its start (local date and time) and
// its play time in hours, minutes and seconds. OK refuses, with a message that says why,
// a play the log cannot hold, and asks before it takes one that overlaps another play.
class CPlayDlg : public QDialog {
    Q_OBJECT
public:
    // `row` is the play being changed (-1 for a new one), left out of the overlap check.
    CPlayDlg(const PlayLogEdit& edit, int row, const CPlayTime& play, QWidget* parent = nullptr);

    // The play as the fields hold it.
    CPlayTime Play() const;

    QDateTimeEdit* m_pStart;
    QSpinBox* m_pHours;
    QSpinBox* m_pMinutes;
    QSpinBox* m_pSeconds;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;

public Q_SLOTS:
    void accept() override;

private:
    const PlayLogEdit& m_edit;
    int m_nRow;
};
