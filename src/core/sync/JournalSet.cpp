#include "sync/JournalSet.h"

#include "platform/FileSystem.h"
#include "platform/RegularFile.h"
#include "sync/ConflictName.h"
#include "sync/MachineTable.h"

#include <set>
#include <string_view>

JournalSet::JournalSet(std::string folder, MachineTable& machines) : m_folder(std::move(folder)), m_machines(machines)
{
}

bool JournalSet::Refresh()
{
    int error = 0;
    bool changed = false;
    std::set<int> present;
    for (const FileSystem::FolderEntry& entry : FileSystem::FolderEntries(m_folder, error)) {
        std::string_view name = entry.name;
        if (!entry.regular || !name.ends_with(kSuffix) || name.size() == sizeof(kSuffix) - 1 ||
            !ConflictName::Original(entry.name).empty())
            continue;
        int machine = m_machines.Index(std::string(name.substr(0, name.size() - (sizeof(kSuffix) - 1))));
        std::string path = m_folder + "/" + entry.name;
        FileStamp stamp;
        if (ReadFileStamp(path, stamp) != 0)
            continue;
        present.insert(machine);
        auto known = m_files.find(machine);
        if (known != m_files.end() && known->second.stamp == stamp)
            continue;
        std::string bytes;
        if (RegularFile::ReadAtMost(path, kMaxBytes, bytes, SymbolicLinks::Refuse) != 0)
            continue;
        File& file = m_files[machine];
        file.stamp = stamp;
        file.read = JournalText::Parse(bytes, machine, m_machines);
        file.entries.clear();
        for (Journal::Entry& e : file.read.entries)
            file.entries.push_back(std::make_shared<const Journal::Entry>(std::move(e)));
        file.read.entries.clear();
        changed = true;
    }
    for (auto it = m_files.begin(); it != m_files.end();) {
        if (present.count(it->first) == 0) {
            it = m_files.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    return changed;
}

std::vector<JournalSet::EntryPtr> JournalSet::Entries() const
{
    std::vector<EntryPtr> all;
    for (const auto& [machine, file] : m_files)
        all.insert(all.end(), file.entries.begin(), file.entries.end());
    return all;
}

std::vector<int> JournalSet::Machines() const
{
    std::vector<int> machines;
    for (const auto& [machine, file] : m_files)
        machines.push_back(machine);
    return machines;
}

int JournalSet::LastSeq(int machine) const
{
    auto at = m_files.find(machine);
    return at == m_files.end() ? 0 : at->second.read.lastSeq;
}

int JournalSet::Saw(int machine, int of) const
{
    auto at = m_files.find(machine);
    if (at == m_files.end())
        return 0;
    const std::vector<int>& seen = at->second.read.seen;
    return of >= 0 && static_cast<size_t>(of) < seen.size() ? seen[static_cast<size_t>(of)] : 0;
}

size_t JournalSet::Damaged() const
{
    size_t damaged = 0;
    for (const auto& [machine, file] : m_files)
        damaged += file.read.damaged;
    return damaged;
}

void JournalSet::Appended(int machine, const std::vector<Journal::Entry>& entries, const FileStamp& stamp)
{
    File& file = m_files[machine];
    file.stamp = stamp;
    for (const Journal::Entry& e : entries) {
        file.entries.push_back(std::make_shared<const Journal::Entry>(e));
        file.read.lastSeq = std::max(file.read.lastSeq, e.seq);
    }
    if (!entries.empty() && entries.back().seen)
        for (size_t m = 0; m < entries.back().seen->size(); ++m)
            if (static_cast<int>(m) != machine) {
                if (file.read.seen.size() <= m)
                    file.read.seen.resize(m + 1, 0);
                file.read.seen[m] = std::max(file.read.seen[m], (*entries.back().seen)[m]);
            }
}

const JournalText::Read* JournalSet::ReadOf(int machine) const
{
    auto at = m_files.find(machine);
    return at == m_files.end() ? nullptr : &at->second.read;
}
