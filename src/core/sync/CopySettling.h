#pragma once

#include "platform/FileStamp.h"

#include <cstdint>
#include <map>
#include <string>

// Whether a conflict copy has settled, so that it may be merged. Most sync tools write a
// copy to a temporary file and give it its name once whole, but some write it in place:
// merged while it is still written, the records written after the merge would go with the
// copy's removal. A copy that a process still holds open for writing has not settled, however
// long it has paused. Otherwise a copy has settled once its version (size, modification time,
// inode) has stayed the same for kSettleMs: seen so by two passes that far apart on the monotonic clock,
// or, at its first sighting, told by a modification time that far in the past (a copy that
// was there before the start is merged at once; a time ahead of the wall clock tells nothing).
class CopySettling {
public:
    static constexpr std::int64_t kSettleMs = 3000;

    // The sightings of this run: the passes over the copies come from the start and from the
    // folder watch, and each picks up what the one before saw.
    static CopySettling& ThisRun();

    // A pass over every copy begins; the copies it does not see again are forgotten at its end.
    void BeginPass();
    void EndPass();
    // Whether the copy at `path`, in version `stamp` now, has settled; one still open for
    // writing (`writing`) waits the settling time again from now.
    bool Settled(const std::string& path, const FileStamp& stamp, bool writing);
    // Milliseconds from now until the first copy still waiting settles, or -1 when none waits:
    // the time for another pass, as nothing on disk may announce it.
    std::int64_t NextSettleInMs() const;

private:
    struct Sighting {
        FileStamp stamp;
        std::int64_t sinceMs = 0;  // monotonic: when this version was first seen
        bool settled = false;
        bool seen = false;  // in the pass under way
    };
    std::map<std::string, Sighting> m_sightings;
};
