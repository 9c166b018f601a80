#pragma once

#include <string>

// The working folders the program needs beside its binary.
namespace ProgramFolders {

// Makes sure `path` is a folder, creating it (the last component only) when missing.
// Shows the failure and returns false when the folder cannot be had.
bool Ensure(const std::string& path);

}  // namespace ProgramFolders
