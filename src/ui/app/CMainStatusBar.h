#pragma once

#include <QStatusBar>

class QLabel;

// The status bar: the prompt area, then the genre counter, the title counter and the clock.
class CMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CMainStatusBar(QWidget* parent);

    void SetGenreCounter(int current, int total);
    void SetTitleCounter(int current, int total);
    // Shows the local date and time.
    void UpdateClock();
    // Text of pane 1 (genres), 2 (titles) or 3 (clock).
    QString PaneText(int pane) const;
    int PaneWidth(int pane) const;

private:
    QLabel* Pane(int pane) const;

    QLabel* m_pGenre;
    QLabel* m_pTitle;
    QLabel* m_pClock;
};
