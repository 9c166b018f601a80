# A game client that was running before the launcher, for the whole-program tests of
# hand-offs (sourced, not run; after lib/xsession.sh, inside the X server).
#
#   start_game_client            # tests/support/fake-game-client.sh on $client_fifo, with
#                                # $client_runtime as its XDG_RUNTIME_DIR; ended at exit
#   title_program "steam://rungameid/4242"   # the title of write_program runs this instead
#   expect_one_session 3 5       # the title's log holds one session of 3-5 seconds

start_game_client() {
  client_fifo=$work/client/requests
  client_runtime=$work/run
  mkdir -p "$work/client" "$client_runtime"
  chmod 700 "$client_runtime"
  mkfifo "$client_fifo" || fail "cannot make the client's FIFO"
  XDG_RUNTIME_DIR=$client_runtime setsid bash "$(dirname "$0")/../support/fake-game-client.sh" "$client_fifo" &
  client=$!
  disown "$client"  # its end at exit is no news
  # The client and every game it started go with the test; the test's exit code stays.
  trap 'rc=$?; kill -KILL -- "-$client" 2>/dev/null; (exit $rc); xsession_finish' EXIT
}

# The genre file of write_program again, with `target` as the title's program and icon.
title_program() {  # target
  put "$program/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
    '[Title000]' "$title" "$1" "$1" '1' '0' ''
}

expect_one_session() {  # least seconds, most seconds
  wait_for_session 90
  local lines seconds
  lines=$(wc -l <"$log")
  [ "$lines" -eq 2 ] || fail "the log holds $lines lines: $(od -c "$log" | head -5)"
  seconds=$(sed -n 2p "$log" | tr -d '\r')
  [[ "$seconds" =~ ^[0-9]+$ ]] && [ "$seconds" -ge "$1" ] && [ "$seconds" -le "$2" ] ||
    fail "a session of '$seconds' seconds, not $1-$2"
  echo "PASS: one session of $seconds s recorded"
}
