#include "import/ImportFiles.h"

#include "platform/FileSystem.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cstring>

namespace ImportFiles {

int Read(const std::string& path, std::uint64_t maxBytes, std::string& bytes)
{
    return RegularFile::ReadAtMost(path, maxBytes, bytes);
}

std::string ErrorText(int error)
{
    return std::string(std::strerror(error)) + " (" + std::to_string(error) + ")";
}

std::vector<std::string> Names(const std::string& folder, const std::string& suffix, int& error)
{
    std::vector<std::string> names;
    for (const FileSystem::FolderEntry& entry : FileSystem::FolderEntries(folder, error)) {
        if (!entry.name.ends_with(suffix))
            continue;
        if (entry.regular || IsFile(folder + "/" + entry.name))
            names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsFile(const std::string& path)
{
    FileSystem::Status status = FileSystem::Stat(path);
    return status.error == 0 && !status.folder;
}

std::string Resolved(const std::string& path) { return FileSystem::Resolved(path); }

}  // namespace ImportFiles
