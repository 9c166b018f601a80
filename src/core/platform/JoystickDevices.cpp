#include "platform/JoystickDevices.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

bool IsJoystickName(const char* name)
{
    if (std::strncmp(name, "js", 2) != 0 || name[2] == '\0')
        return false;
    for (const char* c = name + 2; *c; ++c)
        if (*c < '0' || *c > '9')
            return false;
    return true;
}

// Reads all the device holds; true when an event was the person's. False in `alive`
// when the device is gone.
bool ReadAll(int fd, bool& alive)
{
    bool touched = false;
    js_event events[32];
    for (;;) {
        ssize_t got = ::read(fd, events, sizeof events);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            alive = got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
            return touched;
        }
        for (size_t i = 0; i < static_cast<size_t>(got) / sizeof(js_event); ++i)
            touched = touched || (events[i].type & JS_EVENT_INIT) == 0;
    }
}

}  // namespace

bool JoystickDevices::OpenNew()
{
    DIR* folder = ::opendir(m_folder.c_str());
    if (!folder)
        return false;
    bool opened = false;
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsJoystickName(entry->d_name) || m_devices.count(entry->d_name))
            continue;
        int fd = ::openat(::dirfd(folder), entry->d_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;  // not the person's to read
        m_devices.emplace(entry->d_name, fd);
        opened = true;
    }
    ::closedir(folder);
    return opened;
}

bool JoystickDevices::Drain()
{
    bool appeared = OpenNew() && m_scanned;
    m_scanned = true;
    bool touched = false;
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        bool alive = true;
        touched = ReadAll(it->second, alive) || touched;
        if (alive) {
            ++it;
            continue;
        }
        ::close(it->second);
        it = m_devices.erase(it);
    }
    return touched || appeared;
}

void JoystickDevices::Close()
{
    for (const auto& [name, fd] : m_devices)
        ::close(fd);
    m_devices.clear();
    m_scanned = false;
}
