#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

AfterFirstPaint::AfterFirstPaint(QWidget* window, std::function<void()> action)
    : QObject(window), m_action(std::move(action))
{
    window->installEventFilter(this);
    // A window that is not painted at once (on another workspace, under a window manager
    // that keeps it hidden) still gets the action, a little later.
    QTimer::singleShot(kLatestMs, this, &AfterFirstPaint::Fire);
}

void AfterFirstPaint::Fire()
{
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
