#include "sync/RunFiles.h"

#include "app/CZarn2App.h"
#include "launch/CPlayJournal.h"
#include "library/PendingChange.h"
#include "platform/AtomicFile.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"
#include "sync/SharedLibrary.h"
#include "sync/SyncthingIgnore.h"

#include <cerrno>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::uint64_t kMaxIgnoreBytes = 1u << 20;

void AdoptLegacy(const CZarn2App& app)
{
    const std::string& root = app.m_szTempRoot;
    const std::string& run = app.m_szTempDir;
    if (root.empty() || run.empty() || root == run)
        return;
    const std::string record = std::string("/") + PendingChange::kFileName;
    for (const auto& [from, to] : {std::pair(CPlayJournal::PathIn(root), CPlayJournal::PathIn(run)),
                                   std::pair(root + record, run + record)}) {
        if (FileSystem::EntryExists(from) && !FileSystem::EntryExists(to))
            MoveNoReplace(from, to);
    }
}

std::string WhyNot(int err)
{
    switch (err) {
    case ELOOP:
        return "シンボリックリンクのため, リンク先のファイルは書き換えません.";
    case EISDIR:
        return "フォルダです.";
    case EINVAL:
        return "通常のファイルではありません (パイプやデバイスなど).";
    case EFBIG:
        return "1 MiB を超える大きさです.";
    default:
        return Format("ERROR[%d]", err);
    }
}

void CannotKeepTempLocal(const std::string& path, const std::string& temp, int err)
{
    Messenger::Show(Format("<%s>に %s を書き加えられませんでした: %s\n"
                           "Temp フォルダにはこの PC だけのファイルが入ります. Syncthing の同期から外して下さい.",
                           path.c_str(), temp.c_str(), WhyNot(err).c_str()));
}

// The path of `home` inside `root`, a folder at or above it: "" for the folder itself.
std::string_view PathInside(std::string_view home, std::string_view root)
{
    if (home == root)
        return {};
    return home.substr(root == "/" ? 1 : root.size() + 1);
}

void KeepTempLocal(std::string home)
{
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    static constexpr const char* kSyncthingMarker[] = {".stfolder"};
    const std::string root = home.empty() ? std::string() : SharedLibrary::NearestHolding(home, kSyncthingMarker);
    if (root.empty())
        return;
    const std::string path = (root == "/" ? std::string() : root) + "/.stignore";
    const std::string temp = SyncthingIgnore::TempPattern(PathInside(home, root));
    std::string bytes;
    if (int err = RegularFile::ReadAtMost(path, kMaxIgnoreBytes, bytes); err != 0 && err != ENOENT) {
        CannotKeepTempLocal(path, temp, err);
        return;
    }
    std::string before;
    const size_t place = SyncthingIgnore::PlaceForTemp(bytes, temp, before);
    if (place == std::string::npos)
        return;
    const std::string lineEnd = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (place < bytes.size())
        bytes.insert(place, temp + lineEnd);
    else
        bytes += (bytes.empty() || bytes.back() == '\n' ? "" : lineEnd) + temp + lineEnd;
    // Never through a link: the file it leads to may lie anywhere.
    if (int err = AtomicFile::Replace(path, bytes, SymbolicLinks::Refuse)) {
        CannotKeepTempLocal(path, temp, err);
        return;
    }
    std::string where = before.empty() ? Format("<%s>に", path.c_str())
                                       : Format("<%s>の \"%s\" の行の前に", path.c_str(), before.c_str());
    const char* order = before.empty() ? "" : " Syncthing は最初に当てはまる行に従います.";
    Messenger::Show(Format("このフォルダは Syncthing で同期されています. Temp フォルダにはこの PC で"
                           "動いている Zarn2 のファイルが入るため, %s %s を加えて同期から外しました.%s",
                           where.c_str(), temp.c_str(), order));
}

}  // namespace

namespace RunFiles {

void Prepare(const CZarn2App& app)
{
    AdoptLegacy(app);
    KeepTempLocal(app.m_szHomeDir);
}

}  // namespace RunFiles
