#pragma once

#include <string>
#include <vector>

// What the wait helper does with processes: it leaves its starter, adopts every orphan
// below it, starts the title and reaps what ends.
namespace ChildProcesses {

// Forks: the calling process ends at once (its starter reaps it) and the copy returns,
// in a session of its own, so it is nobody's child and nothing sent to its starter's
// process group or terminal reaches it. 0, or the errno of the failure (nothing forked).
int ContinueDetached();

// Orphans of every process below this one are handed to it rather than to init.
// 0 or the errno.
int BecomeSubreaper();

struct Spawned {
    int pid = -1;
    int error = 0; // 0, or the errno of the failed change of folder or exec
};
// Starts argv[0] (searched on PATH when it has no "/") with `argv`, in `folder`, as a
// child with this process's input, output and environment.
Spawned Spawn(const std::vector<std::string>& argv, const std::string& folder);

// Waits, blocking, until some child has ended, reaps it and returns its pid; -1 when no
// child is left. `code` receives its exit status, or 128 + the signal that ended it.
int WaitForAnyChild(int* code = nullptr);

} // namespace ChildProcesses
