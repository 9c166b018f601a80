#pragma once

#include "launch/CQtPlayUi.h"

#include <memory>
#include <optional>

class CAppCommands;
class DataFolderWatch;
class JournalKeeper;
class DiskChangeFollower;
class CMainFrame;
class CZarn2App;
class CZarn2Doc;
class CZarn2View;

// What the start steps create after the application object: the library document, the
// main frame and the view; destroyed (library saved) before the application's teardown.
class CZarn2Shell {
public:
    explicit CZarn2Shell(CZarn2App& app);
    ~CZarn2Shell();
    CZarn2Shell(const CZarn2Shell&) = delete;
    CZarn2Shell& operator=(const CZarn2Shell&) = delete;

    // Loads the library, creates and shows the main window; false ends the program.
    bool InitInstance();
    // The parts before the window is shown, the folders watched (tests show it themselves).
    void Create();

    CMainFrame* MainWindow() const { return m_pFrame.get(); }
    CZarn2Doc* Document() const { return m_pDoc.get(); }
    CZarn2View* View() const { return m_pView; }
    // The watch on the library's folders: connect to its Changed to hear of changes made
    // elsewhere (the view reloads the library from it).
    DataFolderWatch* FolderWatch() const { return m_pWatch.get(); }

private:
    // The library, the window and the view, and the watch not yet following the folders;
    // `sweepLater` leaves the start's passes over the folders to the watch's Begin.
    void Build(bool sweepLater);

    CZarn2App& m_app;
    std::unique_ptr<JournalKeeper> m_pJournal;  // this PC's change journal; outlives the library
    std::unique_ptr<CZarn2Doc> m_pDoc;
    std::unique_ptr<DataFolderWatch> m_pWatch;
    std::unique_ptr<CMainFrame> m_pFrame;
    CZarn2View* m_pView = nullptr;  // owned by the frame
    DiskChangeFollower* m_pFollower = nullptr;  // owned by the view
    CQtPlayUi m_playUi;             // the play's window steps on the main window
    std::optional<PlayUi::Override> m_usePlayUi;  // while the window exists
};
