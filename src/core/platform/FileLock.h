#pragma once

#include <string>

// An exclusive lock (flock) on one file, held while the object holds it. The lock belongs
// to the open file: no other process, and no other FileLock, can take it meanwhile, and a
// process that ends in any way, killed included, lets go of it. The file at the name is
// replaced atomically while held, the new file being locked before it takes the name, so
// the name never leads to an unlocked file while the lock is held.
class FileLock {
public:
    enum class Claim {
        Absent,         // no file of that name
        HeldElsewhere,  // another process (or FileLock) holds it
        Claimed,        // held now, its bytes read
        Failed          // it cannot be opened, locked or read, or is no regular file
    };

    // Files held here are small: anything longer is refused (EFBIG).
    static constexpr size_t kMaxBytes = 64 * 1024;

    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return m_fd >= 0; }
    void Release();

    // Writes `bytes` to `path` as AtomicFile::Replace does and holds the new file; the file
    // held before is let go. The folder is synced only when nothing was held yet: a rewrite's
    // rename is left to the file system's next commit, as the version before it stands in
    // for it after a power cut. A symbolic link at `path` is refused (ELOOP): the files held
    // are the run's own. Returns 0, or the errno (the lock is then unchanged).
    int Replace(const std::string& path, const std::string& bytes);
    // Removes the file at `path`, then lets go of the lock. Returns 0, or the errno.
    int Remove(const std::string& path);
    // Takes the lock of the file at `path` without waiting (LockingOpen) and reads it, as
    // long as it is still the file of that name once locked. On a file system that gives no
    // locks the file is claimed without one. `error` is set for Failed.
    Claim TryClaim(const std::string& path, std::string& bytes, int& error);

private:
    int m_fd = -1;
};
