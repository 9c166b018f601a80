#include "platform/SteamLibraryCache.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>

namespace SteamLibraryCache {

std::string GameId(const std::string& url)
{
    static const QRegularExpression pattern(QStringLiteral("^steam://(?:rungameid|run|launch)/(\\d+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch match = pattern.match(QString::fromStdString(url));
    return match.hasMatch() ? match.captured(1).toStdString() : std::string();
}

std::string IconFile(const std::string& url, const std::string& home)
{
    const QString id = QString::fromStdString(GameId(url));
    if (id.isEmpty())
        return {};
    static const QRegularExpression hashName(QStringLiteral("^[0-9a-f]{40}\\.jpg$"));
    const QString base = QString::fromStdString(home);
    for (const QString& root : {QStringLiteral("/.steam/steam"), QStringLiteral("/.local/share/Steam"),
                                QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam")}) {
        const QString cache = base + root + QStringLiteral("/appcache/librarycache/");
        const QString flat = cache + id + QStringLiteral("_icon.jpg");
        if (QFileInfo(flat).isFile())
            return flat.toStdString();
        for (const QFileInfo& file : QDir(cache + id).entryInfoList(QDir::Files, QDir::Name)) {
            if (hashName.match(file.fileName()).hasMatch())
                return file.filePath().toStdString();
        }
    }
    return {};
}

}  // namespace SteamLibraryCache
