#pragma once

// GLib's headers come before Qt's.
#include <gio/gio.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Answers for the desktop's session manager on a bus (see PrivateBus): owns the name
// org.gnome.SessionManager and serves Inhibit (a new cookie each time, from kFirstCookie)
// and Uninhibit on its own thread, noting each call as "Inhibit <app> <flags>" or
// "Uninhibit <cookie>".
class StandInSessionManager {
public:
    static constexpr unsigned kFirstCookie = 7;

    explicit StandInSessionManager(const std::string& address) : m_thread([this, address] { Serve(address); })
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_state != kStarting; });
    }
    ~StandInSessionManager()
    {
        if (m_context)
            g_main_context_invoke(m_context, &StandInSessionManager::Quit, this);
        m_thread.join();
    }
    StandInSessionManager(const StandInSessionManager&) = delete;
    StandInSessionManager& operator=(const StandInSessionManager&) = delete;

    bool Serving() const { return m_state == kServing; }
    // The calls so far, once `count` have come or after five seconds.
    std::vector<std::string> Calls(size_t count = 0)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_calls.size() >= count; });
        return m_calls;
    }

private:
    enum State { kStarting, kServing, kFailed };

    static constexpr const char* kXml =
        "<node><interface name='org.gnome.SessionManager'>"
        "<method name='Inhibit'><arg type='s' direction='in'/><arg type='u' direction='in'/>"
        "<arg type='s' direction='in'/><arg type='u' direction='in'/><arg type='u' direction='out'/></method>"
        "<method name='Uninhibit'><arg type='u' direction='in'/></method>"
        "</interface></node>";

    void Serve(const std::string& address)
    {
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kXml, nullptr);
        guint object = 0;
        bool owned = false;
        if (bus && node) {
            static const GDBusInterfaceVTable vtable = {&StandInSessionManager::OnCall, nullptr, nullptr, {}};
            object = g_dbus_connection_register_object(bus, "/org/gnome/SessionManager", node->interfaces[0],
                                                       &vtable, this, nullptr, nullptr);
            GVariant* reply = g_dbus_connection_call_sync(
                bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.gnome.SessionManager", 4u), G_VARIANT_TYPE("(u)"),
                G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
            if (reply) {
                guint32 result = 0;
                g_variant_get(reply, "(u)", &result);
                owned = result == 1;  // the primary owner
                g_variant_unref(reply);
            }
        }
        GMainLoop* loop = g_main_loop_new(context, FALSE);
        {
            std::lock_guard lock(m_mutex);
            m_loop = loop;
            m_context = owned ? context : nullptr;
            m_state = owned ? kServing : kFailed;
        }
        m_changed.notify_all();
        if (owned)
            g_main_loop_run(loop);
        if (object)
            g_dbus_connection_unregister_object(bus, object);
        if (node)
            g_dbus_node_info_unref(node);
        if (bus) {
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        g_main_loop_unref(loop);
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
    }

    static gboolean Quit(gpointer self)
    {
        g_main_loop_quit(static_cast<StandInSessionManager*>(self)->m_loop);
        return G_SOURCE_REMOVE;
    }

    static void OnCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                       GVariant* args, GDBusMethodInvocation* invocation, gpointer data)
    {
        auto* self = static_cast<StandInSessionManager*>(data);
        std::string noted;
        GVariant* reply = nullptr;
        if (g_strcmp0(method, "Inhibit") == 0) {
            const gchar* app = nullptr;
            guint32 flags = 0;
            g_variant_get(args, "(&su&su)", &app, nullptr, nullptr, &flags);
            noted = std::string("Inhibit ") + app + " " + std::to_string(flags);
            reply = g_variant_new("(u)", self->m_nextCookie++);
        } else {
            guint32 cookie = 0;
            g_variant_get(args, "(u)", &cookie);
            noted = "Uninhibit " + std::to_string(cookie);
        }
        {
            std::lock_guard lock(self->m_mutex);
            self->m_calls.push_back(noted);
        }
        self->m_changed.notify_all();
        g_dbus_method_invocation_return_value(invocation, reply);
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    State m_state = kStarting;
    GMainContext* m_context = nullptr;
    GMainLoop* m_loop = nullptr;
    unsigned m_nextCookie = kFirstCookie;
    std::vector<std::string> m_calls;
    std::thread m_thread;
};
