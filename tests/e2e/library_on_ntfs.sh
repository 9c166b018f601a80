#!/usr/bin/env bash
# A library on a Windows partition, shared by a dual-boot PC with the Windows version: the
# program folder lies on NTFS through ntfs-3g with Windows' name rules (windows_names), in an
# image file made by mkntfs (no loop device). The real program starts there on a virtual X
# server with two genres; a title is played (automatic timing), renamed in its dialog
# (タイトル menu, Alt+T, E), moved to the other genre (Alt+T, M, Down, Enter) and the program
# is closed through its File menu. Every file must then be what the Windows version writes,
# byte for byte: code page 932 with CR LF line ends, the log under the new name in the other
# genre's folder, no temporary left anywhere.
#
# Usage: library_on_ntfs.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (FUSE cannot be used here; outside CI also a tool missing).
set -u
PATH=$PATH:/usr/sbin:/sbin  # mkntfs
xsession_tools="mkntfs ntfs-3g"
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

# ---- the NTFS file system, unmounted whatever happens ----------------------------------
image=$work/windows.img
ntfs=$work/ntfs
truncate -s 128M "$image" || fail "cannot make the image file"
mkntfs -F -Q -q "$image" >"$work/mkntfs.out" 2>&1 || fail "mkntfs failed: $(cat "$work/mkntfs.out")"
mkdir "$ntfs"
if ! ntfs-3g -o windows_names "$image" "$ntfs" >"$work/ntfs-3g.out" 2>&1; then
  echo "SKIPPED: FUSE cannot be used here: $(cat "$work/ntfs-3g.out")"
  exit 77
fi
leave() {
  local rc=$?
  (exit "$rc")
  xsession_finish
  xsession_unmount "$ntfs"
}
trap leave EXIT

# ---- a program folder there: two genres, the title in the first ----------------------
write_program ': > started
sleep 2 &' "$ntfs/Zarn2"
other="パズル"
renamed="Forest II"
put "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre" "$other" '' \
  '[CurrGroup]' '0' ''
mkdir "$program/Zarn/$other"
put "$program/Zarn/$other.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '-1' ''
mark=$program/game/started

start_program
focus_window
playing() { [ -e "$mark" ]; }
start_play playing
wait_for_session 60

# Waits for a window whose name matches and gives it the focus.
window_named() {  # pattern
  local found
  found=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  [ -n "$found" ] || fail "no window named $1"
  timeout 20 xdotool windowfocus --sync "$found" || fail "cannot focus $1"
  sleep 0.5
}
# Chooses an item of the タイトル menu by its key.
title_menu() {  # key
  focus_window
  xdotool key alt+t
  sleep 1
  xdotool key "$1"
}

# Edit: the title's name (the dialog opens with its name field in focus).
title_menu e
window_named "^タイトル\\[ $title \\]の編集\$"
xdotool key ctrl+a
xdotool type --delay 50 "$renamed"
xdotool key Return
moved_log=$program/Zarn/$genre/$renamed.Log
wait_for 20 test -e "$moved_log" || fail "the log was not renamed: $(ls -la "$program/Zarn/$genre")"

# Move: to the second genre.
title_menu m
window_named '^移動先のジャンルを選んで下さい$'
xdotool key Down Return
moved_log=$program/Zarn/$other/$renamed.Log
wait_for 20 test -e "$moved_log" || fail "the log was not moved: $(ls -laR "$program/Zarn")"

close_program
[ "$rc" -eq 0 ] || fail "the program ended with code $rc"

# ---- every file as the Windows version writes it ---------------------------------------
# The bytes `put` would write for these lines.
expect() {  # file, then lines
  local file=$1
  shift
  cmp -s "$file" <(printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932) ||
    fail "$file is not as expected: $(od -c "$file" | head -12)"
}
# The move went with the title to its new genre.
expect "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre" "$other" '' \
  '[CurrGroup]' '1' ''
expect "$program/Zarn/$genre.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '-1' ''
expect "$program/Zarn/$other.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
  '[Title000]' "$renamed" "$game" "$game" '1' '0' ''
[ -e "$log" ] && fail "the log stayed under the old name"
[ -z "$(ls -A "$program/Zarn/$genre")" ] || fail "the first genre's folder is not empty: $(ls -A "$program/Zarn/$genre")"
record=$(cat "$moved_log")
[[ "$record" =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2},[0-9]{2}:[0-9]{2}:[0-9]{2}$'\r\n'[1-3]$'\r'$ ]] ||
  fail "the log is not one play: $(od -c "$moved_log" | head -5)"
ini=$program/Zarn2.ini
grep -q 'prepared by the test' "$ini" && fail "Zarn2.ini was not written at exit"
iconv -f CP932 -t UTF-8 "$ini" >/dev/null || fail "Zarn2.ini is not code page 932"
grep -qv $'\r$' "$ini" && fail "Zarn2.ini has a line without CR LF"
leftovers=$(find "$program" -name '*~*' -o -name '*.tmp' -o -name '.#*')
[ -z "$leftovers" ] || fail "temporaries left: $leftovers"

echo "PASS: played, renamed and moved on NTFS; every file as the Windows version writes it"
exit 0
