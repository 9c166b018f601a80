#pragma once

#include "platform/FileStamp.h"
#include "sync/JournalText.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class MachineTable;

// Every PC's change journal in the journal folder ("<machine id>.log"), each read again
// only when its file changed. Temporaries are not journals; a conflict copy of a journal
// adds the lines the journal lacks and is removed once the journal goes as far; a file
// larger than any journal is left out. A journal only ever grows (its owner's shortening
// leaves out only lines no PC needs): the lines read from it once are kept for the run
// even when its file loses them or goes (damaged, cut, removed, put back from an old copy).
class JournalSet {
public:
    using EntryPtr = std::shared_ptr<const Journal::Entry>;

    JournalSet(std::string folder, MachineTable& machines);

    // Reads the journals whose files changed, came or went: true when any did.
    bool Refresh();
    // Every line of every journal.
    std::vector<EntryPtr> Entries() const;
    // The machines with a journal, and of each what is known.
    std::vector<int> Machines() const;
    int LastSeq(int machine) const;
    // The last "S" line of a journal for `of` (0 when none).
    int Saw(int machine, int of) const;
    // The lines of a journal that did not read whole (a last one without its line end aside).
    size_t Damaged(int machine) const;
    // Whether lines read from the journal before are missing from its file (or the file went).
    bool LostLines(int machine) const;
    // Whether the journal's file is the one last read or appended to (none, when never read).
    bool Unchanged(int machine) const;
    // The journal's file was written anew by its owner (this PC): the next read keeps nothing it left out.
    void Rewritten(int machine);
    // This PC's own lines appended to its journal (so it is not read again for them).
    void Appended(int machine, const std::vector<Journal::Entry>& entries, const FileStamp& stamp);
    // The own journal's read as it stands (lines, aliases), for appending.
    const JournalText::Read* ReadOf(int machine) const;

    static constexpr std::uint64_t kMaxBytes = 64u << 20;
    static constexpr char kSuffix[] = ".log";
    // The path of the journal of the PC with journal id `id` in `folder`.
    static std::string PathOf(const std::string& folder, const std::string& id) { return folder + "/" + id + kSuffix; }

private:
    struct File {
        FileStamp stamp;
        JournalText::Read read;
        std::vector<EntryPtr> entries;
        bool lostLines = false;
        bool rewritten = false;  // by its owner, since it was read
        int lastOnDisk = 0;  // the number of the last line its file holds
    };
    // A conflict copy of a journal (by its file name): true when it added lines.
    bool TakeCopy(const std::string& name);
    // Keeps the lines of `before` (up to `last`) that `file` no longer holds.
    static void KeepLost(File& file, std::vector<EntryPtr> before, int last);
    std::string m_folder;
    MachineTable& m_machines;
    std::map<int, File> m_files;
};
