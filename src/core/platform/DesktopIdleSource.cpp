#include "platform/DesktopIdleSource.h"

#include <cstdlib>
#include <cstring>

namespace {

bool WaylandSession()
{
    const char* type = std::getenv("XDG_SESSION_TYPE");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (type && std::strcmp(type, "wayland") == 0) || (wayland && *wayland);
}

}  // namespace

bool DesktopIdleSource::Open()
{
    Close();
    IIdleCounter* x11First[] = {&m_xss, &m_mutter, &m_screenSaver};
    IIdleCounter* waylandFirst[] = {&m_mutter, &m_screenSaver, &m_xss};
    for (IIdleCounter* counter : WaylandSession() ? waylandFirst : x11First) {
        if (counter->Open()) {
            m_counter = counter;
            break;
        }
    }
    if (!m_counter)
        return false;
    m_controllers.Drain();
    return true;
}

IdleReading DesktopIdleSource::Read()
{
    if (!m_counter)
        return {};
    return IdleReading{m_counter->IdleMs(), m_controllers.Drain()};
}

void DesktopIdleSource::Close()
{
    if (m_counter)
        m_counter->Close();
    m_counter = nullptr;
    m_controllers.Close();
}
