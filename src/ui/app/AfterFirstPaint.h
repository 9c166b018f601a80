#pragma once

#include <QObject>

#include <functional>

class QTimer;
class QWidget;

// Runs an action once the window has been painted for the first time (just after that
// paint, from the event loop), or after kLatestMs when no paint came: start-up work the
// first picture does not need waits until the window is on the screen.
class AfterFirstPaint : public QObject {
public:
    // The action runs at most once, and not at all if the window goes first.
    static void Run(QWidget* window, std::function<void()> action);

    static constexpr int kLatestMs = 2000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AfterFirstPaint(QWidget* window, std::function<void()> action);
    void Fire();

    std::function<void()> m_action;
    QTimer* m_pLatest;
    bool m_bFired = false;
};
