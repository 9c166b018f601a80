#pragma once

#include "platform/FileStamp.h"
#include "sync/JournalText.h"

#include <map>
#include <string>
#include <vector>

class MachineTable;

// This PC's change journal: lines are only ever appended to it, each append one durable
// write (platform/RegularFile) preceded by the "M" lines of machines the file did not
// name yet and the "S" lines of what this PC applied since the last ones; no other PC
// writes it.
class OwnJournal {
public:
    OwnJournal(std::string folder, const std::string& machineId, int self);

    // What the file held when it was read (nullptr: no file yet); numbered on above `atLeast`.
    void Loaded(const JournalText::Read* read, int atLeast = 0);
    int LastSeq() const { return m_lastSeq; }
    const std::string& Path() const { return m_path; }

    // Appends `entries` (numbered from LastSeq() + 1) having applied `applied` (per machine)
    // of the other journals. 0, or the errno (nothing appended); `stamp` is the file after.
    int Append(const std::vector<Journal::Entry>& entries, const std::vector<int>& applied,
               const MachineTable& machines, FileStamp& stamp);
    // Whether `applied` goes beyond the "S" lines written.
    bool Behind(const std::vector<int>& applied) const;
    // Writes the journal anew with only the lines of `kept` (in order) and what this PC has
    // applied: lines no PC needs any longer are left out. 0, or the errno (the file as it was).
    int Rewrite(const std::vector<Journal::Entry>& kept, const std::vector<int>& applied, const MachineTable& machines);

private:
    std::string Lines(const std::vector<Journal::Entry>& entries, const std::vector<int>& applied,
                      const MachineTable& machines, std::map<int, int>& alias, std::vector<int>& written) const;

    std::string m_folder;
    std::string m_path;
    int m_self;
    int m_lastSeq = 0;
    std::map<int, int> m_alias;     // machine -> its number in the file
    std::vector<int> m_seenWritten;  // per machine: the last "S" written
};
