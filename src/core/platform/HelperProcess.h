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

// Waits for a started helper's first process to end and reaps it (a helper that goes on
// in the background ends its first process at once).
void Reap(int pid);

} // namespace HelperProcess
