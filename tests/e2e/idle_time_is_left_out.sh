#!/usr/bin/env bash
# A title left alone is not played: with the idle check at one minute, the real program
# plays a title that runs 100 s (automatic timing) while nothing is touched after the
# Space that starts it. The X server's idle counter (its screen saver extension) sees no
# input, so the play's end asks whether to leave the idle time out; Return answers the
# question's default, Yes, and the log then holds the play with at most 40 s.
#
# Usage: idle_time_is_left_out.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

write_program ': > started
exec sleep 100'
printf '[IdleMinite]\r\n1\r\n' >>"$program/Zarn2.ini"
mark=$program/game/started
start_program
focus_window
playing() { [ -e "$mark" ]; }
start_play playing

question=$(timeout 150 xdotool search --sync --onlyvisible --name '^Zarn2$' | head -n 1)
[ -n "$question" ] || fail "no question at the play's end"
[ -s "$log" ] && fail "the play was recorded before the question: $(od -c "$log" | head -3)"
for attempt in 1 2 3; do  # a key lost while the box was still settling is pressed again
  timeout 20 xdotool windowfocus --sync "$question" 2>/dev/null || break  # answered
  sleep 0.5
  xdotool key Return
  wait_for 10 has_record && break
done
wait_for 10 has_record || fail "nothing recorded after the answer"

lines=$(wc -l <"$log")
[ "$lines" -eq 2 ] || fail "the log holds $lines lines: $(od -c "$log" | head -5)"
seconds=$(sed -n 2p "$log" | tr -d '\r')
[[ "$seconds" =~ ^[0-9]+$ ]] && [ "$seconds" -le 40 ] || fail "recorded $seconds s of a play left alone"
echo "PASS: the play left alone was recorded with $seconds s"
exit 0
