#pragma once

#include <string>

// Whether `path` is a symbolic link that the kernel's protected_symlinks rule would not let
// us follow: a link in a sticky folder anyone may write to (such as /tmp) whose owner is
// neither us nor the folder's owner. Another user can plant such a link to make us write
// to a file of theirs choosing; writing through it is refused whatever the system's
// setting.
bool IsProtectedLink(const std::string& path);
