#include "library/ChangeEvidence.h"

#include "library/CGroup.h"
#include "library/PendingChange.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"

namespace {

bool Exists(const std::string& path)
{
    return FileSystem::EntryExists(path);
}

const char* Is(bool there)
{
    return there ? "あります" : "ありません";
}

// Whether `group` lists `title` and whether its log is there, for the user.
std::string TitleState(const CGroup& group, const std::string& title)
{
    std::string log = group.LogFileFor(title);
    return Format("グループ [%s] にメンバー [%s] は%s. ログファイル<%s>は%s.", group.m_szName.c_str(),
                  title.c_str(), Is(group.HasMember(title)), log.c_str(), Is(Exists(log)));
}

std::string EntryState(const std::string& path)
{
    return Format("<%s>は%s.", path.c_str(), Is(Exists(path)));
}

}  // namespace

bool ChangeEvidence::GoOn(PendingChange& change, bool unreadable) const
{
    if (unreadable)
        change.Keep();
    else if (shows == Shows::NoStep)
        change.NotMade();
    else if (shows == Shows::Neither)
        change.Refuse(found);
    return !unreadable && shows == Shows::SomeStep;
}

ChangeEvidence ChangeEvidence::GroupNotListed(const std::string& name)
{
    return Neither(Format("グループ [%s] がグループファイルにありません.", name.c_str()));
}

ChangeEvidence ChangeEvidence::OfMove(const CGroup& source, const CGroup& target, const std::string& title)
{
    bool inSource = source.HasMember(title);
    bool inTarget = target.HasMember(title);
    bool sourceLog = Exists(source.LogFileFor(title));
    bool targetLog = Exists(target.LogFileFor(title));
    if (inSource && !inTarget && !targetLog)
        return NoStep();
    // The log moved first, then the target took the title, then the source let it go.
    if (!sourceLog && targetLog && (inSource || inTarget))
        return SomeStep();
    return Neither(TitleState(source, title) + "\n" + TitleState(target, title));
}

ChangeEvidence ChangeEvidence::OfGroupRename(const std::string& dataDir, const std::string& from,
                                             bool fromListed, const std::string& to, bool toListed)
{
    const std::string oldDir = dataDir + "/" + from;
    const std::string newDir = dataDir + "/" + to;
    bool oldFolder = Exists(oldDir), oldFile = Exists(oldDir + ".Zarn");
    bool newFolder = Exists(newDir), newFile = Exists(newDir + ".Zarn");
    if (fromListed && !toListed) {
        if (oldFolder && oldFile && !newFolder && !newFile)
            return NoStep();
        // The folder moved first, then the file.
        if (!oldFolder && newFolder && oldFile != newFile)
            return SomeStep();
    } else if (!fromListed && toListed && !oldFolder && !oldFile && newFolder && newFile) {
        return SomeStep();  // the list names the new name: every step was made
    }
    return Neither(Format("グループファイルに [%s] は%s. [%s] は%s.\n", from.c_str(), Is(fromListed),
                          to.c_str(), Is(toListed)) +
                   EntryState(oldDir) + " " + EntryState(oldDir + ".Zarn") + " " + EntryState(newDir) + " " +
                   EntryState(newDir + ".Zarn"));
}

ChangeEvidence ChangeEvidence::OfTitlesDeletion(const CGroup& group)
{
    // The logs go in list order: those of the first titles gone, the others there.
    int count = group.m_nMemberCount;
    int gone = 0;
    while (gone < count && !Exists(group.m_Member[static_cast<size_t>(gone)].m_szLogFile))
        ++gone;
    for (int i = gone; i < count; ++i) {
        const CMember& title = group.m_Member[static_cast<size_t>(i)];
        if (!Exists(title.m_szLogFile))
            return Neither(Format(
                "グループ [%s] のメンバー [%s] のログファイル<%s>はありませんが, その前のメンバー [%s] "
                "のログファイルは残っています.",
                group.m_szName.c_str(), title.m_szName.c_str(), title.m_szLogFile.c_str(),
                group.m_Member[static_cast<size_t>(i - 1)].m_szName.c_str()));
    }
    // An empty genre shows nothing either way, and has nothing to lose.
    return gone == 0 && count > 0 ? NoStep() : SomeStep();
}

