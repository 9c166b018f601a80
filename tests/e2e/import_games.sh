#!/usr/bin/env bash
# The import of the games found on this PC through the real program on a virtual X server,
# over the real desktop entries of an installed Debian game package (xjump, which
# scripts/deps.sh installs): File menu, "ゲームの取り込み(&I)...", every game ticked with
# "全て選択(&A)", OK into the new genre the empty library is offered. The genre file then
# lists the game under its entry's name with the entry as its program. The home folder is
# the test's own, so no client's games of this machine take part.
#
# Usage: import_games.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run, xdotool or iconv missing, or xjump not
# installed, outside CI).
set -u

source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

entry=/usr/share/applications/xjump.desktop
if [ ! -f "$entry" ]; then
  [ "${CI:-}" = true ] && fail "no $entry: scripts/deps.sh installs xjump"
  echo "SKIP: xjump is not installed" >&2
  exit 77
fi

program=$work/program
mkdir -p "$program/Zarn" "$program/Temp" "$work/home"
cp "$binary" "$program/Zarn2"
put "$program/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
  '[Position]' '20 : 20' '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
  '[HistoryMode]' '0' '' '[Minimize]' '1' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' '[SUBST]' '' ''
put "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' '' '[CurrGroup]' '-1' ''

# A user's PATH on Debian holds /usr/games, where the game's program is.
start_program HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_DATA_DIRS=/usr/share PATH="$PATH:/usr/games"

genre_file=$program/Zarn/新規ジャンル.Zarn
listed() { [ -f "$genre_file" ] && iconv -f CP932 -t UTF-8 "$genre_file" | tr -d '\r' | grep -qx "$entry"; }

for attempt in 1 2 3; do
  focus_window
  xdotool key alt+f
  sleep 1
  xdotool key i
  if timeout 15 xdotool search --sync --onlyvisible --name "ゲームの取り込み" >/dev/null; then
    sleep 1
    xdotool key alt+a
    sleep 0.5
    xdotool key Return
    wait_for 20 listed || fail "the genre file does not list $entry after OK"
    break
  fi
  echo "no import dialog (attempt $attempt)" >&2
  xdotool key Escape Escape
done
listed || fail "the import dialog did not open"

# The title block: its name from the entry, the entry as program and icon, timed, no disc.
iconv -f CP932 -t UTF-8 "$genre_file" | tr -d '\r' | grep -A5 -x "XJump" >"$work/block" ||
  fail "no title XJump in the genre file"
[ "$(sed -n 2p "$work/block")" = "$entry" ] || fail "program: $(sed -n 2p "$work/block")"
[ "$(sed -n 4,5p "$work/block" | tr '\n' ' ')" = "1 0 " ] || fail "flags: $(sed -n 4,5p "$work/block")"
[ -f "$program/Zarn/新規ジャンル/XJump.Log" ] || fail "no log for the title"
iconv -f CP932 -t UTF-8 "$program/Zarn2.Grp" | tr -d '\r' | grep -qx "新規ジャンル" || fail "the genre is not listed"

close_program
[ "$rc" = 0 ] || fail "exit code $rc"
echo "PASS"
