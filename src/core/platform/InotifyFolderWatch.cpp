#include "platform/InotifyFolderWatch.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kMask =
    IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

InotifyFolderWatch::InotifyFolderWatch()
{
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) {
        m_error = errno;
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
}

InotifyFolderWatch::~InotifyFolderWatch()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

int InotifyFolderWatch::SetFolders(const std::vector<std::string>& folders)
{
    if (m_fd < 0)
        return m_error;
    for (auto it = m_folders.begin(); it != m_folders.end();) {
        if (std::find(folders.begin(), folders.end(), it->second) == folders.end()) {
            ::inotify_rm_watch(m_fd, it->first);
            it = m_folders.erase(it);
        } else {
            ++it;
        }
    }
    int first = 0;
    for (const std::string& folder : folders) {
        bool watched = std::any_of(m_folders.begin(), m_folders.end(),
                                   [&folder](const auto& entry) { return entry.second == folder; });
        if (watched)
            continue;
        int wd = ::inotify_add_watch(m_fd, folder.c_str(), kMask);
        if (wd >= 0)
            m_folders[wd] = folder;
        else if (first == 0)
            first = errno;
    }
    return first;
}

void InotifyFolderWatch::ReadEvents()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            return;  // EAGAIN: all read
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof(inotify_event);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                std::map<int, std::string> all = m_folders;
                for (const auto& entry : all)
                    Report(entry.second, {});
                continue;
            }
            auto it = m_folders.find(event.wd);
            if (it == m_folders.end())
                continue;
            std::string folder = it->second;
            // The folder went away (its watch is gone) or moved (its watch no longer
            // stands for the path): the next SetFolders watches the path again.
            if (event.mask & IN_MOVE_SELF)
                ::inotify_rm_watch(m_fd, event.wd);
            if (event.mask & (IN_IGNORED | IN_MOVE_SELF))
                m_folders.erase(it);
            bool self = (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) != 0;
            Report(folder, self || event.len == 0 ? std::string() : std::string(name, ::strnlen(name, event.len)));
        }
    }
}

void InotifyFolderWatch::Report(const std::string& folder, const std::string& name)
{
    if (m_handler)
        m_handler(folder, name);
}
