#pragma once

#include "platform/IAutomountInhibitor.h"

#include <memory>
#include <string>

// GNOME's session inhibitor for automounting: org.gnome.SessionManager's Inhibit with the
// automount flag on the session bus, Uninhibit with its cookie on release (the session
// manager also drops it when the program's bus connection ends).
//
// Nothing here waits: the connection and the calls are made in the background and their
// answers come through GLib's main context, which the Qt event loop runs. Hold and Release
// only say what is wanted; the last one said wins once the answers are in, so a Release
// that comes before the answer to Inhibit gives back that cookie as soon as it arrives. A
// call fails after kCallTimeoutMs; a bus that cannot be reached is not tried again.
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
    // A cookie is held.
    bool Held() const;
    // Neither the connection nor an Inhibit call is under way.
    bool Settled() const;

    struct State;

private:
    // Shared with the answers still to come, which may outlive this object.
    std::shared_ptr<State> m_state;
};
