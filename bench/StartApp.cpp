// The launcher's start, as the program makes it, on the program folder named by the first
// argument; it ends as soon as the main window has been shown (see ShowProbe).
#include "BenchMessenger.h"
#include "ShowProbe.h"

#include "app/CMainFrame.h"
#include "app/CZarn2Shell.h"
#include "app/Resources.h"
#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "view/CHistoryList.h"
#include "view/CReportList.h"
#include "view/CZarn2View.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    QApplication qapp(argc, argv);
    CZarn2Shell* shown = nullptr;
    // What was shown must be the whole library with the current title's history.
    ShowProbe probe([&shown] {
        CZarn2Doc* doc = shown ? shown->Document() : nullptr;
        CMember* member = doc ? doc->CurrMember() : nullptr;
        int rows = shown && shown->View() ? shown->View()->m_listHistory->RowCount() : -1;
        int titles = shown && shown->View() ? shown->View()->m_listMember->topLevelItemCount() : -1;
        if (!member || doc->m_nGroupCount != 32 || titles != 127 || member->m_nSessionCount != 256 || rows != 256) {
            std::fprintf(stderr, "the window does not show the library (%d titles, %d history rows)\n", titles, rows);
            std::fflush(stderr);
            ::_exit(7);
        }
    });
    Zarn2InitResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarn2.png")));
    BenchMessenger messenger;

    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->size();
    CZarn2App app;
    if (app.Construct(folder + "/Zarn2", screen.width(), screen.height()) != 0)
        return CZarn2App::kExitFolderFailure;
    CZarn2Shell shell(app);
    shown = &shell;
    if (std::getenv("ZARN2_BENCH_PHASES") != nullptr) {
        // The same steps as InitInstance, timed one by one (for profiling by hand).
        auto lap = [start = std::chrono::steady_clock::now()](const char* what) {
            std::fprintf(stderr, "%7.2f ms  %s\n",
                         std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
                         what);
        };
        lap("application object constructed");
        // ZARN2_BENCH_PHASES=<n>: the library is loaded n times more, on its own.
        for (int i = std::max(std::atoi(std::getenv("ZARN2_BENCH_PHASES")), 1); i > 0; --i) {
            auto library = std::make_unique<CZarn2Doc>(app);
            library->OnNewDocument();
            lap("library loaded once more, on its own, for its time");
        }
        lap("that library released");
        shell.Create();
        lap("library loaded, main window and view created and filled");
        shell.MainWindow()->show();
        lap("shown");
    } else if (!shell.InitInstance()) {
        return 6;
    }
    return QApplication::exec();
}
