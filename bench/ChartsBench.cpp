// The play chart window over a library of 32 genres × 127 titles, each with a 256-session
// log (1,040,384 plays), against the floor of reading all those logs and splitting their
// lines. Every time is the process's CPU time (system calls included), the minimum of five
// runs, which shows the program's cost and not the machine's load; medians and wall times
// are printed beside them.
//
//   floor    every log read in large pieces and cut into lines, nothing else
//   open     in a fresh process each run: the chart module loaded (with Qt Charts), the
//            window made, its ranking over the whole library worked out from logs not yet
//            read, shown, up to the end of its first paint
//   refresh  the statistics refresh with the window open (the library and every log's
//            stamp looked at again, the shown tab's figures taken)
//   switch   after such a refresh, showing another tab (the hour grid over the whole
//            library) up to the end of its paint; nothing changed, so nothing is worked out
#include "BenchFixture.h"
#include "BenchMessenger.h"
#include "BenchReport.h"
#include "FakeClock.h"

#include "app/CZarn2App.h"
#include "charts/CChartCommands.h"
#include "charts/ChartModule.h"
#include "charts/IChartWindowFactory.h"
#include "library/CZarn2Doc.h"
#include "stats/ChartFigures.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>
#include <vector>

namespace {

constexpr int kRuns = 5;

std::vector<std::string> LogPaths(const CZarn2Doc& doc)
{
    std::vector<std::string> paths;
    for (int g = 0; g < doc.m_nGroupCount; ++g)
        for (int t = 0; t < doc.m_Group[static_cast<size_t>(g)].m_nMemberCount; ++t)
            paths.push_back(doc.m_Group[static_cast<size_t>(g)].m_Member[static_cast<size_t>(t)].m_szLogFile);
    return paths;
}

// The process's CPU time and the wall clock, in milliseconds.
struct Stopwatch {
    std::int64_t cpuNs = CpuNs();
    QElapsedTimer wall;
    Stopwatch() { wall.start(); }
    static std::int64_t CpuNs()
    {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }
    double CpuMs() const { return static_cast<double>(CpuNs() - cpuNs) / 1e6; }
    double WallMs() const { return static_cast<double>(wall.nsecsElapsed()) / 1e6; }
};

struct Times {
    std::vector<double> cpu;
    std::vector<double> wall;
    void Add(double cpuMs, double wallMs)
    {
        cpu.push_back(cpuMs);
        wall.push_back(wallMs);
    }
    void Add(const Stopwatch& watch) { Add(watch.CpuMs(), watch.WallMs()); }
    double Min() const { return cpu.empty() ? 0 : *std::min_element(cpu.begin(), cpu.end()); }
    std::string Text() const
    {
        return BenchReport::Printf("%.1f ms CPU (median %.1f, wall %.1f)", Min(), BenchReport::Median(cpu),
                                   BenchReport::Median(wall));
    }
};

void FloorOnce(const std::vector<std::string>& paths, Times& times)
{
    std::string bytes;
    std::vector<std::string_view> lines;
    size_t total = 0;
    Stopwatch watch;
    for (const std::string& path : paths)
        total += BenchFixture::ReadLines(path, bytes, lines);
    times.Add(watch);
    if (total == 0)
        std::abort();
}

// Runs the event loop until the widget or one of its children has been painted.
class PaintWait final : public QObject {
public:
    explicit PaintWait(QWidget* page) : m_page(page) { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintWait() override { QCoreApplication::instance()->removeEventFilter(this); }
    void Wait()
    {
        while (!m_painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            (watched == m_page || m_page->isAncestorOf(static_cast<QWidget*>(watched))))
            m_painted = true;
        return false;
    }

private:
    QWidget* m_page;
    bool m_painted = false;
};

// The generated library, loaded. The application object is given the folder's paths
// without the start steps, so the run's lock does not keep the opening processes out.
struct Library {
    CZarn2App app;
    std::unique_ptr<CZarn2Doc> doc;

    bool Load(const std::string& folder)
    {
        app.m_szProgramDir = folder;
        app.m_szExePath = folder + "/Zarn2";
        app.m_szDataDir = folder + "/Zarn";
        app.m_szTempDir = folder + "/Temp";
        app.m_szIniPath = folder + "/Zarn2.ini";
        app.m_szGroupListPath = folder + "/Zarn2.Grp";
        doc = std::make_unique<CZarn2Doc>(app);
        doc->OnNewDocument();
        return doc->m_nGroupCount == 32;
    }
};

// The child process of one opening: prints "OPEN <cpu ms> <wall ms>".
int OpenInFreshProcess(const std::string& folder)
{
    Library library;
    if (!library.Load(folder))
        return 3;
    // The launcher's main window is up when the chart opens: a window with text is painted
    // first, so the platform and the fonts are not counted.
    QWidget owner;
    owner.resize(300, 200);
    auto* text = new QLabel(QStringLiteral("プレイ グラフ"), &owner);
    text->move(10, 10);
    PaintWait shown(&owner);
    owner.show();
    shown.Wait();
    PlayLogCache cache;
    ChartFigures figures(*library.doc, cache);
    Stopwatch watch;
    std::string error;
    IChartWindowFactory* factory = ChartModule::Load(ZARN2_CHART_MODULE_PATH, error);
    if (factory == nullptr) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 4;
    }
    IChartWindow* window = factory->NewWindow(figures, &owner);
    auto* tabs = window->Widget()->findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    figures.Update();
    window->Refresh();
    PaintWait paint(tabs->widget(1));
    window->Widget()->show();
    paint.Wait();
    std::printf("OPEN %.3f %.3f\n", watch.CpuMs(), watch.WallMs());
    if (cache.FileReads() != static_cast<size_t>(32 * 127))
        return 5;
    std::fflush(stdout);
    ::_exit(0);
}

bool OpenOnce(const char* self, const std::string& folder, Times& times)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--open"), QString::fromStdString(folder)});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return false;
    double cpu = 0;
    double wall = 0;
    if (std::sscanf(child.readAllStandardOutput().constData(), "OPEN %lf %lf", &cpu, &wall) != 2)
        return false;
    times.Add(cpu, wall);
    return true;
}

