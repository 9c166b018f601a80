#!/usr/bin/env bash
# A launcher ended during a play keeps what was played: the real program plays a title that
# runs for ten minutes (automatic timing) and is ended while it waits, twice.
# - Killed with SIGKILL: it loses at most a minute. The play's journal stays behind in this
#   computer's folder in Temp/.
# - Ended with SIGTERM 8 s into the play, as a log-out or shutdown ends it: it writes the
#   journal with the time played so far and ends as when closed (exit code 0).
# Either way the title keeps running, and the next start asks whether to record the lost
# play; Return answers the question's default, Yes. The log then holds the play with the
# start the journal had (and, after SIGTERM, the 8 s), and the journal is gone.
#
# Usage: killed_launcher_keeps_the_play.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

write_program 'echo $$ >>"$(dirname "$0")/title.pids"; exec sleep 600'
title_pids=$program/game/title.pids
journal=$program/Temp/$(cat /etc/machine-id 2>/dev/null || hostname)/play.journal
stop_titles() {
  [ -s "$title_pids" ] && kill $(cat "$title_pids") 2>/dev/null
  xsession_finish
}
trap stop_titles EXIT

journal_written() { grep -q '^seconds=' "$journal" 2>/dev/null; }
titles_started() { [ "$(wc -l <"$title_pids" 2>/dev/null || echo 0)" -ge "$1" ]; }

# Plays the title and ends the launcher with `signal` `after` seconds into the play; sets
# $start_line and $journal_seconds from the journal left behind.
play_and_end() {  # signal, seconds into the play, number of this play
  local signal=$1 after=$2 play=$3
  start_program
  focus_window
  start_play journal_written
  local started
  started=$(date +%s%N)
  wait_for 10 titles_started "$play" || fail "the title did not start"
  start_line=$(sed -n 's/^start=//p' "$journal")
  local rest_ms=$((after * 1000 - ($(date +%s%N) - started) / 1000000))
  [ "$rest_ms" -gt 0 ] && sleep "$((rest_ms / 1000)).$(printf '%03d' $((rest_ms % 1000)))"
  kill "-$signal" "$zarn"
  wait_for 20 program_ended || fail "the launcher did not end after SIG$signal"
  wait "$zarn" 2>/dev/null
  local rc=$?
  zarn=
  if [ "$signal" = TERM ]; then
    [ "$rc" -eq 0 ] || fail "the launcher ended with $rc after SIGTERM, not as when closed"
  fi
  kill -0 "$(sed -n "${play}p" "$title_pids")" 2>/dev/null || fail "the title ended with the launcher"
  [ -f "$journal" ] || fail "no journal left behind after SIG$signal"
  journal_seconds=$(sed -n 's/^seconds=//p' "$journal")
}

# The next start asks about the lost play; Return answers Yes.
record_the_lost_play() {
  start_program
  local question attempt
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
  close_program
}

# The log's last record: its start line, then its seconds.
check_last_record() {  # number of records
  local lines start seconds
  lines=$(wc -l <"$log")
  [ "$lines" -eq $(($1 * 2)) ] || fail "the log holds $lines lines: $(od -c "$log" | head -5)"
  start=$(sed -n "$(($1 * 2 - 1))p" "$log")
  seconds=$(sed -n "$(($1 * 2))p" "$log")
  [ "$start" = "$start_line"$'\r' ] || fail "start line $(echo "$start" | od -c | head -2), journal had $start_line"
  [[ "$seconds" =~ ^[0-9]+$'\r'$ ]] || fail "bad duration line: $(echo "$seconds" | od -c | head -2)"
  recorded=${seconds%$'\r'}
}

play_and_end KILL 0 1
record_the_lost_play
check_last_record 1
echo "PASS: the play started at $start_line was recorded after the launcher was killed"

play_and_end TERM 8 2
[ "${journal_seconds:-0}" -ge 8 ] && [ "$journal_seconds" -le 20 ] ||
  fail "the journal holds ${journal_seconds:-no} seconds after SIGTERM 8 s into the play"
record_the_lost_play
check_last_record 2
[ "$recorded" = "$journal_seconds" ] || fail "recorded $recorded s, the journal had $journal_seconds"
echo "PASS: the play ended by SIGTERM after 8 s was recorded with $recorded s"
exit 0
