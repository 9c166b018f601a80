#pragma once

#include "platform/IFolderWatch.h"

#include <map>
#include <memory>

class QSocketNotifier;

// IFolderWatch on the kernel's inotify: one descriptor, read when the event loop finds it
// readable. A write-then-rename, as sync tools and our own atomic rewrites make, is seen
// as the target's name moved in.
class InotifyFolderWatch final : public IFolderWatch {
public:
    InotifyFolderWatch();
    ~InotifyFolderWatch() override;
    InotifyFolderWatch(const InotifyFolderWatch&) = delete;
    InotifyFolderWatch& operator=(const InotifyFolderWatch&) = delete;

    // 0, or the errno of the inotify instance that could not be had (nothing is reported then).
    int Error() const { return m_error; }

    void SetHandler(Handler handler) override { m_handler = std::move(handler); }
    int SetFolders(const std::vector<std::string>& folders) override;

private:
    void ReadEvents();
    void Report(const std::string& folder, const std::string& name);

    int m_fd = -1;
    int m_error = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::map<int, std::string> m_folders;  // watch descriptor → folder
    Handler m_handler;
};
