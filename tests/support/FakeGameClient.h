#pragma once

#include "support/ScriptFiles.h"
#include "support/TempDir.h"

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A game client that was running before the play (as a Steam, Lutris or Flatpak session
// would be): a daemon in its own session that, for each request written to its FIFO (as
// the client's URL handler passes it on), starts a game outside the asker's processes,
// marked as that client marks its games. Requests are lines "<kind> <id> <seconds> [delay]":
//   steam   <app id>   a program whose environment holds SteamAppId=<app id>
//   reaper  <app id>   Steam's reaper: "reaper <seconds> SteamLaunch AppId=<app id> -- game"
//   flatpak <app id>   the first process of an instance, with its folder under the client's
//                      $XDG_RUNTIME_DIR/.flatpak (RuntimeDir())
//   lutris  <name>     GAME_NAME=<name> and LUTRIS_GAME_UUID in its environment
//   program <path>     <path> <seconds>, run by the client
//   relay   <app id>   SteamAppId=<app id>: a first process that ends after one second,
//                      having started then a second one that runs <seconds>
// The game starts <delay> seconds after the request (0 by default). The daemon and every
// game it started end with the object.
class FakeGameClient {
public:
    FakeGameClient()
    {
        m_fifo = m_dir / "requests";
        ::mkfifo(m_fifo.c_str(), 0600);
        ScriptFiles::Write(m_dir / "reaper", "sleep \"$1\"");
        std::string daemon = ScriptFiles::Write(m_dir / "client", kDaemon);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::setsid();
            ::setenv("XDG_RUNTIME_DIR", m_dir.Path().c_str(), 1);
            ::execl("/bin/bash", "bash", daemon.c_str(), m_fifo.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Open for writing only once the daemon reads: the open waits for it.
        m_requests = ::open(m_fifo.c_str(), O_WRONLY | O_CLOEXEC);
    }
    ~FakeGameClient()
    {
        if (m_requests >= 0)
            ::close(m_requests);
        if (m_pid > 0) {
            ::kill(-m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    FakeGameClient(const FakeGameClient&) = delete;
    FakeGameClient& operator=(const FakeGameClient&) = delete;

    // Passes one request on, as the client's URL handler would.
    void Ask(const std::string& request)
    {
        std::string line = request + "\n";
        [[maybe_unused]] ssize_t written = ::write(m_requests, line.data(), line.size());
    }
    const std::string& Fifo() const { return m_fifo; }
    const std::string& RuntimeDir() const { return m_dir.Path(); }

private:
    static constexpr const char* kDaemon = R"sh(cd "$(dirname "$0")"
exec 3<>"$1"
n=0
start() {
  case $1 in
    steam) SteamAppId=$2 sleep "$3" & ;;
    reaper) ./reaper "$3" SteamLaunch AppId="$2" -- game & ;;
    flatpak) sleep "$3" &
      mkdir -p ".flatpak/$n"
      printf '[Application]\nname=%s\n' "$2" > ".flatpak/$n/info"
      printf '{"child-pid": %d}\n' $! > ".flatpak/$n/bwrapinfo.json" ;;
    lutris) GAME_NAME=$2 LUTRIS_GAME_UUID=$n sleep "$3" & ;;
    program) "$2" "$3" & ;;
    relay) SteamAppId=$2 bash -c "sleep 1; sleep $3 &" & ;;
  esac
  wait
}
while read -r kind id seconds delay <&3; do
  n=$((n + 1))
  ( sleep "${delay:-0}"; start "$kind" "$id" "$seconds" ) &
done
)sh";

    TempDir m_dir;
    std::string m_fifo;
    pid_t m_pid = -1;
    int m_requests = -1;
};
