#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

// Tiny Windows programs for tests, built from a resource script with the MinGW binutils:
// windres compiles the resources, ld links a program without code around them, and objcopy
// turns it into the 32-bit format when asked.
namespace MingwProgram {

// The system's program folders come first: a test may have put a PATH of its own fakes.
inline constexpr const char* kPath = "PATH=/usr/local/bin:/usr/bin:/bin:\"$PATH\"; ";

inline bool ToolsPresent()
{
    return std::system((std::string(kPath) + "command -v x86_64-w64-mingw32-windres >/dev/null 2>&1 && "
                                             "command -v x86_64-w64-mingw32-ld >/dev/null 2>&1 && "
                                             "command -v x86_64-w64-mingw32-objcopy >/dev/null 2>&1")
                           .c_str()) == 0;
}

// On the build server the tools are installed, so their absence is a failure there.
inline bool RequiredHere()
{
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

inline constexpr const char* kMissingTools = "the MinGW binutils (binutils-mingw-w64) are not installed";

// Writes the files and the script into dir and builds dir/prog.exe; returns its bytes, or
// nothing when a tool fails.
inline std::string Build(const TempDir& dir, const std::string& rc,
                         const std::vector<std::pair<std::string, std::string>>& files, bool pe32 = false)
{
    for (const auto& [name, bytes] : files)
        TempDir::WriteBytes(dir / name, bytes);
    TempDir::WriteBytes(dir / "prog.rc", rc);
    std::string command = kPath + std::string("cd '") + dir.Path() + "' && " +
                          "x86_64-w64-mingw32-windres --preprocessor=cat -O coff -i prog.rc -o prog.o && "
                          "x86_64-w64-mingw32-ld -e 0 -o prog.exe prog.o";
    if (pe32)
        command += " && x86_64-w64-mingw32-objcopy -O pei-i386 prog.exe prog.exe";
    if (std::system(command.c_str()) != 0)
        return {};
    return TempDir::ReadBytes(dir / "prog.exe");
}

}  // namespace MingwProgram
