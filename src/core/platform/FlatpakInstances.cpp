#include "platform/FlatpakInstances.h"

#include "platform/RegularFile.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <glib.h>

#include <dirent.h>

namespace {

constexpr std::uint64_t kMaxFileBytes = 64 * 1024;

int ChildPidOf(const std::string& bwrapInfo)
{
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(bwrapInfo));
    return document.object().value(QStringLiteral("child-pid")).toInt(0);
}

}  // namespace

namespace FlatpakInstances {

std::string AppOf(std::string_view info)
{
    GKeyFile* file = g_key_file_new();
    std::string app;
    if (g_key_file_load_from_data(file, info.data(), info.size(), G_KEY_FILE_NONE, nullptr)) {
        if (gchar* name = g_key_file_get_string(file, "Application", "name", nullptr)) {
            app = name;
            g_free(name);
        }
    }
    g_key_file_free(file);
    return app;
}

std::vector<Instance> List(const std::string& runtimeDir)
{
    std::vector<Instance> instances;
    if (runtimeDir.empty())
        return instances;
    const std::string root = runtimeDir + "/.flatpak";
    DIR* folder = ::opendir(root.c_str());
    if (!folder)
        return instances;
    while (dirent* item = ::readdir(folder)) {
        std::string name = item->d_name;
        if (name == "." || name == "..")
            continue;
        std::string info, bwrap;
        if (RegularFile::ReadAtMost(root + "/" + name + "/info", kMaxFileBytes, info) != 0 ||
            RegularFile::ReadAtMost(root + "/" + name + "/bwrapinfo.json", kMaxFileBytes, bwrap) != 0)
            continue;
        Instance instance{AppOf(info), ChildPidOf(bwrap)};
        if (!instance.app.empty() && instance.childPid > 0)
            instances.push_back(std::move(instance));
    }
    ::closedir(folder);
    return instances;
}

}  // namespace FlatpakInstances
