// Reordering and moving titles with empty histories and with 10,000-session histories held
// in memory by every title involved; the two should cost the same.
//
//   top/<h>   the reorder dialog's "▲" on the last title of a 127-title genre: the chain of
//             SwapMembers up to the first slot, then that slot made current
//   move/<h>  MoveMember of the last title between two genres of 127 and 127 titles (one
//             way, then back on the next iteration), files rewritten as the command does
// Each iteration times its operation alone, in the thread's CPU time.
#include "BenchCollect.h"
#include "BenchFixture.h"
#include "BenchMessenger.h"
#include "BenchReport.h"

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"

#include <memory>

namespace {

constexpr int kTitles = 127;
constexpr int kIterations = 40;

struct Library {
    std::string folder;
    CZarn2App app;
    std::unique_ptr<CZarn2Doc> doc;
    CPlayHistory history;  // 10,000 sessions
};

Library* g_lib = nullptr;

// Gives every title of the genre the long history, or an empty one (not timed). Only what
// an operation has released is given again, so the caches stay as the operation left them.
void LoadHistories(CGroup& group, bool longHistory)
{
    for (int i = 0; i < group.m_nMemberCount; ++i) {
        CPlayHistory& held = group.m_Member[static_cast<size_t>(i)];
        if (!longHistory)
            held.ReleaseHistory();
        else if (held.m_Session.size() != g_lib->history.m_Session.size())
            held = g_lib->history;
    }
}

void Top(benchmark::State& state)
{
    const bool longHistory = state.range(0) > 0;
    CZarn2Doc& doc = *g_lib->doc;
    doc.SetCurrGroup(0);
    CGroup& group = *doc.CurrGroup();
    for (auto _ : state) {
        LoadHistories(group, longHistory);
        doc.SetCurrMember(group.m_nMemberCount - 1);
        const double start = BenchCollect::ThreadCpuSeconds();
        for (int i = group.m_nCurrMember; i >= 1; --i)
            doc.SwapMembers(i, i - 1);
        doc.SetCurrMember(0);
        state.SetIterationTime(BenchCollect::ThreadCpuSeconds() - start);
    }
}

void Move(benchmark::State& state)
{
    const bool longHistory = state.range(0) > 0;
    CZarn2Doc& doc = *g_lib->doc;
    for (auto _ : state) {
        // From the fuller genre to the other one.
        int from = doc.m_Group[0].m_nMemberCount >= doc.m_Group[1].m_nMemberCount ? 0 : 1;
        doc.SetCurrGroup(from);
        LoadHistories(doc.m_Group[0], longHistory);
        LoadHistories(doc.m_Group[1], longHistory);
        doc.SetCurrMember(doc.m_Group[static_cast<size_t>(from)].m_nMemberCount - 1);
        const double start = BenchCollect::ThreadCpuSeconds();
        int moved = doc.MoveMember(1 - from);
        state.SetIterationTime(BenchCollect::ThreadCpuSeconds() - start);
        if (moved != 1 - from)
            state.SkipWithError("the title was not moved");
    }
}

void Configure(benchmark::internal::Benchmark* b)
{
    b->Arg(0)->Arg(10000)->ArgName("history")->UseManualTime()->Iterations(kIterations)->Repetitions(5)
        ->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(Top)->Apply(Configure);
BENCHMARK(Move)->Apply(Configure);

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    BenchMessenger messenger;
    auto lib = std::make_unique<Library>();
    g_lib = lib.get();
    // In memory when the system offers it: the disk's flush times would hide the figure.
    lib->folder = BenchFixture::TempFolder("reorder", "/dev/shm");
    BenchFixture::Library shape;
    shape.genres = 2;
    shape.titles = kTitles;
    shape.sessions = 0;
    std::string exe = BenchFixture::WriteProgramFolder(lib->folder, shape);
    std::string longLog = lib->folder + "/Temp/long.Log";
    BenchFixture::WriteBytes(longLog, BenchFixture::LogText(10000, 3));
    if (lib->history.ReadLog(longLog) != 10000 || lib->app.Construct(exe, 1280, 1024) != 0)
        return 1;
    lib->doc = std::make_unique<CZarn2Doc>(lib->app);
    lib->doc->OnNewDocument();
    if (lib->doc->m_nGroupCount != 2 || lib->doc->m_Group[0].m_nMemberCount != kTitles)
        return 1;

    BenchCollect collect(BenchCollect::Column::Reported);  // the timed part's CPU time
    benchmark::RunSpecifiedBenchmarks(&collect);
    lib->doc.reset();  // the files stay as they are: the folder goes next
    BenchFixture::RemoveTree(lib->folder);

    using BenchReport::Printf;
    const double top0 = collect.Us("Top/history:0");
    const double top1 = collect.Us("Top/history:10000");
    const double move0 = collect.Us("Move/history:0");
    const double move1 = collect.Us("Move/history:10000");
    BenchReport::Figure("5a. move to top of 127 (SwapMembers): 10,000 vs 0 sessions",
                        Printf("%.2fx (%.1f / %.1f us)", top1 / top0, top1, top0), "~1 (<= 1.50x)",
                        top1 / top0 <= 1.5);
    BenchReport::Figure("5b. MoveMember between full genres: 10,000 vs 0 sessions",
                        Printf("%.2fx (%.0f / %.0f us)", move1 / move0, move1, move0), "~1 (<= 1.50x)",
                        move1 / move0 <= 1.5);
    return 0;
}
