#include "platform/FolderListings.h"

#include <algorithm>

const std::vector<FileSystem::FolderEntry>& FolderListings::Entries(const std::string& path, int& error)
{
    auto [place, fresh] = m_listings.try_emplace(path);
    Listing& listing = place->second;
    if (fresh)
        listing.entries = FileSystem::FolderEntries(path, listing.error);
    error = listing.error;
    return listing.entries;
}

void FolderListings::Removed(const std::string& path, const std::string& name)
{
    auto place = m_listings.find(path);
    if (place == m_listings.end())
        return;
    std::vector<FileSystem::FolderEntry>& entries = place->second.entries;
    std::erase_if(entries, [&name](const FileSystem::FolderEntry& entry) { return entry.name == name; });
}
