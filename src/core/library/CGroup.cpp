#include "library/CGroup.h"

#include "app/CZarn2App.h"
#include "library/GroupFile.h"
#include "library/JournalWrite.h"
#include "library/LoadNotes.h"
#include "library/NameRules.h"
#include "library/PendingChange.h"
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
#include <string_view>
#include <vector>

namespace {

constexpr const char* kReportRequest = "ヘルプを見て作者までエラー番号をご連絡下さい.";

}  // namespace

// ---- checks -------------------------------------------------------------------------

int CGroup::Check() const
{
    if (m_nMemberCount == 0 && m_nCurrMember == -1)
        return 0;
    // A genre holds 128 titles: a full genre is a sound one (adding refuses at 128).
    if (m_nMemberCount > kMaxMembers) {
        Messenger::Show(Format("Error-10 : メンバー数が上限[%02d] に達しています.", kMaxMembers));
        return -1;
    }
    if (m_nMemberCount < 0) {
        Messenger::Show(Format("ERROR-11 : トータルメンバー数[%2d]が異常です. ", m_nMemberCount));
        return -1;
    }
    if (m_nCurrMember >= m_nMemberCount) {
        Messenger::Show(Format("ERROR-12 : 現在のメンバー数[%2d]が異常です. ", m_nCurrMember));
        return -1;
    }
    return m_nMemberCount;
}

int CGroup::CheckMemberIndex(int n) const
{
    if (m_nMemberCount == 0 && m_nCurrMember == -1)
        return 0;
    if (n >= kMaxMembers) {
        Messenger::Show(Format("Error-20 : メンバー数が上限[%02d] に達しています.", kMaxMembers));
        return -1;
    }
    if (n < 0) {
        Messenger::Show(Format("ERROR-21 : トータルメンバー数[%2d]が異常です. ", n));
        return -1;
    }
    if (n >= m_nMemberCount) {
        Messenger::Show(Format("ERROR-22 : 現在のメンバー数[%2d]が異常です. ", n));
        return -1;
    }
    return m_nMemberCount;
}

void CGroup::ShowFull()
{
    Messenger::Show(Format("Error-10 : メンバー数が上限[%02d] に達しています.", kMaxMembers));
}

// ---- paths --------------------------------------------------------------------------

const std::string& CGroup::DataDir() const
{
    static const std::string none;
    return m_pApp ? m_pApp->m_szDataDir : none;
}

std::string CGroup::DirFor(const std::string& name) const { return DataDir() + "/" + name; }

void CGroup::UpdateLogPaths()
{
    if (Check() < 0)
        return;
    for (int i = 0; i < m_nMemberCount; ++i) {
        CMember& member = m_Member[static_cast<size_t>(i)];
        member.m_szLogFile = LogFileFor(member.m_szName);
    }
}

// ---- genre file ---------------------------------------------------------------------

int CGroup::Load()
{
    TextFileReader reader;
    m_version.Look(m_szGroupFile);
    if (int err = reader.Open(m_szGroupFile, GroupFile::kMaxBytes)) {
        // A missing file is simply written anew; one that exists but cannot be read must
        // not be replaced by an empty list.
        m_bUnreadable = err != ENOENT;
        Messenger::Show(Format("ERROR[%d] : %s.Zarn ファイルをオープン出来ませんでした.%s%s", err,
                               m_szName.c_str(), m_bUnreadable ? "\n" : "", m_bUnreadable ? kKeptFile : ""));
        return -1;
    }
    return LoadFrom(reader);
}

int CGroup::Reload(const std::string& current)
{
    if (!FileSystem::EntryExists(m_szGroupFile)) {
        m_version.Look(m_szGroupFile);
        m_nMemberCount = 0;
        m_nCurrMember = -1;
        m_bUnreadable = true;
        return 0;
    }
    int count = Load();
    if (int i = IndexOf(current); count >= 0 && i >= 0)
        m_nCurrMember = i;
    return count;
}