ChangeEvidence ChangeEvidence::OfGroupDeletion(const CGroup& group)
{
    bool folder = Exists(group.m_szGroupDir);
    if (!Exists(group.m_szGroupFile)) {
        // The folder goes before the file.
        if (folder)
            return Neither(EntryState(group.m_szGroupFile) + " " + EntryState(group.m_szGroupDir));
        return SomeStep();
    }
    int error = 0;
    std::string foreign = folder ? group.ForeignEntry(error) : std::string();
    ChangeEvidence titles = OfTitlesDeletion(group);
    if (titles.shows == Shows::NoStep || titles.shows == Shows::Neither)
        return titles;
    if (!foreign.empty())
        return Neither(Format("フォルダ<%s>に Zarn2 のものではないファイル <%s> があります.",
                              group.m_szGroupDir.c_str(), foreign.c_str()));
    // The titles go before the folder.
    if (!folder && group.m_nMemberCount > 0)
        return Neither(EntryState(group.m_szGroupDir) + " " +
                       Format("グループ [%s] のメンバーはまだ一覧にあります.", group.m_szName.c_str()));
    return SomeStep();
}

ChangeEvidence ChangeEvidence::OfUnlistedGroupDeletion(const std::string& dataDir, const std::string& name)
{
    const std::string dir = dataDir + "/" + name;
    if (!Exists(dir) && !Exists(dir + ".Zarn"))
        return SomeStep();  // every step was made
    return Neither(Format("グループ [%s] はグループファイルにありません. ", name.c_str()) + EntryState(dir) +
                   " " + EntryState(dir + ".Zarn"));
}

ChangeEvidence ChangeEvidence::OfTitleRename(const CGroup& group, const std::string& from,
                                             const std::string& to)
{
    bool oldListed = group.HasMember(from), newListed = group.HasMember(to);
    bool oldLog = Exists(group.LogFileFor(from)), newLog = Exists(group.LogFileFor(to));
    if (oldListed && !newListed && oldLog && !newLog)
        return NoStep();
    // The log moved first, then the genre file took the new name.
    if (oldListed != newListed && !oldLog && newLog)
        return SomeStep();
    return Neither(TitleState(group, from) + "\n" + TitleState(group, to));
}

ChangeEvidence ChangeEvidence::OfTitleDeletion(const CGroup& group, const std::string& title)
{
    bool listed = group.HasMember(title);
    bool log = Exists(group.LogFileFor(title));
    if (listed && log)
        return NoStep();
    if (!log)
        return SomeStep();  // the log went first, then the genre file let the title go
    return Neither(TitleState(group, title));
}

ChangeEvidence ChangeEvidence::OfTitlesAddition(const CGroup& group, const std::vector<std::string>& names)
{
    size_t listed = 0;
    for (const std::string& name : names)
        listed += group.HasMember(name) ? 1 : 0;
    // The logs are made in order: those of the first titles there, the others not.
    size_t made = 0;
    while (made < names.size() && Exists(group.LogFileFor(names[made])))
        ++made;
    for (size_t i = made; i < names.size(); ++i) {
        if (Exists(group.LogFileFor(names[i])))
            return Neither(TitleState(group, names[i]) + "\n" + TitleState(group, names[made]));
    }
    if (listed == 0)
        return made == 0 ? NoStep() : SomeStep();
    if (listed == names.size() && made == names.size())
        return SomeStep();  // every step was made
    return Neither(Format("グループ [%s] に取り込むメンバー %zu 件のうち %zu 件だけが一覧にあります.",
                          group.m_szName.c_str(), names.size(), listed));
}

ChangeEvidence ChangeEvidence::OfGroupCreation(const std::string& dataDir, const std::string& name)
{
    const std::string dir = dataDir + "/" + name;
    bool folder = Exists(dir), file = Exists(dir + ".Zarn");
    if (!folder && !file)
        return NoStep();
    if (folder)
        return SomeStep();  // the folder is made first, then the file
    return Neither(Format("グループ [%s] はグループファイルにありません. ", name.c_str()) + EntryState(dir) + " " +
                   EntryState(dir + ".Zarn"));
}
