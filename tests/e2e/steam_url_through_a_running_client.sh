#!/usr/bin/env bash
# A Steam game through a client that was already running: the title's program is the URL
# steam://rungameid/4242, which the launcher opens with the handler the (private) desktop
# has for steam: URLs. The handler passes the request on to the client, running since
# before the launcher, and ends at once; the client then starts the game, a four-second
# program with SteamAppId=4242 in its environment, outside the launcher's processes. The
# play must follow that game to its end: one session of 3-5 seconds (the time the client
# took to start the game is not play).
#
# Usage: steam_url_through_a_running_client.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run or xdotool missing, outside CI).
set -u
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/url_handler.sh"
source "$(dirname "$0")/lib/game_client.sh"
xsession_enter "$@"

start_game_client
private_desktop
handler=$work/steam-handler.sh
printf '#!/bin/sh\n: >"%s/asked"\necho "steam ${1##*/} 4 0.5" >"%s"\n' "$work" "$client_fifo" >"$handler"
chmod +x "$handler"
register_url_handler steam "$handler"

write_program ':'
title_program "steam://rungameid/4242"
start_program
focus_window

asked() { [ -e "$work/asked" ]; }
start_play asked
expect_one_session 3 5
close_program
exit 0
