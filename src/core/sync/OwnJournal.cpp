#include "sync/OwnJournal.h"

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/RegularFile.h"
#include "sync/JournalSet.h"
#include "sync/MachineTable.h"

#include <algorithm>
#include <cerrno>

OwnJournal::OwnJournal(std::string folder, const std::string& machineId, int self)
    : m_folder(std::move(folder)), m_path(JournalSet::PathOf(m_folder, machineId)), m_self(self)
{
    m_alias[self] = 0;
}

void OwnJournal::Loaded(const JournalText::Read* read, int atLeast)
{
    m_alias.clear();
    m_alias[m_self] = 0;
    m_lastSeq = atLeast;
    m_seenWritten.clear();
    if (read == nullptr)
        return;
    m_lastSeq = std::max(atLeast, read->lastSeq);
    for (const auto& [number, machine] : read->aliases)
        m_alias[machine] = number;
    m_seenWritten = read->seen;
}

std::string OwnJournal::Lines(const std::vector<Journal::Entry>& entries, const std::vector<int>& applied,
                              const MachineTable& machines, std::map<int, int>& alias,
                              std::vector<int>& written) const
{
    std::string text;
    auto number = [&](int machine) {
        auto [at, added] = alias.emplace(machine, 0);
        if (added) {
            int next = 1;
            for (const auto& [m, n] : alias)
                next = std::max(next, n + 1);
            at->second = next;
            text += JournalText::MachineLine(next, machines.Name(machine));
        }
        return at->second;
    };
    for (size_t m = 0; m < applied.size(); ++m) {
        int machine = static_cast<int>(m);
        if (machine == m_self || applied[m] <= 0 || (m < written.size() && written[m] >= applied[m]))
            continue;
        int n = number(machine);
        text += JournalText::SeenLine(n, applied[m]);
        if (written.size() <= m)
            written.resize(m + 1, 0);
        written[m] = applied[m];
    }
    for (const Journal::Entry& entry : entries) {
        // Names the machines the line refers to first, each once.
        for (const Journal::Ref* ref : {&entry.subject, &entry.More().target})
            if (ref->ById())
                number(ref->id.machine);
        for (const Journal::Ref& ref : entry.More().order)
            if (ref.ById())
                number(ref.id.machine);
        text += JournalText::EntryLine(entry, [&alias](int machine) { return alias.at(machine); });
    }
    return text;
}

int OwnJournal::Append(const std::vector<Journal::Entry>& entries, const std::vector<int>& applied,
                       const MachineTable& machines, FileStamp& stamp)
{
    if (!FileSystem::EntryExists(m_folder))
        if (int err = FileSystem::MakeFolder(m_folder); err != 0 && err != EEXIST)
            return err;
    if (int err = FileSystem::CreateNew(m_path); err != 0 && err != EEXIST)
        return err;
    FileStamp before;
    if (int err = ReadFileStamp(m_path, before))
        return err;
    std::map<int, int> alias = m_alias;
    std::vector<int> written = m_seenWritten;
    std::string text = before.size == 0 ? std::string(JournalText::kHeader) + "\n" : std::string();
    text += Lines(entries, applied, machines, alias, written);
    if (text.empty())
        return ReadFileStamp(m_path, stamp);
    if (RegularFile::AppendResult result = RegularFile::AppendDurably(m_path, text); result.error != 0)
        return result.error;
    m_alias = std::move(alias);
    m_seenWritten = std::move(written);
    if (!entries.empty())
        m_lastSeq = entries.back().seq;
    return ReadFileStamp(m_path, stamp);
}

bool OwnJournal::Behind(const std::vector<int>& applied) const
{
    for (size_t m = 0; m < applied.size(); ++m)
        if (static_cast<int>(m) != m_self && applied[m] > 0 &&
            (m >= m_seenWritten.size() || m_seenWritten[m] < applied[m]))
            return true;
    return false;
}

int OwnJournal::Rewrite(const std::vector<Journal::Entry>& kept, const std::vector<int>& applied,
                        const MachineTable& machines)
{
    std::map<int, int> alias{{m_self, 0}};
    std::vector<int> written;
    if (!FileSystem::EntryExists(m_folder))
        if (int err = FileSystem::MakeFolder(m_folder); err != 0 && err != EEXIST)
            return err;
    std::string text = std::string(JournalText::kHeader) + "\n";
    // Each kept line after what its author had applied when it was written.
    for (const Journal::Entry& entry : kept) {
        std::vector<int> seen = entry.seen ? *entry.seen : std::vector<int>();
        text += Lines({entry}, seen, machines, alias, written);
    }
    text += Lines({}, applied, machines, alias, written);
    if (int err = AtomicFile::Replace(m_path, text, SymbolicLinks::Refuse))
        return err;
    m_alias = std::move(alias);
    m_seenWritten = std::move(written);
    return 0;
}
