#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

AfterFirstPaint::AfterFirstPaint(QWidget* window, std::function<void()> action)
    : QObject(window), m_action(std::move(action))
{
    window->installEventFilter(this);
}

void AfterFirstPaint::Run(QWidget* window, std::function<void()> action)
{
    new AfterFirstPaint(window, std::move(action));
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued behind the paint: the action runs once the picture is made.
        QTimer::singleShot(0, parent(), std::move(m_action));
        deleteLater();
    }
    return false;
}
