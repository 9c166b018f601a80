#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

// Lets the event loop run (timers, paints) for `ms` milliseconds.
inline void ProcessEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
