#include "app/CZarn2Application.h"

#include "app/CMainFrame.h"
#include "app/CZarn2App.h"
#include "app/CZarn2Shell.h"
#include "app/InstanceChannel.h"
#include "app/InstanceServer.h"
#include "app/QtMessenger.h"
#include "app/QtTranslations.h"
#include "app/Resources.h"
#include "app/XcbFlushOverSocket.h"
#include "app/ProgramPaths.h"
#include "launch/SessionEnd.h"
#include "platform/FileSystem.h"
#include "platform/DesktopIdleSource.h"
#include "platform/GnomeAutomountInhibitor.h"
#include "platform/UdisksMountControl.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

namespace {

// How long a second start waits for the running launcher to answer.
constexpr int kRaiseTimeoutMs = 5000;

// A second start on a home folder: the running launcher comes to the front, or the user
// is told it is running.
int HandOver(const CZarn2App& app)
{
    if (InstanceChannel::AskToRaise(InstanceChannel::NameFor(app.m_szHomeDir), kRaiseTimeoutMs))
        return 0;
    Messenger::Show("Zarn2 は既に起動しています。");
    return CZarn2App::kAlreadyRunning;
}

}  // namespace

namespace CZarn2Application {

int Run(int argc, char* argv[])
{
    XcbFlushOverSocket::Before();
    QApplication qapp(argc, argv);
    XcbFlushOverSocket::After();
    return Run(qapp, ProgramPaths::ForRunningBinary());
}

int Run(QApplication& qapp, const ProgramPaths& paths)
{
    // From here on, a log-out ends the launcher through its own end steps.
    SessionEnd sessionEnd;
    QtTranslations::InstallJapanese(qapp);
    Zarn2InitResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarn2.png")));
    QtMessenger messenger;
    Messenger::Override useMessenger(messenger);
    GnomeAutomountInhibitor automount;
    AutomountInhibitor::Override useAutomount(automount);
    UdisksMountControl mounts;
    MountControl::Override useMounts(mounts);
    DesktopIdleSource idle;
    IdleSource::Override useIdle(idle);

    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->size();
    CZarn2App app;
    int started = app.Construct(paths, screen.width(), screen.height());
    if (started == CZarn2App::kAlreadyRunning)
        return HandOver(app);
    if (started != 0)
        return started;  // a working folder or the lock file that cannot be used, after its message

    int rc = 0;
    {
        InstanceServer instances(InstanceChannel::NameFor(app.m_szHomeDir));
        CZarn2Shell shell(app);
        if (shell.InitInstance()) {
            instances.SetWindow(shell.MainWindow());
            if (!sessionEnd.Requested())  // the session ended during the start's questions
                rc = QApplication::exec();
        }
    }  // the window and the library go first: the library writes its files
    app.Teardown();
    return rc;
}

}  // namespace CZarn2Application
