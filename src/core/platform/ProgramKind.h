#pragma once

#include <string>

// What a file is to the launcher when it has to start or open it. Decided by the file's
// type (its content and name, as the desktop's type database sees them), never by the
// execute bit alone: files on Windows partitions often carry execute bits they do not mean.
enum class ProgramKind {
    Missing,  // nothing at that path
    Folder,
    Native,   // a Linux program (ELF executable)
    Script,   // a text file that starts with "#!"
    Windows,  // a Windows program (.exe), run through Wine
    Document  // anything else: handed to the desktop's opener
};

namespace Programs {
ProgramKind Classify(const std::string& path);
// Whether the file may be executed by the current user (execute bit and access rights).
bool IsExecutable(const std::string& path);
// The Wine loader when it is installed (found on PATH), else "".
std::string FindWine();
// A program found on PATH (for names without "/"), else "".
std::string FindOnPath(const std::string& name);
}  // namespace Programs
