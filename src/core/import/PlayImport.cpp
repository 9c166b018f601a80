#include "import/PlayImport.h"

#include "library/CZarn2Doc.h"
#include "library/NameRules.h"
#include "platform/Format.h"

#include <algorithm>
#include <map>

namespace {

// How many failures the message names before it only counts the rest.
constexpr size_t kShown = 10;

const CGroup* GroupOf(const CZarn2Doc& doc, const std::string& name)
{
    int index = doc.IndexOfGroup(name);
    return index < 0 ? nullptr : &doc.m_Group[static_cast<size_t>(index)];
}

std::string Problem(const std::string& genre, const std::string& title)
{
    NameRules::Finding problem = NameRules::Problem(NameRules::Kind::Group, genre);
    if (!problem.Refused())
        problem = NameRules::Problem(NameRules::Kind::Member, title);
    return problem.message.substr(0, problem.message.find('\n'));
}

// The room the library has for the titles to be made: each genre's titles left, and the
// genres left for those to be made; a missing title takes its place in order.
class Room {
public:
    explicit Room(const CZarn2Doc& doc) : m_doc(doc), m_genresLeft(CZarn2Doc::kMaxGroups - doc.m_nGroupCount) {}

    // Why the title cannot be made in its genre; "" after taking its place.
    std::string Take(const std::string& genre)
    {
        auto [at, added] = m_titlesLeft.try_emplace(genre, CGroup::kMaxMembers);
        if (added) {
            if (const CGroup* group = GroupOf(m_doc, genre))
                at->second = std::max(0, CGroup::kMaxMembers - group->m_nMemberCount);
            else if (m_genresLeft-- <= 0)
                at->second = -1;
        }
        if (at->second < 0)
            return Format("ジャンル数が上限[%d]に達しているため, ジャンルを作成出来ません.", CZarn2Doc::kMaxGroups);
        if (at->second == 0)
            return Format("ジャンルのタイトルが上限[%d]に達するため作成出来ません.", CGroup::kMaxMembers);
        --at->second;
        return {};
    }

private:
    const CZarn2Doc& m_doc;
    int m_genresLeft;
    std::map<std::string, int> m_titlesLeft;
};

// Makes the chosen missing titles, one library change per genre; the genres whose titles
// could not be made are named in `outcome`.
void MakeMissing(CZarn2Doc& doc, const std::vector<ExportedTitle>& titles, const std::vector<PlayImportRow>& rows,
                 PlayImport::Outcome& outcome)
{
    std::map<std::string, std::vector<CGroup::NewMember>> wanted;
    std::vector<std::string> order;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].missing || !rows[i].create || !rows[i].problem.empty())
            continue;
        auto [at, added] = wanted.try_emplace(rows[i].genre);
        if (added)
            order.push_back(rows[i].genre);
        at->second.push_back({titles[i].title, titles[i].program, titles[i].program});
    }
    for (const std::string& genre : order) {
        bool newGroup = doc.IndexOfGroup(genre) < 0;
        if (doc.ImportMembers(genre, newGroup, 0, wanted[genre]) < 0)
            outcome.failures.push_back(Format("ジャンル [%s] のタイトルを作成出来ませんでした.", genre.c_str()));
    }
}

}  // namespace

namespace PlayImport {

std::vector<PlayImportRow> Rows(const CZarn2Doc& doc, const std::vector<ExportedTitle>& titles)
{
    std::vector<PlayImportRow> rows;
    Room room(doc);
    for (const ExportedTitle& title : titles) {
        PlayImportRow row{title.genre, title.title, title.plays.size(), false, false, {}};
        const CGroup* group = GroupOf(doc, title.genre);
        row.missing = group == nullptr || !group->HasMember(title.title);
        if (row.missing) {
            row.problem = Problem(title.genre, title.title);
            if (row.problem.empty())
                row.problem = room.Take(title.genre);
            row.create = row.problem.empty();
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Outcome Apply(CZarn2Doc& doc, const std::vector<ExportedTitle>& titles, const std::vector<PlayImportRow>& rows)
{
    Outcome outcome;
    MakeMissing(doc, titles, rows, outcome);
    for (size_t i = 0; i < titles.size() && i < rows.size(); ++i) {
        const CGroup* group = GroupOf(doc, titles[i].genre);
        if (group == nullptr || !group->HasMember(titles[i].title)) {
            outcome.skipped += titles[i].plays.size();
            continue;
        }
        std::string failed = LogMerge::Into(group->LogFileFor(titles[i].title), titles[i].plays, outcome.counts);
        if (!failed.empty()) {
            outcome.failures.push_back(failed);
            outcome.skipped += titles[i].plays.size();
        }
    }
    return outcome;
}

std::string Summary(const Outcome& outcome)
{
    std::string text = Format("プレイ記録 %zu 件を取り込みました.\n既に記録されていた記録 : %zu 件", outcome.counts.added,
                              outcome.counts.present);
    if (outcome.counts.refused > 0)
        text += Format("\n記録出来ない日時の記録 (取り込んでいません) : %zu 件", outcome.counts.refused);
    if (outcome.skipped > 0)
        text += Format("\nタイトルがないかログを読めないため取り込まなかった記録 : %zu 件", outcome.skipped);
    for (size_t i = 0; i < outcome.failures.size() && i < kShown; ++i)
        text += "\n" + outcome.failures[i];
    if (outcome.failures.size() > kShown)
        text += "\n...";
    return text;
}

}  // namespace PlayImport
