#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reading what the game clients leave on disk: bounded, never blocking, regular files only.
namespace ImportFiles {

// The file's bytes, refusing one larger than `maxBytes`. 0, or the errno (ENOENT when it is
// not there).
int Read(const std::string& path, std::uint64_t maxBytes, std::string& bytes);
// The errno as text, for a line of the dialog.
std::string ErrorText(int error);
// The names in a folder that end in `suffix` (files and links to files), sorted; none when
// the folder is missing or cannot be read (`error` says which; ENOENT when missing).
std::vector<std::string> Names(const std::string& folder, const std::string& suffix, int& error);
// Whether a regular file (or a link to one) is there.
bool IsFile(const std::string& path);
// The path with every link resolved, or "" when it leads nowhere: places reached twice
// (~/.steam/steam is a link to the data home's Steam) are read once.
std::string Resolved(const std::string& path);

}  // namespace ImportFiles
