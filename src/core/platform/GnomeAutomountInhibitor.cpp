// GLib's headers come before Qt's.
#include <gio/gio.h>

#include "platform/GnomeAutomountInhibitor.h"

#include <utility>

namespace {

constexpr const char* kService = "org.gnome.SessionManager";
constexpr const char* kObject = "/org/gnome/SessionManager";
constexpr const char* kInterface = "org.gnome.SessionManager";
constexpr const char* kAppId = "Zarn2";
constexpr const char* kReason = "ゲームのディスクを待っています";

GVariant* Call(GDBusConnection* bus, const char* method, GVariant* args, const GVariantType* replyType)
{
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(bus, kService, kObject, kInterface, method, args, replyType,
                                                  G_DBUS_CALL_FLAGS_NO_AUTO_START,
                                                  GnomeAutomountInhibitor::kCallTimeoutMs, nullptr, &error);
    g_clear_error(&error);
    return reply;
}

}  // namespace

GnomeAutomountInhibitor::GnomeAutomountInhibitor(std::string busAddress) : m_address(std::move(busAddress)) {}

GnomeAutomountInhibitor::~GnomeAutomountInhibitor()
{
    Release();
    if (m_bus)
        g_object_unref(m_bus);
}

GDBusConnection* GnomeAutomountInhibitor::Connection()
{
    if (m_bus || m_unreachable)
        return m_bus;
    GError* error = nullptr;
    if (m_address.empty())
        m_bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    else
        m_bus = g_dbus_connection_new_for_address_sync(
            m_address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &error);
    g_clear_error(&error);
    m_unreachable = m_bus == nullptr;
    return m_bus;
}

void GnomeAutomountInhibitor::Hold()
{
    if (m_cookie)
        return;
    GDBusConnection* bus = Connection();
    if (!bus)
        return;
    // No window id: the inhibitor belongs to the program, not to one window.
    GVariant* reply = Call(bus, "Inhibit", g_variant_new("(susu)", kAppId, 0u, kReason, kAutomountFlag),
                           G_VARIANT_TYPE("(u)"));
    if (!reply)
        return;
    guint32 cookie = 0;
    g_variant_get(reply, "(u)", &cookie);
    g_variant_unref(reply);
    m_cookie = cookie;
}

void GnomeAutomountInhibitor::Release()
{
    if (!m_cookie || !m_bus)
        return;
    GVariant* reply = Call(m_bus, "Uninhibit", g_variant_new("(u)", *m_cookie), nullptr);
    if (reply)
        g_variant_unref(reply);
    m_cookie.reset();
}
