#include "app/InstanceServer.h"

#include "app/InstanceChannel.h"

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace {

// How long a connection may take to send its line before it is dropped, and how many
// may wait at once (further ones are closed at once, so no caller can use up descriptors).
constexpr int kClientTimeoutMs = 5000;
constexpr int kMaxClients = 8;

// One connection: reads its line as it arrives (never more than a line's bound), answers
// a request and goes; one that says anything else, sends too much or takes too long goes
// without an answer.
class InstanceClient : public QObject {
public:
    InstanceClient(LocalCommandSocket socket, std::function<void()> raise, QObject* parent)
        : QObject(parent),
          m_socket(std::move(socket)),
          m_notifier(m_socket.Fd(), QSocketNotifier::Read, this),
          m_raise(std::move(raise))
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &InstanceClient::Read);
        QTimer::singleShot(kClientTimeoutMs, this, &InstanceClient::Drop);
        Read();
    }

private:
    void Read()
    {
        std::string line;
        switch (m_socket.ReadLine(line)) {
        case LocalCommandSocket::ReadState::Waiting:
            return;
        case LocalCommandSocket::ReadState::Line:
            if (line == InstanceChannel::kRaise) {
                m_raise();
                m_socket.Send(std::string(InstanceChannel::kRaised) + '\n');
            }
            break;
        case LocalCommandSocket::ReadState::Refused:
            break;
        }
        Drop();
    }

    void Drop()
    {
        m_notifier.setEnabled(false);
        m_socket.Close();
        deleteLater();
    }

    LocalCommandSocket m_socket;
    QSocketNotifier m_notifier;
    std::function<void()> m_raise;
};

}  // namespace

InstanceServer::InstanceServer(const QString& name, QObject* parent) : QObject(parent)
{
    if (name.isEmpty() || m_server.Listen(QFile::encodeName(name).toStdString()) != 0)
        return;
    m_notifier = new QSocketNotifier(m_server.Fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InstanceServer::Accept);
}

InstanceServer::~InstanceServer()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    m_server.Close();
}

void InstanceServer::Accept()
{
    for (LocalCommandSocket client = m_server.Accept(); client.IsOpen(); client = m_server.Accept()) {
        if (m_clients >= kMaxClients)
            continue;
        auto* reader = new InstanceClient(std::move(client), [this] { Raise(m_window); }, this);
        ++m_clients;
        connect(reader, &QObject::destroyed, this, [this] { --m_clients; });
    }
}

void InstanceServer::Raise(QWidget* window)
{
    if (window) {
        if (window->isMinimized())
            window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->show();
        window->raise();
        window->activateWindow();
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}
