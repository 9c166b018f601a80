#pragma once

#include "platform/IIdleCounter.h"

typedef struct _GDBusConnection GDBusConnection;

// An idle counter that a desktop service answers on the session bus: GNOME's
// (org.gnome.Mutter.IdleMonitor GetIdletime, which also sees a Wayland session's input)
// or the common screen saver interface (org.freedesktop.ScreenSaver GetSessionIdleTime).
// Each reading is one call, answered at once or failed within kCallTimeoutMs.
class DbusIdleCounter final : public IIdleCounter {
public:
    static constexpr int kCallTimeoutMs = 1000;

    struct Service {
        const char* name;
        const char* object;
        const char* interface;
        const char* method;
        // "(t)" or "(u)", milliseconds. A desktop that answered in seconds would only make
        // every stretch look ended at each reading: nothing would be counted as idle.
        const char* replyType;
    };
    static const Service kMutter;
    static const Service kScreenSaver;

    explicit DbusIdleCounter(const Service& service) : m_service(service) {}
    ~DbusIdleCounter() override { Close(); }
    DbusIdleCounter(const DbusIdleCounter&) = delete;
    DbusIdleCounter& operator=(const DbusIdleCounter&) = delete;

    bool Open() override;
    std::optional<std::int64_t> IdleMs() override;
    void Close() override;

private:
    const Service& m_service;
    GDBusConnection* m_bus = nullptr;
};
