#include "sync/MergeReport.h"

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/RegularFile.h"

#include <set>
#include <string_view>

namespace {

// One name a line (names never hold a line end).
std::set<std::string> ReadNamed(const std::string& path)
{
    std::set<std::string> names;
    std::string bytes;
    if (path.empty() || RegularFile::ReadAtMost(path, 4u << 20, bytes, SymbolicLinks::Refuse) != 0)
        return names;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty())
            names.emplace(line);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return names;
}

}  // namespace

void MergeReport::Kept(const std::string& shown, std::string reason)
{
    for (const auto& kept : m_kept)
        if (kept.first == shown)
            return;
    m_kept.emplace_back(shown, std::move(reason));
}

void MergeReport::Note(std::string text)
{
    m_notes.push_back(std::move(text));
}

void MergeReport::Show(const std::string& namedList) const
{
    std::set<std::string> named = ReadNamed(namedList);
    std::set<std::string> now;
    std::string text;
    for (const std::string& note : m_notes)
        text += (text.empty() ? "" : "\n\n") + note;
    size_t fresh = 0;
    std::string list;
    for (const auto& [shown, reason] : m_kept) {
        now.insert(shown);
        if (named.count(shown) || ++fresh > kMaxNamed)
            continue;
        list += Format("\n\n%s\n%s", shown.c_str(), reason.c_str());
    }
    // The list is the run's own file: never one through a link, nor anything but a file.
    using Kind = FileSystem::EntryKind;
    Kind kind = namedList.empty() ? Kind::Missing : FileSystem::KindOf(namedList);
    bool usable = kind == Kind::Missing || kind == Kind::File;
    if (fresh > 0) {
        text += (text.empty() ? "" : "\n\n");
        text += "同期ソフトが残した競合コピーのうち, 次のファイルはまとめきれないため残しました. "
                "中身を確かめてから移すか削除して下さい." +
                list;
        if (fresh > kMaxNamed)
            text += Format("\n\n(他に %zu 個のファイルを残しました.)", fresh - kMaxNamed);
        if (!usable)
            text += Format("\n\n<%s>が通常のファイルではない (シンボリックリンクやフォルダなど) ため, "
                           "知らせたコピーを書き留められません. 次からも同じコピーを知らせます.",
                           namedList.c_str());
    }
    if (!text.empty())
        Messenger::Show(text);
    if (namedList.empty() || now == named || !usable)
        return;
    if (now.empty()) {
        FileSystem::RemoveFile(namedList);
        return;
    }
    std::string bytes;
    for (const std::string& shown : now)
        bytes += shown + "\n";
    AtomicFile::Replace(namedList, bytes, SymbolicLinks::Refuse);
}
