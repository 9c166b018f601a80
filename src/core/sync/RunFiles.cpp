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
#include "sync/SyncthingIgnore.h"

#include <cerrno>
#include <string>
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

void CannotKeepTempLocal(const std::string& path, int err)
{
    Messenger::Show(Format("<%s>に /Temp を書き加えられませんでした: %s\n"
                           "Temp フォルダにはこの PC だけのファイルが入ります. Syncthing の同期から外して下さい.",
                           path.c_str(), WhyNot(err).c_str()));
}

void KeepTempLocal(const std::string& home)
{
    if (home.empty() || !FileSystem::EntryExists(home + "/.stfolder"))
        return;
    const std::string path = home + "/.stignore";
    std::string bytes;
    if (int err = RegularFile::ReadAtMost(path, kMaxIgnoreBytes, bytes); err != 0 && err != ENOENT) {
        CannotKeepTempLocal(path, err);
        return;
    }
    std::string before;
    const size_t place = SyncthingIgnore::PlaceForTemp(bytes, before);
    if (place == std::string::npos)
        return;
    const std::string lineEnd = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (place < bytes.size())
        bytes.insert(place, "/Temp" + lineEnd);
    else
        bytes += (bytes.empty() || bytes.back() == '\n' ? "" : lineEnd) + "/Temp" + lineEnd;
    // Never through a link: the file it leads to may lie anywhere.
    if (int err = AtomicFile::Replace(path, bytes, SymbolicLinks::Refuse)) {
        CannotKeepTempLocal(path, err);
        return;
    }
    std::string where = before.empty() ? Format("<%s>に", path.c_str())
                                       : Format("<%s>の \"%s\" の行の前に", path.c_str(), before.c_str());
    Messenger::Show(Format("このフォルダは Syncthing で同期されています. Temp フォルダにはこの PC で"
                           "動いている Zarn2 のファイルが入るため, %s /Temp を加えて同期から外しました.%s",
                           where.c_str(), before.empty() ? "" : " Syncthing は最初に当てはまる行に従います."));
}

}  // namespace

namespace RunFiles {

void Prepare(const CZarn2App& app)
{
    AdoptLegacy(app);
    KeepTempLocal(app.m_szHomeDir);
}

}  // namespace RunFiles
