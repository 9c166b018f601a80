// The display commands of the main view: icon size of the title list, history mode, the
// column-heading clicks that switch the history mode, and the enabled states of these
// commands and of the play log command in the menus and on the toolbar.
#include "view/CZarn2View.h"

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/CZarn2App.h"
#include "commands/CLibraryCommands.h"

#include <QAction>

void CZarn2View::OnIconLarge()
{
    m_pApp->IconSize = 1;
    FillMemberList();
    UpdateCommandUI();
}

void CZarn2View::OnIconSmall()
{
    m_pApp->IconSize = 0;
    FillMemberList();
    UpdateCommandUI();
}

void CZarn2View::SetCountMode() { SetHistoryMode(0); }

void CZarn2View::SetDateMode() { SetHistoryMode(1); }

void CZarn2View::SetHistoryMode(int mode)
{
    m_pApp->HistoryMode = mode;
    m_stats.SetModeTexts(mode);
    UpdateStatistics();
    UpdateCommandUI();
}

void CZarn2View::OnHeaderClicked(int column)
{
    // Heading clicks work even while a title runs: they only change the display.
    if (column == 2 || column == m_pApp->HistoryMode)
        return;
    if (column == 0)
        SetCountMode();
    else
        SetDateMode();
}

void CZarn2View::UpdateCommandUI()
{
    if (QAction* large = m_pFrame->Action(CommandId::ID_ICON_LARGE)) {
        // Any size other than small counts as large and is kept as 1.
        if (m_pApp->IconSize != 0)
            m_pApp->IconSize = 1;
        large->setEnabled(m_pApp->IconSize == 0);
    }
    if (QAction* small = m_pFrame->Action(CommandId::ID_ICON_SMALL))
        small->setEnabled(m_pApp->IconSize != 0);
    if (QAction* count = m_pFrame->Action(CommandId::ID_HISTORY_COUNT))
        count->setEnabled(m_pApp->HistoryMode != 0);
    if (QAction* date = m_pFrame->Action(CommandId::ID_HISTORY_DATE))
        date->setEnabled(m_pApp->HistoryMode != 1);
    if (QAction* plays = m_pFrame->Action(CommandId::ID_PLAY_LOG_EDIT))
        plays->setEnabled(m_pCommands->PlayLogEditEnabled());
}
