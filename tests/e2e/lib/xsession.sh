# Shared steps of the whole-program tests (sourced, not run): the test runs again inside a
# virtual X server; it writes a program folder in the library's formats, starts the real
# program there, finds its main window and waits for what the program does.
#
#   xsession_tools=python3  # optional: tools the test needs besides xvfb-run, xdotool, iconv
#   source "$(dirname "$0")/lib/xsession.sh"
#   xsession_enter "$@"     # outside: runs this script inside xvfb-run (and a session bus of its own)
#                           # and exits with its code
#   ...                     # inside: $binary and $work are set, the X server is up
#
# Exit codes of a test: 0 passed, 1 failed, 77 skipped (a tool missing, outside CI).

fail() {
  echo "FAIL: $*" >&2
  # What was on the screen, for a failure that only a loaded machine shows.
  local shown
  for shown in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    echo "shown: $(xdotool getwindowname "$shown" 2>/dev/null)" >&2
  done
  exit 1
}

# Outside the X server this checks the tools, makes the temporary folder and runs the test
# inside xvfb-run, then exits; inside it sets $binary and $work and returns.
xsession_enter() {  # binary [--inside work]
  binary=${1:?usage: $0 <path of the Zarn2 binary>}
  if [ "${2:-}" = --inside ]; then
    work=${3:?}
    local display=${DISPLAY#:}
    display=${display%%.*}
    tr -d ' \n' <"/tmp/.X$display-lock" >"$work/xvfb.pid" 2>/dev/null
    zarn=
    trap xsession_finish EXIT
    return 0
  fi
  local missing=() tool
  for tool in xvfb-run dbus-run-session xdotool iconv ${xsession_tools:-}; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    [ "${CI:-}" = true ] && fail "missing tools: ${missing[*]}"
    echo "SKIPPED: missing tools: ${missing[*]}"
    exit 77
  fi
  [ -x "$binary" ] || fail "no program at $binary"
  work=$(mktemp -d)
  runner=
  trap xsession_cleanup EXIT
  trap 'exit 143' TERM INT HUP
  # A session bus of the test's own, as a desktop session has, ended with the test (without
  # one, GLib would start one through the X server that outlives it).
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash "$0" "$(realpath "$binary")" --inside "$work" &
  runner=$!
  wait "$runner"
  local rc=$?
  runner=
  exit "$rc"
}

xsession_cleanup() {
  [ -n "$runner" ] && kill "$runner" 2>/dev/null
  # xvfb-run stops its server when the test inside ends; after an interruption the
  # server's process id (noted from inside) is stopped here.
  if [ -s "$work/xvfb.pid" ]; then
    local pid
    pid=$(cat "$work/xvfb.pid")
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid" 2>/dev/null
  fi
  # A file system the test mounted is let go even when the test was killed; the folder is
  # removed only once nothing is mounted in it.
  local mounted
  for mounted in $(awk -v work="$work/" 'index($2, work) == 1 { print $2 }' /proc/mounts); do
    xsession_unmount "$mounted"
  done
  if awk -v work="$work/" 'index($2, work) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    echo "still mounted in $work: left in place" >&2
  else
    rm -rf "$work"
  fi
}

# Unmounts the file system mounted on `folder` once nothing uses it any more (a program that
# was just ended may still hold it for a moment), at last lazily.
xsession_unmount() {  # folder
  local folder=$1 tries
  for tries in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    mountpoint -q "$folder" || return 0
    fusermount3 -u -q "$folder" 2>/dev/null || fusermount -u -q "$folder" 2>/dev/null ||
      umount "$folder" 2>/dev/null
    mountpoint -q "$folder" || return 0
    sleep 0.5
  done
  echo "$folder is still in use: unmounted lazily" >&2
  umount -l "$folder" 2>/dev/null || fusermount3 -u -z "$folder" 2>/dev/null || fusermount -u -z "$folder" 2>/dev/null
}

# Inside: ends a program still running and shows its output when the test failed.
xsession_finish() {
  local rc=$?
  [ -n "$zarn" ] && kill -0 "$zarn" 2>/dev/null && kill "$zarn" 2>/dev/null
  if [ "$rc" -ne 0 ] && [ -s "$work/zarn2.out" ]; then
    echo "--- program output ---" >&2
    cat "$work/zarn2.out" >&2
  fi
}

# Data files are code page 932 with CR LF line ends.
put() {  # file, then lines
  local file=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file" || fail "cannot write $file"
}

# A program folder at $program ($work/program unless given) with the binary and its wait
# helper, settings, one genre $genre (play with history) holding one title $title whose program
# is the script $game (automatic timing), with an empty log at $log. The script's body is the
# first argument.
write_program() {  # game script body [folder]
  program=${2:-$work/program}
  genre="アクション"
  title="眠りの森"
  mkdir -p "$program/Zarn/$genre" "$program/Temp" "$program/game"
  cp "$binary" "$program/Zarn2"
  cp "$(dirname "$binary")/zarn2-wait" "$program/" || fail "no wait helper beside $binary"
  put "$program/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
    '[Position]' '20 : 20' '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
    '[HistoryMode]' '0' '' '[Minimize]' '1' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' \
    '[SUBST]' '' '; prepared by the test'
  put "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre" '' \
    '[CurrGroup]' '0' ''
  game=$program/game/game.sh
  printf '#!/bin/sh\n%s\n' "$1" >"$game"
  chmod +x "$game"
  put "$program/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
    '[Title000]' "$title" "$game" "$game" '1' '0' ''
  log=$program/Zarn/$genre/$title.Log
  : >"$log"
}

# Starts the program in $program, with the environment's NAME=value arguments, and waits for
# its main window ($window).
start_program() {  # [NAME=value...]
  launch_program "$@"
  find_window
}
# The two halves of start_program, for a start that shows a message before its window:
# the process ($zarn), then its main window ($window).
launch_program() {  # [NAME=value...]
  (cd "$program" && exec env "$@" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb ./Zarn2) >>"$work/zarn2.out" 2>&1 &
  zarn=$!
}
find_window() {
  window=$(timeout 60 xdotool search --all --sync --onlyvisible --pid "$zarn" --name "The Game Launcher" | head -n 1)
  [ -n "$window" ] || fail "the main window did not appear"
  kill -0 "$zarn" 2>/dev/null || fail "the program ended at start"
}

# Polls `condition` (a command) every 0.2 s for up to `seconds`.
wait_for() {  # seconds, condition...
  local tries=$(($1 * 5))
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.2
    tries=$((tries - 1))
  done
  return 1
}

# Whether the title's log ($log) holds a session.
has_record() { [ "$(wc -l <"$log" 2>/dev/null)" -ge 2 ]; }

# Waits up to `seconds` for the title's log to hold a session, then lets the play's last steps
# (statistics, flags) finish.
wait_for_session() {  # seconds
  wait_for "$1" has_record || fail "no session recorded within $1 s"
  sleep 1
}

focus_window() {
  timeout 20 xdotool windowfocus --sync "$window" || fail "cannot focus the main window"
  sleep 0.5
}

# Space in the title list starts the play; a press lost while the window was still
# settling is repeated (a press during the play does nothing, by the busy guard).
# `started` is a condition that holds once the play has begun.
start_play() {  # started...
  local attempt
  for attempt in 1 2 3; do
    xdotool key space
    wait_for 15 "$@" && return 0
    echo "no play after Space (attempt $attempt)" >&2
    focus_window
  done
  fail "Space in the title list started no play"
}

# Closes the program through its File menu as a user would ("Zarn2 の終了(&X)"); $rc is
# then its exit code.
close_program() {
  local attempt
  for attempt in 1 2 3; do
    focus_window
    xdotool key alt+f
    sleep 1
    xdotool key x
    wait_for 15 program_ended && break
    xdotool key Escape Escape
  done
  program_ended || fail "the program did not close through its menu"
  wait "$zarn"
  rc=$?
  zarn=
}
program_ended() { ! kill -0 "$zarn" 2>/dev/null; }
