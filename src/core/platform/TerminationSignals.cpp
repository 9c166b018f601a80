#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

int g_readEnd = -1;
int g_writeEnd = -1;
constexpr int kSignals[] = {SIGTERM, SIGHUP};
constexpr int kCount = 2;
// What each signal did before Watch; a signal that was ignored (nohup) stays ignored.
struct sigaction g_before[kCount];
bool g_watching = false;

// Runs in the signal's context: one write of one byte, errno left as it was.
void Note(int signal)
{
    int saved = errno;
    unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] ssize_t written = ::write(g_writeEnd, &number, 1);
    errno = saved;
}

void Catch(int index)
{
    struct sigaction action {};
    action.sa_handler = Note;
    // SA_RESTART: the calls the signal lands in go on; the loop hears of it from the pipe.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(kSignals[index], &action, &g_before[index]);
    if (g_before[index].sa_handler == SIG_IGN)
        ::sigaction(kSignals[index], &g_before[index], nullptr);
}

}  // namespace

namespace TerminationSignals {

int Watch()
{
    if (g_readEnd < 0) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return -1;
        g_readEnd = ends[0];
        g_writeEnd = ends[1];
    }
    if (!g_watching) {
        for (int i = 0; i < kCount; ++i)
            Catch(i);
        g_watching = true;
    }
    return g_readEnd;
}

void Unwatch()
{
    if (!g_watching)
        return;
    for (int i = 0; i < kCount; ++i)
        ::sigaction(kSignals[i], &g_before[i], nullptr);
    g_watching = false;
}

int Take()
{
    int last = 0;
    unsigned char numbers[16];
    ssize_t got = 0;
    while (g_readEnd >= 0 && (got = ::read(g_readEnd, numbers, sizeof numbers)) > 0)
        last = numbers[got - 1];
    return last;
}

}  // namespace TerminationSignals