std::string CGroup::CurrMemberName() const
{
    if (m_nCurrMember < 0 || m_nCurrMember >= std::min(m_nMemberCount, kMaxMembers))
        return {};
    return m_Member[static_cast<size_t>(m_nCurrMember)].m_szName;
}

void CGroup::ApplyOrder(const std::vector<std::string>& order)
{
    std::string current = CurrMemberName();
    int place = 0;
    for (const std::string& name : order) {
        int i = IndexOf(name);
        if (i < place)
            continue;  // not in the genre, or placed already
        for (; i > place; --i)
            m_Member[static_cast<size_t>(i)].SwapWith(m_Member[static_cast<size_t>(i - 1)]);
        ++place;
    }
    if (int i = IndexOf(current); i >= 0)
        m_nCurrMember = i;
}

int CGroup::LoadFrom(TextFileReader& reader)
{
    GroupFile::Content content = GroupFile::Read(reader);
    if (!content.problem.empty()) {
        // Bytes that are no genre file are kept as they are, like a file that cannot be read.
        Messenger::Show(NotOfFormatMessage(m_szName + ".Zarn ファイル", content.problem, kKeptFile));
        m_bUnreadable = true;
        return -1;
    }
    LoadNotes notes(m_szName + ".Zarn", "メンバー");
    int count = 0;
    // The names of the titles taken so far, in order, as their slots hold them (never more
    // than a genre holds, so inserting moves little and finding costs no allocation).
    std::vector<std::string_view> taken;
    taken.reserve(kMaxMembers);
    std::string logFile;
    for (size_t i = 0; i < content.titles.size(); ++i) {
        GroupFile::Title& title = content.titles[i];
        std::string& name = title.name ? *title.name : title.name.emplace();
        std::string problem = NameRules::StoredNameProblem(NameRules::Kind::Member, name).message;
        auto place = std::lower_bound(taken.begin(), taken.end(), std::string_view(name));
        if (problem.empty() && place != taken.end() && *place == name)
            problem = Format("メンバー名 [%s] が重複しています.", name.c_str());
        if (!problem.empty()) {
            notes.Skip(name, problem);
            continue;
        }
        if (count == kMaxMembers) {
            notes.Overflow(kMaxMembers, content.titles.size() - i);
            break;
        }
        CMember& member = m_Member[static_cast<size_t>(count++)];
        logFile.assign(m_szGroupDir).append("/").append(name).append(".Log");
        // A slot that already holds this title (the same log) keeps the history read for
        // it: reloading a genre after a change costs nothing for long histories.
        if (member.m_szName != name || member.m_szLogFile != logFile) {
            member.Clear();
            member.m_szName = std::move(name);
            member.m_szLogFile = logFile;
        }
        taken.insert(place, member.m_szName);
        member.m_szExePath = std::move(title.exePath).value_or(std::string());
        member.m_szIconPath = std::move(title.iconPath).value_or(std::string());
        member.m_nAutoTiming = title.autoTiming.value_or(1);
        member.m_nUseMedia = title.useMedia.value_or(0);
    }
    m_bUnreadable = false;
    m_nPlayMode = content.playMode.value_or(0);
    m_nMemberCount = count;
    m_nCurrMember = std::clamp(content.currMember.value_or(-1), -1, count - 1);
    m_backup.AfterLoad(m_szGroupFile, notes);
    notes.Show();
    return m_nMemberCount;
}

bool CGroup::Writable() const
{
    if (!m_bUnreadable)
        return true;
    Messenger::Show(Format("ERROR : %s.Zarn ファイルを読み込めなかったため, 書き込みを中止しました.\n"
                           "ファイルを確かめてから Zarn2 を起動し直して下さい.",
                           m_szName.c_str()));
    return false;
}

