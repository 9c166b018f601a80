#pragma once

#include <span>
#include <string>

class CZarn2App;

// Whether the library is shared with other PCs, so that each PC keeps a change journal of
// it: the data folder holds the journals' folder already (a PC kept one here), or the home
// folder lies in a folder that a sync tool shares (its marker is in the home folder or in a
// folder above it). A library of one PC keeps no journal, and its files stay byte for byte
// those the Windows version writes.
namespace SharedLibrary {

bool Is(const CZarn2App& app);

// The nearest folder at or above `folder` that holds one of `markers` ("/" for the root
// itself), or "" when none does.
std::string NearestHolding(const std::string& folder, std::span<const char* const> markers);

// The names a sync tool leaves at the root of the folder it shares: Syncthing's marker,
// Dropbox's, the Nextcloud and ownCloud clients' logs.
inline constexpr const char* kMarkers[] = {".stfolder", ".dropbox", ".nextcloudsync.log", ".owncloudsync.log"};

}  // namespace SharedLibrary
