#!/usr/bin/env bash
# A game client that was running before the play (as a Steam, Lutris or Flatpak session
# would be): for each request written to its FIFO (as the client's URL handler passes it
# on) it starts a game outside the asker's processes, marked as that client marks its
# games. Requests are lines "<kind> <id> <seconds> [delay]":
#   steam   <app id>   a program whose environment holds SteamAppId=<app id>
#   reaper  <app id>   Steam's reaper: "reaper <seconds> SteamLaunch AppId=<app id> -- game"
#   flatpak <app id>   the first process of an instance, with its folder under
#                      $XDG_RUNTIME_DIR/.flatpak
#   lutris  <name>     GAME_NAME=<name> and LUTRIS_GAME_UUID in its environment
#   program <path>     <path> <seconds>, run by the client
#   relay   <app id>   SteamAppId=<app id>: a first process that ends after one second,
#                      having started then a second one that runs <seconds>
# The game starts <delay> seconds after the request (0 by default).
#
# Usage: fake-game-client.sh <fifo>   (the FIFO's folder holds its helper files)
set -u
fifo=$1
cd "$(dirname "$fifo")" || exit 1
printf '#!/bin/sh\nsleep "$1"\n' >reaper
chmod +x reaper
exec 3<>"$fifo"
n=0
start() {
  case $1 in
    steam) SteamAppId=$2 sleep "$3" & ;;
    reaper) ./reaper "$3" SteamLaunch AppId="$2" -- game & ;;
    flatpak)
      sleep "$3" &
      local instance=${XDG_RUNTIME_DIR:?}/.flatpak/$n
      mkdir -p "$instance"
      printf '[Application]\nname=%s\n' "$2" >"$instance/info"
      printf '{"child-pid": %d}\n' $! >"$instance/bwrapinfo.json" ;;
    lutris) GAME_NAME=$2 LUTRIS_GAME_UUID=$n sleep "$3" & ;;
    program) "$2" "$3" & ;;
    relay) SteamAppId=$2 bash -c "sleep 1; sleep $3 &" & ;;
  esac
  wait
}
while read -r kind id seconds delay <&3; do
  n=$((n + 1))
  (sleep "${delay:-0}"; start "$kind" "$id" "$seconds") &
done
