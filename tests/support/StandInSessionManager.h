#pragma once

// GLib's headers come before Qt's.
#include <gio/gio.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Answers for the desktop's session manager on a bus (see PrivateBus): owns the name
// org.gnome.SessionManager and serves Inhibit (a new cookie each time, from kFirstCookie)
// and Uninhibit on its own thread, noting each call as "Inhibit <app> <flags>" or
// "Uninhibit <cookie>" as it comes, and answering after `replyDelayMs`.
class StandInSessionManager {
public:
    static constexpr unsigned kFirstCookie = 7;

    explicit StandInSessionManager(const std::string& address, unsigned replyDelayMs = 0)
        : m_replyDelayMs(replyDelayMs), m_thread([this, address] { Serve(address); })
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_started; });
    }
    ~StandInSessionManager()
    {
        if (m_serving)
            g_main_context_invoke(m_context, &StandInSessionManager::Quit, m_loop);
        m_thread.join();
    }
    StandInSessionManager(const StandInSessionManager&) = delete;
    StandInSessionManager& operator=(const StandInSessionManager&) = delete;

    bool Serving() const { return m_serving; }
    // The calls so far, once `count` have come or after five seconds.
    std::vector<std::string> Calls(size_t count = 0)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_calls.size() >= count; });
        return m_calls;
    }

private:
    static constexpr const char* kXml =
        "<node><interface name='org.gnome.SessionManager'>"
        "<method name='Inhibit'><arg type='s' direction='in'/><arg type='u' direction='in'/>"
        "<arg type='s' direction='in'/><arg type='u' direction='in'/><arg type='u' direction='out'/></method>"
        "<method name='Uninhibit'><arg type='u' direction='in'/></method>"
        "</interface></node>";

    void Serve(const std::string& address)
    {
        m_context = g_main_context_new();
        g_main_context_push_thread_default(m_context);
        m_loop = g_main_loop_new(m_context, FALSE);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kXml, nullptr);
        GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
            address.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        static const GDBusInterfaceVTable vtable = {&StandInSessionManager::OnCall, nullptr, nullptr, {}};
        if (bus && g_dbus_connection_register_object(bus, "/org/gnome/SessionManager", node->interfaces[0], &vtable,
                                                     this, nullptr, nullptr) != 0) {
            GVariant* reply = g_dbus_connection_call_sync(
                bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                g_variant_new("(su)", "org.gnome.SessionManager", 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, 5000,
                nullptr, nullptr);
            m_serving = reply != nullptr;
            if (reply)
                g_variant_unref(reply);
        }
        {
            std::lock_guard lock(m_mutex);
            m_started = true;
        }
        m_changed.notify_all();
        if (m_serving)
            g_main_loop_run(m_loop);
        if (bus) {
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        g_dbus_node_info_unref(node);
        g_main_loop_unref(m_loop);
        g_main_context_pop_thread_default(m_context);
        g_main_context_unref(m_context);
    }

    static gboolean Quit(gpointer loop)
    {
        g_main_loop_quit(static_cast<GMainLoop*>(loop));
        return G_SOURCE_REMOVE;
    }

    static void OnCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                       GVariant* args, GDBusMethodInvocation* invocation, gpointer data)
    {
        auto* self = static_cast<StandInSessionManager*>(data);
        guint32 number = 0;  // the flags of Inhibit, the cookie of Uninhibit
        const gchar* app = nullptr;
        const bool inhibit = g_strcmp0(method, "Inhibit") == 0;
        if (inhibit)
            g_variant_get(args, "(&su&su)", &app, nullptr, nullptr, &number);
        else
            g_variant_get(args, "(u)", &number);
        {
            std::lock_guard lock(self->m_mutex);
            self->m_calls.push_back(inhibit ? std::string("Inhibit ") + app + " " + std::to_string(number)
                                            : "Uninhibit " + std::to_string(number));
        }
        self->m_changed.notify_all();
        auto* answer = new Answer{invocation, inhibit ? g_variant_new("(u)", self->m_nextCookie++) : nullptr};
        GSource* later = g_timeout_source_new(self->m_replyDelayMs);
        g_source_set_callback(later, &StandInSessionManager::Reply, answer, &StandInSessionManager::Drop);
        g_source_attach(later, self->m_context);
        g_source_unref(later);
    }

    struct Answer {
        GDBusMethodInvocation* invocation;
        GVariant* value;
    };
    static gboolean Reply(gpointer data)
    {
        auto* answer = static_cast<Answer*>(data);
        g_dbus_method_invocation_return_value(std::exchange(answer->invocation, nullptr), answer->value);
        return G_SOURCE_REMOVE;
    }
    // An answer still due when the stand-in ends is an error.
    static void Drop(gpointer data)
    {
        auto* answer = static_cast<Answer*>(data);
        if (answer->invocation) {
            g_dbus_method_invocation_return_dbus_error(answer->invocation, "org.freedesktop.DBus.Error.Failed", "gone");
            if (answer->value)
                g_variant_unref(g_variant_ref_sink(answer->value));
        }
        delete answer;
    }

    const unsigned m_replyDelayMs;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_started = false;
    bool m_serving = false;
    GMainContext* m_context = nullptr;
    GMainLoop* m_loop = nullptr;
    unsigned m_nextCookie = kFirstCookie;
    std::vector<std::string> m_calls;
    std::thread m_thread;
};
