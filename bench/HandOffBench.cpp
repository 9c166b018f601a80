// One look for the game a title handed its start to, over 1,000 processes of this user
// besides the machine's own (children of this program that wait in pause()):
//
//   search  a look while the game is looked for (once a second, up to the grace time), none
//           of the processes started since the play began: the processes are listed, and
//           those the look before had read are not read again
//   first   the play's first look: the stat line of every process, and every one of them
//           read further (executable, command line, environment, sandbox) for a copy of
//           the game already open
// Each iteration times its look alone, in the thread's CPU time.
#include "BenchCollect.h"
#include "BenchReport.h"

#include "launch/GameLook.h"
#include "launch/GameMarks.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr int kProcesses = 1000;

std::size_t g_processes = 0;  // of this user during the looks

void Look(benchmark::State& state, bool first)
{
    const GameMarks marks = GameMarks::Of({"steam://rungameid/1"}, "");
    // The play began after every process; a search keeps its list from look to look.
    UserProcessList processes(UserProcesses::BootMsNow() + 1000);
    GameLook::Run(marks, processes, false);
    for (auto _ : state) {
        UserProcessList fresh(processes.SinceMs());
        UserProcessList& list = first ? fresh : processes;
        const double start = BenchCollect::ThreadCpuSeconds();
        GameLook::Result result = GameLook::Run(marks, list, first);
        state.SetIterationTime(BenchCollect::ThreadCpuSeconds() - start);
        if (!result.found.empty() || result.openCopy)
            state.SkipWithError("a process matched");
    }
}

void Search(benchmark::State& state)
{
    Look(state, false);
}

void First(benchmark::State& state)
{
    Look(state, true);
}

void Configure(benchmark::internal::Benchmark* b)
{
    b->UseManualTime()->Iterations(20)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(Search)->Apply(Configure);
BENCHMARK(First)->Apply(Configure);

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    std::vector<pid_t> children;
    for (int i = 0; i < kProcesses; ++i) {
        pid_t pid = ::fork();
        if (pid == 0) {
            ::pause();
            ::_exit(0);
        }
        if (pid > 0)
            children.push_back(pid);
    }
    g_processes = UserProcessList(0).List().size();

    BenchCollect collect(BenchCollect::Column::Reported);
    benchmark::RunSpecifiedBenchmarks(&collect);
    for (pid_t pid : children) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }

    using BenchReport::Printf;
    const double search = collect.Us("Search") / 1000;
    const double first = collect.Us("First") / 1000;
    const double count = static_cast<double>(g_processes);
    BenchReport::Figure("8a. one look for a handed-off game (searching)",
                        Printf("%.2f ms over %.0f processes", search, count), "<= 10 ms (1 % of a core)",
                        children.size() == kProcesses && search <= 10);
    BenchReport::Figure("8b. the play's first look, older processes read too",
                        Printf("%.2f ms over %.0f processes", first, count), "<= 50 ms (once a play)",
                        children.size() == kProcesses && first <= 50);
    return 0;
}
