#include "app/CZarn2Shell.h"

#include "app/CAppCommands.h"
#include "app/core/CZarn2App.h"

#include <QMainWindow>
#include <QMenuBar>

CZarn2Shell::CZarn2Shell(CZarn2App& app) : m_app(app) {}

CZarn2Shell::~CZarn2Shell() = default;

bool CZarn2Shell::InitInstance()
{
    m_pFrame = std::make_unique<QMainWindow>();
    auto* commands = new CAppCommands(m_app, m_pFrame.get());
    QMenu* file = m_pFrame->menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("ファイラーの起動(&F)"), commands, &CAppCommands::OnFiler);
    file->addAction(QStringLiteral("Zarn2 の終了(&X)"), commands, &CAppCommands::OnAppExit);
    QMenu* help = m_pFrame->menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(QStringLiteral("Zarn2 のヘルプ(&H)"), commands, &CAppCommands::OnHelp);
    help->addAction(QStringLiteral("Zarn2 のバージョン情報 (&A)..."), commands, &CAppCommands::OnAppAbout);
    m_pFrame->setFixedSize(750, 510);
    m_pFrame->move(m_app.Position.x, m_app.Position.y);
    m_pFrame->setWindowTitle(QStringLiteral(" [ Zarn2 ] - The Game Launcher -"));
    m_pFrame->show();
    return true;
}
