#!/usr/bin/env bash
# A launcher killed during a play loses at most a minute of it: the real program plays a
# title that runs for ten minutes (automatic timing) and is killed with SIGKILL while it
# waits. The title keeps running, the play's journal stays behind in this computer's folder in Temp/, and the next
# start asks whether to record the lost play; Return answers the question's default, Yes.
# The log then holds the play with the start the journal had, and the journal is gone.
#
# Usage: killed_launcher_keeps_the_play.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

write_program 'echo $$ >"$(dirname "$0")/title.pid"; exec sleep 600'
title_pid=$program/game/title.pid
journal=$program/Temp/$(cat /etc/machine-id 2>/dev/null || hostname)/play.journal
stop_title() {
  [ -s "$title_pid" ] && kill "$(cat "$title_pid")" 2>/dev/null
  xsession_finish
}
trap stop_title EXIT

start_program
focus_window
journal_written() { grep -q '^seconds=' "$journal" 2>/dev/null; }
start_play journal_written
[ -s "$title_pid" ] || wait_for 10 test -s "$title_pid" || fail "the title did not start"
start_line=$(sed -n 's/^start=//p' "$journal")

kill -KILL "$zarn"
wait "$zarn" 2>/dev/null
zarn=
kill -0 "$(cat "$title_pid")" 2>/dev/null || fail "the title ended with the launcher"
[ -f "$journal" ] || fail "no journal left behind"

start_program
question=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zarn2$' | head -n 1)
[ -n "$question" ] || fail "no question about the lost play"
gone() { [ ! -e "$journal" ] && [ ! -e "$journal.aside" ]; }  # moved aside while asked
for attempt in 1 2 3; do  # a key lost while the box was still settling is pressed again
  timeout 20 xdotool windowfocus --sync "$question" 2>/dev/null || break  # answered
  sleep 0.5
  xdotool key Return
  wait_for 10 gone && break
done
wait_for 10 gone || fail "the journal is still there after the answer"

lines=$(wc -l <"$log")
[ "$lines" -eq 2 ] || fail "the log holds $lines lines: $(od -c "$log" | head -5)"
[ "$(sed -n 1p "$log")" = "$start_line"$'\r' ] || fail "start line $(sed -n 1p "$log" | od -c | head -2), journal had $start_line"
[[ "$(sed -n 2p "$log")" =~ ^[0-9]+$'\r'$ ]] || fail "bad duration line: $(sed -n 2p "$log" | od -c | head -2)"
echo "PASS: the play started at $start_line was recorded after the launcher was killed"
exit 0