int CGroup::Save()
{
    if (Check() < 0 || !Writable())
        return -1;
    TextFileWriter writer;
    GroupFile::Write(*this, writer);
    std::string bytes;
    std::string unmappable;
    if (!writer.Encode(bytes, &unmappable)) {
        Messenger::Show(Cp932::UnmappableMessage(Format("%s.Zarn ファイル", m_szName.c_str()), unmappable));
        return -1;
    }
    JournalWrite journal(m_pJournal, m_szGroupFile, m_szName, bytes);
    // The list is saved at every change of the current genre: a file that already holds
    // these bytes is left as it is.
    if (AtomicFile::Holds(m_szGroupFile, bytes)) {
        journal.Done();
        return m_nMemberCount;
    }
    if (!m_backup.MakeDue())
        return -1;
    // Never written from a memory that no longer is what the file holds: the callers read
    // the file again before they change the genre, and the write looks once more right
    // before its rename.
    int err = m_version.Replace(m_szGroupFile, bytes);
    if (err == DiskVersion::kChangedElsewhere) {
        Messenger::Show(ChangedElsewhereMessage(m_szName + ".Zarn ファイル"));
        return -1;
    }
    if (err != 0) {
        Messenger::Show(Format("ERROR[%d] : %s.Zarn ファイルをオープン出来ませんでした,\n%s", err,
                               m_szName.c_str(), kReportRequest));
        return -1;
    }
    journal.Done();
    return m_nMemberCount;
}

void CGroup::MakeFolderIfMissing() const
{
    if (!m_szGroupDir.empty() && !FileSystem::EntryExists(m_szGroupDir))
        FileSystem::MakeFolder(m_szGroupDir);
}

// ---- the genre itself ---------------------------------------------------------------

EditResult CGroup::Create(const std::string& name, int playMode)
{
    if (NameRules::Finding problem = NameRules::Problem(NameRules::Kind::Group, name); problem.Refused()) {
        Messenger::Show(problem.message);
        return EditResult::Refused(problem.reason);
    }
    std::string dir = DirFor(name);
    if (int err = FileSystem::MakeFolder(dir)) {
        Messenger::Show(Format("エラー番号[%d]: グループディレクトリ %s が作成出来ません.\n%s", err,
                               dir.c_str(), kReportRequest));
        return EditResult::Refused(DiskRefusal(err, dir));
    }
    std::string file = dir + ".Zarn";
    // Created, never truncated: a file left by an earlier genre of that name stays whole.
    if (int err = FileSystem::CreateNew(file)) {
        Messenger::Show(Format("エラー番号[%d]: グループファイル %s が作成出来ません.\n%s", err, file.c_str(),
                               kReportRequest));
        if (int left = FileSystem::RemoveFolder(dir))
            Messenger::Show(Format("ERROR[%d] : フォルダ<%s>を削除出来ませんでした,\n%s", left, dir.c_str(),
                                   kReportRequest));
        return EditResult::Refused(DiskRefusal(err, file));
    }
    m_szName = name;
    m_szGroupDir = dir;
    m_szGroupFile = file;
    m_nPlayMode = playMode;
    m_nMemberCount = 0;
    m_nCurrMember = -1;
    m_bUnreadable = false;
    m_backup.Clear();
    m_version.Look(file);
    return EditResult::Done(0);
}

int CGroup::SetName(const std::string& name)
{
    if (name.empty())
        return -1;
    m_szName = name;
    m_szGroupDir = DirFor(name);
    m_szGroupFile = m_szGroupDir + ".Zarn";
    m_backup.Clear();
    return 0;
}

Refusal CGroup::RenameRefusal(const std::string& name) const
{
    if (name != m_szName) {
        NameRules::Finding problem = NameRules::Problem(NameRules::Kind::Group, name);
        if (problem.Refused()) {
            Messenger::Show(problem.message);
            return problem.reason;
        }
    }
    if (name.empty())
        return Refusal::UnsafeName;
    return Writable() ? Refusal::None : Refusal::Unreadable;
}

