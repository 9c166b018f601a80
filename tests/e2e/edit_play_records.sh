#!/usr/bin/env bash
# The play log editor of the real program on a virtual X server: a title whose log holds
# two plays as the launcher writes them, a line of garbage and a play edited by hand. The
# editor opens from the タイトル menu (Alt+T, R) with the last play chosen; the first play
# is deleted (Home, Delete), a play of two hours starting now is added in the play dialog
# (Alt+A, Alt+P to the hours, "2", Enter), and OK (Enter) writes the log. The log must then hold every other record
# byte for byte where it was, and the new play after the last one.
#
# Usage: edit_play_records.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

write_program 'exit 0'
kept=$'garbage line\r\n2009/3/2,8:00:00\n60\n2009/03/03,19:05:44\r\n7260\r\n'
printf '%s' $'2009/03/01,20:12:05\r\n5400\r\n' "$kept" >"$log"
start_program
focus_window

# Waits for a window whose name matches and gives it the focus.
window_named() {  # pattern
  local found
  found=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  [ -n "$found" ] || fail "no window named $1"
  timeout 20 xdotool windowfocus --sync "$found" || fail "cannot focus $1"
  sleep 0.5
}

xdotool key alt+t
sleep 1
xdotool key r
window_named "^プレイ記録の編集 - $title\$"
xdotool key Home Delete
xdotool key alt+a
window_named '^プレイ$'
xdotool key alt+p ctrl+a 2 Return
window_named "^プレイ記録の編集 - $title\$"
xdotool key Return

rewritten() { [ "$(head -c 6 "$log")" = garbag ]; }
wait_for 20 rewritten || fail "the log was not rewritten: $(od -c "$log" | head -5)"
close_program
[ "$rc" -eq 0 ] || fail "the program ended with code $rc"

content=$(cat "$log"; echo .)
content=${content%.}
[ "${content:0:${#kept}}" = "$kept" ] || fail "records were changed: $(od -c "$log" | head -8)"
added=${content:${#kept}}
[[ "$added" =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2},[0-9]{2}:[0-9]{2}:[0-9]{2}$'\r\n7200\r\n'$ ]] ||
  fail "bad added play: $(printf '%q' "$added")"
ls "$(dirname "$log")" | grep -q '~' && fail "a temporary file was left beside the log"

echo "PASS: first play deleted, a play of 2 h added, every other record kept byte for byte"
exit 0
