#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

// Small programs for tests that start real processes.
namespace ScriptFiles {

// Writes a /bin/sh script (the "#!" line is added) and sets its execute bits as asked.
inline std::string Write(const std::string& path, const std::string& body, bool executable = true)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "#!/bin/sh\n" << body << "\n";
    }
    namespace fs = std::filesystem;
    fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
    return path;
}

// Waits up to `ms` for a file to exist and hold a complete last line.
inline std::string WaitForLine(const std::string& path, int ms = 5000)
{
    for (int waited = 0; waited < ms; waited += 20) {
        std::ifstream in(path, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!text.empty() && text.back() == '\n')
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::string();
}

}  // namespace ScriptFiles
