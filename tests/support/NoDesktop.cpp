// Every test program starts apart from the desktop it was started from: no display, no session
// bus, and a Wine prefix that cannot be made. A test that reaches a real desktop service, a
// real opener's desktop or a real Wine by mistake then fails at once, instead of waiting for
// it (and leaving its processes and a ~/.wine behind) or changing the user's desktop. Tests
// that mean to use such a service start a stand-in of their own (PrivateBus) or name it.
#include <cstdlib>

namespace {

struct NoDesktop {
    NoDesktop()
    {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zarn2-tests-have-no-session-bus", 1);
        ::setenv("WINEPREFIX", "/nonexistent/zarn2-tests-have-no-wine-prefix", 1);
    }
} const noDesktop;

}  // namespace
