#pragma once

#include <string>

class LoadNotes;

// A data file that holds entries its load left out (repeated or unusable names, entries
// beyond the capacity): the next rewrite would drop them, so the file as it was is copied
// beside it (platform/BackupCopy) before it is first rewritten.
class PendingBackup {
public:
    // After `path` was read: a copy is due when the load left anything out, and the load
    // message then names it.
    void AfterLoad(const std::string& path, LoadNotes& notes);
    void Clear() { m_path.clear(); }

    // Before a rewrite: makes the copy that is due. False, after a message, when it cannot
    // be made: the file must then not be rewritten.
    bool MakeDue();

private:
    std::string m_path;  // the file whose copy is due; empty when none is
};
