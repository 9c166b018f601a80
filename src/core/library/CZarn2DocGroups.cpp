// The genre list file and the genre operations of the document.
#include "library/CZarn2Doc.h"

#include "app/CZarn2App.h"
#include "library/GroupListFile.h"
#include "library/JournalWrite.h"
#include "library/LoadNotes.h"
#include "library/NameRules.h"
#include "library/PendingChange.h"
#include "library/WritePlaces.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"
#include "platform/TextFormatCheck.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kReportRequest = "ヘルプを見て作者までエラー番号をご連絡下さい.";

void ShowMoveFailure(int err, const std::string& logPath)
{
    Messenger::Show(Format("ERROR[%d] : ログファイルを<%s>を移動出来ませんでした,\n%s", err, logPath.c_str(),
                           kReportRequest));
}

void ShowLogLeft(int err, const std::string& left, const std::string& home)
{
    Messenger::Show(Format("ERROR[%d] : ログファイルを元の場所<%s>に戻せませんでした,\n"
                           "<%s> に残っています.",
                           err, home.c_str(), left.c_str()));
}

}  // namespace

void CZarn2Doc::ShowGroupListError(int err)
{
    // The list is written after nearly every step: a file that cannot be written (a link
    // into a folder that is gone, say) is told once, until a write succeeds again.
    if (err == m_nListErrorShown)
        return;
    m_nListErrorShown = err;
    Messenger::Show(Format("ERROR[%d] : グループファイル<%s>を開けませんでした,\n%s", err, m_szGroupListFile.c_str(),
                           kReportRequest));
}

// ---- the genre list file ------------------------------------------------------------

int CZarn2Doc::LoadGroupList()
{
    return LoadLibrary(false);
}

int CZarn2Doc::LoadLibrary(bool finishPending)
{
    TextFileReader reader;
    bool fromSettings = false;
    if (!m_szGroupListFile.empty())
        m_listVersion.Look(m_szGroupListFile);
    int err = m_szGroupListFile.empty() ? ENOENT : reader.Open(m_szGroupListFile, GroupListFile::kMaxBytes);
    if (err != 0 && err != ENOENT) {
        // The list is there but unreadable: report it, and never write over it.
        Messenger::Show(Format("ERROR[%d] : グループファイル<%s>を開けませんでした,\n%s\n%s", err,
                               m_szGroupListFile.c_str(), kReportRequest, kKeptFile));
        m_bListUnreadable = true;
        return 0;
    }
    if (err == ENOENT) {
        if (reader.Open(m_pApp->m_szIniPath, GroupListFile::kMaxBytes) != 0)
            return 0;
        fromSettings = true;
    }
    // The settings file stands in for a missing list: it has no list sections of its own.
    m_szListSource = fromSettings ? m_pApp->m_szIniPath : m_szGroupListFile;
    if (LoadGroupListFrom(reader, !fromSettings) < 0)
        return 0;
    std::bitset<kMaxGroups> loaded;
    if (finishPending)
        loaded = FinishPendingChange();
    for (int i = 0; i < m_nGroupCount; ++i) {
        if (!loaded[static_cast<size_t>(i)])
            m_Group[static_cast<size_t>(i)].Load();
    }
    return fromSettings ? WriteAll() : 1;
}

int CZarn2Doc::LoadGroupListFrom(TextFileReader& reader, bool checkFormat)
{
    GroupListFile::Content content = GroupListFile::Read(reader);
    if (checkFormat && !content.problem.empty()) {
        // Bytes that are no genre list are kept as they are, like a list that cannot be read.
        Messenger::Show(NotOfFormatMessage(Format("グループファイル<%s>", m_szGroupListFile.c_str()),
                                           content.problem, kKeptFile));
        m_bListUnreadable = true;
        return -1;
    }
    m_bListUnreadable = false;
    LoadNotes notes(m_szGroupListFile, "グループ");
    int count = 0;
    for (size_t i = 0; i < content.names.size(); ++i) {
        const std::string& name = content.names[i];
        std::string problem = NameRules::StoredNameProblem(NameRules::Kind::Group, name).message;
        for (int j = 0; problem.empty() && j < count; ++j) {
            if (m_Group[static_cast<size_t>(j)].m_szName == name)
                problem = Format("グループ名 [%s] が重複しています.", name.c_str());
        }
        if (!problem.empty()) {
            notes.Skip(name, problem);
            continue;
        }
        if (count == kMaxGroups) {
            notes.Overflow(kMaxGroups, content.names.size() - i);
            break;
        }
        // The slot starts as a genre without titles, not to be written, until its genre
        // file is read.
        CGroup& group = m_Group[static_cast<size_t>(count++)];
        group.m_nPlayMode = 0;
        group.m_nMemberCount = 0;
        group.m_nCurrMember = -1;
        group.m_bUnreadable = true;
        group.m_version.Forget();
        group.SetName(name);
    }
    m_nGroupCount = count;
    if (content.currGroup)
        m_nCurrGroup = *content.currGroup;
    m_nCurrGroup = std::clamp(m_nCurrGroup, -1, count - 1);
    m_listBackup.AfterLoad(m_szListSource, notes);
    notes.Show();
    return count;
}

