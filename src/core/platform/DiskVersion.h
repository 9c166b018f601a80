#pragma once

#include "platform/FileStamp.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The version of a data file this run last read or wrote, so that a change made elsewhere
// (another PC through a synced folder, another program) is seen before the file is written
// from memory again. A version is the file's stamp (size, modification time in
// nanoseconds, inode) and, for a file of up to kComparedBytes, a digest of its bytes: a
// rewrite within one tick of the file system's clock (2 s on FAT, a few ms on ext4) that
// keeps the size and gets the same inode back has the stamp of the version before, but
// not its bytes. The genre list and the genre files are always compared whole; a log
// larger than that is told by its stamp alone (logs only grow, and a rewrite gets a new
// inode). Each look opens the file, which on NFS asks the server for its attributes
// rather than the client's cache.
class DiskVersion {
public:
    // About 40,000 plays of a log; every genre list and genre file.
    static constexpr std::uint64_t kComparedBytes = 1u << 20;
    // What Replace returns when the file on disk is no longer this version.
    static constexpr int kChangedElsewhere = -1;

    // Before the file is read: its version now. Taken before the bytes are read, a change
    // landing in between makes the file look changed once more, never the other way round.
    void Look(const std::string& path);
    // Reads the file (as RegularFile::Read does: `sized` learns its size, `piece` gets its
    // bytes in order) and takes its version in the same read: the stamp from the opened
    // file before its first byte, the digest from the bytes handed over. 0, or the errno.
    int Read(const std::string& path, const std::function<void(std::uint64_t)>& sized,
             const std::function<void(std::string_view)>& piece);
    // Nothing known (a slot that has not read its file): never looks changed.
    void Forget() { m_known = false; }
    bool Known() const { return m_known; }
    // Whether a regular file at `path` is another version than the one known: written,
    // replaced, or made where there was none at the look. A file that is gone is no change
    // (nothing there could be lost by writing it anew).
    bool Changed(const std::string& path) const;
    // Replaces the file at `path` (links followed) with `bytes` through AtomicFile, but only
    // while it is this version: looked at once the new bytes are on the disk, right before
    // they take the name, so a version landing during the write or the flush is never
    // written over. 0 (this is then the version of the bytes written), kChangedElsewhere
    // (nothing written), or the errno of the write.
    int Replace(const std::string& path, const std::string& bytes);

private:
    struct Seen {
        int error = 0;  // 0, or the errno looking at the file gave (ENOENT: missing)
        FileStamp stamp;
        bool digested = false;
        std::size_t digest = 0;

        bool SameAs(const Seen& other) const;
    };
    // The file's version now; its bytes are digested only where its stamp alone does not
    // already differ from `against`'s.
    static Seen At(const std::string& path, const Seen* against = nullptr);

    bool m_known = false;
    Seen m_seen;
};
