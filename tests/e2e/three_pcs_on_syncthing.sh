#!/usr/bin/env bash
# One library on three PCs through real Syncthing (lib/pcs.sh): three Syncthing instances on
# loopback share the program folders of PCs A, B and C, a launcher runs on each; B and C get
# A's library through the sync.
#   - All three play the same title and each adds a title while every Syncthing is stopped;
#     once they run again, every PC's files are the same, with the three titles and the three
#     plays, each once, and no conflict copy is left, without a restart.
#   - A renames the title while B plays it: B's play ends in the renamed title's log on every
#     PC, no log under the old name is left, and the files are the same everywhere.
#
# Usage: three_pcs_on_syncthing.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (a tool missing, outside CI).
set -u
xsession_tools="syncthing python3"
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

source "$(dirname "$0")/lib/pcs.sh"
make_pc A '0 : 0'
make_pc B '520 : 0'
make_pc C '260 : 512'
setup_sync

# Whether every PC's library files (the genre list, the genre files, the logs) are the same
# bytes, none a conflict copy (Syncthing's own temporaries of files it still pulls aside).
same_everywhere() {
  local name files
  sync_copies && return 1
  files=$(cd "$work/A" && find Zarn2.Grp Zarn -path Zarn/.changes -prune -o -type f ! -name '.syncthing.*' -print | sort)
  for name in B C; do
    [ "$(cd "$work/$name" && find Zarn2.Grp Zarn -path Zarn/.changes -prune -o -type f ! -name '.syncthing.*' -print | sort)" = "$files" ] ||
      return 1
    for f in $files; do cmp -s "$work/A/$f" "$work/$name/$f" || return 1; done
  done
}
# What differs between the PCs' library files, for a failure.
differences() {
  local name f
  for name in B C; do
    for f in $(cd "$work/A" && find Zarn2.Grp Zarn -path Zarn/.changes -prune -o -type f ! -name '.syncthing.*' -print) \
      $(cd "$work/$name" && find Zarn2.Grp Zarn -path Zarn/.changes -prune -o -type f ! -name '.syncthing.*' -print); do
      cmp -s "$work/A/$f" "$work/$name/$f" || echo "A and $name differ: $f"
    done
  done | sort -u
}
genre_file() { echo "$work/$1/Zarn/$genre.Zarn"; }
names() { iconv -f CP932 -t UTF-8 <"$(genre_file "$1")" | grep -qx "$2"$'\r'; }  # PC, title
log_of() { echo "$work/$1/Zarn/$genre/$2.Log"; }

use A
start_launcher --answer
for name in A B C; do start_sync "$name"; done
library_on() { [ -e "$(log_of "$1" "$title")" ] && [ -e "$(genre_file "$1")" ] && [ -e "$work/$1/Zarn2.Grp" ]; }
wait_for 60 library_on B || fail "A's library did not reach B"
wait_for 60 library_on C || fail "A's library did not reach C"
for name in B C; do
  use "$name"
  start_launcher --answer
done

# ---- three PCs offline: each plays and adds a title -------------------------------------------

for name in A B C; do stop_sync "$name"; done
for name in A B C; do
  use "$name"
  play 2
  add_title "Added$name"
  wait_for 10 names "$name" "Added$name" || fail "PC $name: its title was not added"
done
for name in A B C; do start_sync "$name"; done
merged() {
  same_everywhere && [ "$(lines "$(log_of A "$title")")" -eq 6 ] &&
    names A AddedA && names A AddedB && names A AddedC
}
wait_for 150 merged ||
  fail "the three PCs did not converge: $(differences) logs $(lines "$(log_of A "$title")") $(lines "$(log_of B "$title")") $(lines "$(log_of C "$title")") lines, copies: $(find "$work" -name '*sync-conflict*')"
[ "$(sort -u "$(log_of A "$title")" | wc -l)" -eq 4 ] || fail "a play is there twice: $(cat "$(log_of A "$title")")"

# ---- A renames the title while B plays it ------------------------------------------------------

renamed="夢の森"
echo 8 >"$games/seconds"
use B
begin_play
use A
focus_window
xdotool key Home alt+t
sleep 1
xdotool key e
dialog "の編集"
xdotool key ctrl+a
xdotool type --delay 50 "$renamed"
xdotool key Return
wait_for 10 names A "$renamed" || fail "A did not rename the title"
use B
wait_for 30 eval '! title_started || ! kill -0 "$(cat "$games/title.pid")" 2>/dev/null' || fail "B's play did not end"
carried() {
  same_everywhere && [ ! -e "$(log_of A "$title")" ] && [ "$(lines "$(log_of A "$renamed")")" -eq 8 ]
}
wait_for 60 carried ||
  fail "B's play did not reach the renamed log everywhere: $(differences) $(ls "$work"/?/Zarn/"$genre"/) $(lines "$(log_of A "$renamed")") lines, copies: $(find "$work" -name '*sync-conflict*')"

close_all
echo "PASS: three PCs on Syncthing: offline plays and titles of all three merged once; a play during a rename elsewhere carried to the renamed log"
exit 0
