#pragma once

#include "platform/DbusIdleCounter.h"
#include "platform/IIdleSource.h"
#include "platform/JoystickDevices.h"
#include "platform/XssIdleCounter.h"

// The desktop's idle counter and the game controllers. Open takes the first counter that
// answers: in an X11 session the X server's, then GNOME's, then the common screen saver
// interface; in a Wayland session GNOME's and the screen saver interface come first and
// XWayland's counter (which sees only the input of X programs) is the last resort.
class DesktopIdleSource final : public IIdleSource {
public:
    DesktopIdleSource() = default;
    ~DesktopIdleSource() override { Close(); }
    DesktopIdleSource(const DesktopIdleSource&) = delete;
    DesktopIdleSource& operator=(const DesktopIdleSource&) = delete;

    bool Open() override;
    IdleReading Read() override;
    void Close() override;

private:
    XssIdleCounter m_xss;
    DbusIdleCounter m_mutter{DbusIdleCounter::kMutter};
    DbusIdleCounter m_screenSaver{DbusIdleCounter::kScreenSaver};
    IIdleCounter* m_counter = nullptr;
    JoystickDevices m_controllers;
};
