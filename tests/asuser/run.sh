#!/usr/bin/env bash
# Runs the tests labelled "asuser" (the whole-program scripts and every core test program)
# as a normal user, as the launcher's users run it: root's passes cannot show a permission
# failure, since root may write where a user may not.
#
# Run by test.sh as root. The user is "zarn2-test" (made here when missing, kept for the next
# run). Since the build tree may sit where that user cannot go (a clone under /root, which is
# 0700), what the tests need is copied (the programs hard-linked where they can be) into a new
# folder under $TMPDIR (or /tmp) that belongs to the user: bin/ (the launcher, its wait helper
# and chart module, the test programs),
# e2e/ (the scripts), support/ (the fake game client they start) and a CTest file whose paths lead there (written by CMake as
# asuser/CTestTestfile.cmake.in, its programs listed in asuser/programs.txt). The user gets
# a home, a private runtime and a temporary folder of its own inside it. Whatever the tests leave
# running is ended afterwards: every process of this run carries ZARN2_ASUSER_RUN=<folder>
# in its environment, and only those are stopped. The folder is removed at the end.
#
# Usage: tests/asuser/run.sh <build folder> [ctest arguments...]
# Exit: ctest's exit code; 2 when the run could not be prepared.
set -uo pipefail

user=zarn2-test
build=$(realpath "${1:?usage: $0 <build folder> [ctest arguments...]}")
shift
e2e_source=$(cd "$(dirname "$0")/../e2e" && pwd)

die() {
  echo "as-user run: $*" >&2
  exit 2
}

[ "$(id -u)" -eq 0 ] || die "needs root to act as $user (test.sh runs the tests as its own user when it is not root)"
[ -f "$build/asuser/CTestTestfile.cmake.in" ] && [ -f "$build/asuser/programs.txt" ] ||
  die "$build has no as-user test list (configure it with the tests and the widgets)"

# A system user without a login, made once; an account of that name with uid 0 is refused.
# (Another run may make it at the same moment.)
if ! id -u "$user" >/dev/null 2>&1; then
  useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user" ||
    id -u "$user" >/dev/null 2>&1 || die "cannot make the user $user"
fi
[ "$(id -u "$user")" -ne 0 ] || die "the user $user has uid 0"

# Xvfb as a normal user needs the X socket folder as the system makes it (root's, sticky).
[ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix

stage=$(mktemp -d "${TMPDIR:-/tmp}/zarn2-asuser.XXXXXX") || die "cannot make a folder in ${TMPDIR:-/tmp}"

# Ends the processes this run left (each carries the marker in its environment), then
# removes the folder.
marked_processes() {
  local proc pid
  for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    [ "$(stat -c %U "$proc" 2>/dev/null)" = "$user" ] || continue
    { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -qxF "ZARN2_ASUSER_RUN=$stage" && echo "$pid"
  done
}
finish() {
  local pids tries
  pids=$(marked_processes)
  if [ -n "$pids" ]; then
    echo "as-user run: ending what the tests left running:" >&2
    ps -o pid=,args= -p "$(echo $pids | tr ' ' ,)" >&2
    kill $pids 2>/dev/null
    for tries in 1 2 3 4 5 6 7 8 9 10; do
      pids=$(marked_processes)
      [ -z "$pids" ] && break
      sleep 0.5
    done
    [ -n "$pids" ] && kill -KILL $pids 2>/dev/null
  fi
  rm -rf "$stage"
}
trap finish EXIT
trap 'exit 143' TERM INT HUP

# The programs stay root's: linked when the build lies on the same file system and lets
# everyone read and run them (nothing in the build changes), copied otherwise. The user owns
# the folders it writes in.
mkdir -p "$stage/bin" "$stage/home" "$stage/runtime" "$stage/tmp" || die "cannot fill $stage"
while IFS= read -r program; do
  [ -n "$program" ] || continue
  copy=$stage/bin/$(basename "$program")
  if [ $((0$(stat -c %a "$program") & 05)) -ne 5 ] || ! ln "$program" "$copy" 2>/dev/null; then
    cp "$program" "$copy" && chmod a+rx "$copy" || die "cannot copy $program"
  fi
done <"$build/asuser/programs.txt"
cp -r "$e2e_source" "$stage/e2e" || die "cannot copy the scripts"
# The fake game client the hand-off tests start (the scripts find it beside e2e/).
mkdir -p "$stage/support" && cp "$e2e_source/../support/fake-game-client.sh" "$stage/support/" ||
  die "cannot copy the fake game client"
{
  printf 'set(stage "%s")\n' "$stage"
  cat "$build/asuser/CTestTestfile.cmake.in"
} >"$stage/CTestTestfile.cmake"
chmod a+rx "$stage/bin" && chmod -R a+rX "$stage/e2e" "$stage/support" "$stage/CTestTestfile.cmake"
chown "$user:" "$stage" "$stage/home" "$stage/runtime" "$stage/tmp"
chmod 700 "$stage" "$stage/home" "$stage/runtime" "$stage/tmp"
runuser -u "$user" -- test -x "$stage/bin/zarn2-wait" ||
  die "$user cannot run programs in $stage (a folder it cannot reach, or mounted noexec): set TMPDIR"

echo "as-user run: the tests labelled asuser run as $user from $stage"
cd "$stage" || die "cannot enter $stage"
runuser -u "$user" -- env -i \
  PATH=/usr/local/bin:/usr/bin:/bin HOME="$stage/home" XDG_RUNTIME_DIR="$stage/runtime" TMPDIR="$stage/tmp" \
  LANG=C.UTF-8 USER="$user" LOGNAME="$user" CI="${CI:-}" ZARN2_ASUSER_RUN="$stage" \
  ctest --test-dir "$stage" --output-on-failure "$@"
