# Shared steps of the whole-program tests of several PCs on one library through real
# Syncthing (sourced after xsession.sh, inside the X server): each "PC" is a program folder
# $work/<name> with its own Syncthing instance on loopback (no discovery, relays, NAT or usage
# reports; the file watcher on, a rescan every 2 s, every other PC a device) and its own
# launcher, all under one virtual X server. The title $title of genre $genre runs the script
# $game for as many seconds as $games/seconds holds.

genre="アクション"
title="眠りの森"
games=$work/games
game=$games/game.sh
mkdir -p "$games"
echo 2 >"$games/seconds"
printf '#!/bin/sh\necho $$ >"%s/title.pid"\nexec sleep "$(cat "%s/seconds")"\n' "$games" "$games" >"$game"
chmod +x "$game"
pcs_names=()

# A program folder for PC `name` with its window at `position` ("x : y"); the first one made
# holds the library (one genre, one title with an empty log), the others get it by the sync.
make_pc() {  # name, position
  local pc=$work/$1
  mkdir -p "$pc/.stfolder" "$work/home$1"
  cp "$binary" "$pc/Zarn2"
  cp "$(dirname "$binary")/zarn2-wait" "$pc/" || fail "no wait helper beside $binary"
  put "$pc/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
    '[Position]' "$2" '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
    '[HistoryMode]' '0' '' '[Minimize]' '0' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' '[SUBST]' ''
  printf '%s\n' /Zarn2 /zarn2-wait /Zarn2.ini >"$pc/.stignore"
  if [ ${#pcs_names[@]} -eq 0 ]; then
    mkdir -p "$pc/Zarn/$genre"
    put "$pc/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre" '' \
      '[CurrGroup]' '0' ''
    put "$pc/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
      '[Title000]' "$title" "$game" "$game" '1' '0' ''
    : >"$pc/Zarn/$genre/$title.Log"
  fi
  pcs_names+=("$1")
}

# The Syncthing homes and configurations of every PC made (each one's device and port).
setup_sync() {
  local name ports
  read -r -a ports < <(python3 -c '
import socket, sys
s = [socket.socket() for _ in range(int(sys.argv[1]))]
for x in s: x.bind(("127.0.0.1", 0))
print(*[x.getsockname()[1] for x in s])' ${#pcs_names[@]})
  local i=0 devices=""
  for name in "${pcs_names[@]}"; do
    local id
    id=$(syncthing generate --home="$work/st$name" --no-default-folder --skip-port-probing 2>&1 |
      sed -n 's/.*Device ID: *//p')
    [ -n "$id" ] || fail "syncthing generate gave no device id"
    printf -v "port$name" '%s' "${ports[$i]}"
    printf -v "device$name" '%s' "$id"
    devices+="    <device id=\"$id\" name=\"$name\" compression=\"metadata\"><address>tcp://127.0.0.1:${ports[$i]}</address></device>"$'\n'
    i=$((i + 1))
  done
  for name in "${pcs_names[@]}"; do
    local port=port$name folderDevices=""
    for other in "${pcs_names[@]}"; do
      local d=device$other
      folderDevices+="        <device id=\"${!d}\"></device>"$'\n'
    done
    cat >"$work/st$name/config.xml" <<EOC
<configuration version="36">
    <folder id="zarn2" label="Zarn2" path="$work/$name" type="sendreceive" rescanIntervalS="2" fsWatcherEnabled="true" fsWatcherDelayS="1">
        <filesystemType>basic</filesystemType>
$folderDevices        <maxConflicts>10</maxConflicts>
        <markerName>.stfolder</markerName>
    </folder>
$devices    <gui enabled="false" tls="false"><address>127.0.0.1:0</address></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:${!port}</listenAddress>
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
EOC
  done
}

start_sync() {  # name
  STNOUPGRADE=1 syncthing serve --home="$work/st$1" --no-browser --no-restart >>"$work/st$1.out" 2>&1 &
  printf -v "sync$1" '%s' $!
}
stop_sync() {  # name
  local var=sync$1
  [ -n "${!var:-}" ] && kill "${!var}" 2>/dev/null && wait "${!var}" 2>/dev/null
  printf -v "$var" '%s' ""
}
pcs_finish() {
  local rc=$? name pid
  for name in "${pcs_names[@]}"; do
    pid=zarn$name
    [ -n "${!pid:-}" ] && kill "${!pid}" 2>/dev/null
  done
  [ -s "$games/title.pid" ] && kill "$(cat "$games/title.pid")" 2>/dev/null
  for name in "${pcs_names[@]}"; do stop_sync "$name"; done
  if [ "$rc" -ne 0 ]; then
    for f in "$work"/st?.out; do echo "--- $f (last lines) ---" >&2; tail -n 15 "$f" >&2; done
  fi
  zarn=
  (exit "$rc")
  xsession_finish
}
trap pcs_finish EXIT

# ---- the launchers: one per PC, the shared steps work on the one chosen -------------------

use() {  # name: $program, $zarn and $window become that PC's
  pc=$1
  program=$work/$1
  local z=zarn$1 w=win$1
  zarn=${!z:-}
  window=${!w:-}
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
close_all() {  # every launcher, each ending with code 0
  local name
  for name in "${pcs_names[@]}"; do
    use "$name"
    close_program
    keep
    [ "$rc" -eq 0 ] || fail "PC $name's launcher ended with code $rc"
  done
}
lines() { wc -l <"$1" 2>/dev/null || echo 0; }
title_started() { [ -s "$games/title.pid" ]; }
# Starts a play of the first title on the chosen PC.
begin_play() {
  rm -f "$games/title.pid"
  focus_window
  xdotool key Home  # the first title, the same on every PC
  start_play title_started
}
play() {  # the first title on the chosen PC, until its log holds `lines` lines
  local log=$work/$pc/Zarn/$genre/$title.Log want=$1
  begin_play
  wait_for 30 eval '[ "$(lines "$log")" -ge '"$want"' ]' || fail "PC $pc: no play recorded"
  sleep 1
}
# A dialog of the chosen launcher whose caption matches, given the focus.
dialog() {  # caption pattern
  local found
  found=$(timeout 15 xdotool search --all --sync --onlyvisible --pid "$zarn" --name "$1" | head -n 1)
  [ -n "$found" ] || fail "PC $pc: no dialog $1"
  timeout 20 xdotool windowfocus --sync "$found" 2>/dev/null
  sleep 1
}
add_title() {  # name: a title added to the current genre of the chosen PC, playing $game
  focus_window
  xdotool key alt+t
  sleep 1
  xdotool key a
  dialog "タイトル追加"
  xdotool type --delay 50 "$1"
  xdotool key Tab  # the program
  xdotool type --delay 20 "$game"
  xdotool key Tab Tab  # past its browse button, the icon
  xdotool type --delay 20 "$game"
  xdotool key Return
}
# Conflict copies left in any PC's folder. Syncthing's temporary of a copy it was still pulling
# when the copy went on its PC (merged there) is no copy: Syncthing keeps it for a day.
sync_copies() {
  find "$work"/*/Zarn "$work"/*/Zarn2.Grp -name '*sync-conflict*' ! -name '.syncthing.*.tmp' 2>/dev/null | grep -q .
}
