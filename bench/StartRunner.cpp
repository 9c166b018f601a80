// Start-up cost and peak memory of the launcher against the bare window: whole processes,
// started in turn, each ending as soon as its window has been painted (see ShowProbe). The
// figures are the processes' CPU time (user and system, every thread, the loading of the
// libraries included) up to that point, which other programs on the machine do not lengthen
// as they lengthen the wall time; the fastest wall times are printed beside them. The peak
// resident set of each comes from the kernel when it has ended.
//
//   zarn2_bench_startup <launcher harness> <bare harness> [runs]
//   (ZARN2_BENCH_FOLDER=<folder>: write the libraries there and keep them)
#include "BenchFixture.h"
#include "BenchReport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTimeoutMs = 60000;

double Ms(const timeval& time) { return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3; }

// The runs of one program.
struct Runs {
    std::vector<double> wallMs, cpuMs, maxRssKiB;
    double Cpu() const { return BenchReport::Median(cpuMs); }
    double FastestWall() const { return *std::min_element(wallMs.begin(), wallMs.end()); }
    double RssMiB() const { return BenchReport::Median(maxRssKiB) / 1024.0; }
};

// Starts `program` with `argument`, waits for "shown" on its output and for its end; adds
// the run to `runs` when `counted`.
bool RunOnce(const std::string& program, const std::string& argument, Runs& runs, bool counted)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        const char* args[] = {program.c_str(), argument.empty() ? nullptr : argument.c_str(), nullptr};
        ::execv(program.c_str(), const_cast<char* const*>(args));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string output;
    bool shown = false;
    for (;;) {
        pollfd fd{pipeFds[0], POLLIN, 0};
        int ready = ::poll(&fd, 1, kTimeoutMs);
        if (ready <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        char buffer[64];
        ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, static_cast<size_t>(n));
        if (output.find("shown\n") != std::string::npos) {
            shown = true;
            break;
        }
    }
    auto end = std::chrono::steady_clock::now();
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!shown || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not report its window (status %d)\n", program.c_str(), status);
        return false;
    }
    if (counted) {
        runs.wallMs.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        runs.cpuMs.push_back(Ms(usage.ru_utime) + Ms(usage.ru_stime));
        runs.maxRssKiB.push_back(static_cast<double>(usage.ru_maxrss));
    }
    return true;
}

std::string Folder(const char* kept, const char* name)
{
    if (kept == nullptr || *kept == '\0')
        return BenchFixture::TempFolder(name);
    std::string folder = std::string(kept) + "/" + name;
    BenchFixture::MakeDirs(folder);
    return folder;
}

void Write(const std::string& folder, const BenchFixture::Library& shape, const char* what)
{
    auto made = std::chrono::steady_clock::now();
    BenchFixture::WriteProgramFolder(folder, shape);
    std::printf("%s: %d genres x %d titles, %d sessions a log, written in %.0f ms to %s\n", what, shape.genres,
                shape.titles, shape.sessions,
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - made).count(),
                folder.c_str());
}

void Print(const char* what, const Runs& runs)
{
    std::printf("%-34s CPU median %6.1f ms (least %6.1f), wall fastest %6.1f ms, peak RSS %5.1f MiB\n", what,
                runs.Cpu(), *std::min_element(runs.cpuMs.begin(), runs.cpuMs.end()), runs.FastestWall(),
                runs.RssMiB());
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <launcher harness> <bare harness> [runs]\n", argv[0]);
        return 2;
    }
    const std::string launcher = argv[1];
    const std::string bare = argv[2];
    const int runs = argc > 3 ? std::max(std::atoi(argv[3]), 1) : 15;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // ZARN2_BENCH_FOLDER names a folder to write the libraries into and keep (for profiling
    // the harnesses on their own); otherwise temporary ones are used and removed.
    const char* kept = std::getenv("ZARN2_BENCH_FOLDER");
    const std::string folder = Folder(kept, "start");
    const std::string full = Folder(kept, "full");
    BenchFixture::Library shape;  // 32 genres of 127 titles, 256 sessions each, .ico icons
    Write(folder, shape, "library");
    BenchFixture::Library fullShape;  // 32 genres of 128 titles, icons of 4 MiB programs
    fullShape.titles = 128;
    fullShape.currMember = 127;
    fullShape.programIcons = true;
    Write(full, fullShape, "full library, program icons");

    Runs app, appFull, base;
    bool ok = true;
    // Two rounds of warming (page cache, font cache) are not counted.
    for (int i = -2; i < runs && ok; ++i) {
        ok = RunOnce(launcher, folder, app, i >= 0) && RunOnce(bare, std::string(), base, i >= 0) &&
             RunOnce(launcher, full, appFull, i >= 0);
    }
    if (!(kept && *kept)) {
        BenchFixture::RemoveTree(folder);
        BenchFixture::RemoveTree(full);
    }
    if (!ok)
        return 1;

    using BenchReport::Printf;
    std::printf("%d runs each, started in turn:\n", runs);
    Print("launcher", app);
    Print("launcher, full library", appFull);
    Print("bare window", base);
    std::printf("fastest wall times: %.2fx and %.2fx the bare window's\n", app.FastestWall() / base.FastestWall(),
                appFull.FastestWall() / base.FastestWall());
    const double ratio = app.Cpu() / base.Cpu();
    BenchReport::Figure("1. start-up CPU to first painted window vs bare window",
                        Printf("%.2fx (%.0f / %.0f ms)", ratio, app.Cpu(), base.Cpu()), "<= 1.20x", ratio <= 1.2);
    const double fullRatio = appFull.Cpu() / base.Cpu();
    BenchReport::Figure("1b. the same, 32 x 128 titles with program icons",
                        Printf("%.2fx (%.0f / %.0f ms)", fullRatio, appFull.Cpu(), base.Cpu()), "<= 1.50x",
                        fullRatio <= 1.5);
    const double extra = app.RssMiB() - base.RssMiB();
    BenchReport::Figure("2. peak RSS of that start vs bare window",
                        Printf("+%.1f MiB (%.1f / %.1f MiB)", extra, app.RssMiB(), base.RssMiB()), "<= bare + 5 MiB",
                        extra <= 5.0);
    return 0;
}
