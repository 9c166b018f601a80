// Xlib's headers define short macro names (None, Status, Bool): nothing after them
// includes Qt.
#include "platform/XssIdleCounter.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

bool XssIdleCounter::Open()
{
    Close();
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    // Xlib ends the process when a connection breaks unless this handler returns.
    XSetIOErrorExitHandler(m_display, &XssIdleCounter::OnLostConnection, this);
    int event = 0;
    int error = 0;
    if (XScreenSaverQueryExtension(m_display, &event, &error) && IdleMs())
        return true;
    Close();
    return false;
}

std::optional<std::int64_t> XssIdleCounter::IdleMs()
{
    if (!m_display || m_lost)
        return std::nullopt;
    XScreenSaverInfo info{};
    if (!XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), &info))
        return std::nullopt;
    return static_cast<std::int64_t>(info.idle);
}

void XssIdleCounter::Close()
{
    if (m_display)
        XCloseDisplay(m_display);
    m_display = nullptr;
    m_lost = false;
}

void XssIdleCounter::OnLostConnection(Display*, void* counter)
{
    static_cast<XssIdleCounter*>(counter)->m_lost = true;
}
