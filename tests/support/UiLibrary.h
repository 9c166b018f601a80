#pragma once

#include "FakeClock.h"
#include "ScriptedMessenger.h"
#include "TempDir.h"

#include "app/CMainFrame.h"
#include "app/CZarn2Shell.h"
#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "view/CZarn2View.h"

#include <QTest>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A program folder in a temporary folder with a library built through the library's own
// operations, and the main window opened on it (offscreen).
class UiLibrary {
public:
    UiLibrary()
    {
        app.Construct(dir / "Zarn2", kScreenWidth, kScreenHeight);
        messenger.Clear();  // the missing settings file is reported on a first start
    }
    ~UiLibrary() { Close(); }

    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

    // Changes the library on disk through a document of its own.
    template <class Fill>
    void Build(Fill fill)
    {
        auto doc = std::make_unique<CZarn2Doc>(&app);
        doc->OnNewDocument();
        fill(*doc);
        doc->OnCloseDocument();
    }

    // A genre with `titles` titles named "<genre>-<n>" (the last one current).
    static void AddGenre(CZarn2Doc& doc, const std::string& genre, int titles)
    {
        doc.AddGroup(genre, 0);
        for (int i = 0; i < titles; ++i)
            doc.AddMember(genre + "-" + std::to_string(i), "/usr/bin/true", "/usr/bin/true", 1, 0);
    }

    // Log of a title: one session per (start "YYYY/MM/DD,hh:mm:ss", seconds).
    void WriteLog(const std::string& genre, const std::string& title,
                  const std::vector<std::pair<std::string, long>>& sessions) const
    {
        std::string text;
        for (const auto& [start, seconds] : sessions)
            text += start + "\r\n" + std::to_string(seconds) + "\r\n";
        TempDir::WriteBytes(LogPath(genre, title), text);
    }
    std::string LogPath(const std::string& genre, const std::string& title) const
    {
        return app.m_szDataDir + "/" + genre + "/" + title + ".Log";
    }

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

    TempDir dir;
    ScriptedMessenger messenger;
    FakeClock clock;
    CZarn2App app;
    std::unique_ptr<CZarn2Shell> shell;
};
