#pragma once

#include <QObject>

// Holds the desktop's automount inhibitor while the launcher is the active application
// (its main window or one of its dialogs, the disc prompt among them, in front) and
// releases it when another program comes to the front or this object goes with the
// main window.
class AutomountWhileActive : public QObject {
    Q_OBJECT
public:
    explicit AutomountWhileActive(QObject* parent);
    ~AutomountWhileActive() override;

    void OnStateChanged(Qt::ApplicationState state);
};
