#pragma once

#include "platform/ReportChannel.h"

#include <string>
#include <vector>

// Starting one of our helper programs from the launcher: in the background, reading from
// the null device, writing to the launcher's own output, with the other end of a report
// channel as its descriptor `kReportFd`. Its signals start at their defaults, unblocked.
namespace HelperProcess {

inline constexpr int kReportFd = 3;

struct Started {
    int error = 0; // 0, or the errno of a helper that could not be run
    int pid = -1;
    ReportChannel channel; // the launcher's end
};
Started Start(const std::string& program, const std::vector<std::string>& args);

// Reaps a started helper's first process if it has ended (a helper that goes on in the
// background ends its first process at once), without waiting; true once it is reaped.
bool TryReap(int pid);
// A descriptor that becomes readable when the process ends (a pidfd, close-on-exec), or -1
// where the kernel offers none; the caller closes it.
int EndNotice(int pid);

} // namespace HelperProcess
