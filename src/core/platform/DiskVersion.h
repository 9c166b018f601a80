#pragma once

#include "platform/FileStamp.h"

#include <string>

// The version of a data file this run last read or wrote (size, modification time in
// nanoseconds, inode), so that a change made elsewhere (another PC through a synced
// folder, another program) is seen before the file is written from memory again. Two
// rewrites made elsewhere within one tick of the file system's clock that leave the same
// size and get the same inode number back are not told apart; sync tools give a file the
// modification time it had on the other PC, so theirs are.
class DiskVersion {
public:
    // Before the file is read: its version now. Taken before the bytes are read, a change
    // landing in between makes the file look changed once more, never the other way round.
    void Look(const std::string& path);
    // After the file was written: the version of the bytes written.
    void Wrote(const FileStamp& stamp);
    // Nothing known (a slot that has not read its file): never looks changed.
    void Forget() { m_known = false; }
    bool Known() const { return m_known; }
    // Whether a regular file at `path` is another version than the one known: written,
    // replaced, or made where there was none. A file that is gone is no change (nothing
    // there could be lost by writing it anew).
    bool Changed(const std::string& path) const;

private:
    bool m_known = false;
    int m_error = 0;  // what looking at the file gave: 0, or the errno (ENOENT: missing)
    FileStamp m_stamp;
};
