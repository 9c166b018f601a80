// The library commands of the main view: genres and titles added, edited, reordered,
// moved and deleted, a title's history cleared or its plays edited, files dropped from the desktop. The work
// is done by the library commands object; the view forwards its commands to it.
#include "view/CZarn2View.h"

#include "app/CZarn2App.h"
#include "commands/CLibraryCommands.h"
#include "dialogs/CDropEdit.h"
#include "library/CZarn2Doc.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

void CZarn2View::OnGroupAdd() { m_pCommands->OnGroupAdd(); }
void CZarn2View::OnGroupEdit() { m_pCommands->OnGroupEdit(); }
void CZarn2View::OnGroupOrder() { m_pCommands->OnGroupOrder(); }
void CZarn2View::OnGroupDelete() { m_pCommands->OnGroupDelete(); }
void CZarn2View::OnMemberAdd() { m_pCommands->OnMemberAdd(); }
void CZarn2View::OnMemberEdit() { m_pCommands->OnMemberEdit(); }
void CZarn2View::OnMemberOrder() { m_pCommands->OnMemberOrder(); }
void CZarn2View::OnMemberMove() { m_pCommands->OnMemberMove(); }
void CZarn2View::OnHistoryReset() { m_pCommands->OnHistoryReset(); }
void CZarn2View::OnPlayLogEdit() { m_pCommands->OnPlayLogEdit(); }

void CZarn2View::OnHistoryRowEdit(int row)
{
    CMember* member = m_pDoc->CurrMember();
    if (member == nullptr || row < 0)
        return;
    std::vector<int> plays;
    if (m_pApp->HistoryMode == 0) {
        plays.push_back(row);
    } else {
        auto [first, end] = member->DaySessions(row);
        for (int i = first; i < end; ++i)
            plays.push_back(i);
    }
    m_pCommands->OnPlayLogEditFor(plays);
}

void CZarn2View::OnMemberDelete() { m_pCommands->OnMemberDelete(); }
void CZarn2View::OnImportGames() { m_pCommands->OnImportGames(); }
void CZarn2View::OnImportPlays() { m_pCommands->OnImportPlays(); }
void CZarn2View::OnMemberDeleteAll() { m_pCommands->OnMemberDeleteAll(); }

void CZarn2View::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

// The first local file of a drop, else a URL the desktop opens, as the title dialog's path
// fields take them.
void CZarn2View::dropEvent(QDropEvent* event)
{
    const QString program = CDropEdit::FirstProgram(event->mimeData());
    event->acceptProposedAction();
    if (!program.isEmpty())
        m_pCommands->OnDropFiles({program.toStdString()});
}
