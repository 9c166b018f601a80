#include "app/CAppCommands.h"

#include "app/COptionSheet.h"
#include "app/CVersionInfoDlg.h"
#include "app/core/CZarn2App.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <QWidget>

CAppCommands::CAppCommands(CZarn2App& app, QWidget* mainWindow)
    : QObject(mainWindow), m_app(app), m_pMainWindow(mainWindow)
{
}

void CAppCommands::OnAppAbout()
{
    CVersionInfoDlg dlg(m_pMainWindow);
    dlg.exec();
}

void CAppCommands::OnFiler()
{
    // Replaced by the shell-open service once it lands.
    QProcess::startDetached(QString::fromStdString(m_app.Filer), {});
}

void CAppCommands::OnHelp()
{
    QString index = QString::fromStdString(m_app.m_szHelpDir + "/index.html");
    QDesktopServices::openUrl(QUrl::fromLocalFile(index));
}

void CAppCommands::OnAppExit()
{
    if (m_app.m_bPlaying == 0)
        m_pMainWindow->close();
}

void CAppCommands::OnOptions()
{
    COptionSheet sheet(m_app, m_pMainWindow);
    sheet.exec();
}
