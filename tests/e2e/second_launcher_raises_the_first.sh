#!/usr/bin/env bash
# One launcher per program folder, on a virtual X server with a window manager: a launcher
# runs on a program folder and its window is minimised. A second start on the same folder
# must end within seconds with code 0, leave every file of the folder as it was, and bring
# the first window back. A start that cannot reach the running launcher (another runtime
# folder) shows the already-running message and ends, again touching nothing. A launcher
# on another program folder starts as usual.
#
# Usage: second_launcher_raises_the_first.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run, xdotool, iconv or openbox missing, outside CI).
set -u
xsession_tools="xwininfo xprop openbox"
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

pids=()
finish() {
  local rc=$? pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  if [ "$rc" -ne 0 ]; then
    for out in "$work"/*.out; do
      [ -s "$out" ] && { echo "--- $(basename "$out") ---"; cat "$out"; } >&2
    done
  fi
}
trap finish EXIT

openbox --sm-disable >"$work/openbox.out" 2>&1 &
pids+=($!)
wm_up() { xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW; }
wait_for 20 wm_up || fail "the window manager did not start"

# A program folder with its settings (no message at start) and an empty library.
make_program() {  # folder
  mkdir -p "$1"
  cp "$binary" "$1/Zarn2"
  printf '%s\r\n' ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' '[Position]' '20 : 20' '' \
    '[SUBST]' '' >"$1/Zarn2.ini"
}
first=$work/first
other=$work/other
make_program "$first"
make_program "$other"

# The launchers share a private runtime folder (the channel's place) unless told otherwise.
mkdir -m 700 "$work/runtime"
start() {  # folder, output name, then environment settings
  local folder=$1 out=$2
  shift 2
  (cd "$folder" && exec env LANG=C.UTF-8 QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$@" ./Zarn2) \
    >"$work/$out.out" 2>&1 &
  started=$!
}
window_of() {  # process id
  timeout 30 xdotool search --sync --onlyvisible --pid "$1" --name "The Game Launcher" | head -n 1
}
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
hidden() { ! viewable "$1"; }
snapshot() { find "$first" -printf '%p %y %s %T@ %i\n' | sort; }

start "$first" first
pids+=("$started")
main=$(window_of "$started")
[ -n "$main" ] || fail "the first launcher's window did not appear"
xdotool windowminimize --sync "$main" || fail "cannot minimise the first window"
wait_for 10 hidden "$main" || fail "the first window stayed on screen"
before=$(snapshot)

# A second start on the same folder hands over and ends.
begun=$(date +%s)
start "$first" second
second=$started
ended() { ! kill -0 "$1" 2>/dev/null; }
wait_for 15 ended "$second" || fail "the second launcher did not end within 15 s"
wait "$second"
rc=$?
[ "$rc" -eq 0 ] || fail "the second launcher ended with code $rc"
took=$(($(date +%s) - begun))
wait_for 10 viewable "$main" || fail "the first window was not brought back"
[ "$(snapshot)" = "$before" ] || fail "the second launcher changed the folder: $(diff <(echo "$before") <(snapshot))"

# A start that cannot reach the running launcher says so and ends.
mkdir -m 700 "$work/elsewhere"
start "$first" unreachable XDG_RUNTIME_DIR="$work/elsewhere"
unreachable=$started
box=$(timeout 30 xdotool search --sync --onlyvisible --pid "$unreachable" --name '^Zarn2$' | head -n 1)
[ -n "$box" ] || fail "no already-running message"
xdotool windowactivate --sync "$box" key Return
wait_for 15 ended "$unreachable" || fail "the message did not end the start"
wait "$unreachable"
rc=$?
[ "$rc" -eq 4 ] || fail "the unreachable start ended with code $rc"
[ "$(snapshot)" = "$before" ] || fail "the unreachable start changed the folder"

# Another folder is another library: its launcher starts.
start "$other" other
pids+=("$started")
[ -n "$(window_of "$started")" ] || fail "the launcher on another folder did not start"

echo "PASS: the second start ended in ${took}s and raised the first window; nothing written"
exit 0
