#pragma once

#include "platform/FileStamp.h"
#include "platform/SymbolicLinks.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Whole-file operations on a regular file: a log read and appended to in place, a data file
// read whole. Every function opens and closes the file itself; anything but a regular file
// is refused (EISDIR for a folder, EINVAL for anything else), and opening never blocks on a
// pipe or a device. A symbolic link to a regular file is that file, unless refused.
namespace RegularFile {

// Reads the file in pieces: `sized` first learns its size, then `piece` receives the
// content in order. Returns 0, or the errno when it cannot be opened or read.
int Read(const std::string& path, const std::function<void(std::uint64_t)>& sized,
         const std::function<void(std::string_view)>& piece);

// The same, with the file's stamp taken from the opened file before its first byte is read
// (a file that changes meanwhile has another stamp at the next look).
int Read(const std::string& path, FileStamp& stamp, const std::function<void(std::string_view)>& piece);

// Reads the whole file into `bytes`, refusing one larger than `maxBytes` with EFBIG (also
// when it grows past that while being read). Returns 0, or the errno.
int ReadAtMost(const std::string& path, std::uint64_t maxBytes, std::string& bytes,
               SymbolicLinks links = SymbolicLinks::Follow);

struct AppendResult {
    int error = 0;       // 0, or the errno of the failure
    bool opened = false;  // the failure came after the file was opened (while writing)
    int cutBackError = 0;  // after a failed write: the errno when the file could not be cut back
};

// Appends the lines in `bytes` to the existing file, never creating it. A last line the
// file left without its line end (a program stopped while writing, an editor) gets it
// first, so the new lines start on a line of their own. Everything goes out in a single
// write; if that falls short or the data cannot be flushed to the disk, the file is cut
// back to the size it had, so it only ever grows by the whole of what was appended (unless
// the cut itself fails, which `cutBackError` tells).
AppendResult AppendDurably(const std::string& path, const std::string& bytes);

// Creates the file empty, or empties it. Returns 0, or the errno.
int CreateEmpty(const std::string& path);

}  // namespace RegularFile
