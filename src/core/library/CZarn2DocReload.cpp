// What the document does about its files changing on disk while it runs: another PC
// writing them through a synced folder, or another program. Every rewrite made from what
// was shown first reads again what changed, and the change of this run goes on top.
#include "library/CZarn2Doc.h"

#include "library/GroupListFile.h"
#include "library/LoadNotes.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"
#include "platform/TextFileReader.h"

#include <algorithm>
#include <cerrno>
#include <utility>

bool CZarn2Doc::ReloadChanged()
{
    bool reloaded = false;
    if (!m_szGroupListFile.empty() && m_listVersion.Changed(m_szGroupListFile))
        reloaded = ReloadList();
    int count = std::clamp(m_nGroupCount, 0, kMaxGroups);
    for (int i = 0; i < count; ++i) {
        CGroup& group = m_Group[static_cast<size_t>(i)];
        if (group.m_version.Changed(group.m_szGroupFile)) {
            group.Reload(group.CurrMemberName());
            reloaded = true;
        }
    }
    if (reloaded)
        ++m_nDiskReloads;
    return reloaded;
}

bool CZarn2Doc::ReloadList()
{
    // This run's current genre and each genre's current title, kept by name.
    std::string currentGroup = m_nCurrGroup >= 0 && m_nCurrGroup < m_nGroupCount
                                   ? m_Group[static_cast<size_t>(m_nCurrGroup)].m_szName
                                   : std::string();
    std::vector<std::pair<std::string, std::string>> currentMembers;
    for (int i = 0; i < std::clamp(m_nGroupCount, 0, kMaxGroups); ++i)
        currentMembers.emplace_back(m_Group[static_cast<size_t>(i)].m_szName,
                                    m_Group[static_cast<size_t>(i)].CurrMemberName());

    TextFileReader reader;
    m_listVersion.Look(m_szGroupListFile);
    int err = reader.Open(m_szGroupListFile, GroupListFile::kMaxBytes);
    if (err == ENOENT)
        return false;
    if (err != 0) {
        Messenger::Show(Format("ERROR[%d] : グループファイルを開けませんでした,\n%s", err, kKeptFile));
        m_bListUnreadable = true;
        return true;
    }
    if (LoadGroupListFrom(reader) < 0)
        return true;
    for (int i = 0; i < m_nGroupCount; ++i) {
        CGroup& group = m_Group[static_cast<size_t>(i)];
        auto kept = std::find_if(currentMembers.begin(), currentMembers.end(),
                                 [&group](const auto& entry) { return entry.first == group.m_szName; });
        group.Reload(kept != currentMembers.end() ? kept->second : std::string());
    }
    if (int i = IndexOfGroup(currentGroup); i >= 0)
        m_nCurrGroup = i;
    return true;
}

bool CZarn2Doc::Reconcile(std::string group, std::string member)
{
    ReloadChanged();
    int g = IndexOfGroup(group);
    if (g < 0) {
        Messenger::Show(GoneElsewhereMessage("ジャンル", group));
        return false;
    }
    CGroup& found = m_Group[static_cast<size_t>(g)];
    int m = member.empty() ? found.m_nCurrMember : found.IndexOf(member);
    if (m < 0 && !member.empty()) {
        Messenger::Show(GoneElsewhereMessage("タイトル", member));
        return false;
    }
    m_nCurrGroup = g;
    found.m_nCurrMember = m;
    return true;
}

int CZarn2Doc::SelectGroup(int n)
{
    if (n < 0 || n >= std::min(m_nGroupCount, kMaxGroups)) {
        SetCurrGroup(n);  // reported there
        return -1;
    }
    if (!Reconcile(m_Group[static_cast<size_t>(n)].m_szName))
        return -1;
    WriteAll();
    return m_nCurrGroup;
}

void CZarn2Doc::ApplyGroupOrder(const std::vector<std::string>& order)
{
    std::string current = GetCurrGroupName();
    int place = 0;
    for (const std::string& name : order) {
        int i = IndexOfGroup(name);
        if (i < place)
            continue;  // not in the library, or placed already
        for (; i > place; --i)
            SwapGroups(i - 1, i);
        ++place;
    }
    if (int i = IndexOfGroup(current); i >= 0)
        m_nCurrGroup = i;
}
