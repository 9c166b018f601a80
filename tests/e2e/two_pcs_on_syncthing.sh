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

genre="アクション"
title="眠りの森"
added="Tetris"
games=$work/games
game=$games/game.sh
mkdir -p "$games"
echo 2 >"$games/seconds"
printf '#!/bin/sh\necho $$ >"%s/title.pid"\nexec sleep "$(cat "%s/seconds")"\n' "$games" "$games" >"$game"
chmod +x "$game"

# ---- two PCs: program folders, Syncthing homes ------------------------------------------

make_pc() {  # A or B, the window's place ("x : y"): side by side
  local pc=$work/$1
  mkdir -p "$pc/.stfolder" "$work/home$1"
  cp "$binary" "$pc/Zarn2"
  cp "$(dirname "$binary")/zarn2-wait" "$pc/" || fail "no wait helper beside $binary"
  put "$pc/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
    '[Position]' "$2" '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
    '[HistoryMode]' '0' '' '[Minimize]' '0' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' '[SUBST]' ''
  printf '%s\n' /Zarn2 /zarn2-wait /Zarn2.ini >"$pc/.stignore"
}
make_pc A '0 : 0'
make_pc B '520 : 512'
mkdir -p "$work/A/Zarn/$genre"
put "$work/A/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre" '' \
  '[CurrGroup]' '0' ''
put "$work/A/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
  '[Title000]' "$title" "$game" "$game" '1' '0' ''
: >"$work/A/Zarn/$genre/$title.Log"
logA=$work/A/Zarn/$genre/$title.Log
logB=$work/B/Zarn/$genre/$title.Log

read -r portA portB < <(python3 -c '
import socket
s = [socket.socket() for _ in range(2)]
for x in s: x.bind(("127.0.0.1", 0))
print(*[x.getsockname()[1] for x in s])')
device_id() {  # Syncthing home
  syncthing generate --home="$1" --no-default-folder --skip-port-probing 2>&1 | sed -n 's/.*Device ID: *//p'
}
idA=$(device_id "$work/stA")
idB=$(device_id "$work/stB")
[ -n "$idA" ] && [ -n "$idB" ] || fail "syncthing generate gave no device id"
write_config() {  # A or B, its listening port
  cat >"$work/st$1/config.xml" <<EOF
<configuration version="36">
    <folder id="zarn2" label="Zarn2" path="$work/$1" type="sendreceive" rescanIntervalS="2" fsWatcherEnabled="true" fsWatcherDelayS="1">
        <filesystemType>basic</filesystemType>
        <device id="$idA"></device>
        <device id="$idB"></device>
        <maxConflicts>10</maxConflicts>
        <markerName>.stfolder</markerName>
    </folder>
    <device id="$idA" name="A" compression="metadata"><address>tcp://127.0.0.1:$portA</address></device>
    <device id="$idB" name="B" compression="metadata"><address>tcp://127.0.0.1:$portB</address></device>
    <gui enabled="false" tls="false"><address>127.0.0.1:0</address></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:$2</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <startBrowser>false</startBrowser>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
        <reconnectionIntervalS>2</reconnectionIntervalS>
    </options>
</configuration>
EOF
}
write_config A "$portA"
write_config B "$portB"

syncA= syncB= zarnA= zarnB= winA= winB=
start_sync() {  # A or B
  STNOUPGRADE=1 syncthing serve --home="$work/st$1" --no-browser --no-restart >>"$work/st$1.out" 2>&1 &
  printf -v "sync$1" '%s' $!
}
stop_sync() {  # A or B
  local var=sync$1
  [ -n "${!var}" ] && kill "${!var}" 2>/dev/null && wait "${!var}" 2>/dev/null
  printf -v "$var" '%s' ""
}
finish() {
  local rc=$?
  for pid in "$zarnA" "$zarnB"; do [ -n "$pid" ] && kill "$pid" 2>/dev/null; done
  [ -s "$games/title.pid" ] && kill "$(cat "$games/title.pid")" 2>/dev/null
  stop_sync A
  stop_sync B
  if [ "$rc" -ne 0 ]; then
    for f in "$work"/st?.out; do echo "--- $f (last lines) ---" >&2; tail -n 15 "$f" >&2; done
  fi
  zarn=
  (exit "$rc")
  xsession_finish
}
trap finish EXIT

# ---- the launchers: one per PC, the shared steps work on the one chosen ------------------

use() {  # A or B: $program, $zarn and $window become that PC's
  pc=$1
  program=$work/$1
  local z=zarn$1 w=win$1
  zarn=${!z}
  window=${!w}
}
keep() {  # notes the chosen PC's launcher after a start or an end
  printf -v "zarn$pc" '%s' "$zarn"
  printf -v "win$pc" '%s' "${window:-}"
}
message_of() { xdotool search --all --onlyvisible --pid "$zarn" --name '^Zarn2$' 2>/dev/null | head -n 1; }
answer_message() {  # Return on the message the chosen launcher shows
  local box attempt
  box=$(timeout 30 xdotool search --all --sync --onlyvisible --pid "$zarn" --name '^Zarn2$' | head -n 1)
  [ -n "$box" ] || fail "PC $pc: no message"
  for attempt in 1 2 3; do
    timeout 20 xdotool windowfocus --sync "$box" 2>/dev/null || return 0
    sleep 0.5
    xdotool key Return
    wait_for 5 test -z "$(message_of)" && return 0
  done
  fail "PC $pc: the message was not answered"
}
start_launcher() {  # [--answer]: answers the message the start shows first
  launch_program HOME="$work/home$pc"
  [ "${1:-}" = --answer ] && answer_message
  find_window
  keep
}
restart_launcher() {
  close_program
  keep
  start_launcher
}
lines() { wc -l <"$1" 2>/dev/null || echo 0; }
title_started() { [ -s "$games/title.pid" ]; }
play() {  # the current title on the chosen PC, until its log holds `lines` lines
  local log=$work/$pc/Zarn/$genre/$title.Log want=$1
  rm -f "$games/title.pid"
  focus_window
  xdotool key Home  # the first title, the same on both PCs
  start_play title_started
  wait_for 30 eval '[ "$(lines "$log")" -ge '"$want"' ]' || fail "PC $pc: no play recorded"
  sleep 1
}

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
focus_window
xdotool key alt+t
sleep 1
xdotool key a
timeout 15 xdotool search --all --sync --onlyvisible --pid "$zarn" --name "タイトル追加" >/dev/null ||
  fail "no title dialog on A"
sleep 1
xdotool type --delay 50 "$added"
xdotool key Tab  # the program
xdotool type --delay 20 "$game"
xdotool key Tab Tab  # past its browse button, the icon
xdotool type --delay 20 "$game"
xdotool key Return
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
copies() { find "$work/A/Zarn" "$work/B/Zarn" -name '*sync-conflict*' | grep -q .; }
merged() {
  [ "$(lines "$logA")" -eq 4 ] && cmp -s "$logA" "$logB" && ! copies
}
wait_for 40 merged || fail "the logs did not merge: A $(lines "$logA") lines, B $(lines "$logB"), copies: $(find "$work" -name '*sync-conflict*')"

# ---- a play killed on A is A's alone -------------------------------------------------------

echo 600 >"$games/seconds"
use A
rm -f "$games/title.pid"
focus_window
xdotool key Home
start_play title_started
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

for p in A B; do
  use "$p"
  close_program
  keep
  [ "$rc" -eq 0 ] || fail "PC $p's launcher ended with code $rc"
done
echo "PASS: two PCs on Syncthing: a new title shown on the other PC, plays of both merged, a killed play offered on its own PC"
exit 0
