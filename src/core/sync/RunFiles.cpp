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

bool IgnoresTemp(std::string_view bytes)
{
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        if (RunFiles::IgnoresTemp(std::string(bytes.substr(0, end)).c_str()))
            return true;
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return false;
}

void KeepTempLocal(const std::string& home)
{
    if (home.empty() || !FileSystem::EntryExists(home + "/.stfolder"))
        return;
    const std::string path = home + "/.stignore";
    std::string bytes;
    int err = RegularFile::ReadAtMost(path, kMaxIgnoreBytes, bytes);
    if ((err != 0 && err != ENOENT) || IgnoresTemp(bytes))
        return;
    const char* lineEnd = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += lineEnd;
    bytes += std::string("/Temp") + lineEnd;
    if (int error = AtomicFile::Replace(path, bytes)) {
        Messenger::Show(Format("ERROR[%d] : <%s>に /Temp を書き加えられませんでした.\n"
                               "Temp フォルダにはこの PC だけのファイルが入ります. 同期から外して下さい.",
                               error, path.c_str()));
        return;
    }
    Messenger::Show(Format("このフォルダは Syncthing で同期されています. Temp フォルダにはこの PC で"
                           "動いている Zarn2 のファイルが入るため, <%s>に /Temp を加えて同期から外しました.",
                           path.c_str()));
}

}  // namespace

namespace RunFiles {

void Prepare(const CZarn2App& app)
{
    AdoptLegacy(app);
    KeepTempLocal(app.m_szHomeDir);
}

bool IgnoresTemp(const char* line)
{
    std::string_view pattern = line;
    auto trim = [&pattern] {
        while (!pattern.empty() && (pattern.front() == ' ' || pattern.front() == '\t'))
            pattern.remove_prefix(1);
        while (!pattern.empty() &&
               (pattern.back() == ' ' || pattern.back() == '\t' || pattern.back() == '\r'))
            pattern.remove_suffix(1);
    };
    trim();
    // Flags in front ("(?d)" may delete, "(?i)" ignores case) still ignore; "!" includes.
    while (pattern.substr(0, 4) == "(?d)" || pattern.substr(0, 4) == "(?i)")
        pattern.remove_prefix(4);
    for (std::string_view end : {"/**", "/"})
        if (pattern.size() > end.size() && pattern.substr(pattern.size() - end.size()) == end)
            pattern.remove_suffix(end.size());
    if (!pattern.empty() && pattern.front() == '/')
        pattern.remove_prefix(1);
    return pattern == "Temp";
}

}  // namespace RunFiles
