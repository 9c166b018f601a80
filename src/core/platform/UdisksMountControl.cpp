// GLib's headers come before Qt's.
#include "platform/GioCalls.h"

#include "platform/UdisksMountControl.h"

#include "platform/Format.h"

#include <QStorageInfo>

#include <filesystem>

namespace {

constexpr int kCallTimeoutMs = 25000;

// Calls one method of the udisks2 filesystem interface with empty options; returns the
// reply, or nullptr when the bus or the service refused.
GVariant* CallFilesystem(const std::string& device, const char* method)
{
    const GioCalls* gio = GioCalls::Get();
    if (!gio)
        return nullptr;
    GError* error = nullptr;
    GDBusConnection* bus = gio->bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return nullptr;
    }
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    std::string path = UdisksMountControl::BlockObjectPath(device);
    GVariant* reply = gio->dbus_connection_call_sync(
        bus, "org.freedesktop.UDisks2", path.c_str(), "org.freedesktop.UDisks2.Filesystem", method,
        g_variant_new("(a{sv})", &options), nullptr, G_DBUS_CALL_FLAGS_ALLOW_INTERACTIVE_AUTHORIZATION,
        kCallTimeoutMs, nullptr, &error);
    g_clear_error(&error);
    gio->object_unref(bus);
    return reply;
}

}  // namespace

std::string UdisksMountControl::CanonicalDevice(const std::string& device)
{
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::canonical(device, ec);
    return ec ? device : canonical.string();
}

std::string UdisksMountControl::BlockObjectPath(const std::string& device)
{
    std::string name = std::filesystem::path(CanonicalDevice(device)).filename().string();
    std::string escaped;
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
            escaped.push_back(static_cast<char>(c));
        else
            escaped += Format("_%02x", c);
    }
    return "/org/freedesktop/UDisks2/block_devices/" + escaped;
}

std::string UdisksMountControl::MountPoint(const std::string& device)
{
    if (device.empty())
        return {};
    std::string wanted = CanonicalDevice(device);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        std::string mounted = volume.device().toStdString();
        if (mounted == device || CanonicalDevice(mounted) == wanted)
            return volume.rootPath().toStdString();
    }
    return {};
}

std::string UdisksMountControl::Mount(const std::string& device)
{
    if (device.empty())
        return {};
    GVariant* reply = CallFilesystem(device, "Mount");
    if (!reply)
        return {};
    std::string folder;
    if (g_variant_check_format_string(reply, "(s)", FALSE)) {
        const gchar* path = nullptr;
        g_variant_get(reply, "(&s)", &path);
        folder = path ? path : "";
    }
    g_variant_unref(reply);
    return folder;
}

bool UdisksMountControl::Unmount(const std::string& device)
{
    if (device.empty())
        return false;
    GVariant* reply = CallFilesystem(device, "Unmount");
    if (!reply)
        return false;
    g_variant_unref(reply);
    return true;
}
