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

// Modal to the whole application like the other waiting dialog, but opened rather than
// run: the play's wait is the loop that keeps it going.
void CQtPlayUi::ShowStillRunning(const CPlayTime& clock, const std::string& running,
                                 const std::function<void()>& end)
{
    if (m_pStillRunning) {
        m_pStillRunning->ShowStillRunning(QString::fromStdString(running));
        return;
    }
    auto* dialog = new CWaitingDlg(clock, false);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->ShowStillRunning(QString::fromStdString(running));
    QObject::connect(dialog, &QDialog::finished, dialog, [end] { end(); });
    dialog->OnInitDialog();
    dialog->show();
    m_pStillRunning = dialog;
}

void CQtPlayUi::CloseStillRunning()
{
    if (!m_pStillRunning)
        return;
    m_pStillRunning->disconnect(m_pStillRunning);
    m_pStillRunning->hide();
    m_pStillRunning->deleteLater();
    m_pStillRunning = nullptr;
}
