#!/usr/bin/env bash
# One library on two PCs through real Syncthing: two Syncthing instances on loopback (no
# discovery, relays, NAT or usage reports; the file watcher on, a rescan every 2 s) share the
# program folders of "PC A" and "PC B", and a launcher runs on each under one virtual X
# server. B's folder starts without a library and gets A's through the sync. Each launcher's
# first start adds /Temp to its folder's .stignore (its message is answered).
#   - A title added on A shows in B's window within 10 s without a restart (the export of
#     B's library, taken from the window's library, holds it).
#   - Both play the same title while B's Syncthing is stopped; once it runs again, both logs
#     hold both plays and no conflict copy is left, without a restart.
#   - A play killed on A is offered at A's next start, and B, started again, offers nothing.
#
# Usage: two_pcs_on_syncthing.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (a tool missing, outside CI).
set -u
xsession_tools="syncthing python3"
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

source "$(dirname "$0")/lib/pcs.sh"
make_pc A '0 : 0'
make_pc B '520 : 512'
setup_sync
logA=$work/A/Zarn/$genre/$title.Log
logB=$work/B/Zarn/$genre/$title.Log
added="Tetris"

# A's launcher keeps Temp out of the sync before Syncthing first looks at the folder.
use A
start_launcher --answer
grep -qx '/Temp' "$work/A/.stignore" || fail "A's .stignore does not name /Temp: $(cat "$work/A/.stignore")"
start_sync A
start_sync B
library_on_b() { [ -e "$logB" ] && [ -e "$work/B/Zarn/$genre.Zarn" ] && [ -e "$work/B/Zarn2.Grp" ]; }
wait_for 60 library_on_b || fail "A's library did not reach B"
use B
start_launcher --answer
grep -qx '/Temp' "$work/B/.stignore" || fail "B's .stignore does not name /Temp"

# ---- a title added on A shows in B's window ------------------------------------------------

use A
add_title "$added"
added_at=$(date +%s%N)
wait_for 10 grep -q "$added" "$work/B/Zarn/$genre.Zarn" || fail "A's new title did not reach B's folder"
sleep 1.5  # the watch settles for half a second; the window holds what it read then
# The export writes the library the window holds (no reload runs while its dialog is open).
use B
focus_window
xdotool key alt+f
sleep 1
xdotool key e
timeout 15 xdotool search --all --sync --onlyvisible --pid "$zarn" --name "プレイ記録のエクスポート" >/dev/null ||
  fail "no export dialog on B"
sleep 1
xdotool type --delay 20 "library.json"
xdotool key Return
exported_at=$(date +%s%N)
wait_for 10 test -s "$work/homeB/library.json" || fail "B wrote no export"
answer_message  # its closing message, once it is there (a Return before would go to the list)
[ $(((exported_at - added_at) / 1000000)) -le 10000 ] || fail "B's export began more than 10 s after the add"
python3 - "$work/homeB/library.json" "$added" <<'PY' || fail "B's window does not hold A's new title"
import json, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
assert sys.argv[2] in [t["name"] for g in doc["genres"] for t in g["titles"]], doc
PY

# ---- both play while B's Syncthing is stopped ----------------------------------------------

stop_sync B
use A
play 2
use B
play 2
cmp -s "$logA" "$logB" && fail "both PCs logged the same play"
start_sync B
merged() {
  [ "$(lines "$logA")" -eq 4 ] && cmp -s "$logA" "$logB" && ! sync_copies
}
wait_for 40 merged || fail "the logs did not merge: A $(lines "$logA") lines, B $(lines "$logB"), copies: $(find "$work" -name '*sync-conflict*')"

# ---- a play killed on A is A's alone -------------------------------------------------------

echo 600 >"$games/seconds"
use A
begin_play
journal() { find "$work/$1/Temp" -name '*journal*' -type f | grep -q .; }
wait_for 10 journal A || fail "no journal on A"
kill -KILL "$zarn"
wait "$zarn" 2>/dev/null
zarn=
keep
sleep 4  # time for the sync to carry anything it would
journal B && fail "A's journal reached B"
use B
restart_launcher
sleep 2
[ -z "$(message_of)" ] || fail "B offered a play at its start"
use A
start_launcher --answer
wait_for 10 eval '[ "$(lines "$logA")" -eq 6 ]' || fail "A's offered play was not recorded ($(lines "$logA") lines)"
journal A && fail "A's journal is still there"
kill "$(cat "$games/title.pid")" 2>/dev/null

close_all
echo "PASS: two PCs on Syncthing: a new title shown on the other PC, plays of both merged, a killed play offered on its own PC"
exit 0
