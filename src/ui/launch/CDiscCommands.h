#pragma once

#include "launch/PaintingWaiter.h"
#include "launch/QtMediaPrompt.h"

#include <QObject>

// The disc commands of the menu "オプション(&O)" and the toolbar: open the tray, close
// the tray, install from disc. Each rescans the drive table first; their results are not
// examined. While it lives, the drive sequences use the window's prompt (CMediaDlg) and a
// waiter that keeps the windows painting; the drive table is scanned on construction.
class CDiscCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int ID_INSTALL = 32817;
    static constexpr int ID_TRAY_OPEN = 32821;
    static constexpr int ID_TRAY_CLOSE = 32823;

    explicit CDiscCommands(QObject* parent = nullptr);

public Q_SLOTS:
    void OnTrayOpen();
    void OnTrayClose();
    void OnInstall();

private:
    QtMediaPrompt m_prompt;
    PaintingWaiter m_waiter;
    MediaPrompt::Override m_usePrompt{m_prompt};
    Waiter::Override m_useWaiter{m_waiter};
};
