#!/usr/bin/env bash
# A Flatpak game through its exported desktop entry ("flatpak run ... org.example.Game"):
# here the sandbox is already up, so the command only hands the start over and ends (a
# stand-in "flatpak" first on PATH asks the client running since before the launcher),
# and the game runs in an instance of the application that the launcher did not start: its
# first process is named in the instance's folder under $XDG_RUNTIME_DIR/.flatpak, as
# Flatpak keeps them. The play must follow the instance to its end: one session of 3-5
# seconds for a four-second game.
#
# Usage: flatpak_instance_is_followed.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/url_handler.sh"
source "$(dirname "$0")/lib/game_client.sh"
xsession_enter "$@"

start_game_client
private_desktop
mkdir -p "$work/bin"
printf '#!/bin/sh\n: >"%s/asked"\nfor word; do app=$word; done\necho "flatpak $app 4 0.5" >"%s"\n' \
  "$work" "$client_fifo" >"$work/bin/flatpak"
chmod +x "$work/bin/flatpak"
write_desktop_entry org.example.Game.desktop 'Name=Example Game' \
  'Exec=flatpak run --branch=stable --arch=x86_64 --command=example org.example.Game' 'X-Flatpak=org.example.Game'

write_program ':'
title_program "$applications/org.example.Game.desktop"
start_program "PATH=$work/bin:$PATH" "XDG_RUNTIME_DIR=$client_runtime"
focus_window

asked() { [ -e "$work/asked" ]; }
start_play asked
expect_one_session 3 5
close_program
exit 0
