#pragma once

#include "platform/IIdleCounter.h"

typedef struct _XDisplay Display;

// The X server's idle time from its screen saver extension, over a connection of its own
// to $DISPLAY (an X11 session, or XWayland). A connection the server drops only makes
// the readings fail: it never ends the program.
class XssIdleCounter final : public IIdleCounter {
public:
    XssIdleCounter() = default;
    ~XssIdleCounter() override { Close(); }
    XssIdleCounter(const XssIdleCounter&) = delete;
    XssIdleCounter& operator=(const XssIdleCounter&) = delete;

    bool Open() override;
    std::optional<std::int64_t> IdleMs() override;
    void Close() override;

private:
    static void OnLostConnection(Display* display, void* counter);

    Display* m_display = nullptr;
    bool m_lost = false;
};
