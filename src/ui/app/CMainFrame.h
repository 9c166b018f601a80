#pragma once

#include "app/CCommandActions.h"
#include "app/CSettings.h"

#include <QMainWindow>
#include <QMargins>
#include <QRect>
#include <QTimer>

class CMainStatusBar;
class CZarn2App;
class CZarn2Doc;
class CZarn2View;
class QMenu;
class QSessionManager;
class QToolBar;

// The launcher's only top-level window: fixed at 750 x 510, holding the main menu, the
// toolbar, the status bar (counters and clock) and the main view. It remembers where it
// stood, refuses to close while a title runs with history recording, and agrees at once
// when the desktop session ends. While the launcher is in front it keeps the desktop from
// mounting and auto-running inserted discs (AutomountWhileActive).
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The status clock ticks just past each second of the wall clock (the time it shows
    // is read from a clock that may turn its second a few milliseconds late).
    static constexpr int kClockPastTheSecondMs = 20;

    explicit CMainFrame(CZarn2App& app);
    ~CMainFrame() override;

    // The action of a command id (menus, context menus and toolbar share it), or nullptr.
    QAction* Action(int id) const { return m_actions.Get(id); }
    const CCommandActions& Actions() const { return m_actions; }
    // Submenu at a position of the main menu, or nullptr.
    QMenu* SubMenu(int position) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    CMainStatusBar* StatusPanes() const { return m_pStatus; }

    void SetGenreCounter(int current, int total);
    void SetTitleCounter(int current, int total);

    // The position stored for the next start.
    CSettings::Point SavedPosition() const { return m_saved; }
    // The position to store for a window at `topLeft`: itself on the screen, otherwise
    // the window centred on the screen.
    static CSettings::Point TrackedPosition(int x, int y, int screenWidth, int screenHeight);
    // Where a window whose frame would stand at `frame` goes so that all of it shows: on
    // the screen (of `screens`, their available areas) that shows most of it, or the
    // nearest one when none does, moved no further than needed. A position saved on a PC
    // with other screens lands on one of this PC's.
    static QPoint OnScreens(const QRect& frame, const QList<QRect>& screens);
    // What the window's frame is taken to add around it before it is shown (the desktop's
    // title bar and borders).
    static constexpr QMargins kFrameAllowance{8, 36, 8, 8};

    CZarn2View* m_pView = nullptr;  // set by the view when it initialises
    CZarn2Doc* m_pDoc = nullptr;    // likewise; the frame does not use it

    // Whether the status clock ticks: not while the window is minimised.
    bool ClockRunning() const { return m_clock.isActive(); }

public Q_SLOTS:
    void UpdateClock();

protected:
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void OnCommitDataRequest(QSessionManager& manager);
    // Shows the time and sets the next tick.
    void TickClock();
    // Sets the next tick just past the wall clock's next second.
    void ArmClock();

    CZarn2App& m_app;
    CSettings::Point m_saved;
    CCommandActions m_actions;
    QToolBar* m_pToolBar;
    CMainStatusBar* m_pStatus;
    QTimer m_clock;
};
