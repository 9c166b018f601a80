#pragma once

#include "platform/FileStamp.h"

#include <string>
#include <vector>

class MergeReport;

// A conflict copy found beside one of the library's files.
struct ConflictCopy {
    std::string path;
    std::string shown;    // the path from the home folder, for messages
    bool regular = false;  // a regular file itself (not a folder, a link, a device …)
    FileStamp stamp;      // the version that settled, then the version that was read
};

// The merge of one library file with its conflict copies (in the order given). The merged
// file is written atomically, and only when it changed and while it is the version that was
// read; a log's new titles get their empty log before their genre file is written. Then the
// copies that gave everything they hold are removed, each only when it is still the version
// that was read. A copy that stays is named in `report`. A kill at any step leaves copies
// whose merge, done again, changes nothing more. Each returns whether the file was written.
namespace CopyMerges {

// A title's log: every whole record of the log and the copies, once, in start order.
bool IntoLog(const std::string& path, std::vector<ConflictCopy>& copies, MergeReport& report);
// A genre file: the titles of the file, then those of the copies, up to 128; each title
// from a copy gets its log in `groupDir` when it has none.
bool IntoGroupFile(const std::string& path, const std::string& groupDir, std::vector<ConflictCopy>& copies,
                   MergeReport& report);
// The genre list: the genres of the list, then those of the copies, up to 32.
bool IntoGroupList(const std::string& path, std::vector<ConflictCopy>& copies, MergeReport& report);

}  // namespace CopyMerges
