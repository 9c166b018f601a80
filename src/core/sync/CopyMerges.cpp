#include "sync/CopyMerges.h"

#include "library/CGroup.h"
#include "library/CZarn2Doc.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/BackupCopy.h"
#include "platform/Cp932.h"
#include "platform/DiskVersion.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/RegularFile.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "sync/LogUnion.h"
#include "sync/MergeReport.h"
#include "sync/NameUnion.h"

#include <cerrno>

namespace {

// A log of 64 MiB holds millions of plays: anything larger is no log of ours.
constexpr std::uint64_t kMaxLogBytes = 64u << 20;

std::string BaseName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

void KeepAll(const std::vector<ConflictCopy>& copies, const std::string& reason, MergeReport& report)
{
    for (const ConflictCopy& copy : copies)
        report.Kept(copy.shown, reason);
}

std::string ReadError(int err)
{
    return err == EFBIG ? std::string("Zarn2 のファイルとしては大きすぎます.")
                        : Format("ERROR[%d] : 読み込めませんでした.", err);
}

// The bytes of a copy, or false after naming it in the report. A copy gone since the listing
// (removed by another program, or merged by a launcher on another computer) is simply gone.
bool ReadCopy(ConflictCopy& copy, std::uint64_t maxBytes, std::string& bytes, MergeReport& report)
{
    if (!copy.regular) {
        report.Kept(copy.shown, "通常のファイルではありません (フォルダ, リンクやデバイスなど).");
        return false;
    }
    FileStamp settled = copy.stamp;
    int err = ReadFileStamp(copy.path, copy.stamp);
    if (err == 0 && !(copy.stamp == settled))
        return false;  // written again since it settled: a later pass merges it
    if (err == 0)
        err = RegularFile::ReadAtMost(copy.path, maxBytes, bytes);
    if (err != 0 && err != ENOENT)
        report.Kept(copy.shown, ReadError(err));
    return err == 0;
}

// The file merged into, read after its `version` was taken; false after naming every copy.
bool ReadCurrent(const std::string& path, std::uint64_t maxBytes, DiskVersion& version, std::string& bytes,
                 const std::vector<ConflictCopy>& copies, MergeReport& report)
{
    version.Look(path);
    int err = RegularFile::ReadAtMost(path, maxBytes, bytes);
    if (err != 0)
        KeepAll(copies,
                Format("まとめる先の<%s>を読み込めませんでした (ERROR[%d]).", BaseName(path).c_str(), err),
                report);
    return err == 0;
}

// Replaces `path` with `bytes` unless it is no longer `version` right before the rename
// (then EAGAIN: the next pass merges again with what is there now).
int WriteOver(const std::string& path, DiskVersion& version, const std::string& bytes)
{
    int err = version.Replace(path, bytes);
    return err == DiskVersion::kChangedElsewhere ? EAGAIN : err;
}

// Whether the write went through; a failure other than a change meanwhile names every copy.
bool Written(int err, const std::string& path, const std::vector<ConflictCopy>& copies, MergeReport& report)
{
    if (err != 0 && err != EAGAIN)
        KeepAll(copies, Format("ERROR[%d] : <%s>に書き込めませんでした.", err, BaseName(path).c_str()),
                report);
    return err == 0;
}

void RemoveMerged(const std::vector<const ConflictCopy*>& merged, MergeReport& report)
{
    for (const ConflictCopy* copy : merged) {
        FileStamp now;
        if (ReadFileStamp(copy->path, now) != 0 || !(now == copy->stamp))
            continue;  // changed since it was read: merged again by the next pass
        if (int err = FileSystem::RemoveFile(copy->path); err != 0 && err != ENOENT)
            report.Kept(copy->shown, Format("ERROR[%d] : まとめた後で削除出来ませんでした.", err));
    }
}

std::string LeftOut(const NameUnion::Outcome& outcome, const char* entry, int capacity)
{
    std::string reason;
    if (outcome.overflow > 0)
        reason = Format("%s数が上限[%d]を超えるため, %zu 個はまとめられませんでした.", entry, capacity,
                        outcome.overflow);
    if (outcome.badNames > 0)
        reason += Format("%s%s名 [%s] などの %zu 個は使えない名前のため, まとめられませんでした.",
                         reason.empty() ? "" : " ", entry, outcome.badName.c_str(), outcome.badNames);
    return reason;
}

// A genre file or the genre list: each copy read as `Content` and added by `add`.
template <class Content, class Read, class Add>
bool MergeListed(std::vector<ConflictCopy>& copies, std::uint64_t maxBytes, Content& current,
                 std::vector<const ConflictCopy*>& whole, MergeReport& report, Read read, Add add)
{
    bool grew = false;
    for (ConflictCopy& copy : copies) {
        std::string bytes;
        if (!ReadCopy(copy, maxBytes, bytes, report))
            continue;
        TextFileReader reader;
        reader.OpenBytes(std::move(bytes));
        Content content = read(reader);
        if (!content.problem.empty()) {
            report.Kept(copy.shown, "Zarn2 のファイルとして読めない内容です. " + content.problem);
            continue;
        }
        std::string leftOut = add(current, content, grew);
        if (leftOut.empty())
            whole.push_back(&copy);
        else
            report.Kept(copy.shown, leftOut);
    }
    return grew;
}

bool WriteText(const std::string& path, DiskVersion& version, const TextFileWriter& writer,
               const std::vector<ConflictCopy>& copies, MergeReport& report)
{
    std::string bytes;
    std::string unmappable;
    if (!writer.Encode(bytes, &unmappable)) {
        KeepAll(copies, Cp932::UnmappableMessage(BaseName(path), unmappable), report);
        return false;
    }
    return Written(WriteOver(path, version, bytes), path, copies, report);
}

// Reads the current genre file or list; false after naming every copy.
template <class Content, class Read>
bool ReadListed(const std::string& path, std::uint64_t maxBytes, DiskVersion& version, Content& content,
                const std::vector<ConflictCopy>& copies, MergeReport& report, Read read)
{
    std::string bytes;
    if (!ReadCurrent(path, maxBytes, version, bytes, copies, report))
        return false;
    TextFileReader reader;
    reader.OpenBytes(std::move(bytes));
    content = read(reader);
    if (!content.problem.empty())
        KeepAll(copies,
                Format("まとめる先の<%s>が Zarn2 のファイルとして読めない内容です.", BaseName(path).c_str()),
                report);
    return content.problem.empty();
}

}  // namespace

