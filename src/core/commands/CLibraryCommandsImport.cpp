// The import commands: the games found on this PC registered as titles, and the plays of
// an export file brought back into the titles' logs.
#include "commands/CLibraryCommands.h"

#include "commands/IDialogRunner.h"
#include "commands/IViewRefresh.h"
#include "import/ExportedPlays.h"
#include "import/GameFinder.h"
#include "import/GameImport.h"
#include "import/PlayImport.h"
#include "library/CZarn2Doc.h"
#include "platform/Format.h"
#include "platform/IMessenger.h"

namespace {

constexpr char kNewGenre[] = "新規ジャンル";

// The current genre, or a new one when the library has none.
ImportChoice FirstChoice(const CZarn2Doc& doc)
{
    const CGroup* group = doc.ShownGroup();
    return group ? ImportChoice{{}, group->m_szName, false} : ImportChoice{{}, kNewGenre, true};
}

}  // namespace

void CLibraryCommands::SetGameFinder(std::function<FoundGames()> finder) { m_findGames = std::move(finder); }

// Nothing is written before OK. The library is then read again where it changed on disk;
// names that would come out otherwise than shown are shown again first.
void CLibraryCommands::OnImportGames()
{
    if (Busy())
        return;
    GameImport import(*m_pDoc, m_findGames ? m_findGames() : GameFinder::Find(ImportPlaces::FromEnvironment()));
    ImportChoice choice = FirstChoice(*m_pDoc);
    for (;;) {
        if (!m_pDialogs->RunImportGamesDlg(import, choice))
            return;
        m_pDoc->ReloadChanged();
        import.Refresh();
        const std::vector<PlannedTitle> plan = import.Plan(choice);
        if (std::string problem = import.GenreProblem(choice); !problem.empty()) {
            Messenger::Show(problem);
            continue;
        }
        if (plan != choice.shown) {
            Messenger::Show("ライブラリが他の PC かプログラムで変更されたため, 登録名を見直しました. "
                            "確かめてからもう一度 OK を押して下さい.");
            continue;
        }
        std::vector<CGroup::NewMember> titles = import.Titles(plan);
        if (titles.empty())
            return;
        EditResult added = m_pDoc->ImportMembers(choice.genre, choice.newGenre, 0, titles);
        if (added >= 0 || !EntryCanMend(added.reason))
            break;
    }
    m_pDoc->SaveGroupList();
    RefreshAll();
}

void CLibraryCommands::OnImportPlays()
{
    if (Busy())
        return;
    const std::string path = m_pDialogs->ChooseExportFile();
    if (path.empty())
        return;
    std::string problem;
    std::optional<std::vector<ExportedTitle>> titles = ExportedPlays::Read(path, problem);
    if (!titles) {
        Messenger::Show(Format("ファイル<%s>からはプレイ記録を取り込めません.\n%s", path.c_str(), problem.c_str()));
        return;
    }
    std::vector<PlayImportRow> rows = PlayImport::Rows(*m_pDoc, *titles);
    if (!m_pDialogs->RunImportPlaysDlg(path, rows))
        return;
    // A title made elsewhere meanwhile takes its plays as it is.
    m_pDoc->ReloadChanged();
    std::vector<PlayImportRow> fresh = PlayImport::Rows(*m_pDoc, *titles);
    for (size_t i = 0; i < rows.size() && i < fresh.size(); ++i)
        rows[i].missing = rows[i].missing && fresh[i].missing;
    PlayImport::Outcome outcome = PlayImport::Apply(*m_pDoc, *titles, rows);
    Messenger::Show(PlayImport::Summary(outcome));
    m_pDoc->SaveGroupList();
    RefreshAll();
}
