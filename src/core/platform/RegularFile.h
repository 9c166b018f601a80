#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Whole-file operations on a regular file that is read and appended to in place (a log).
// Every function opens and closes the file itself; anything but a regular file is refused
// with EINVAL, and opening never blocks on a pipe or a device.
namespace RegularFile {

// Reads the file in pieces: `sized` first learns its size, then `piece` receives the
// content in order. Returns 0, or the errno when it cannot be opened or read.
int Read(const std::string& path, const std::function<void(std::uint64_t)>& sized,
         const std::function<void(std::string_view)>& piece);

struct AppendResult {
    int error = 0;       // 0, or the errno of the failure
    bool opened = false;  // the failure came after the file was opened (while writing)
};

// Appends the lines in `bytes` to the existing file, never creating it. A last line the
// file left without its line end (a program stopped while writing, an editor) gets it
// first, so the new lines start on a line of their own. Everything goes out in a single
// write; if that falls short or the data cannot be flushed to the disk, the file is cut
// back to the size it had, so it only ever grows by the whole of what was appended.
AppendResult AppendDurably(const std::string& path, const std::string& bytes);

// Creates the file empty, or empties it. Returns 0, or the errno.
int CreateEmpty(const std::string& path);

}  // namespace RegularFile
