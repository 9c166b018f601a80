#include "app/CMainFrame.h"

#include "app/AfterFirstPaint.h"
#include "app/AutomountWhileActive.h"
#include "app/CMainMenu.h"
#include "app/CMainStatusBar.h"
#include "app/CMainToolBar.h"
#include "app/Resources.h"
#include "app/WindowHints.h"
#include "app/CZarn2App.h"
#include "view/CZarn2View.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QToolBar>

CMainFrame::CMainFrame(CZarn2App& app)
    : QMainWindow(nullptr, WindowHints::kMainWindow),
      m_app(app),
      m_saved(app.Position),
      m_actions(this),
      m_pToolBar(new QToolBar(this)),
      m_pStatus(new CMainStatusBar(this))
{
    setWindowTitle(QStringLiteral(" [ Zarn2 ] - The Game Launcher -"));
    setFixedSize(CSettings::kWindowWidth, CSettings::kWindowHeight);
    move(m_saved.x, m_saved.y);

    // The toolbar images are compiled in; make sure they are registered (once).
    static const bool resources = (Zarn2InitResources(), true);
    (void)resources;
    CMainMenu::Build(menuBar(), m_actions);
    CMainToolBar::Build(m_pToolBar, m_actions);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    setStatusBar(m_pStatus);
    // The session manager is first asked once the window is on the screen.
    AfterFirstPaint::Run(this, [this] { new AutomountWhileActive(this); });

    // The first clock text appears at the first tick.
    connect(&m_clock, &QTimer::timeout, this, &CMainFrame::UpdateClock);
    m_clock.start(kClockPeriodMs);

#ifndef QT_NO_SESSIONMANAGER
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitDataRequest);
#endif
}

CMainFrame::~CMainFrame()
{
    // The settings file takes the last position seen when the program ends.
    m_app.Position = m_saved;
}

QMenu* CMainFrame::SubMenu(int position) const
{
    QList<QAction*> menus = menuBar()->actions();
    if (position < 0 || position >= menus.size())
        return nullptr;
    return menus[position]->menu();
}

void CMainFrame::SetGenreCounter(int current, int total) { m_pStatus->SetGenreCounter(current, total); }

void CMainFrame::SetTitleCounter(int current, int total) { m_pStatus->SetTitleCounter(current, total); }

void CMainFrame::UpdateClock() { m_pStatus->UpdateClock(); }

CSettings::Point CMainFrame::TrackedPosition(int x, int y, int screenWidth, int screenHeight)
{
    if (x < 0 || x >= screenWidth || y < 0 || y >= screenHeight)
        return CSettings::CentredPosition(screenWidth, screenHeight);
    return CSettings::Point{x, y};
}

// Nothing shows the clock while the window is minimised, so it stops and the launcher
// sleeps through a play; it shows the time again at once on restore.
void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized()) {
        m_clock.stop();
    } else if (!m_clock.isActive()) {
        UpdateClock();
        m_clock.start(kClockPeriodMs);
    }
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    QSize screen(CSettings::kWindowWidth, CSettings::kWindowHeight);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->size();
    QPoint corner = frameGeometry().topLeft();
    m_saved = TrackedPosition(corner.x(), corner.y(), screen.width(), screen.height());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A title started with history recording is still running: its end must be measured.
    if (m_pView != nullptr && m_pView->m_bBusy) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::OnCommitDataRequest(QSessionManager& manager)
{
    // The session may end: nothing to ask or save here (every change of the library is
    // already on disk, the settings are written as the program ends).
    (void)manager;
}
