#pragma once

#include "TempDir.h"

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// What real disks hold under a data file's name instead of the file: another encoding,
// binary data, zeros left by a crash, noise, another program's text, more than the format
// holds, and things that are no regular file. Each row is made from the text the file
// should hold.
struct HostileFile {
    const char* what;
    std::function<std::string(const std::string& text)> bytes;  // none for a special file
    void (*make)(const char* path) = nullptr;
    // Text with none of the sections of ours: a format whose lines outside its sections are
    // ignored (the settings, the genre list) reads it as an empty file, and writes it.
    bool sectionless = false;

    void Put(const std::string& path, const std::string& text) const
    {
        if (make)
            make(path.c_str());
        else
            TempDir::WriteBytes(path, bytes(text));
    }
};

inline std::vector<HostileFile> HostileFiles()
{
    using Text = const std::string&;
    return {
        {"UTF-16LE", [](Text t) {
             std::string utf16 = "\xFF\xFE";
             for (char c : t)
                 utf16 += {c, '\0'};
             return utf16;
         }},
        {"zeros where the text was", [](Text t) { return std::string(t.size(), '\0'); }},
        {"the text, then zeros", [](Text t) { return t + std::string(512, '\0'); }},
        {"binary noise", [](Text) {
             std::string noise;
             for (unsigned x = 1; noise.size() < 4096;)
                 noise += static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
             return noise;
         }},
        {"another program's text", [](Text) { return std::string("[Desktop Entry]\nName=x\n"); }, nullptr, true},
        {"undecodable bytes before the text", [](Text t) { return "\x80\xFD\xFE\xFF\r\n" + t; }},
        {"lines ended by CR alone (old Mac line ends)", [](Text t) {
             std::string cr;
             for (char c : t)
                 if (c != '\n')
                     cr += c;
             return cr;
         }},
        {"larger than the format holds", [](Text t) { return t + std::string(1 << 20, ' '); }},
        {"a named pipe", nullptr, [](const char* path) { ::mkfifo(path, 0644); }},
        {"a link to /dev/zero", nullptr, [](const char* path) { (void)!::symlink("/dev/zero", path); }},
    };
}

// What lies at a path, to tell whether it changed: its kind, its link and its bytes.
inline std::string Fingerprint(const std::string& path)
{
    struct stat st{};
    char link[256] = {};
    (void)!::lstat(path.c_str(), &st);
    (void)!::readlink(path.c_str(), link, sizeof link - 1);
    return std::to_string(st.st_mode) + link + (S_ISREG(st.st_mode) ? TempDir::ReadBytes(path) : "");
}