// Each tab shown after a statistics refresh on the tab before it.
void SwitchRounds(CZarn2Doc& doc, Times& refresh, std::vector<Times>& tabs, std::size_t& reads, double& gridMs)
{
    QWidget main;
    QAction chartAction(nullptr);
    CChartCommands commands(doc, &main, &chartAction);
    commands.SetModulePath(ZARN2_CHART_MODULE_PATH);
    commands.OnPlayChart();
    auto* tabWidget = commands.Window()->findChild<QTabWidget*>();
    tabWidget->setCurrentIndex(1);  // every log read
    tabWidget->setCurrentIndex(2);
    Stopwatch grids;
    tabWidget->widget(2)->findChild<QComboBox*>()->setCurrentIndex(1);  // the whole library
    gridMs = grids.CpuMs();
    tabs.assign(4, Times{});
    for (int run = 0; run <= kRuns; ++run) {
        if (run == 1)
            reads = commands.Cache().FileReads();  // every log read once in the first round
        for (int tab = 0; tab < 4; ++tab) {
            tabWidget->setCurrentIndex((tab + 3) % 4);
            QCoreApplication::processEvents();
            Stopwatch refreshWatch;
            commands.OnStatisticsUpdated();
            if (run > 0)
                refresh.Add(refreshWatch);
            QCoreApplication::processEvents();
            PaintWait paint(tabWidget->widget(tab));
            Stopwatch watch;
            tabWidget->setCurrentIndex(tab);
            paint.Wait();
            if (run > 0)
                tabs[static_cast<size_t>(tab)].Add(watch);
        }
    }
    reads = commands.Cache().FileReads() - reads;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    BenchMessenger messenger;
    FakeClock clock;
    clock.now = LocalDateTime{2012, 9, 13, 21, 0, 0};  // the last day of the generated logs
    if (argc == 3 && std::string_view(argv[1]) == "--open")
        return OpenInFreshProcess(argv[2]);

    // ZARN2_BENCH_FOLDER names a folder to write the library into and keep (to profile
    // `zarn2_bench_charts --open <folder>` on its own); otherwise a temporary one is used.
    const char* kept = std::getenv("ZARN2_BENCH_FOLDER");
    std::string folder = kept && *kept ? kept : BenchFixture::TempFolder("charts");
    BenchFixture::Library shape;  // 32 × 127 × 256
    BenchFixture::WriteProgramFolder(folder, shape);
    Library library;
    if (!library.Load(folder))
        return 3;
    std::vector<std::string> paths = LogPaths(*library.doc);

    Times floor;
    Times open;
    Times warm;
    FloorOnce(paths, warm);  // the page cache
    for (int run = 0; run < kRuns; ++run) {
        FloorOnce(paths, floor);
        if (!OpenOnce(argv[0], folder, open)) {
            std::fprintf(stderr, "the opening process failed\n");
            return 1;
        }
    }
    Times refresh;
    std::vector<Times> tabs;
    std::size_t reads = 0;
    double gridMs = 0;
    SwitchRounds(*library.doc, refresh, tabs, reads, gridMs);
    if (!(kept && *kept))
        BenchFixture::RemoveTree(folder);

    std::printf("%zu logs read and split into lines: %s\n", paths.size(), floor.Text().c_str());
    std::printf("window opened on the ranking in a fresh process, module load included: %s\n", open.Text().c_str());
    std::printf("statistics refresh with the window open: %s\n", refresh.Text().c_str());
    std::printf("the hour grid over the whole library the first time (every log's grid worked out): %.1f ms CPU\n",
                gridMs);
    const char* const names[] = {"日別", "ランキング", "時間帯 (全タイトル)", "推移"};
    double slowest = 0;
    for (size_t tab = 0; tab < tabs.size(); ++tab) {
        std::printf("tab %s shown after a refresh: %s\n", names[tab], tabs[tab].Text().c_str());
        slowest = std::max(slowest, tabs[tab].Min());
    }
    std::printf("logs read again by the refreshes and switches after the first round: %zu\n", reads);
    const double opening = open.Min() / floor.Min();
    BenchReport::Figure("6a. chart window opened (module load included) vs reading+splitting lines",
                        BenchReport::Printf("%.2fx (%.0f / %.0f ms)", opening, open.Min(), floor.Min()), "<= 3.00x",
                        opening <= 3.0);
    const double switching = slowest / floor.Min();
    BenchReport::Figure("6b. slowest chart tab switch vs reading+splitting lines",
                        BenchReport::Printf("%.3fx (%.1f / %.0f ms)", switching, slowest, floor.Min()), "<= 0.25x",
                        switching <= 0.25 && reads == 0);
    std::fflush(stdout);
    ::_exit(0);
}
