#include "import/GameImport.h"

#include "app/CZarn2App.h"
#include "import/TitleNames.h"
#include "library/CZarn2Doc.h"
#include "library/NameRules.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

// A rule's message without the advice for a dialog's field that follows it.
std::string FirstLine(const std::string& message) { return message.substr(0, message.find('\n')); }

int GroupCount(const CZarn2Doc& doc) { return std::clamp(doc.m_nGroupCount, 0, CZarn2Doc::kMaxGroups); }

int MemberCount(const CGroup& group) { return std::clamp(group.m_nMemberCount, 0, CGroup::kMaxMembers); }

}  // namespace

GameImport::GameImport(const CZarn2Doc& doc, FoundGames found) : m_doc(doc), m_found(std::move(found))
{
    Refresh();
}

void GameImport::Refresh()
{
    std::map<std::string, std::string> titles;  // program → where it is registered
    for (int g = GroupCount(m_doc) - 1; g >= 0; --g) {
        const CGroup& group = m_doc.m_Group[static_cast<size_t>(g)];
        for (int t = MemberCount(group) - 1; t >= 0; --t) {
            const CMember& title = group.m_Member[static_cast<size_t>(t)];
            titles[title.m_szExePath] = group.m_szName + " / " + title.m_szName;
        }
    }
    m_registered.clear();
    for (const FoundGame& game : m_found.games) {
        auto at = titles.find(game.program);
        m_registered.push_back(at == titles.end() ? std::string() : at->second);
    }
}

std::vector<std::string> GameImport::GenreNames() const
{
    std::vector<std::string> names;
    for (int g = 0; g < GroupCount(m_doc); ++g)
        names.push_back(m_doc.m_Group[static_cast<size_t>(g)].m_szName);
    return names;
}

std::string GameImport::GenreProblem(const ImportChoice& choice) const
{
    if (!choice.newGenre)
        return m_doc.IndexOfGroup(choice.genre) >= 0 ? std::string()
                                                     : GoneElsewhereMessage("ジャンル", choice.genre);
    if (NameRules::Finding problem = NameRules::Problem(NameRules::Kind::Group, choice.genre); problem.Refused())
        return FirstLine(problem.message);
    if (m_doc.IndexOfGroup(choice.genre) >= 0)
        return Format("グループ名 [%s] が重複しています.", choice.genre.c_str());
    if (GroupCount(m_doc) >= CZarn2Doc::kMaxGroups)
        return Format("Error-30 : グループ数が上限[%02d]に達しています.", CZarn2Doc::kMaxGroups);
    const std::string dir = m_doc.m_pApp->m_szDataDir + "/" + choice.genre;
    if (FileSystem::EntryExists(dir) || FileSystem::EntryExists(dir + ".Zarn"))
        return Format("フォルダかファイル <%s> が既にあります.", dir.c_str());
    return {};
}

std::vector<PlannedTitle> GameImport::Plan(const ImportChoice& choice) const
{
    const CGroup* group = nullptr;
    if (!choice.newGenre) {
        int index = m_doc.IndexOfGroup(choice.genre);
        group = index >= 0 ? &m_doc.m_Group[static_cast<size_t>(index)] : nullptr;
    }
    const std::string dir = group ? group->m_szGroupDir : m_doc.m_pApp->m_szDataDir + "/" + choice.genre;
    int room = CGroup::kMaxMembers - (group ? MemberCount(*group) : 0);
    std::set<std::string> chosen;
    auto taken = [&](const std::string& name) {
        return chosen.count(name) > 0 || (group && group->HasMember(name)) ||
               FileSystem::EntryExists(dir + "/" + name + ".Log");
    };
    std::vector<PlannedTitle> plan;
    for (int game : choice.ticked) {
        if (game < 0 || game >= static_cast<int>(m_found.games.size()))
            continue;
        const FoundGame& found = m_found.games[static_cast<size_t>(game)];
        PlannedTitle title{game, {}, {}, {}};
        TitleNames::Made made = TitleNames::Valid(found.name);
        title.changes = made.changes;
        title.name = TitleNames::Unique(made.name, taken);
        if (title.name != made.name)
            title.changes.push_back("同じ名前があるため番号を付けました");
        if (!RegisteredAs(game).empty())
            title.refusal = "登録済みです (" + RegisteredAs(game) + ")";
        else if (NameRules::Finding path = NameRules::StoredPathProblem("プログラム", found.program); path.Refused())
            title.refusal = FirstLine(path.message);
        else if (NameRules::Finding name = NameRules::Problem(NameRules::Kind::Member, title.name); name.Refused())
            title.refusal = FirstLine(name.message);
        else if (room <= 0)
            title.refusal = Format("ジャンルのタイトルが上限[%d]に達するため登録されません.", CGroup::kMaxMembers);
        if (title.Adds()) {
            chosen.insert(title.name);
            --room;
        }
        plan.push_back(std::move(title));
    }
    return plan;
}

std::vector<CGroup::NewMember> GameImport::Titles(const std::vector<PlannedTitle>& plan) const
{
    std::vector<CGroup::NewMember> titles;
    for (const PlannedTitle& title : plan) {
        if (!title.Adds())
            continue;
        const std::string& program = m_found.games.at(static_cast<size_t>(title.game)).program;
        titles.push_back({title.name, program, program});
    }
    return titles;
}
