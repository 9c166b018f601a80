#include "app/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace InstanceChannel {

QString NameFor(const std::string& homeDir)
{
    const QString home = QString::fromStdString(homeDir);
    QString real = QFileInfo(home).canonicalFilePath();
    if (real.isEmpty())
        real = home;
    const QByteArray hash =
        QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + u"/zarn2-"_s + QString::fromLatin1(hash) + u".socket"_s;
}

bool AskToRaise(const QString& name, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return false;
    socket.write(kRaise);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == kRaised;
}

}  // namespace InstanceChannel
