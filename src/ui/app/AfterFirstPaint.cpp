#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

AfterFirstPaint::AfterFirstPaint(QWidget* window, std::function<void()> action)
    : QObject(window), m_action(std::move(action)), m_pLatest(new QTimer(this))
{
    window->installEventFilter(this);
    // A window that is not painted at once (on another workspace, under a window manager
    // that keeps it hidden) still gets the action, a little later.
    m_pLatest->setSingleShot(true);
    connect(m_pLatest, &QTimer::timeout, this, &AfterFirstPaint::Fire);
    m_pLatest->start(kLatestMs);
}

void AfterFirstPaint::Fire()
{
    // The action may open a message box: its nested loop runs this object's timer and paints
    // while the deferred delete below waits for the outer loop, so a second call must find
    // the action gone and do nothing.
    if (m_bFired)
        return;
    m_bFired = true;
    m_pLatest->stop();
    parent()->removeEventFilter(this);
    // Queued behind the paint: the action runs once the picture is made.
    QTimer::singleShot(0, parent(), std::move(m_action));
    deleteLater();
}

void AfterFirstPaint::Run(QWidget* window, std::function<void()> action)
{
    new AfterFirstPaint(window, std::move(action));
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Paint)
        Fire();
    return false;
}
