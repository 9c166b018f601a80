#include "sync/JournalSet.h"

#include "platform/FileSystem.h"
#include "platform/RegularFile.h"
#include "sync/ConflictName.h"
#include "sync/MachineTable.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

JournalSet::JournalSet(std::string folder, MachineTable& machines) : m_folder(std::move(folder)), m_machines(machines)
{
}

bool JournalSet::Refresh()
{
    int error = 0;
    bool changed = false;
    std::set<int> present;
    std::vector<std::string> copies;
    for (const FileSystem::FolderEntry& entry : FileSystem::FolderEntries(m_folder, error)) {
        std::string_view name = entry.name;
        if (!entry.regular || !name.ends_with(kSuffix) || name.size() == sizeof(kSuffix) - 1)
            continue;
        if (!ConflictName::Original(entry.name).empty()) {
            copies.push_back(entry.name);
            continue;
        }
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
        std::vector<EntryPtr> before = std::move(file.entries);
        const int last = file.read.lastSeq;
        file.stamp = stamp;
        file.read = JournalText::Parse(bytes, machine, m_machines);
        file.entries.clear();
        for (Journal::Entry& e : file.read.entries)
            file.entries.push_back(std::make_shared<const Journal::Entry>(std::move(e)));
        file.read.entries.clear();
        file.lastOnDisk = file.read.lastSeq;
        KeepLost(file, std::move(before), last);
        changed = true;
    }
    for (const std::string& copy : copies)
        changed = TakeCopy(copy) || changed;
    for (auto& [machine, file] : m_files) {
        if (present.count(machine) != 0 || file.stamp == FileStamp{})
            continue;
        file.stamp = FileStamp{};  // gone: its lines stay, and a file that comes back is read
        file.lostLines = true;
        changed = true;
    }
    return changed;
}

bool JournalSet::TakeCopy(const std::string& name)
{
    // Two PCs made the same journal file (a library folder copied with its journals to a PC
    // that joined later), so the sync tool kept one version and put the other beside it. Only
    // the journal's owner writes it, so a line of either version is that line: the copy's
    // lines the journal lacks count as its lines (its owner writes them back), and a copy
    // the journal's file holds is removed.
    std::string original = ConflictName::Original(name);
    if (!original.ends_with(kSuffix) || original.size() == sizeof(kSuffix) - 1)
        return false;
    const std::string path = m_folder + "/" + name;
    std::string bytes;
    if (RegularFile::ReadAtMost(path, kMaxBytes, bytes, SymbolicLinks::Refuse) != 0)
        return false;
    int machine = m_machines.Index(original.substr(0, original.size() - (sizeof(kSuffix) - 1)));
    JournalText::Read read = JournalText::Parse(bytes, machine, m_machines);
    if (!read.journal)
        return false;
    File& file = m_files[machine];
    // The journal's file is a later version of the copy when it goes as far: the lines of the
    // copy it lacks were shortened away by its owner.
    if (file.stamp != FileStamp{} && read.lastSeq <= file.lastOnDisk) {
        FileSystem::RemoveFile(path);
        return false;
    }
    std::vector<EntryPtr> lines;
    for (Journal::Entry& e : read.entries)
        lines.push_back(std::make_shared<const Journal::Entry>(std::move(e)));
    const size_t before = file.entries.size();
    const bool rewritten = std::exchange(file.rewritten, false);
    const bool lost = file.lostLines;
    KeepLost(file, std::move(lines), read.lastSeq);
    file.rewritten = rewritten;
    file.lostLines = lost || file.lostLines;
    return file.entries.size() != before;
}

void JournalSet::KeepLost(File& file, std::vector<EntryPtr> before, int last)
{
    std::set<int> now;
    for (const EntryPtr& e : file.entries)
        now.insert(e->seq);
    file.lostLines = false;
    if (std::exchange(file.rewritten, false))
        return;  // what its owner left out is not needed
    for (EntryPtr& e : before) {
        if (now.count(e->seq) == 0) {
            file.entries.push_back(std::move(e));
            file.lostLines = true;
        }
    }
    if (!file.lostLines)
        return;
    std::sort(file.entries.begin(), file.entries.end(), [](const EntryPtr& a, const EntryPtr& b) { return a->seq < b->seq; });
    file.read.lastSeq = std::max(file.read.lastSeq, last);
}

size_t JournalSet::Damaged(int machine) const
{
    auto at = m_files.find(machine);
    if (at == m_files.end())
        return 0;
    return at->second.read.damaged - (at->second.read.cut ? 1 : 0);
}

bool JournalSet::LostLines(int machine) const
{
    auto at = m_files.find(machine);
    return at != m_files.end() && at->second.lostLines;
}

bool JournalSet::Unchanged(int machine) const
{
    FileStamp now;
    int err = ReadFileStamp(PathOf(m_folder, m_machines.Name(machine)), now);
    auto at = m_files.find(machine);
    if (at == m_files.end() || at->second.stamp == FileStamp{})
        return err != 0;
    return err == 0 && now == at->second.stamp;
}

void JournalSet::Rewritten(int machine)
{
    auto at = m_files.find(machine);
    if (at == m_files.end())
        return;
    at->second.stamp = FileStamp{};  // read again, unless an append of its own comes first
    at->second.rewritten = true;
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

void JournalSet::Appended(int machine, const std::vector<Journal::Entry>& entries, const FileStamp& stamp)
{
    File& file = m_files[machine];
    file.stamp = stamp;
    for (const Journal::Entry& e : entries) {
        file.entries.push_back(std::make_shared<const Journal::Entry>(e));
        file.read.lastSeq = std::max(file.read.lastSeq, e.seq);
        file.lastOnDisk = std::max(file.lastOnDisk, e.seq);
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