bool CZarn2Doc::WriteListFile()
{
    if (m_bListUnreadable)
        return false;
    int count = std::clamp(m_nGroupCount, 0, kMaxGroups);
    if (m_nGroupCount <= m_nCurrGroup)
        m_nCurrGroup = m_nGroupCount - 1;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(m_Group[static_cast<size_t>(i)].m_szName);
    TextFileWriter writer;
    GroupListFile::Write(names, m_nCurrGroup, writer);
    const std::string shown = Format("グループファイル<%s>", m_szGroupListFile.c_str());
    std::string bytes;
    std::string unmappable;
    if (!writer.Encode(bytes, &unmappable)) {
        Messenger::Show(Cp932::UnmappableMessage(shown, unmappable));
        return false;
    }
    JournalWrite journal(m_pJournal, m_szGroupListFile, "", bytes);
    // Written at every genre click: a list that already holds these bytes is not written
    // again (nor flushed, nor sent to the other PCs by a sync tool).
    if (AtomicFile::Holds(m_szGroupListFile, bytes)) {
        m_nListErrorShown = 0;
        journal.Done();
        return true;
    }
    if (!m_listBackup.MakeDue())
        return false;
    // Never written from a memory that no longer is what the file holds (SaveGroupList
    // reads it again first, and the write looks once more right before its rename).
    int err = m_listVersion.Replace(m_szGroupListFile, bytes);
    if (err == DiskVersion::kChangedElsewhere) {
        Messenger::Show(ChangedElsewhereMessage(shown));
        return false;
    }
    if (err != 0) {
        ShowGroupListError(err);
        return false;
    }
    m_nListErrorShown = 0;
    journal.Done();
    return true;
}

int CZarn2Doc::SaveGroupList()
{
    ReloadChanged();
    return WriteAll();
}

int CZarn2Doc::WriteAll()
{
    if (!WriteListFile())
        return 0;
    int count = std::clamp(m_nGroupCount, 0, kMaxGroups);
    for (int i = 0; i < count; ++i) {
        CGroup& group = m_Group[static_cast<size_t>(i)];
        // A genre whose file could not be read is not written over (its load said so).
        if (!group.m_bUnreadable)
            group.Save();
        group.UpdateLogPaths();
    }
    return 1;
}

int CZarn2Doc::IndexOfGroup(const std::string& name) const
{
    int count = std::clamp(m_nGroupCount, 0, kMaxGroups);
    for (int i = 0; i < count; ++i) {
        if (m_Group[static_cast<size_t>(i)].m_szName == name)
            return i;
    }
    return -1;
}

// ---- genre operations ---------------------------------------------------------------

int CZarn2Doc::IsGroupNameUsed(const std::string& name) const
{
    int count = std::clamp(m_nGroupCount, 0, kMaxGroups);
    for (int i = 0; i < count; ++i) {
        if (m_Group[static_cast<size_t>(i)].m_szName == name) {
            Messenger::Show(Format("グループ名 [%s] が重複しています.", name.c_str()));
            return 1;
        }
    }
    return 0;
}

EditResult CZarn2Doc::AddGroup(const std::string& name, int playMode)
{
    // Added to the library as the files hold it now.
    ReloadChanged();
    if (m_bListUnreadable)
        return EditResult::Refused(ListRefusal());
    if (CheckGroups() < 0)
        return EditResult::Refused(Refusal::Inconsistent);
    if (m_nGroupCount >= kMaxGroups) {
        Messenger::Show(Format("Error-30 : グループ数が上限[%02d]に達しています.", kMaxGroups));
        return EditResult::Refused(Refusal::Full);
    }
    if (IsGroupNameUsed(name))
        return EditResult::Refused(Refusal::Duplicate);
    if (!WritePlaces::Allow(WritePlaces::OfNewGroup(*m_pApp)))
        return EditResult::Refused(Refusal::FileSystem);
    // Only a genre whose folder and file exist is listed.
    if (EditResult created = m_Group[static_cast<size_t>(m_nGroupCount)].Create(name, playMode); created < 0)
        return created;
    m_nCurrGroup = m_nGroupCount++;
    return SaveGroupList() ? EditResult::Done(m_nCurrGroup) : EditResult::Refused(ListRefusal());
}

