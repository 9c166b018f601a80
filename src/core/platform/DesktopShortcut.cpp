// GIO before Qt (its "signals" would clash without QT_NO_KEYWORDS).
#include "platform/GioCalls.h"

#include "platform/DesktopShortcut.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QStandardPaths>

#include <filesystem>
#include <sys/stat.h>

namespace {

constexpr int kIconSize = 64;

std::string StandardFolder(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location).toStdString();
}

// The escapes of a desktop entry's string values.
std::string EscapeString(const std::string& value)
{
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    if (!out.empty() && out.front() == ' ')
        out.replace(0, 1, "\\s");
    return out;
}

// One Exec argument in double quotes: the four characters the quoting reserves get a
// backslash, and % (a field code otherwise) is doubled.
std::string QuoteArgument(const std::string& argument)
{
    std::string out = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        if (c == '%')
            out += '%';
        out += c;
    }
    return out + "\"";
}

std::string ParentFolder(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string();
}

// Desktops that ask before starting an entry they did not install honour this mark.
// Unsupported without the desktop's metadata service: the failure is of no concern.
void MarkTrusted(const std::string& path)
{
    const GioCalls* gio = GioCalls::Get();
    if (!gio)
        return;
    GFile* file = gio->file_new_for_path(path.c_str());
    GError* error = nullptr;
    gio->file_set_attribute_string(file, "metadata::trusted", "true", G_FILE_QUERY_INFO_NONE, nullptr, &error);
    if (error)
        g_error_free(error);
    gio->object_unref(file);
}

}  // namespace

namespace DesktopShortcut {

std::string StartMenuPath()
{
    std::string folder = StandardFolder(QStandardPaths::ApplicationsLocation);
    return folder.empty() ? std::string() : folder + "/" + kFileName;
}

std::string DesktopPath()
{
    std::string folder = StandardFolder(QStandardPaths::DesktopLocation);
    if (folder.empty() || QDir(QString::fromStdString(folder)) == QDir::home())
        return {};
    return folder + "/" + kFileName;
}

bool Exists(const std::string& path)
{
    struct stat st{};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

std::string ExecValue(const std::string& exePath)
{
    std::string exec = QuoteArgument(exePath);
    // GLib refuses to load an entry whose program, taken before "%%" becomes "%", does
    // not exist; a program path with "%" is therefore started through the shell, which
    // receives the path as its $0 and runs exactly that file.
    if (exePath.find('%') != std::string::npos)
        exec = "/bin/sh -c " + QuoteArgument("exec \"$0\"") + " " + exec;
    return EscapeString(exec);
}

std::string EntryText(const std::string& exePath, bool withIcon)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Zarn2\n";
    text += "Exec=" + ExecValue(exePath) + "\n";
    if (withIcon)
        text += std::string("Icon=") + kIconName + "\n";
    text += "Terminal=false\n"
            "Categories=Game;\n";
    return text;
}

bool Create(const std::string& path, const std::string& exePath, bool makeFolder, const std::string& iconSource)
{
    if (path.empty())
        return false;
    if (makeFolder) {
        std::error_code ec;
        std::filesystem::create_directories(ParentFolder(path), ec);
    }
    const bool withIcon = InstallIcon(iconSource) || Exists(IconPath());
    if (AtomicFile::Replace(path, EntryText(exePath, withIcon)) != 0)
        return false;
    ::chmod(path.c_str(), 0755);
    MarkTrusted(path);
    return true;
}

void Remove(const std::string& path)
{
    if (!path.empty())
        ::unlink(path.c_str());
}

std::string IconPath()
{
    std::string data = StandardFolder(QStandardPaths::GenericDataLocation);
    if (data.empty())
        return {};
    return data + "/icons/hicolor/" + std::to_string(kIconSize) + "x" + std::to_string(kIconSize) + "/apps/" +
           kIconName + ".png";
}

bool InstallIcon(const std::string& iconSource)
{
    const std::string target = IconPath();
    QImage image(QString::fromStdString(iconSource));
    if (target.empty() || image.isNull())
        return false;
    if (image.width() != kIconSize || image.height() != kIconSize)
        image = image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return false;
    std::error_code ec;
    std::filesystem::create_directories(ParentFolder(target), ec);
    return AtomicFile::Replace(target, png.toStdString()) == 0;
}

}  // namespace DesktopShortcut
