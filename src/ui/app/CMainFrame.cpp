#include "app/CMainFrame.h"

#include "app/AfterFirstPaint.h"
#include "app/AutomountWhileActive.h"
#include "app/CMainMenu.h"
#include "app/CMainStatusBar.h"
#include "app/CMainToolBar.h"
#include "app/Resources.h"
#include "app/WindowHints.h"
#include "app/CZarn2App.h"
#include "launch/CPlayJournal.h"
#include "view/CZarn2View.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QTime>
#include <QToolBar>

#include <algorithm>

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
    QList<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    QSize window(CSettings::kWindowWidth, CSettings::kWindowHeight);
    QRect frame(QPoint(m_saved.x, m_saved.y), window.grownBy(kFrameAllowance));
    move(OnScreens(frame, screens));

    // The toolbar images are compiled in; make sure they are registered (once).
    static const bool resources = (Zarn2InitResources(), true);
    (void)resources;
    CMainMenu::Build(menuBar(), m_actions);
    CMainToolBar::Build(m_pToolBar, m_actions);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    setStatusBar(m_pStatus);
    // The session manager is first asked once the window is on the screen.
    AfterFirstPaint::Run(this, [this] { new AutomountWhileActive(this); });

    // The first clock text appears at the first tick. One precise single-shot timer a
    // second, set again at each tick from the wall clock: a timer of 500 ms woke the
    // launcher twice a second, and a coarse one may fire before the second has turned.
    m_clock.setSingleShot(true);
    m_clock.setTimerType(Qt::PreciseTimer);
    connect(&m_clock, &QTimer::timeout, this, &CMainFrame::TickClock);
    ArmClock();

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

void CMainFrame::TickClock()
{
    UpdateClock();
    ArmClock();
}

void CMainFrame::ArmClock()
{
    m_clock.start(1000 - QTime::currentTime().msec() + kClockPastTheSecondMs);
}

CSettings::Point CMainFrame::TrackedPosition(int x, int y, int screenWidth, int screenHeight)
{
    if (x < 0 || x >= screenWidth || y < 0 || y >= screenHeight)
        return CSettings::CentredPosition(screenWidth, screenHeight);
    return CSettings::Point{x, y};
}

QPoint CMainFrame::OnScreens(const QRect& frame, const QList<QRect>& screens)
{
    auto shown = [&frame](const QRect& screen) {
        QRect common = screen.intersected(frame);
        return common.isEmpty() ? 0LL : static_cast<long long>(common.width()) * common.height();
    };
    auto distance = [&frame](const QRect& screen) {
        QPoint centre = frame.center();
        long long dx = centre.x() - std::clamp(centre.x(), screen.left(), screen.right());
        long long dy = centre.y() - std::clamp(centre.y(), screen.top(), screen.bottom());
        return dx * dx + dy * dy;
    };
    const QRect* best = nullptr;
    for (const QRect& screen : screens) {
        if (screen.isEmpty())
            continue;
        if (best == nullptr || shown(screen) > shown(*best) ||
            (shown(screen) == shown(*best) && distance(screen) < distance(*best)))
            best = &screen;
    }
    if (best == nullptr)
        return frame.topLeft();
    // A screen smaller than the window shows its top left corner (title bar and menu).
    int x = std::max(std::min(frame.x(), best->right() + 1 - frame.width()), best->left());
    int y = std::max(std::min(frame.y(), best->bottom() + 1 - frame.height()), best->top());
    return {x, y};
}

// Nothing shows the clock while the window is minimised, so it stops and the launcher
// sleeps through a play; it shows the time again at once on restore.
void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized())
        m_clock.stop();
    else if (!m_clock.isActive())
        TickClock();
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    QPoint corner = frameGeometry().topLeft();
    // A corner on any screen is kept (a second screen's included); anything else is
    // measured against the primary screen.
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(corner)) {
            m_saved = CSettings::Point{corner.x(), corner.y()};
            return;
        }
    }
    QSize screen(CSettings::kWindowWidth, CSettings::kWindowHeight);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->size();
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
    // The session may end: nothing to ask here. Every change of the library is already on
    // disk and the settings are written as the program ends; a recorded play that runs has
    // its journal written now with the time played so far, in case the end comes without
    // a signal the launcher can answer.
    (void)manager;
    if (CPlayJournal* journal = CPlayJournal::Running())
        journal->Beat();
}
