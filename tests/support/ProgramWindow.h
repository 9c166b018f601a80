#pragma once

#include "FakeClock.h"
#include "ProgramFolder.h"

#include "app/CMainFrame.h"
#include "app/CZarn2Shell.h"
#include "view/CZarn2View.h"

#include <QTest>

#include <memory>

// A program folder after the start steps, with the main window opened on its library
// (offscreen) and a fake clock.
class ProgramWindow : public ProgramFolder {
public:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

    ProgramWindow()
    {
        app.Construct(dir / "Zarn2", kScreenWidth, kScreenHeight);
        messenger.Clear();  // the missing settings file is reported on a first start
    }
    ~ProgramWindow() { Close(); }

    // Loads the library and opens the main window on it.
    CZarn2View& Open()
    {
        shell = std::make_unique<CZarn2Shell>(app);
        shell->Create();
        shell->MainWindow()->show();
        if (!QTest::qWaitForWindowExposed(shell->MainWindow()))
            qWarning("main window not exposed");
        return *shell->View();
    }
    void Close() { shell.reset(); }

    CMainFrame& Frame() const { return *shell->MainWindow(); }
    CZarn2Doc& Doc() const { return *shell->Document(); }

    FakeClock clock;
    std::unique_ptr<CZarn2Shell> shell;
};
