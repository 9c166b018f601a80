#pragma once

#include "platform/IAutomountInhibitor.h"

#include <optional>
#include <string>

typedef struct _GDBusConnection GDBusConnection;

// GNOME's session inhibitor for automounting: org.gnome.SessionManager's Inhibit with the
// automount flag on the session bus, Uninhibit with its cookie on release (the session
// manager also drops it when the program's bus connection ends). Calls are answered at
// once or fail within kCallTimeoutMs; a bus that cannot be reached is not tried again.
class GnomeAutomountInhibitor final : public IAutomountInhibitor {
public:
    static constexpr unsigned kAutomountFlag = 16;
    static constexpr int kCallTimeoutMs = 2000;

    // `busAddress` empty: the session bus.
    explicit GnomeAutomountInhibitor(std::string busAddress = {});
    ~GnomeAutomountInhibitor() override;
    GnomeAutomountInhibitor(const GnomeAutomountInhibitor&) = delete;
    GnomeAutomountInhibitor& operator=(const GnomeAutomountInhibitor&) = delete;

    void Hold() override;
    void Release() override;
    bool Held() const { return m_cookie.has_value(); }

private:
    GDBusConnection* Connection();

    std::string m_address;
    GDBusConnection* m_bus = nullptr;
    bool m_unreachable = false;
    std::optional<unsigned> m_cookie;
};
