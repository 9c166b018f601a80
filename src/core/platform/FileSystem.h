#pragma once

#include <string>
#include <vector>

// Folders and entries of the file system, as the library and the launcher need them.
// Functions that can fail return 0 or the errno of the failure.
namespace FileSystem {

// What stat() says about a path (symbolic links followed).
struct Status {
    int error = 0;  // 0 when the path leads somewhere
    bool folder = false;
};
Status Stat(const std::string& path);

// Whether anything, a link that leads nowhere included, has that name.
bool EntryExists(const std::string& path);

// What has that name itself (a symbolic link is not followed); Other also when it cannot be
// told (no permission to look).
enum class EntryKind { Missing, File, Folder, Link, Other };
EntryKind KindOf(const std::string& path);

// What is found where a folder the program needs should be.
enum class FolderState {
    Folder,  // a folder (or a link to one)
    Missing,  // nothing of that name: it can be made
    Taken,   // a file, or a link that leads nowhere, has the name
    Unknown  // stat() failed otherwise; `error` says why
};
struct FolderCheck {
    FolderState state = FolderState::Unknown;
    int error = 0;
};
FolderCheck CheckFolder(const std::string& path);

// Whether this user may write `path`: a file's content, or a folder's entries (make, rename,
// remove). 0, ENOENT when nothing is there, or why not (EACCES, EPERM, EROFS). Root may
// write anywhere but on a read-only file system.
int MayWrite(const std::string& path);

int MakeFolder(const std::string& path);   // the last component only
int RemoveFolder(const std::string& path);  // an empty one
int RemoveFile(const std::string& path);
// Flushes a folder's entries (names made, moved or removed) to the disk.
int SyncFolder(const std::string& path);

// The entries of a folder ("." and ".." left out), each with whether it is a regular file
// itself (a symbolic link is not). `error` is 0, or the errno when the folder cannot be read.
struct FolderEntry {
    std::string name;
    bool regular = false;
};
std::vector<FolderEntry> FolderEntries(const std::string& path, int& error);

// The folder `path` names its entry in: all before its last "/" ("/" for an entry of the
// root, "." for a bare name).
std::string FolderOf(const std::string& path);

// The path with every symbolic link resolved, or "" when it leads nowhere.
std::string Resolved(const std::string& path);

// Creates an empty file, never opening one that exists (EEXIST then).
int CreateNew(const std::string& path);

// Whether some process holds the regular file at `path` open for writing, as far as the
// kernel tells (a read lease is refused then). False also when it cannot tell: a file of
// another user, a file system without leases, a link or anything but a file.
bool OpenForWriting(const std::string& path);

// Full path of the running binary (/proc/self/exe, resolved); "" when unknown.
std::string RunningBinary();

}  // namespace FileSystem
