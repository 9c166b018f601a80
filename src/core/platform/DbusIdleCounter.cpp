// GLib's headers come before Qt's.
#include "platform/GioCalls.h"

#include "platform/DbusIdleCounter.h"

#include <algorithm>
#include <cstdint>

const DbusIdleCounter::Service DbusIdleCounter::kMutter = {
    "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core", "org.gnome.Mutter.IdleMonitor",
    "GetIdletime", "(t)"};
const DbusIdleCounter::Service DbusIdleCounter::kScreenSaver = {
    "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver",
    "GetSessionIdleTime", "(u)"};

bool DbusIdleCounter::Open()
{
    Close();
    const GioCalls* gio = GioCalls::Get();
    if (!gio)
        return false;
    GError* error = nullptr;
    m_bus = gio->bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    g_clear_error(&error);
    if (m_bus && IdleMs())
        return true;
    Close();
    return false;
}

std::optional<std::int64_t> DbusIdleCounter::IdleMs()
{
    if (!m_bus)
        return std::nullopt;
    GError* error = nullptr;
    GVariant* reply = GioCalls::Get()->dbus_connection_call_sync(
        m_bus, m_service.name, m_service.object, m_service.interface, m_service.method, nullptr,
        G_VARIANT_TYPE(m_service.replyType), G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, &error);
    g_clear_error(&error);
    if (!reply)
        return std::nullopt;
    std::int64_t ms = 0;
    if (m_service.replyType[1] == 't') {
        guint64 value = 0;
        g_variant_get(reply, "(t)", &value);
        ms = static_cast<std::int64_t>(std::min<guint64>(value, INT64_MAX));
    } else {
        guint32 value = 0;
        g_variant_get(reply, "(u)", &value);
        ms = value;
    }
    g_variant_unref(reply);
    return ms;
}

void DbusIdleCounter::Close()
{
    if (m_bus)
        GioCalls::Get()->object_unref(m_bus);
    m_bus = nullptr;
}
