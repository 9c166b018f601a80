#pragma once

#include "TempDir.h"

#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// What is found on real disks under the name of a data file that holds no such file:
// other encodings, binary data, zeros left by a crash, noise, another program's file,
// and things that are no regular file at all. Each row puts one at a path, made from the
// text the file should hold.
struct HostileFile {
    const char* what;
    std::function<void(const std::string& path, const std::string& text)> put;
};

namespace hostile {

inline std::string Utf16(const std::string& text, bool littleEndian)
{
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text)
        bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

inline std::string Noise(size_t size)
{
    std::string bytes;
    std::uint32_t x = 2463534242u;
    while (bytes.size() < size) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes.push_back(static_cast<char>(x & 0xFF));
    }
    return bytes;
}

using Text = const std::string&;
using Put = std::function<void(Text path, Text text)>;

// Writes the bytes `make` makes of the text.
inline Put Bytes(std::function<std::string(Text)> make)
{
    return [make](Text path, Text text) { TempDir::WriteBytes(path, make(text)); };
}

// Makes something that is no regular file at the path.
inline Put Special(void (*make)(const char* path))
{
    return [make](Text path, Text) { make(path.c_str()); };
}

}  // namespace hostile

inline std::vector<HostileFile> HostileFiles()
{
    using namespace hostile;
    const std::string elf("\x7F" "ELF\x02\x01\x01\0\0\0\0", 11);
    return {
        {"UTF-16LE with its byte order mark", Bytes([](Text t) { return Utf16(t, true); })},
        {"UTF-16BE", Bytes([](Text t) { return Utf16(t, false); })},
        {"zeros where the text was", Bytes([](Text t) { return std::string(t.size(), '\0'); })},
        {"the text, then zeros", Bytes([](Text t) { return t + std::string(512, '\0'); })},
        {"binary noise", Bytes([](Text) { return Noise(4096); })},
        {"a program", Bytes([elf](Text) { return elf; })},
        {"another program's text", Bytes([](Text) { return std::string("[Desktop Entry]\nName=x\n"); })},
        {"undecodable bytes before the text", Bytes([](Text t) { return "\x80\xFD\xFE\xFF\r\n" + t; })},
        {"larger than the format holds", Bytes([](Text t) { return t + std::string(1 << 20, ' '); })},
        {"a named pipe", Special([](const char* path) { ::mkfifo(path, 0644); })},
        {"a link to /dev/zero", Special([](const char* path) { ::symlink("/dev/zero", path); })},
        {"a folder", Special([](const char* path) { ::mkdir(path, 0755); })},
    };
}

// What lies at a path, to tell whether it changed: its kind, and its bytes or its link.
inline std::string Fingerprint(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0)
        return "missing";
    if (S_ISLNK(st.st_mode)) {
        char link[4096];
        ssize_t n = ::readlink(path.c_str(), link, sizeof link);
        return "link to " + std::string(link, n > 0 ? static_cast<size_t>(n) : 0);
    }
    if (S_ISREG(st.st_mode))
        return "file " + TempDir::ReadBytes(path);
    return S_ISDIR(st.st_mode) ? "folder" : "special";
}
