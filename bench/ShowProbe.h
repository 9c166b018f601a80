#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <utility>

#include <unistd.h>

// Watches every event of the process for the first exposure of a window. Once the events
// of that exposure (the first paint of the window) have been handled, it writes "shown"
// to its standard output and ends the process at once, without any teardown, so that
// the start-up measured is the same for every program that uses it.
class ShowProbe final : public QObject {
public:
    // `check` runs just before the report; it may end the process with a failure itself.
    explicit ShowProbe(std::function<void()> check = {}) : m_check(std::move(check))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_bSeen && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                m_bSeen = true;
                QTimer::singleShot(0, [this] {
                    if (m_check)
                        m_check();
                    Report();
                });
            }
        }
        return false;
    }

private:
    static void Report()
    {
        static const char kShown[] = "shown\n";
        ssize_t written = ::write(STDOUT_FILENO, kShown, sizeof kShown - 1);
        ::_exit(written == static_cast<ssize_t>(sizeof kShown - 1) ? 0 : 5);
    }

    std::function<void()> m_check;
    bool m_bSeen = false;
};
