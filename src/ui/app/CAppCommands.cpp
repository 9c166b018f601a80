#include "app/CAppCommands.h"

#include "options/COptionSheet.h"
#include "app/CVersionInfoDlg.h"
#include "app/CZarn2App.h"

#include "platform/IShellOpen.h"

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
    // Like the desktop would: the result is not looked at.
    ShellOpen::Start(m_app.Filer, "");
}

void CAppCommands::OnHelp()
{
    ShellOpen::Start(m_app.m_szHelpDir + "/index.html", m_app.m_szHelpDir);
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
