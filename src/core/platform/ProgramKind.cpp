#include "platform/ProgramKind.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>
#include <QStandardPaths>
#include <QString>

#include <cstdio>
#include <unistd.h>

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

bool IsExecutable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

std::string FindWine() { return FindOnPath("wine"); }

std::string FindOnPath(const std::string& name)
{
    return QStandardPaths::findExecutable(QString::fromStdString(name)).toStdString();
}

}  // namespace Programs
