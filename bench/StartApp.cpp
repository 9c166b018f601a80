// The launcher's start, as the program makes it (CZarn2Application::Run: translations,
// resources, the run's lock, the instance channel, the library, the main window), on the
// program folder named by the first argument; it ends as soon as the main window has been
// painted (see ShowProbe).
//
//   zarn2_bench_start_app <program folder>
//   ZARN2_BENCH_PHASES=<n> zarn2_bench_start_app <program folder>: the start steps timed one
//   by one instead, the library loaded n more times on its own (for profiling by hand)
#include "BenchMessenger.h"
#include "ShowProbe.h"

#include "app/CMainFrame.h"
#include "app/CZarn2Application.h"
#include "app/CZarn2Shell.h"
#include "app/ProgramPaths.h"
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
#include <ctime>
#include <memory>
#include <string>

namespace {

// What was shown must be the whole library with the current title's history.
void CheckShown()
{
    CMainFrame* frame = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<CMainFrame*>(widget))
            frame = found;
    CZarn2Doc* doc = frame ? frame->m_pDoc : nullptr;
    CZarn2View* view = frame ? frame->m_pView : nullptr;
    CMember* member = doc ? doc->CurrMember() : nullptr;
    int rows = view ? view->m_listHistory->RowCount() : -1;
    int titles = view ? view->m_listMember->topLevelItemCount() : -1;
    if (!member || doc->m_nGroupCount != 32 || titles < 127 || titles != doc->GetMemberCount() ||
        member->m_nSessionCount != 256 || rows != 256) {
        std::fprintf(stderr, "the window does not show the library (%d titles, %d history rows)\n", titles, rows);
        std::fflush(stderr);
        ::_exit(7);
    }
}

// The start steps one by one, timed.
int Phases(const std::string& folder, int loads)
{
    BenchMessenger messenger;
    Zarn2InitResources();
    // Wall time and the main thread's CPU time since the steps began, and the CPU time of
    // the step itself.
    auto cpu = [] {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
    };
    auto lap = [start = std::chrono::steady_clock::now(), cpuStart = cpu(), last = cpu(), &cpu](const char* what) mutable {
        double now = cpu();
        std::fprintf(stderr, "%7.2f ms wall %7.2f ms CPU (step %6.2f)  %s\n",
                     std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
                     now - cpuStart, now - last, what);
        last = now;
    };
    CZarn2App app;
    if (app.Construct(folder + "/Zarn2", 1280, 1024) != 0)
        return CZarn2App::kExitFolderFailure;
    lap("application object constructed");
    for (int i = std::max(loads, 1); i > 0; --i) {
        auto library = std::make_unique<CZarn2Doc>(app);
        library->OnNewDocument();
        lap("library loaded once more, on its own, for its time");
    }
    lap("that library released");
    CZarn2Shell shell(app);
    shell.Create();
    lap("library loaded, main window and view created and filled");
    shell.MainWindow()->show();
    lap("shown");
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    QApplication qapp(argc, argv);
    ShowProbe probe(CheckShown);
    if (const char* phases = std::getenv("ZARN2_BENCH_PHASES"))
        return Phases(folder, std::atoi(phases));
    return CZarn2Application::Run(qapp, ProgramPaths::Portable(folder + "/Zarn2"));
}
