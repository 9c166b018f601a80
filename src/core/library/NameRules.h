#pragma once

#include "library/Refusal.h"

#include <cstddef>
#include <string>
#include <string_view>

// Genre and title names become folder and file names ("<name>", "<name>.Zarn",
// "<name>.Log") and lines of the library's text files. These rules refuse the names
// that would make unsafe or unusable paths or break a file, each with a reason and a
// message for the user.
namespace NameRules {

enum class Kind { Group, Member };

// What a rule found: Refusal::None and no message when all is well.
struct Finding {
    Refusal reason = Refusal::None;
    std::string message;

    bool Refused() const { return reason != Refusal::None; }
};

// A file name may take 248 bytes (UTF-8): the longest file name a folder holds less
// the room the temporary name of an atomic rewrite adds to it.
inline constexpr size_t kMaxFileNameBytes = 248;
// Path lines of the genre file are read at most 258 bytes at a time, newline included.
inline constexpr size_t kMaxPathBytes = 257;

// The longest name of the kind, in UTF-8 bytes.
size_t MaxNameBytes(Kind kind);

// Everything that makes a name unusable as a path: empty, "." and "..", "/", NUL and
// control characters, a file name too long.
Finding PathProblem(Kind kind, std::string_view name);
// PathProblem and, in addition, bytes code page 932 could not decode (the name would be
// written back changed). Used for names read from the files.
Finding StoredNameProblem(Kind kind, std::string_view name);
// PathProblem and, in addition, text code page 932 cannot hold or gives back changed.
// Used for a name a title keeps when it is edited.
Finding KeptNameProblem(Kind kind, std::string_view name);
// KeptNameProblem and, in addition, names the Windows version cannot store
// (WindowsNames). Used for names the user enters.
Finding Problem(Kind kind, std::string_view name);
// A path stored in the genre file (`what` names it in the message): no control
// characters, only code page 932 characters that read back unchanged, at most
// kMaxPathBytes bytes there.
Finding StoredPathProblem(std::string_view what, std::string_view path);

}  // namespace NameRules
