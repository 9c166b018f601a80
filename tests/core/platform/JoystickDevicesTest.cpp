// Game controllers read without blocking; named pipes stand in for /dev/input/js<n>.
#include "platform/JoystickDevices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(JoystickDevices, ReportsAPersonsEventsOnceAndControllersThatAppear)
{
    TempDir dir;
    std::vector<int> plugged;
    auto plug = [&](const char* name) {
        EXPECT_EQ(::mkfifo((dir / name).c_str(), 0600), 0);
        plugged.push_back(::open((dir / name).c_str(), O_RDWR | O_NONBLOCK));  // the driver's end
        return plugged.back();
    };
    auto send = [](int fd, int type) {
        js_event event{0, 1, static_cast<__u8>(type), 0};
        EXPECT_EQ(::write(fd, &event, sizeof event), static_cast<ssize_t>(sizeof event));
    };
    const int js0 = plug("js0");
    plug("mouse0");
    send(js0, JS_EVENT_BUTTON | JS_EVENT_INIT);
    JoystickDevices devices(dir.Path());

    EXPECT_FALSE(devices.Drain()) << "the state a device reports when opened is no touch";
    EXPECT_EQ(devices.Count(), 1u);
    send(js0, JS_EVENT_AXIS);
    send(js0, JS_EVENT_BUTTON);
    EXPECT_TRUE(devices.Drain());
    EXPECT_FALSE(devices.Drain()) << "everything was read";
    plug("js1");
    EXPECT_TRUE(devices.Drain()) << "a controller switched on";
    EXPECT_EQ(devices.Count(), 2u);
    EXPECT_FALSE(devices.Drain());
    for (int fd : plugged)
        ::close(fd);
}
