#!/usr/bin/env bash
# The Debian package as a user gets it: builds it with ./package.sh (or takes the .deb
# given), checks it with lintian (no errors), desktop-file-validate and appstreamcli, unpacks
# it with dpkg-deb -x into a temporary root and starts the unpacked launcher on a virtual X
# server with a fresh home folder. The first start must show its message (no settings file
# yet) with the data folder already made in ~/.local/share/Zarn2, then the main window; the
# launcher is closed through its File menu and must leave Zarn2.ini and Zarn2.Grp there,
# and nothing new in the unpacked root. A second start on a library of one genre opens the
# play chart window, whose module the package installs beside the wait helper.
#
# Usage: tests/package/installed_package.sh [path/to/zarn2.deb]
# Exit: 0 passed, 1 failed.
set -u

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# ---- outside the X server ----------------------------------------------------------
if [ "${1:-}" != --inside ]; then
  deb=${1:-}
  if [ -z "$deb" ]; then
    deb=$("$(dirname "$0")/../../package.sh" | tail -n 1) || fail "./package.sh failed"
  fi
  [ -f "$deb" ] || fail "no package at $deb"

  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  root=$work/root
  dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"

  lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian.out" 2>&1 ||
    fail "lintian reports errors:
$(cat "$work/lintian.out")"
  grep -E '^[EW]: ' "$work/lintian.out" >&2
  desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "the desktop entry is not valid"
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$work/appstream.out" 2>&1 ||
    fail "the AppStream metainfo is not valid: $(cat "$work/appstream.out")"
  [ -f "$root/usr/share/zarn2/Help/index.html" ] || fail "no help page in the package"
  [ -x "$root/usr/libexec/zarn2/zarn2-wait" ] || fail "no wait helper in the package"
  [ -f "$root/usr/libexec/zarn2/libzarn2-charts.so" ] || fail "no chart module in the package"
  readelf -d "$root/usr/bin/Zarn2" | grep -q 'libQt6Charts' && fail "the launcher itself links Qt Charts"

  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$work"
  exit $?
fi

# ---- inside the X server ------------------------------------------------------------
work=${2:?}
root=$work/root
home=$work/home
mkdir -p "$home"
(cd "$root" && find . | sort) >"$work/before"
data=$home/.local/share/Zarn2

zarn=
finish() {
  local rc=$?
  [ -n "$zarn" ] && kill "$zarn" 2>/dev/null
  [ "$rc" -ne 0 ] && [ -s "$work/zarn2.out" ] && { echo "--- program output ---"; cat "$work/zarn2.out"; } >&2
}
trap finish EXIT

start() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
    "$root/usr/bin/Zarn2" >>"$work/zarn2.out" 2>&1 &
  zarn=$!
}
main_window() {
  window=$(timeout 60 xdotool search --sync --onlyvisible --name 'The Game Launcher' | head -n 1)
  [ -n "$window" ] || fail "the main window did not appear"
}
ended() { ! kill -0 "$zarn" 2>/dev/null; }
# File menu, Exit; a key lost while the window was settling is tried again.
close_launcher() {
  for attempt in 1 2 3; do
    timeout 20 xdotool windowfocus --sync "$window" || fail "cannot focus the main window"
    sleep 0.5
    xdotool key alt+f
    sleep 1
    xdotool key x
    for _ in $(seq 50); do ended && break; sleep 0.2; done
    ended && break
    xdotool key Escape Escape
  done
  ended || fail "the launcher did not close through its menu"
  wait "$zarn" || fail "the launcher ended with code $?"
  zarn=
}

start
# The first start's message box (captioned with the program's name) comes before the window.
box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Zarn2$' | head -n 1)
[ -n "$box" ] || fail "no first-start message"
[ -d "$data/Zarn" ] && [ -d "$data/Temp" ] || fail "the data folder was not made in $data"
[ -e "$data/Zarn2.ini" ] && fail "a settings file exists before the first exit"
xdotool windowfocus --sync "$box" key Return
main_window
close_launcher

for file in Zarn2.ini Zarn2.Grp; do
  [ -s "$data/$file" ] || fail "no $file in $data"
done
(cd "$root" && find . | sort) | diff "$work/before" - >&2 || fail "files appeared in the unpacked package"

# One genre of one title: the chart command (表示 menu, G) loads the module and opens the window.
printf '%s\r\n' ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' RPG '' '[CurrGroup]' 0 '' \
  >"$data/Zarn2.Grp"
printf '%s\r\n' '[PlayMode]' 0 '' '[CurrMember]' 0 '' '[Title000]' Game /usr/bin/true /usr/bin/true 1 0 '' \
  >"$data/Zarn/RPG.Zarn"
mkdir -p "$data/Zarn/RPG"
printf '%s\r\n' 2009/03/07,21:05:09 3723 >"$data/Zarn/RPG/Game.Log"
start
main_window
chart=
for attempt in 1 2 3; do
  timeout 20 xdotool windowfocus --sync "$window" || fail "cannot focus the main window"
  sleep 0.5
  xdotool key alt+a
  sleep 1
  xdotool key g
  chart=$(timeout 15 xdotool search --sync --onlyvisible --name 'プレイ グラフ' | head -n 1) && break
  xdotool key Escape Escape
done
[ -n "$chart" ] || fail "the play chart window did not open"
xdotool windowfocus --sync "$chart" key Escape
close_launcher
echo "PASS: the unpacked package started with a fresh home, kept its files in $data and opened its chart window"
