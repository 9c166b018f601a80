#pragma once

#include <string>

// Moves (renames) a file or folder without ever replacing what is at the destination.
// The kernel's no-replace rename is used; where the file system does not offer it, a
// file is hard-linked to the new name and then unlinked from the old one, and a folder
// (or a file where links are refused too) is renamed after a look that its destination
// is absent. A move onto the same path succeeds when the path exists. Returns 0, or the
// errno of the failure (EEXIST when the destination is taken).
int MoveNoReplace(const std::string& from, const std::string& to);

// Moves `path` out of the way to "<path>.<tag>", or "<path>.2.<tag>", "<path>.3.<tag>" …
// when that is taken, never replacing anything. Returns 0 with the new path in `movedTo`,
// or the errno (EEXIST when every number is taken).
int MoveAside(const std::string& path, const std::string& tag, std::string& movedTo);
