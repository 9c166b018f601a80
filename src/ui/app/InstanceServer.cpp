#include "app/InstanceServer.h"

#include "app/InstanceChannel.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name);
    m_server->listen(name);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

InstanceServer::~InstanceServer()
{
    m_server->close();
}

bool InstanceServer::Listening() const
{
    return m_server->isListening();
}

void InstanceServer::Accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Answer(socket); });
        if (socket->canReadLine())
            Answer(socket);
    }
}

void InstanceServer::Answer(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() == InstanceChannel::kRaise) {
        Raise(m_window);
        socket->write(InstanceChannel::kRaised);
        socket->flush();
    }
    socket->disconnectFromServer();
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
