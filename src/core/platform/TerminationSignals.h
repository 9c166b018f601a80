#pragma once

// The signals that end a desktop session's programs, SIGTERM (log-out, shutdown) and SIGHUP
// (the terminal or the session gone), caught so that the event loop can end the launcher
// itself: the handler only writes the signal's number to a pipe, whose read end the loop
// watches. Each handler is reset to the default action as it runs, so a second signal ends
// the process at once, as one did before. A title never inherits the handlers (an exec
// resets them) nor the pipe (close-on-exec).
namespace TerminationSignals {

// Installs the handlers (a signal ignored until then stays ignored) and returns the pipe's
// read end (non-blocking), or -1 with nothing installed when no pipe can be had.
int Watch();
// Puts back what both signals did before Watch; the pipe stays for a later Watch.
void Unwatch();
// The number of the last signal that came since the last call, 0 when none did.
int Take();

}  // namespace TerminationSignals
