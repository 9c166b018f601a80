#include "launch/CQtPlayUi.h"

#include "launch/CWaitingDlg.h"

void CQtPlayUi::MinimizeMainWindow()
{
    if (m_pMainWindow)
        m_pMainWindow->showMinimized();
}

void CQtPlayUi::RestoreMainWindow()
{
    if (!m_pMainWindow)
        return;
    m_pMainWindow->showNormal();
    m_pMainWindow->raise();
    m_pMainWindow->activateWindow();
}

void CQtPlayUi::RunWaitingDialog(const CPlayTime& clock, bool noClock)
{
    CWaitingDlg dialog(clock, noClock);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.DoModal();
}
