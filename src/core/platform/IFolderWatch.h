#pragma once

#include <functional>
#include <string>
#include <vector>

// Tells which entries of some folders changed: created, written and closed, moved in or
// out, or deleted (not the folders below them). Reported from the event loop as the
// changes come; nothing runs while nothing changes.
class IFolderWatch {
public:
    // `folder` as given to SetFolders and the entry's `name`. An empty name: anything in
    // the folder may have changed (changes were lost, or the folder itself went away).
    using Handler = std::function<void(const std::string& folder, const std::string& name)>;

    virtual ~IFolderWatch() = default;
    virtual void SetHandler(Handler handler) = 0;
    // Watches exactly `folders` from now on. 0, or the errno of the first folder that could
    // not be watched (the others are).
    virtual int SetFolders(const std::vector<std::string>& folders) = 0;
};
