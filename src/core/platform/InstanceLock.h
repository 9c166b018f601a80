#pragma once

#include <string>

// An exclusive lock (flock) on a lock file, held while the object lives, so that only one
// run of the program at a time works on one folder. The lock file is created when missing
// and never written or removed; it must be a regular file of the user the run belongs to
// (LockingOpen). The system drops the lock when the holder ends, however it ends, so a
// killed run leaves no stale lock; programs the holder starts do not inherit it.
class InstanceLock {
public:
    enum class State {
        Held,           // this object holds the lock
        HeldElsewhere,  // another open of the file holds it (another run)
        NotOurs,        // a link, a folder, anything but a regular file of ours: see Error()
        Unavailable     // no lock can be had there (read-only, no locking): see Error()
    };

    InstanceLock() = default;
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once, without waiting.
    State Take(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }
    int Error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};
