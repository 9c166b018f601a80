#pragma once

#include "platform/LocalCommandServer.h"

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// The running launcher's end of the instance channel: every request brings the main window
// (and the dialog open over it) to the front, restored when minimised. Listens while it
// lives; only the run that holds the home folder's lock creates one, so a socket left by
// a killed run is stale and is replaced. An empty name (no private runtime folder) listens
// nowhere.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(const QString& name, QObject* parent = nullptr);
    ~InstanceServer() override;

    bool Listening() const { return m_server.Listening(); }
    // The window to bring forward (none until the main window exists).
    void SetWindow(QWidget* window) { m_window = window; }

    // Restores `window` when minimised and brings it, or the modal dialog over it, to
    // the front.
    static void Raise(QWidget* window);

private:
    void Accept();

    LocalCommandServer m_server;
    QSocketNotifier* m_notifier = nullptr;
    int m_clients = 0;  // connections still being read
    QPointer<QWidget> m_window;
};
