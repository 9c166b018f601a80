#include "app/CZarn2Application.h"

#include "app/CZarn2App.h"
#include "app/CZarn2Shell.h"
#include "app/QtMessenger.h"
#include "app/QtTranslations.h"
#include "app/Resources.h"
#include "app/ProgramPaths.h"
#include "platform/FileSystem.h"
#include "platform/GnomeAutomountInhibitor.h"
#include "platform/UdisksMountControl.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

namespace CZarn2Application {

int Run(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    QtTranslations::InstallJapanese(qapp);
    Zarn2InitResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarn2.png")));
    QtMessenger messenger;
    Messenger::Override useMessenger(messenger);
    GnomeAutomountInhibitor automount;
    AutomountInhibitor::Override useAutomount(automount);
    UdisksMountControl mounts;
    MountControl::Override useMounts(mounts);

    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->size();
    CZarn2App app;
    if (app.Construct(ProgramPaths::ForRunningBinary(), screen.width(), screen.height()) != 0)
        return CZarn2App::kExitFolderFailure;

    int rc = 0;
    {
        CZarn2Shell shell(app);
        if (shell.InitInstance())
            rc = QApplication::exec();
    }  // the window and the library go first: the library writes its files
    app.Teardown();
    return rc;
}

}  // namespace CZarn2Application
