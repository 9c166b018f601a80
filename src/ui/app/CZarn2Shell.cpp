#include "app/CZarn2Shell.h"

#include "app/AfterFirstPaint.h"
#include "app/CAppCommands.h"
#include "app/CMainFrame.h"
#include "app/CommandRouter.h"
#include "app/CZarn2App.h"
#include "app/CommandIds.h"
#include "charts/CChartCommands.h"
#include "launch/IPlayUi.h"
#include "launch/CDiscCommands.h"
#include "launch/LostPlay.h"
#include "library/CZarn2Doc.h"
#include "sync/DataFolderWatch.h"
#include "platform/InotifyFolderWatch.h"
#include "sync/JournalId.h"
#include "sync/JournalKeeper.h"
#include "sync/SharedLibrary.h"
#include "view/CZarn2View.h"
#include "view/DiskChangeFollower.h"

CZarn2Shell::CZarn2Shell(CZarn2App& app) : m_app(app) {}

CZarn2Shell::~CZarn2Shell()
{
    // The window and its view go first (the frame hands its position to the settings),
    // then the library writes the genre list file and every genre file.
    m_usePlayUi.reset();
    m_pView = nullptr;
    m_pFrame.reset();
    m_pWatch.reset();
    if (m_pDoc)
        m_pDoc->OnCloseDocument();
    m_pDoc.reset();
}

void CZarn2Shell::Build(bool sweepLater)
{
    m_pDoc = std::make_unique<CZarn2Doc>(m_app);
    // Every change of a library shared with other PCs is written down for them.
    if (SharedLibrary::Is(m_app)) {
        m_pJournal = std::make_unique<JournalKeeper>(m_app, JournalId::Of(m_app));
        m_pDoc->AttachJournal(m_pJournal.get());
    }
    m_pDoc->OnNewDocument(sweepLater);
    m_pFrame = std::make_unique<CMainFrame>(m_app);
    m_pView = new CZarn2View(m_app, *m_pDoc, *m_pFrame);
    m_pFrame->setCentralWidget(m_pView);
    m_playUi.SetMainWindow(m_pFrame.get());
    m_usePlayUi.emplace(m_playUi);
    CommandRouter::ConnectApp(*m_pFrame, *new CAppCommands(m_app, m_pFrame.get()));
    CommandRouter::ConnectDisc(*m_pFrame, *new CDiscCommands(m_pFrame.get()));
    CommandRouter::ConnectView(*m_pFrame, *m_pView);
    CommandRouter::ConnectCharts(*m_pFrame, *m_pView,
                                 *new CChartCommands(*m_pDoc, m_pFrame.get(),
                                                     m_pFrame->Action(CommandId::ID_PLAY_CHART)));
    m_pView->OnInitialUpdate();
    m_pWatch = std::make_unique<DataFolderWatch>(std::make_unique<InotifyFolderWatch>());
    m_pFollower = new DiskChangeFollower(*m_pDoc, *m_pView, *m_pWatch);
}

void CZarn2Shell::Create()
{
    Build(false);
    m_pFollower->Begin();
}

bool CZarn2Shell::InitInstance()
{
    Build(true);
    m_pFollower->Hold();
    m_pFrame->show();
    // Watching every genre's folder, and the passes over them for leftover temporaries and
    // conflict copies, cost the kernel a look at each of their files: they come once the
    // window is on the screen (the passes as soon as no message or dialog is open), and
    // what they merged shows as any change made on disk meanwhile.
    AfterFirstPaint::Run(m_pFrame.get(), [follower = m_pFollower] { follower->Begin(); });
    // A play the last run could not record is offered now, over the shown window.
    if (LostPlay::Recover(*m_pDoc, m_app))
        m_pView->UpdateStatistics();
    m_pFollower->Release();
    return true;
}
