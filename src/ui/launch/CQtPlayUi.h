#pragma once

#include "launch/IPlayUi.h"

#include <QPointer>

class CWaitingDlg;
#include <QWidget>

// The play's window steps on the main window, and the "プレイ中" dialog. The dialog has
// no owner window: it stays on screen while the main window is minimised, and it blocks
// the whole application until it is ended.
class CQtPlayUi final : public IPlayUi {
public:
    explicit CQtPlayUi(QWidget* mainWindow = nullptr) : m_pMainWindow(mainWindow) {}
    void SetMainWindow(QWidget* mainWindow) { m_pMainWindow = mainWindow; }

    void MinimizeMainWindow() override;
    void RestoreMainWindow() override;
    void RunWaitingDialog(const CPlayTime& clock, bool noClock) override;
    void ShowStillRunning(const CPlayTime& clock, const std::string& running,
                          const std::function<void()>& end) override;
    void CloseStillRunning() override;

private:
    QPointer<QWidget> m_pMainWindow;
    QPointer<CWaitingDlg> m_pStillRunning;
};
