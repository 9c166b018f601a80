#!/usr/bin/env bash
# A title whose program is a desktop entry, played with history on the real program under a
# virtual X server: the entry's Exec names a script with quoted arguments and a field code,
# and its Path names the folder to run in. The script notes its arguments and folder and
# runs four seconds. The launcher must run the entry's command itself (not open the file),
# with the arguments as the entry quotes them and no file for %U, and time the play: the
# log holds one session of 3-5 seconds.
#
# Usage: desktop_entry_plays_with_arguments.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/url_handler.sh"
xsession_enter "$@"

private_desktop
write_program 'printf "%s|" "$@" > "$(dirname "$0")/args.tmp"; pwd >> "$(dirname "$0")/args.tmp"
mv "$(dirname "$0")/args.tmp" "$(dirname "$0")/args"; sleep 4'
mkdir -p "$work/run here"
entry=$applications/zarn2-test-game.desktop
write_desktop_entry zarn2-test-game.desktop 'Name=Test game' 'Name[ja]=テストゲーム' \
  "Exec=\"$game\" --level \"2 b\" %U" "Path=$work/run here"
put "$program/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
  '[Title000]' "$title" "$entry" "$entry" '1' '0' ''
args=$program/game/args

start_program
focus_window
playing() { [ -e "$args" ]; }
start_play playing

wait_for_session 60
close_program
[ "$rc" -eq 0 ] || fail "the program ended with code $rc"

[ "$(cat "$args")" = "--level|2 b|$work/run here" ] || fail "the entry's command ran as: $(cat "$args")"
lines=$(wc -l <"$log")
[ "$lines" -eq 2 ] || fail "the log holds $lines lines: $(od -c "$log" | head -5)"
second=$(sed -n 2p "$log")
[[ "$second" =~ ^[3-5]$'\r'$ ]] || fail "bad duration line: $(printf '%q' "$second")"

echo "PASS: the entry's command ran with its arguments; one session of $(printf '%s' "$second" | tr -d '\r') s"
exit 0
