#pragma once

#include <string>

// The working folders the program needs.
namespace ProgramFolders {

// Makes sure `path` is a folder, creating it (the last component only) when missing.
// Shows the failure and returns false when the folder cannot be had.
bool Ensure(const std::string& path);
// The same, making the missing parents first.
bool EnsureWithParents(const std::string& path);
// A folder of the run's own files: a folder itself, never a symbolic link that would take
// them elsewhere, made when missing. When its parent may not be written (read-only) it stays
// missing and the answer is true: what would go there fails when written, with its own
// message. A link or anything else there is named in a message: false.
bool EnsureOwn(const std::string& path);

}  // namespace ProgramFolders
