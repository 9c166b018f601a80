#pragma once

#include <string>

// The working folders the program needs.
namespace ProgramFolders {

// Makes sure `path` is a folder, creating it (the last component only) when missing.
// Shows the failure and returns false when the folder cannot be had.
bool Ensure(const std::string& path);
// The same, making the missing parents first.
bool EnsureWithParents(const std::string& path);

}  // namespace ProgramFolders
