#!/usr/bin/env bash
# A recorded play of the real program on a virtual X server: a fresh program folder holds
# the program, its wait helper and one genre (play with history) with one title whose
# program is a script that starts a six-second child in the background and ends at once
# (automatic timing). The title list has the focus at start; Space starts the play. After
# the play the program is closed through its File menu, as a user would. The title's log
# must then hold exactly one new session (a date line and a duration of 5-7 seconds: the
# play lasted until the child ended) and the settings file must have been written at exit.
#
# Usage: play_records_a_session.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u

binary=${1:?usage: $0 <path of the Zarn2 binary>}
state=${2:-}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# ---- outside the X server: tools, temporary folder, the server's lifetime -------------
if [ "$state" != --inside ]; then
  missing=()
  for tool in xvfb-run xdotool iconv; do
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
  cleanup() {
    [ -n "$runner" ] && kill "$runner" 2>/dev/null
    # xvfb-run stops its server when the test inside ends; after an interruption the
    # server's process id (noted from inside) is stopped here.
    if [ -s "$work/xvfb.pid" ]; then
      local pid
      pid=$(cat "$work/xvfb.pid")
      [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid" 2>/dev/null
    fi
    rm -rf "$work"
  }
  trap cleanup EXIT
  trap 'exit 143' TERM INT HUP

  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$(realpath "$binary")" --inside "$work" &
  runner=$!
  wait "$runner"
  rc=$?
  runner=
  exit "$rc"
fi

# ---- inside the X server ------------------------------------------------------------
work=${3:?}
display=${DISPLAY#:}
display=${display%%.*}
tr -d ' \n' <"/tmp/.X$display-lock" >"$work/xvfb.pid" 2>/dev/null

program=$work/program
genre="アクション"
title="眠りの森"
mkdir -p "$program/Zarn/$genre" "$program/Temp" "$program/game"
cp "$binary" "$program/Zarn2"
cp "$(dirname "$binary")/zarn2-wait" "$program/" || fail "no wait helper beside $binary"

# Data files are code page 932 with CR LF line ends.
put() {  # file, then lines
  local file=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file" || fail "cannot write $file"
}

put "$program/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
  '[Position]' '20 : 20' '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
  '[HistoryMode]' '0' '' '[Minimize]' '1' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' \
  '[SUBST]' '' '; prepared by the test'
put "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre" '' \
  '[CurrGroup]' '0' ''
game=$program/game/background.sh
mark=$program/game/started
printf '#!/bin/sh\n: > started\nsleep 6 &\n' >"$game"
chmod +x "$game"
put "$program/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
  '[Title000]' "$title" "$game" "$game" '1' '0' ''
log=$program/Zarn/$genre/$title.Log
: >"$log"

zarn=
finish() {
  local rc=$?
  [ -n "$zarn" ] && kill -0 "$zarn" 2>/dev/null && kill "$zarn" 2>/dev/null
  if [ "$rc" -ne 0 ] && [ -s "$work/zarn2.out" ]; then
    echo "--- program output ---" >&2
    cat "$work/zarn2.out" >&2
  fi
}
trap finish EXIT

(cd "$program" && LANG=C.UTF-8 QT_QPA_PLATFORM=xcb exec ./Zarn2) >"$work/zarn2.out" 2>&1 &
zarn=$!

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

window=$(timeout 60 xdotool search --sync --onlyvisible --name "The Game Launcher" | head -n 1)
[ -n "$window" ] || fail "the main window did not appear"
kill -0 "$zarn" 2>/dev/null || fail "the program ended at start"

focus_window() {
  timeout 20 xdotool windowfocus --sync "$window" || fail "cannot focus the main window"
  sleep 0.5
}
focus_window

# Space in the title list starts the play: the title's script leaves its mark. A press lost
# while the window was still settling is repeated (a press during the play would do
# nothing, by the busy guard).
playing() { [ -e "$mark" ]; }
started=
for attempt in 1 2 3; do
  xdotool key space
  if wait_for 15 playing; then
    started=1
    break
  fi
  echo "no play after Space (attempt $attempt)" >&2
  focus_window
done
[ -n "$started" ] || fail "Space in the title list started no play"

has_record() { [ "$(wc -l <"$log")" -ge 2 ]; }
wait_for 60 has_record || fail "no session recorded within a minute"
# Let the play's last steps (statistics, flags) finish before closing.
sleep 1

# Close the program normally: File menu (Alt+F), "Zarn2 の終了(&X)" (X).
ended() { ! kill -0 "$zarn" 2>/dev/null; }
for attempt in 1 2 3; do
  focus_window
  xdotool key alt+f
  sleep 1
  xdotool key x
  wait_for 15 ended && break
  xdotool key Escape Escape
done
ended || fail "the program did not close through its menu"
wait "$zarn"
rc=$?
zarn=
[ "$rc" -eq 0 ] || fail "the program ended with code $rc"

# Exactly one session: a start line and a duration of 5-7 seconds, CR LF ended.
lines=$(wc -l <"$log")
[ "$lines" -eq 2 ] || fail "the log holds $lines lines: $(od -c "$log" | head -5)"
first=$(sed -n 1p "$log")
second=$(sed -n 2p "$log")
[[ "$first" =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2},[0-9]{2}:[0-9]{2}:[0-9]{2}$'\r'$ ]] ||
  fail "bad start line: $(printf '%q' "$first")"
[[ "$second" =~ ^[5-7]$'\r'$ ]] || fail "bad duration line: $(printf '%q' "$second")"

# The settings file was written at exit (the test's comment line is gone).
ini=$program/Zarn2.ini
grep -q 'prepared by the test' "$ini" && fail "Zarn2.ini was not written at exit"
head -n 1 "$ini" | grep -q $'^;;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;\r$' ||
  fail "Zarn2.ini has no header line"
grep -q $'^\\[LimitMinite\\]\r$' "$ini" || fail "Zarn2.ini lacks its settings"

echo "PASS: one session of $(printf '%s' "$second" | tr -d '\r') s recorded; settings written"
exit 0
