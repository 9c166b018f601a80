// Start-up time and peak memory of the launcher against the bare window: whole processes,
// started alternately, each timed from the fork until it reports its window shown; the peak
// resident set of each comes from the kernel when it has ended.
//
//   zarn2_bench_startup <launcher harness> <bare harness> [runs]
//   (ZARN2_BENCH_FOLDER=<folder>: write the library there and keep it)
#include "BenchFixture.h"
#include "BenchReport.h"

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

struct Run {
    double ms = 0;
    double maxRssKiB = 0;
};

// Starts `program` with `argument`, waits for "shown" on its output and for its end.
bool RunOnce(const std::string& program, const std::string& argument, Run& run)
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
    run.ms = std::chrono::duration<double, std::milli>(end - start).count();
    run.maxRssKiB = static_cast<double>(usage.ru_maxrss);
    if (!shown || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not report its window (status %d)\n", program.c_str(), status);
        return false;
    }
    return true;
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

    // ZARN2_BENCH_FOLDER names a folder to write the library into and keep (for profiling
    // the harnesses on their own); otherwise a temporary one is used and removed.
    const char* kept = std::getenv("ZARN2_BENCH_FOLDER");
    std::string folder = kept && *kept ? kept : BenchFixture::TempFolder("start");
    BenchFixture::Library shape;  // 32 genres of 127 titles, 256 sessions each
    auto made = std::chrono::steady_clock::now();
    BenchFixture::WriteProgramFolder(folder, shape);
    std::printf("library: %d genres x %d titles, %d sessions a log, written in %.0f ms to %s\n", shape.genres,
                shape.titles, shape.sessions,
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - made).count(),
                folder.c_str());

    std::vector<double> appMs, bareMs, appRss, bareRss;
    bool ok = true;
    // Two rounds of warming (page cache, font cache) are not counted.
    for (int i = -2; i < runs && ok; ++i) {
        Run a, b;
        ok = RunOnce(launcher, folder, a) && RunOnce(bare, std::string(), b);
        if (ok && i >= 0) {
            appMs.push_back(a.ms);
            bareMs.push_back(b.ms);
            appRss.push_back(a.maxRssKiB);
            bareRss.push_back(b.maxRssKiB);
        }
    }
    if (!(kept && *kept))
        BenchFixture::RemoveTree(folder);
    if (!ok)
        return 1;

    using BenchReport::Printf;
    double app = BenchReport::Median(appMs);
    double base = BenchReport::Median(bareMs);
    std::printf("start-up, median of %d: launcher %.1f ms (min %.1f), bare window %.1f ms (min %.1f)\n", runs, app,
                *std::min_element(appMs.begin(), appMs.end()), base, *std::min_element(bareMs.begin(), bareMs.end()));
    double ratio = app / base;
    std::printf("fastest runs: %.2fx; other programs running on the machine move the medians more than the fastest\n",
                *std::min_element(appMs.begin(), appMs.end()) / *std::min_element(bareMs.begin(), bareMs.end()));
    BenchReport::Figure("1. start-up to first shown window vs bare window",
                        Printf("%.2fx (%.0f / %.0f ms)", ratio, app, base), "<= 1.50x", ratio <= 1.5);
    double appMiB = BenchReport::Median(appRss) / 1024.0;
    double bareMiB = BenchReport::Median(bareRss) / 1024.0;
    double extra = appMiB - bareMiB;
    BenchReport::Figure("2. peak RSS of that start vs bare window",
                        Printf("+%.1f MiB (%.1f / %.1f MiB)", extra, appMiB, bareMiB), "<= bare + 15 MiB",
                        extra <= 15.0);
    return 0;
}
