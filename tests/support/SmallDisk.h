#pragma once

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs a test body on a tiny, nearly full file system: the test program runs itself again
// inside a private mount namespace (unshare -m, needs root) with a 64 KiB tmpfs mounted on
// a temporary folder, named by ZARN2_SMALL_DISK in the child's environment.
namespace SmallDisk {

// In the child: the mounted folder; in the parent: empty.
inline std::string Folder()
{
    const char* dir = std::getenv("ZARN2_SMALL_DISK");
    return dir ? dir : "";
}

// Whether the environment forbids skipping (CI must run these tests).
inline bool MustRun() { return std::getenv("CI") && std::string(std::getenv("CI")) == "true"; }

// The reason the small disk cannot be had here, or "" when it can.
inline std::string Unavailable()
{
    if (::geteuid() != 0)
        return "needs root for a private mount namespace";
    if (std::system("unshare -m true >/dev/null 2>&1") != 0)
        return "unshare -m is not permitted here";
    return "";
}

// Runs `gtestFilter` of this program in the namespace; returns its exit status.
inline int RunChild(const std::string& gtestFilter, const std::string& mountPoint)
{
    char self[4096];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return -1;
    self[n] = '\0';
    std::string command = "unshare -m sh -c 'mount -t tmpfs -o size=64k tmpfs \"" + mountPoint +
                          "\" && ZARN2_SMALL_DISK=\"" + mountPoint + "\" \"" + self +
                          "\" --gtest_filter=\"" + gtestFilter + "\"' >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Fills the file system up to the last few bytes.
inline void FillUp(const std::string& folder)
{
    std::ofstream filler(folder + "/filler", std::ios::binary);
    std::string block(1024, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
        filler.flush();
}

}  // namespace SmallDisk
