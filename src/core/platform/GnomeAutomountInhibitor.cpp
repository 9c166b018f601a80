// GLib's headers come before Qt's.
#include "platform/GioCalls.h"

#include "platform/GnomeAutomountInhibitor.h"

#include <optional>
#include <utility>

namespace {

constexpr const char* kService = "org.gnome.SessionManager";
constexpr const char* kObject = "/org/gnome/SessionManager";
constexpr const char* kInterface = "org.gnome.SessionManager";
constexpr const char* kAppId = "Zarn2";
constexpr const char* kReason = "ゲームのディスクを待っています";

}  // namespace

struct GnomeAutomountInhibitor::State {
    std::string address;
    GDBusConnection* bus = nullptr;
    bool connecting = false;
    bool unreachable = false;
    bool wanted = false;      // the last of Hold and Release was Hold
    bool tried = false;       // Inhibit was asked for since that Hold
    bool inhibiting = false;  // an Inhibit call awaits its answer
    std::optional<guint32> cookie;

    ~State()
    {
        if (bus)
            GioCalls::Get()->object_unref(bus);
    }
};

namespace {

using State = GnomeAutomountInhibitor::State;
using Shared = std::shared_ptr<State>;

void Step(const Shared& state);

// The state travels with each call as a heap copy of the shared pointer, taken back here.
Shared TakeBack(gpointer data)
{
    auto* held = static_cast<Shared*>(data);
    Shared state = std::move(*held);
    delete held;
    return state;
}

void OnConnected(GObject*, GAsyncResult* result, gpointer data)
{
    Shared state = TakeBack(data);
    GError* error = nullptr;
    const GioCalls* gio = GioCalls::Get();
    state->bus = state->address.empty() ? gio->bus_get_finish(result, &error)
                                        : gio->dbus_connection_new_for_address_finish(result, &error);
    g_clear_error(&error);
    state->connecting = false;
    state->unreachable = state->bus == nullptr;
    Step(state);
}

void OnInhibited(GObject* bus, GAsyncResult* result, gpointer data)
{
    Shared state = TakeBack(data);
    GError* error = nullptr;
    GVariant* reply =
        GioCalls::Get()->dbus_connection_call_finish(reinterpret_cast<GDBusConnection*>(bus), result, &error);
    g_clear_error(&error);
    state->inhibiting = false;
    if (reply) {
        guint32 cookie = 0;
        g_variant_get(reply, "(u)", &cookie);
        g_variant_unref(reply);
        state->cookie = cookie;
    }
    Step(state);
}

void Connect(const Shared& state)
{
    const GioCalls* gio = GioCalls::Get();
    if (!gio) {
        state->unreachable = true;
        return;
    }
    state->connecting = true;
    if (state->address.empty()) {
        gio->bus_get(G_BUS_TYPE_SESSION, nullptr, OnConnected, new Shared(state));
        return;
    }
    gio->dbus_connection_new_for_address(state->address.c_str(),
                                      static_cast<GDBusConnectionFlags>(
                                          G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                                      nullptr, nullptr, OnConnected, new Shared(state));
}

// Brings what is held towards what is wanted, one call at a time: an Inhibit awaits its
// answer before anything else is sent. An Uninhibit expects no answer.
void Step(const Shared& state)
{
    if (!state->bus) {
        if (state->wanted && !state->connecting && !state->unreachable)
            Connect(state);
        return;
    }
    if (state->inhibiting)
        return;
    if (state->wanted && !state->cookie && !state->tried) {
        state->tried = true;
        state->inhibiting = true;
        // No window id: the inhibitor belongs to the program, not to one window.
        GioCalls::Get()->dbus_connection_call(state->bus, kService, kObject, kInterface, "Inhibit",
                               g_variant_new("(susu)", kAppId, 0u, kReason, GnomeAutomountInhibitor::kAutomountFlag),
                               G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NO_AUTO_START,
                               GnomeAutomountInhibitor::kCallTimeoutMs, nullptr, OnInhibited, new Shared(state));
    } else if (!state->wanted && state->cookie) {
        GioCalls::Get()->dbus_connection_call(state->bus, kService, kObject, kInterface, "Uninhibit",
                               g_variant_new("(u)", *state->cookie), nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
                               GnomeAutomountInhibitor::kCallTimeoutMs, nullptr, nullptr, nullptr);
        // The flush holds the connection until the call is written, should this be its
        // last user.
        GioCalls::Get()->dbus_connection_flush(state->bus, nullptr, nullptr, nullptr);
        state->cookie.reset();
    }
}

}  // namespace

GnomeAutomountInhibitor::GnomeAutomountInhibitor(std::string busAddress) : m_state(std::make_shared<State>())
{
    m_state->address = std::move(busAddress);
}

// The cookie held is given back; one still to come is given back when it comes, if GLib's
// main context still runs (else the session manager drops it with the connection).
GnomeAutomountInhibitor::~GnomeAutomountInhibitor()
{
    Release();
}

void GnomeAutomountInhibitor::Hold()
{
    m_state->wanted = true;
    m_state->tried = false;
    Step(m_state);
}

void GnomeAutomountInhibitor::Release()
{
    m_state->wanted = false;
    Step(m_state);
}

bool GnomeAutomountInhibitor::Held() const
{
    return m_state->cookie.has_value();
}

bool GnomeAutomountInhibitor::Settled() const
{
    return !m_state->connecting && !m_state->inhibiting;
}
