#include "library/PendingChange.h"

#include "app/CZarn2App.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <array>
#include <cerrno>
#include <string_view>

namespace {

constexpr char kHeader[] = "[Zarn2.Intent]";

struct KindName {
    PendingChange::Kind kind;
    std::string_view name;
    size_t args;
};
constexpr std::array<KindName, 6> kKinds{{
    {PendingChange::Kind::MoveMember, "MoveMember", 3},     // source genre, destination, title
    {PendingChange::Kind::RenameGroup, "RenameGroup", 3},   // old name, new name, play mode
    {PendingChange::Kind::DeleteGroup, "DeleteGroup", 1},   // genre
    {PendingChange::Kind::RenameMember, "RenameMember", 7},  // genre, old, new, exe, icon, timing, media
    {PendingChange::Kind::DeleteMember, "DeleteMember", 2},  // genre, title
    {PendingChange::Kind::DeleteAllMembers, "DeleteAllMembers", 1},  // genre
}};

const KindName& Describe(PendingChange::Kind kind)
{
    for (const KindName& k : kKinds) {
        if (k.kind == kind)
            return k;
    }
    return kKinds[0];
}

std::string PathFor(const CZarn2App* app)
{
    if (!app || app->m_szTempDir.empty())
        return {};
    return app->m_szTempDir + "/" + PendingChange::kFileName;
}

// The record as its lines: the header, the kind, one line for each argument.
int Write(const std::string& path, const PendingChange::Record& record)
{
    TextFileWriter writer;
    writer.Line(kHeader);
    writer.Line(Describe(record.kind).name);
    for (const std::string& arg : record.args)
        writer.Line(arg);
    TextFileWriter::Result result = writer.Save(path);
    return result.unmappable.empty() ? result.error : EILSEQ;
}

std::optional<PendingChange::Record> Parse(TextFileReader& reader)
{
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line))
        lines.emplace_back(TextFileReader::WithoutNewline(line));
    if (lines.size() < 2 || lines[0] != kHeader)
        return std::nullopt;
    for (const KindName& k : kKinds) {
        if (lines[1] == k.name && lines.size() == 2 + k.args)
            return PendingChange::Record{k.kind, std::vector<std::string>(lines.begin() + 2, lines.end())};
    }
    return std::nullopt;
}

}  // namespace

PendingChange::PendingChange(const CZarn2App* app, Record record)
    : m_path(PathFor(app)), m_record(std::move(record))
{
    if (m_path.empty())
        return;
    if (int err = Write(m_path, m_record)) {
        Messenger::Show(Format("ERROR[%d] : 作業ファイル<%s>を書き込めなかったため, 操作を中止しました,\n"
                               "ヘルプを見て作者までエラー番号をご連絡下さい.",
                               err, m_path.c_str()));
        m_started = false;
        m_path.clear();
    }
}

PendingChange::PendingChange(std::string path, Record record)
    : m_path(std::move(path)), m_record(std::move(record)), m_resumed(true)
{
}

PendingChange::~PendingChange()
{
    if (m_path.empty() || m_keep)
        return;
    int err = FileSystem::RemoveFile(m_path);
    if (err != 0 && err != ENOENT) {
        Messenger::Show(Format("ERROR[%d] : 作業ファイル<%s>を削除出来ませんでした,\n"
                               "次に起動する前にこのファイルを削除して下さい.",
                               err, m_path.c_str()));
        return;
    }
    // A record found again after a power cut would repeat a change already made.
    FileSystem::SyncFolder(m_path.substr(0, m_path.rfind('/')));
}

std::optional<PendingChange::Record> PendingChange::Find(const CZarn2App& app)
{
    std::string path = PathFor(&app);
    if (path.empty())
        return std::nullopt;
    TextFileReader reader;
    int err = reader.Open(path, kMaxBytes);
    if (err == ENOENT)
        return std::nullopt;
    std::optional<Record> record;
    if (err == 0)
        record = Parse(reader);
    if (record)
        return record;
    std::string error = err != 0 ? Format("ERROR[%d]", err) : std::string("ERROR");
    Messenger::Show(Format("%s : 前回中断した操作の作業ファイル<%s>を読めませんでした,\n"
                           "その操作は完了していない可能性があります.",
                           error.c_str(), path.c_str()));
    // A record that is not one of ours is of no use to any later start.
    if (err == 0)
        FileSystem::RemoveFile(path);
    return record;
}

PendingChange PendingChange::Resume(const CZarn2App& app, Record record)
{
    return PendingChange(PathFor(&app), std::move(record));
}

int PendingChange::Move(const std::string& from, const std::string& to) const
{
    if (m_resumed && from != to && !FileSystem::EntryExists(from) && FileSystem::EntryExists(to))
        return 0;
    return MoveNoReplace(from, to);
}
