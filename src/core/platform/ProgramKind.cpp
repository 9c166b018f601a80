#include "platform/ProgramKind.h"

#include "platform/PeImage.h"
#include "platform/ScopedFd.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>
#include <QStandardPaths>
#include <QString>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool StartsWithShebang(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char head[2] = {0, 0};
    size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return got == 2 && head[0] == '#' && head[1] == '!';
}

bool InheritsAny(const QMimeType& type, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (type.inherits(QString::fromLatin1(name)))
            return true;
    }
    return false;
}

bool HasExeSuffix(const QFileInfo& info)
{
    return info.suffix().compare(QStringLiteral("exe"), Qt::CaseInsensitive) == 0;
}

}  // namespace

namespace Programs {

ProgramKind Classify(const std::string& path)
{
    QFileInfo info(QString::fromStdString(path));
    if (path.empty() || !info.exists())
        return ProgramKind::Missing;
    if (info.isDir())
        return ProgramKind::Folder;
    QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    if (HasExeSuffix(info) ||
        InheritsAny(type, {"application/x-ms-dos-executable", "application/x-msdownload",
                           "application/x-ms-ne-executable"}))
        return ProgramKind::Windows;
    // Scripts first: the type database files them under executables as well.
    if (StartsWithShebang(path))
        return ProgramKind::Script;
    if (InheritsAny(type, {"application/x-executable", "application/x-pie-executable"}))
        return ProgramKind::Native;
    // Position-independent programs are often typed as shared libraries; only the ones
    // marked executable are taken for programs.
    if (type.inherits(QStringLiteral("application/x-sharedlib")) && IsExecutable(path))
        return ProgramKind::Native;
    return ProgramKind::Document;
}

std::optional<bool> IsWindows32Bit(const std::string& path)
{
    // Never blocks on a pipe or a device that has the name; regular files only.
    const ScopedFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat status {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    // The headers of every program linked in the usual way lie within its first 4 KiB.
    std::vector<std::uint8_t> start(4096);
    const ssize_t got = ::pread(fd.Get(), start.data(), start.size(), 0);
    if (got <= 0)
        return std::nullopt;
    start.resize(static_cast<std::size_t>(got));
    return PeImage::Is32Bit(start);
}

std::string UrlScheme(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return {};
    std::string scheme;
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return {};
        scheme += static_cast<char>(std::tolower(c));
    }
    return scheme;
}

bool IsExecutable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

std::string FindWine() { return FindOnPath("wine"); }

std::string FindOnPath(const std::string& name)
{
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

std::string FindProgram(const std::string& name)
{
    std::string found = FindOnPath(name);
    if (!found.empty() || name.empty() || name.find('/') != std::string::npos)
        return found;
    const QStringList folders{QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"), QStringLiteral("/bin"),
                              QStringLiteral("/usr/local/games"), QStringLiteral("/usr/games")};
    return QStandardPaths::findExecutable(QString::fromStdString(name), folders).toStdString();
}

}  // namespace Programs
