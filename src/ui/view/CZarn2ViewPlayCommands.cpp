// The play commands of the main view: start the current title with or without recording
// its play time. The play itself is the play controller's; the view lends it its busy
// flag, its statistics refresh and the closing of the main window.
#include "view/CZarn2View.h"

#include "app/CMainFrame.h"
#include "launch/CPlayController.h"

void CZarn2View::OnPlayRecorded()
{
    CPlayController play(*m_pDoc, *m_pApp);
    play.PlayRecorded(m_bBusy, [this] { UpdateStatistics(); });
}

void CZarn2View::OnPlayUnrecorded()
{
    CPlayController play(*m_pDoc, *m_pApp);
    play.PlayUnrecorded(m_bBusy, [this] { m_pFrame->close(); });
}