namespace CopyMerges {

bool IntoLog(const std::string& path, std::vector<ConflictCopy>& copies, MergeReport& report)
{
    DiskVersion version;
    std::string bytes;
    if (!ReadCurrent(path, kMaxLogBytes, version, bytes, copies, report))
        return false;
    LogUnion plays(bytes);
    std::vector<const ConflictCopy*> whole;
    for (ConflictCopy& copy : copies) {
        std::string copyBytes;
        if (!ReadCopy(copy, kMaxLogBytes, copyBytes, report))
            continue;
        if (size_t damaged = plays.Add(copyBytes))
            report.Kept(copy.shown,
                        Format("壊れた記録が %zu 件あります. 読めた記録はまとめました.", damaged));
        else
            whole.push_back(&copy);
    }
    bool written = false;
    if (plays.Grew()) {
        // The rewrite holds whole records only: the log's damaged ones are kept in a copy first.
        std::string kept;
        if (plays.CurrentDamaged() > 0) {
            if (int err = BackupCopy::Keep(path, kept)) {
                KeepAll(copies,
                        Format("ERROR[%d] : 壊れた記録のある<%s>の控えを作れませんでした.", err,
                               BaseName(path).c_str()),
                        report);
                return false;
            }
        }
        written = Written(WriteOver(path, version, plays.Bytes()), path, copies, report);
        if (!written)
            return false;
        if (!kept.empty())
            report.Note(
                Format("<%s>には壊れた記録がありました. 競合コピーとまとめる前のファイルを<%s>に残しました.",
                       path.c_str(), kept.c_str()));
    }
    RemoveMerged(whole, report);
    return written;
}

bool IntoGroupFile(const std::string& path, const std::string& groupDir, std::vector<ConflictCopy>& copies,
                   MergeReport& report)
{
    DiskVersion version;
    GroupFile::Content current;
    auto read = [](TextFileReader& reader) { return GroupFile::Read(reader); };
    if (!ReadListed(path, GroupFile::kMaxBytes, version, current, copies, report, read))
        return false;
    size_t before = current.titles.size();
    std::vector<const ConflictCopy*> whole;
    bool grew = MergeListed(copies, GroupFile::kMaxBytes, current, whole, report, read,
                            [](GroupFile::Content& into, const GroupFile::Content& copy, bool& added) {
                                NameUnion::Outcome outcome = NameUnion::AddTitles(into, copy);
                                added = added || outcome.added > 0;
                                return LeftOut(outcome, "メンバー", CGroup::kMaxMembers);
                            });
    if (grew) {
        // The logs first: a title is never listed without its log. A genre that came back with
        // a synced list may have no folder yet.
        if (!FileSystem::EntryExists(groupDir))
            FileSystem::MakeFolder(groupDir);
        for (size_t i = before; i < current.titles.size(); ++i) {
            std::string log = groupDir + "/" + current.titles[i].name.value_or("") + ".Log";
            if (int err = FileSystem::CreateNew(log); err != 0 && err != EEXIST) {
                KeepAll(copies, Format("ERROR[%d] : 記録ファイル<%s>を作れませんでした.", err, log.c_str()),
                        report);
                return false;
            }
        }
        TextFileWriter writer;
        GroupFile::Write(current, writer);
        if (!WriteText(path, version, writer, copies, report))
            return false;
    }
    RemoveMerged(whole, report);
    return grew;
}

bool IntoGroupList(const std::string& path, std::vector<ConflictCopy>& copies, MergeReport& report)
{
    DiskVersion version;
    GroupListFile::Content current;
    auto read = [](TextFileReader& reader) { return GroupListFile::Read(reader); };
    if (!ReadListed(path, GroupListFile::kMaxBytes, version, current, copies, report, read))
        return false;
    std::vector<const ConflictCopy*> whole;
    bool grew =
        MergeListed(copies, GroupListFile::kMaxBytes, current, whole, report, read,
                    [](GroupListFile::Content& into, const GroupListFile::Content& copy, bool& added) {
                        // A list without its section is an empty one to the reader, but a
                        // copy the launcher wrote has it: such a copy stays.
                        if (!copy.hasList)
                            return std::string("[GroupList] の見出し行がありません.");
                        NameUnion::Outcome outcome = NameUnion::AddGenres(into, copy);
                        added = added || outcome.added > 0;
                        return LeftOut(outcome, "グループ", CZarn2Doc::kMaxGroups);
                    });
    if (grew) {
        TextFileWriter writer;
        GroupListFile::Write(current.names, current.currGroup.value_or(-1), writer);
        if (!WriteText(path, version, writer, copies, report))
            return false;
    }
    RemoveMerged(whole, report);
    return grew;
}

}  // namespace CopyMerges