EditResult CGroup::Rename(const std::string& name, int playMode, PendingChange* change)
{
    if (Refusal refused = RenameRefusal(name); refused != Refusal::None)
        return EditResult::Refused(refused);
    // The copy keeps the name the load message gave it.
    if (!m_backup.MakeDue())
        return EditResult::Refused(Refusal::FileSystem);
    if (Refusal refused = MoveFilesTo(name, change); refused != Refusal::None)
        return EditResult::Refused(refused);
    if (m_pJournal && name != m_szName)
        m_pJournal->GenreRenamed(m_szName, name);
    SetName(name);
    m_nPlayMode = playMode;
    UpdateLogPaths();
    return EditResult::Saved(Save());
}

Refusal CGroup::MoveFilesTo(const std::string& name, PendingChange* change)
{
    auto move = [change](const std::string& from, const std::string& to) {
        return change ? change->Move(from, to) : MoveNoReplace(from, to);
    };
    std::string dir = DirFor(name);
    if (int err = move(m_szGroupDir, dir)) {
        Messenger::Show(Format("エラー番号[%d]: グループディレクトリ名 %s が変更出来ません.\n%s", err,
                               m_szGroupDir.c_str(), kReportRequest));
        return DiskRefusal(err, dir);
    }
    std::string file = dir + ".Zarn";
    if (int err = move(m_szGroupFile, file)) {
        Messenger::Show(Format("エラー番号[%d]: グループファイル名 %s が変更出来ません.\n%s", err,
                               m_szGroupFile.c_str(), kReportRequest));
        if (int left = MoveNoReplace(dir, m_szGroupDir)) {
            Messenger::Show(Format("ERROR[%d] : グループディレクトリを元の名前 %s に戻せませんでした,\n"
                                   "%s に残っています.",
                                   left, m_szGroupDir.c_str(), dir.c_str()));
            if (change)
                change->Keep();
        }
        return DiskRefusal(err, file);
    }
    return Refusal::None;
}

std::string CGroup::ForeignEntry(int& error) const
{
    std::vector<FileSystem::FolderEntry> entries = FileSystem::FolderEntries(m_szGroupDir, error);
    if (error == ENOENT)
        error = 0;  // a folder that is gone holds nothing
    constexpr std::string_view kLog = ".Log";
    for (const FileSystem::FolderEntry& entry : entries) {
        std::string_view name = entry.name;
        bool log =
            entry.regular && name.size() > kLog.size() && name.substr(name.size() - kLog.size()) == kLog;
        if (!log || !HasMember(std::string(name.substr(0, name.size() - kLog.size()))))
            return entry.name;
    }
    return {};
}

int CGroup::Remove()
{
    if (m_szGroupDir.empty())
        return -1;
    m_szName.clear();
    m_szGroupFile.clear();
    m_szGroupDir.clear();
    m_nMemberCount = 0;
    m_nCurrMember = -1;
    m_bUnreadable = false;
    m_backup.Clear();
    m_version.Forget();
    return 0;
}

void CGroup::CopyFrom(const CGroup& src)
{
    if (&src == this)
        return;
    m_szName = src.m_szName;
    m_szGroupFile = src.m_szGroupFile;
    m_szGroupDir = src.m_szGroupDir;
    m_nPlayMode = src.m_nPlayMode;
    m_nCurrMember = src.m_nCurrMember;
    m_nMemberCount = src.m_nMemberCount;
    m_bUnreadable = src.m_bUnreadable;
    m_backup = src.m_backup;
    m_version = src.m_version;
    int count = std::clamp(src.m_nMemberCount, 0, kMaxMembers);
    for (int i = 0; i < count; ++i)
        m_Member[static_cast<size_t>(i)].CopyFrom(src.m_Member[static_cast<size_t>(i)]);
}
