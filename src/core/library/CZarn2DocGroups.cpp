// The genre list file and the genre operations of the document.
#include "library/CZarn2Doc.h"

#include "app/CZarn2App.h"
#include "library/GroupListFile.h"
#include "library/LoadNotes.h"
#include "library/NameRules.h"
#include "platform/Cp932.h"
#include "platform/FileMove.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <algorithm>
#include <cerrno>

namespace {

constexpr const char* kReportRequest = "ヘルプを見て作者までエラー番号をご連絡下さい.";

std::string BaseName(const std::string& path)
{
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ShowMoveFailure(int err, const std::string& logPath)
{
    Messenger::Show(Format("ERROR[%d] : ログファイルを<%s>を移動出来ませんでした,\n%s", err, logPath.c_str(),
                           kReportRequest));
}

}  // namespace

void CZarn2Doc::ShowGroupListError(int err) const
{
    Messenger::Show(Format("ERROR[%d] : グループファイルを開けませんでした,\n%s", err, kReportRequest));
}

// ---- the genre list file ------------------------------------------------------------

int CZarn2Doc::LoadGroupList()
{
    TextFileReader reader;
    bool fromSettings = false;
    int err = m_szGroupListFile.empty() ? ENOENT : reader.Open(m_szGroupListFile);
    if (err != 0 && err != ENOENT) {
        // The list is there but unreadable: report it, and never write over it.
        ShowGroupListError(err);
        m_bListUnreadable = true;
        return 0;
    }
    if (err == ENOENT) {
        if (reader.Open(m_pApp->m_szIniPath) != 0)
            return 0;
        fromSettings = true;
    }
    m_bListUnreadable = false;
    m_szListSource = fromSettings ? m_pApp->m_szIniPath : m_szGroupListFile;
    int count = LoadGroupListFrom(reader);
    for (int i = 0; i < count; ++i)
        m_Group[static_cast<size_t>(i)].Load();
    return fromSettings ? SaveGroupList() : 1;
}

int CZarn2Doc::LoadGroupListFrom(TextFileReader& reader)
{
    GroupListFile::Content content = GroupListFile::Read(reader);
    LoadNotes notes(BaseName(m_szGroupListFile), "グループ");
    int count = 0;
    for (size_t i = 0; i < content.names.size(); ++i) {
        const std::string& name = content.names[i];
        std::string problem = NameRules::PathProblem(NameRules::Kind::Group, name).message;
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
        // The slot starts as a genre without titles until its genre file is read.
        CGroup& group = m_Group[static_cast<size_t>(count++)];
        group.m_nPlayMode = 0;
        group.m_nMemberCount = 0;
        group.m_nCurrMember = -1;
        group.m_bUnreadable = false;
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

int CZarn2Doc::SaveGroupList()
{
    if (m_bListUnreadable)
        return 0;
    int count = std::clamp(m_nGroupCount, 0, kMaxGroups);
    if (m_nGroupCount <= m_nCurrGroup)
        m_nCurrGroup = m_nGroupCount - 1;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(m_Group[static_cast<size_t>(i)].m_szName);
    TextFileWriter writer;
    GroupListFile::Write(names, m_nCurrGroup, writer);
    if (!m_listBackup.MakeDue())
        return 0;
    TextFileWriter::Result result = writer.Save(m_szGroupListFile);
    if (!result.unmappable.empty()) {
        Messenger::Show(Cp932::UnmappableMessage("グループファイル", result.unmappable));
        return 0;
    }
    if (result.error != 0) {
        ShowGroupListError(result.error);
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        CGroup& group = m_Group[static_cast<size_t>(i)];
        // A genre whose file could not be read is not written over (its load said so).
        if (!group.m_bUnreadable)
            group.Save();
        group.UpdateLogPaths();
    }
    return 1;
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
    if (LoadGroupList() == 0)
        return EditResult::Refused(ListRefusal());
    if (CheckGroups() < 0)
        return EditResult::Refused(Refusal::Inconsistent);
    if (m_nGroupCount >= kMaxGroups) {
        Messenger::Show(Format("Error-30 : グループ数が上限[%02d]に達しています.", kMaxGroups));
        return EditResult::Refused(Refusal::Full);
    }
    if (IsGroupNameUsed(name))
        return EditResult::Refused(Refusal::Duplicate);
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
    EditResult renamed = group->Rename(name, playMode);
    // The list is written even after a failure: the folder and file may have moved.
    int saved = SaveGroupList();
    if (renamed < 0)
        return renamed;
    return saved ? EditResult::Done(m_nCurrGroup) : EditResult::Refused(ListRefusal());
}

int CZarn2Doc::RemoveGroupFiles(const CGroup& group) const
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
            return -1;
        }
    }
    return 0;
}

int CZarn2Doc::DeleteGroup(int n)
{
    if (LoadGroupList() == 0 || CheckGroupIndex(n) < 0 || n < 0 || n >= m_nGroupCount)
        return -1;
    CGroup& group = m_Group[static_cast<size_t>(n)];
    if (group.DeleteAllMembers() < 0 || RemoveGroupFiles(group) < 0)
        return -1;
    for (int i = n; i + 1 < m_nGroupCount; ++i)
        m_Group[static_cast<size_t>(i)].CopyFrom(m_Group[static_cast<size_t>(i + 1)]);
    m_Group[static_cast<size_t>(m_nGroupCount - 1)].Remove();
    --m_nGroupCount;
    if (m_nCurrGroup >= m_nGroupCount)
        --m_nCurrGroup;
    return SaveGroupList() ? m_nGroupCount : -1;
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
    group.Save();
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
    std::string logPath = target.LogFileFor(member->m_szName);
    if (int err = MoveNoReplace(member->m_szLogFile, logPath)) {
        ShowMoveFailure(err, member->m_szLogFile);
        return -1;
    }
    std::string sourceLog = member->m_szLogFile;
    int targetCurrent = target.m_nCurrMember;
    CMember& slot = target.m_Member[static_cast<size_t>(target.m_nMemberCount)];
    slot.TakeFrom(*member);  // the history goes along with its log
    slot.m_szLogFile = logPath;
    target.m_nCurrMember = target.m_nMemberCount++;
    if (target.Save() < 0) {
        // The destination's file could not take the title (its message is shown): the
        // title and its log go back, so neither genre loses it.
        member->TakeFrom(slot);
        member->m_szLogFile = sourceLog;
        --target.m_nMemberCount;
        target.m_nCurrMember = targetCurrent;
        MoveNoReplace(logPath, sourceLog);
        return -1;
    }
    target.Load();
    source->ShiftDown(source->m_nCurrMember);
    // A source file that cannot be written keeps the title in its old list on disk (its
    // message is shown); memory is right, and the next save of that genre mends the file.
    if (source->Save() >= 0)
        source->Load();
    m_nCurrGroup = dest;
    return dest;
}