EditResult CZarn2Doc::RenameGroup(const std::string& name, int playMode)
{
    CGroup* group = CheckGroups() < 0 ? nullptr : CurrGroup();
    if (!group)
        return EditResult::Refused(Refusal::Inconsistent);
    if (name != group->m_szName && IsGroupNameUsed(name))
        return EditResult::Refused(Refusal::Duplicate);
    if (Refusal refused = group->RenameRefusal(name); refused != Refusal::None)
        return EditResult::Refused(refused);
    // A new name moves the folder and the genre file and rewrites the list: a change of
    // several steps. The play mode alone is one rewrite of the genre file.
    std::optional<PendingChange> change;
    if (name != group->m_szName) {
        change.emplace(m_pApp, PendingChange::Record{PendingChange::Kind::RenameGroup,
                                                     {group->m_szName, name, std::to_string(playMode)}});
        if (!change->Started())
            return EditResult::Refused(Refusal::FileSystem);
    }
    EditResult renamed = group->Rename(name, playMode, change ? &*change : nullptr);
    // The list is written even after a failure: the folder and file may have moved.
    int saved = WriteAll();
    if (renamed < 0)
        return renamed;
    if (!saved && change)
        change->Keep();  // the list still names the genre as before: the next start finishes
    return saved ? EditResult::Done(m_nCurrGroup) : EditResult::Refused(ListRefusal());
}

int CZarn2Doc::RemoveGroupFiles(const CGroup& group, PendingChange& change) const
{
    if (int err = FileSystem::RemoveFolder(group.m_szGroupDir)) {
        if (FileSystem::EntryExists(group.m_szGroupDir)) {
            Messenger::Show(Format("ERROR[%d] : フォルダ<%s>を削除出来ませんでした,\n%s", err,
                                   group.m_szGroupDir.c_str(), kReportRequest));
            return -1;
        }
    }
    if (int err = FileSystem::RemoveFile(group.m_szGroupFile)) {
        if (FileSystem::EntryExists(group.m_szGroupFile)) {
            Messenger::Show(Format("ERROR[%d] : Zarn ファイル<%s>を削除出来ませんでした,\n%s", err,
                                   group.m_szGroupFile.c_str(), kReportRequest));
            // Listed without its folder, the genre can take no title: the next start tries again.
            change.Keep();
            return -1;
        }
    }
    return 0;
}

int CZarn2Doc::DeleteGroup(int n)
{
    if (CheckGroupIndex(n) < 0 || n < 0 || n >= m_nGroupCount)
        return -1;
    // The genre is deleted as the files hold it now (titles added elsewhere included).
    std::string name = m_Group[static_cast<size_t>(n)].m_szName;
    ReloadChanged();
    n = IndexOfGroup(name);
    if (m_bListUnreadable || n < 0)
        return -1;
    CGroup& group = m_Group[static_cast<size_t>(n)];
    if (!group.Writable())
        return -1;
    // Nothing is deleted while the folder holds anything but the titles' logs.
    int err = 0;
    std::string foreign = group.ForeignEntry(err);
    if (err != 0) {
        Messenger::Show(Format("ERROR[%d] : フォルダ<%s>の中を確かめられないため,\nジャンルを削除出来ません.",
                               err, group.m_szGroupDir.c_str()));
        return -1;
    }
    if (!foreign.empty()) {
        Messenger::Show(Format("フォルダ<%s>に Zarn2 のものではないファイル <%s> があるため,\n"
                               "ジャンルを削除出来ません. そのファイルを移してから, もう一度削除して下さい.",
                               group.m_szGroupDir.c_str(), foreign.c_str()));
        return -1;
    }
    PendingChange change(m_pApp, {PendingChange::Kind::DeleteGroup, {group.m_szName}});
    return change.Started() ? FinishDeleteGroup(n, change) : -1;
}

