// The play log command: the current title's plays deleted, changed and added in the play
// log dialog, and its log rewritten once when the user confirms.
#include "commands/CLibraryCommands.h"

#include "commands/CaptionFit.h"
#include "commands/IDialogRunner.h"
#include "commands/IViewRefresh.h"
#include "history/PlayLogEdit.h"
#include "history/PlayLogRewrite.h"
#include "library/CZarn2Doc.h"
#include "library/ILibraryJournal.h"

#include <algorithm>

// Asked whenever a menu opens: the library's fields are read within their bounds and no
// check that reports a damaged library runs.
bool CLibraryCommands::PlayLogEditEnabled() const
{
    const CGroup* group = static_cast<const CZarn2Doc&>(*m_pDoc).ShownGroup();
    return !Busy() && group != nullptr && group->m_nCurrMember >= 0 &&
           group->m_nCurrMember < std::min(group->m_nMemberCount, CGroup::kMaxMembers);
}

// The log is read when the dialog opens and again right before it is written, so a play
// recorded meanwhile stays. A failed write shows the dialog again with the user's edits.
void CLibraryCommands::OnPlayLogEditFor(const std::vector<int>& plays)
{
    if (!PlayLogEditEnabled())
        return;
    CMember* member = m_pDoc->CurrMember();
    if (member == nullptr)
        return;
    const std::string log = member->m_szLogFile;
    std::vector<RawPlayLog::Record> records;
    if (!PlayLogRewrite::Load(log, records))
        return;
    PlayLogEdit edit(std::move(records));
    std::string caption = CaptionFit::Make("プレイ記録の編集 - ", member->m_szName, "");
    std::vector<int> selected = plays;
    for (;;) {
        if (!m_pDialogs->RunPlayLogDlg(caption, edit, selected) || !edit.Changed())
            return;
        if (PlayLogRewrite::Save(log, edit))
            break;
        selected.clear();
    }
    if (m_pDoc->m_pJournal) {
        std::vector<ILibraryJournal::PlayEdit> edits;
        for (const PlayLogEdit::PlayChange& change : edit.Changes())
            edits.push_back({change.before, change.after});
        m_pDoc->m_pJournal->PlaysEdited(m_pDoc->GetCurrGroupName(), member->m_szName, edits);
    }
    m_pView->UpdateStatistics();
}
