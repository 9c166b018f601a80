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
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

# The title's script leaves its mark, starts a six-second child in the background and ends.
write_program ': > started
sleep 6 &'
mark=$program/game/started
start_program
focus_window

playing() { [ -e "$mark" ]; }
start_play playing

wait_for_session 60

close_program
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
