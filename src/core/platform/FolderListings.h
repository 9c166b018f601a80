#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <unordered_map>
#include <vector>

// The entries of folders, each folder listed once while this lives: passes over the same
// folders one after the other (at start, the leftover temporaries and the conflict copies
// in every genre's folder) share one listing a folder. A pass that removes an entry says
// so, and the passes after it no longer see it.
class FolderListings {
public:
    // FileSystem::FolderEntries of `path`, listed at the first ask; `error` as it gave.
    const std::vector<FileSystem::FolderEntry>& Entries(const std::string& path, int& error);
    // Entry `name` of `path` is gone.
    void Removed(const std::string& path, const std::string& name);

private:
    struct Listing {
        std::vector<FileSystem::FolderEntry> entries;
        int error = 0;
    };
    std::unordered_map<std::string, Listing> m_listings;
};
