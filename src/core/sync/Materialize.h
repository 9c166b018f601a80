#pragma once

#include "platform/FileStamp.h"
#include "sync/LibraryFold.h"
#include "sync/StampLine.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class CZarn2App;

// Writes the library files the fold describes where they differ from it: the genres'
// folders and the titles' logs first (plays in start order), then each genre file, then the
// genre list; each file with its stamp line, the current title and genre the fold's. A file whose stamp line names changes this PC has not received
// is newer than the fold here and left alone, and so are the logs of its genre; a file that
// cannot be read or is none of its format is never written over. Last, the logs no living
// title has (`strays`, whose plays the fold holds) and the genre files and empty folders of
// genres gone or renamed are removed.
namespace Materialize {

// A log as last found to hold (or written with) the fold's plays.
struct HeldLog {
    FileStamp stamp;
    std::uint64_t digest = 0;  // LogPlays::Digest of those plays
};

struct Context {
    const CZarn2App& app;
    const LibraryFold& fold;
    std::function<StampLine::Shaped(const LibraryFold::Touch&)> shaped;
    // Whether a stamp line names changes this PC has not received.
    std::function<bool(const StampLine::Found&)> ahead;
    std::map<std::string, HeldLog>& held;  // brought up to date
};

struct Outcome {
    bool wrote = false;
    std::vector<std::pair<std::string, int>> failures;  // path, errno
};

Outcome Write(const Context& context, const std::set<std::string>& strays);

}  // namespace Materialize