int CZarn2Doc::FinishDeleteGroup(int n, PendingChange& change)
{
    CGroup& group = m_Group[static_cast<size_t>(n)];
    if (group.DropAllMembers(change) < 0 || RemoveGroupFiles(group, change) < 0)
        return -1;
    for (int i = n; i + 1 < m_nGroupCount; ++i)
        m_Group[static_cast<size_t>(i)].CopyFrom(m_Group[static_cast<size_t>(i + 1)]);
    m_Group[static_cast<size_t>(m_nGroupCount - 1)].Remove();
    --m_nGroupCount;
    if (m_nCurrGroup >= m_nGroupCount)
        --m_nCurrGroup;
    if (!WriteListFile()) {
        change.Keep();  // the list still names the genre whose files are gone
        return -1;
    }
    return m_nGroupCount;
}

// Moving a title into its own genre puts it at the end; its log stays where it is, and a
// full genre needs no free slot for it.
int CZarn2Doc::MoveWithinGroup(CGroup& group)
{
    CMember held;
    held.TakeFrom(group.m_Member[static_cast<size_t>(group.m_nCurrMember)]);
    group.ShiftDown(group.m_nCurrMember);
    group.m_Member[static_cast<size_t>(group.m_nMemberCount)].TakeFrom(held);
    group.m_nCurrMember = group.m_nMemberCount++;
    if (group.Save() < 0)
        return -1;
    group.Load();
    return m_nCurrGroup;
}

int CZarn2Doc::MoveMember(int dest)
{
    CGroup* source = CurrGroup();
    CMember* member = source ? source->CurrMember() : nullptr;
    if (!member || CheckGroupIndex(dest) < 0)
        return -1;
    if (dest < 0 || dest >= m_nGroupCount) {
        Messenger::Show(Format("ERROR-43 : 移動先のグループ番号[%2d]が異常です.", dest));
        return -1;
    }
    CGroup& target = m_Group[static_cast<size_t>(dest)];
    if (&target == source)
        return MoveWithinGroup(target);
    if (target.Check() < 0 || !target.Writable() || !source->Writable())
        return -1;
    if (target.m_nMemberCount >= CGroup::kMaxMembers) {
        CGroup::ShowFull();
        return -1;
    }
    // Two titles of one name would share one log: refused like a move onto a taken log.
    if (target.HasMember(member->m_szName)) {
        ShowMoveFailure(EEXIST, member->m_szLogFile);
        return -1;
    }
    PendingChange change(
        m_pApp, {PendingChange::Kind::MoveMember, {source->m_szName, target.m_szName, member->m_szName}});
    if (!change.Started() || FinishMove(*source, target, member->m_szName, change) < 0)
        return -1;
    m_nCurrGroup = dest;
    return dest;
}

// The destination takes the title (its log first), then the source lets it go. A stopped
// run may have made the first steps: a title the destination lists already stays there.
int CZarn2Doc::FinishMove(CGroup& source, CGroup& target, const std::string& name, PendingChange& change)
{
    int from = source.IndexOf(name);
    if (target.IndexOf(name) < 0 && from >= 0 && AddMovedMember(source, from, target, change) < 0)
        return -1;
    if (from < 0)
        return 0;
    source.ShiftDown(from);
    if (source.Save() < 0) {
        change.Keep();  // listed in both genre files: the next start takes it out of the source
        return -1;
    }
    source.Load();
    return 0;
}

int CZarn2Doc::AddMovedMember(CGroup& source, int from, CGroup& target, PendingChange& change)
{
    if (target.m_nMemberCount >= CGroup::kMaxMembers) {
        CGroup::ShowFull();
        return -1;
    }
    CMember& member = source.m_Member[static_cast<size_t>(from)];
    const std::string sourceLog = member.m_szLogFile;
    const std::string logPath = target.LogFileFor(member.m_szName);
    target.MakeFolderIfMissing();
    if (int err = change.Move(sourceLog, logPath)) {
        ShowMoveFailure(err, sourceLog);
        return -1;
    }
    if (m_pJournal)
        m_pJournal->TitleMoved(source.m_szName, target.m_szName, member.m_szName);
    int targetCurrent = target.m_nCurrMember;
    CMember& slot = target.m_Member[static_cast<size_t>(target.m_nMemberCount)];
    slot.TakeFrom(member);  // the history goes along with its log
    slot.m_szLogFile = logPath;
    target.m_nCurrMember = target.m_nMemberCount++;
    if (target.Save() < 0) {
        // The destination's file could not take the title (its message is shown): the
        // title and its log go back, so neither genre loses it.
        member.TakeFrom(slot);
        member.m_szLogFile = sourceLog;
        --target.m_nMemberCount;
        target.m_nCurrMember = targetCurrent;
        if (int left = MoveNoReplace(logPath, sourceLog)) {
            ShowLogLeft(left, logPath, sourceLog);
            change.Keep();
        }
        return -1;
    }
    target.Load();
    return 0;
}
