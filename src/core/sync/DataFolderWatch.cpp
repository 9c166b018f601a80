#include "sync/DataFolderWatch.h"

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "library/ILibraryJournal.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/IFolderWatch.h"
#include "sync/ConflictName.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// A file being written: ours ("name~XXXXXX") or a sync tool's, renamed over its target
// once whole (that rename is what counts).
bool Temporary(const std::string& name)
{
    std::string_view n = name;
    return !AtomicFile::TemporaryOwner(name).empty() ||
           ((n.starts_with(".syncthing.") || n.starts_with("~syncthing~")) && n.ends_with(".tmp"));
}

}  // namespace

bool DataFolderChanges::Touches(const std::string& path) const
{
    return paths.count(path) != 0 || folders.count(FileSystem::FolderOf(path)) != 0;
}

bool DataFolderChanges::TouchesIn(const std::string& folder, const std::string& suffix) const
{
    if (folders.count(folder) != 0)
        return true;
    const std::string prefix = folder + "/";
    return std::any_of(paths.lower_bound(prefix), paths.end(), [&](const std::string& path) {
        return path.compare(0, prefix.size(), prefix) == 0 && path.find('/', prefix.size()) == std::string::npos &&
               std::string_view(path).ends_with(suffix);
    });
}

bool DataFolderChanges::MayBringConflictCopy() const
{
    return !folders.empty() || std::any_of(paths.begin(), paths.end(), [](const std::string& path) {
               return !ConflictName::Original(path.substr(path.rfind('/') + 1)).empty();
           });
}

DataFolderWatch::DataFolderWatch(std::unique_ptr<IFolderWatch> watch, QObject* parent)
    : QObject(parent), m_watch(std::move(watch))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DataFolderWatch::Deliver);
    m_watch->SetHandler([this](const std::string& folder, const std::string& name) { Note(folder, name); });
}

DataFolderWatch::~DataFolderWatch() { m_watch->SetHandler(nullptr); }

int DataFolderWatch::Follow(const CZarn2Doc& doc)
{
    std::vector<std::string> folders{FileSystem::FolderOf(doc.m_szGroupListFile), doc.m_pApp->m_szDataDir};
    for (int i = 0; i < std::clamp(doc.m_nGroupCount, 0, CZarn2Doc::kMaxGroups); ++i)
        folders.push_back(doc.m_Group[static_cast<size_t>(i)].m_szGroupDir);
    if (doc.m_pJournal)
        folders.push_back(doc.m_pApp->m_szDataDir + "/" + ILibraryJournal::kFolderName);
    m_folders = std::move(folders);
    return m_watch->SetFolders(m_folders);
}

void DataFolderWatch::Note(const std::string& folder, const std::string& name)
{
    if (name.empty()) {
        m_pending.folders.insert(folder);
    } else if (!Temporary(name)) {
        std::string path = folder + "/" + name;
        // A folder to watch that was not there when the watch was set (a genre whose folder a
        // sync tool brings after its list), or that went and came back: watched from now on,
        // and what came into it before that may have changed.
        if (std::find(m_folders.begin(), m_folders.end(), path) != m_folders.end()) {
            m_watch->SetFolders(m_folders);
            m_pending.folders.insert(path);
        }
        m_pending.paths.insert(std::move(path));
    } else {
        return;
    }
    // Collected from the first change on, not pushed back by later ones: a change is
    // delivered at most kSettleMs after it landed.
    if (!m_settle.isActive())
        m_settle.start();
}

void DataFolderWatch::Deliver()
{
    DataFolderChanges changes = std::move(m_pending);
    m_pending = {};
    Q_EMIT Changed(changes);
}
