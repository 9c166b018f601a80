#include "app/InstanceChannel.h"

#include "platform/LocalCommandSocket.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace InstanceChannel {

QString NameFor(const std::string& homeDir)
{
    const auto folder = LocalCommandSocket::PrivateRuntimeFolder();
    if (!folder)
        return {};
    const QString home = QString::fromStdString(homeDir);
    QString real = QFileInfo(home).canonicalFilePath();
    if (real.isEmpty())
        real = home;
    const QByteArray hash =
        QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QFile::decodeName(folder->c_str()) + u"/zarn2-"_s + QString::fromLatin1(hash) + u".socket"_s;
}

bool AskToRaise(const QString& name, int timeoutMs)
{
    if (name.isEmpty())
        return false;
    const auto answer = LocalCommandSocket::Ask(QFile::encodeName(name).toStdString(),
                                                std::string(kRaise) + '\n', timeoutMs);
    return answer && *answer == kRaised;
}

}  // namespace InstanceChannel
