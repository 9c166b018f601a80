// The statistics refresh of the main view for a title with a 256-session and with a
// 10,000-session log, against the floor of just reading the log and splitting its lines.
//
//   lines/N    read the log file and split it into lines, nothing else
//   readlog/N  CMember::ReadLog: parse every session, session and day figures
//   refresh/N  the view's UpdateStatistics: the figures above plus the five fields, the
//              history list pointed at the history (its rows are read as they are shown),
//              laid out, scrolled to its end and marked, the status counters
//   painted/N  the refresh and the window's repaint that follows it
//   clock      one tick of the status bar clock showing a new second, with its repaint
//              (what the launcher does twice a second while a title plays)
#include "EventPump.h"
#include "BenchCollect.h"
#include "BenchFixture.h"
#include "BenchMessenger.h"
#include "BenchReport.h"
#include "FakeClock.h"

#include "app/CMainFrame.h"
#include "app/CZarn2Shell.h"
#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "view/CHistoryList.h"
#include "view/CZarn2View.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstring>
#include <string_view>

namespace {

const int kSizes[] = {256, 10000};

// Index of the title holding a log of `sessions` sessions.
int TitleOf(int sessions) { return sessions == 256 ? 0 : 1; }

// Every benchmark: five repetitions, their median kept.
void Measured(benchmark::internal::Benchmark* b)
{
    b->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchMessenger messenger;

    // One genre of two titles: 256 sessions and 10,000 sessions.
    std::string folder = BenchFixture::TempFolder("stats");
    BenchFixture::Library shape;
    shape.genres = 1;
    shape.titles = 2;
    shape.sessions = 256;
    shape.currMember = 0;
    std::string exe = BenchFixture::WriteProgramFolder(folder, shape);
    std::string genreDir = folder + "/Zarn/" + BenchFixture::GenreName(0);
    BenchFixture::WriteBytes(genreDir + "/" + BenchFixture::TitleName(0, 1) + ".Log",
                             BenchFixture::LogText(10000, 7));

    CZarn2App app;
    if (app.Construct(exe, 1280, 1024) != 0)
        return 3;
    CZarn2Shell shell(app);
    shell.InitInstance();
    ProcessEventsFor(300);
    CZarn2Doc& doc = *shell.Document();
    CZarn2View& view = *shell.View();

    for (int sessions : kSizes) {
        const int title = TitleOf(sessions);
        CMember& member = doc.m_Group[0].m_Member[static_cast<size_t>(title)];
        const std::string path = member.m_szLogFile;
        Measured(benchmark::RegisterBenchmark(("lines/" + std::to_string(sessions)).c_str(), [path](benchmark::State& state) {
            std::string bytes;
            std::vector<std::string_view> lines;
            for (auto _ : state)
                benchmark::DoNotOptimize(BenchFixture::ReadLines(path, bytes, lines));
        }));
        Measured(benchmark::RegisterBenchmark(("readlog/" + std::to_string(sessions)).c_str(),
                                     [&member, sessions](benchmark::State& state) {
                                         for (auto _ : state) {
                                             if (member.ReadLog() != sessions)
                                                 state.SkipWithError("wrong session count");
                                         }
                                     }));
        Measured(benchmark::RegisterBenchmark(("refresh/" + std::to_string(sessions)).c_str(),
                                     [&doc, &view, title, sessions](benchmark::State& state) {
                                         doc.SetCurrMember(title);
                                         for (auto _ : state)
                                             view.UpdateStatistics();
                                         if (view.m_listHistory->RowCount() != sessions ||
                                             view.m_listHistory->MarkedRow() != sessions - 1)
                                             state.SkipWithError("history list not shown or not marked");
                                     }));
        Measured(benchmark::RegisterBenchmark(("painted/" + std::to_string(sessions)).c_str(),
                                     [&doc, &view, title](benchmark::State& state) {
                                         doc.SetCurrMember(title);
                                         for (auto _ : state) {
                                             view.UpdateStatistics();
                                             QCoreApplication::processEvents();
                                         }
                                     }));
    }
    CMainFrame& frame = *shell.MainWindow();
    Measured(benchmark::RegisterBenchmark("clock", [&frame](benchmark::State& state) {
        FakeClock clock;
        for (auto _ : state) {
            clock.now.second = (clock.now.second + 1) % 60;
            frame.UpdateClock();
            QCoreApplication::processEvents();
        }
    }));
    BenchCollect collect;
    benchmark::RunSpecifiedBenchmarks(&collect);
    shell.MainWindow()->hide();
    BenchFixture::RemoveTree(folder);  // nothing is written any more: the program ends below

    using BenchReport::Printf;
    const double lines = collect.Us("lines/10000");
    const double refreshSmall = collect.Us("refresh/256");
    const double refreshLarge = collect.Us("refresh/10000");
    const double growth = (refreshLarge / 10000.0) / (refreshSmall / 256.0);
    std::printf("refresh, CPU time: %.1f us for 256 sessions, %.1f us for 10,000; ReadLog alone %.1f / %.1f us; "
                "lines alone %.1f / %.1f us; with the repaint %.1f / %.1f us\n",
                refreshSmall, refreshLarge, collect.Us("readlog/256"), collect.Us("readlog/10000"),
                collect.Us("lines/256"), lines, collect.Us("painted/256"), collect.Us("painted/10000"));
    std::printf("status clock: %.1f us a tick showing a new second, repaint included\n", collect.Us("clock"));
    std::printf("ReadLog of 10,000 sessions: %.1fx the lines\n", collect.Us("readlog/10000") / lines);
    BenchReport::Figure("3a. refresh growth: cost/session at 10,000 vs at 256", Printf("%.2fx", growth),
                        "<= 1.50x (linear)", growth <= 1.5);
    const double ratio = refreshLarge / lines;
    BenchReport::Figure("3b. 10,000-session refresh vs reading+splitting lines",
                        Printf("%.2fx (%.0f / %.0f us)", ratio, refreshLarge, lines), "<= 5.00x", ratio <= 5.0);

    std::fflush(stdout);
    ::_exit(0);  // the library's files are in a folder that is gone
}
