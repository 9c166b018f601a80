#!/usr/bin/env bash
# Takes the README's pictures: lays out a sample program folder (genres and titles with
# Japanese names, title icons, a play history), starts Zarn2 from it on a virtual X server
# (xvfb-run) under the openbox window manager and captures, with their title bars
# (ImageMagick's import): the main window (docs/screenshot.png), the title dialog of the
# current title (docs/screenshot-dialog.png), its play log editor
# (docs/screenshot-record-editor.png) and the main window at twice the scale
# (QT_SCALE_FACTOR=2, docs/screenshot-2x.png).
# Then gives the sample titles plays of the last months and takes one picture of each tab
# of the play chart window (docs/chart-*.png).
# Usage: tools/make-screenshot.sh [path/to/Zarn2]   (default: a Release build in build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

binary=${1:-}
if [ -z "$binary" ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release --target Zarn2
  binary=build/release/src/Zarn2
fi
binary=$(realpath "$binary")

# A fixed place, so the paths the title dialog shows read well.
work=/tmp/zarn2-sample
# One run at a time (another worktree's run would share the folder).
exec 9>"$work.lock"
flock 9
rm -rf "$work"
trap 'rm -rf "$work"' EXIT
program=$work/program
mkdir -p "$program/Zarn" "$program/Temp" "$program/Help" "$program/icons"
cp "$binary" "$program/Zarn2"
cp "$(dirname "$binary")/libzarn2-charts.so" "$program/"  # the chart window's module

# Data files are code page 932 with CR LF line ends.
put() {  # file, then lines
  local file=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file"
}

put "$program/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
  '[Position]' '137 : 129' '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
  '[HistoryMode]' '0' '' '[Minimize]' '1' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' '[SUBST]' '' ''

genres=("アクション" "ロールプレイング" "シミュレーション" "パズル" "アドベンチャー" "シューティング")
put "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "${genres[@]}" '' \
  '[CurrGroup]' '1' ''

# Title icons: a coloured tile with one character, as .ico (32 and 16 pixels).
cjk=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
make_icon() {  # name, colour, character
  convert -size 32x32 xc:none -fill "$2" -stroke '#202020' -draw 'roundrectangle 1,1 30,30 6,6' \
    -stroke none -fill white -font "$cjk" -pointsize 20 -gravity center -annotate +0+0 "$3" \
    -define icon:auto-resize=32,16 "$program/icons/$1.ico"
}
make_icon ryu '#c0392b' '竜'
make_icon hoshi '#2e86de' '星'
make_icon mahou '#8e44ad' '魔'
make_icon kita '#27ae60' '北'
make_icon toki '#e67e22' '時'

# A genre file with its titles: name|icon per title.
genre_file() {  # genre, current title, then "name|icon" entries
  local genre=$1 current=$2
  shift 2
  local lines=('[PlayMode]' '0' '' '[CurrMember]' "$current" '')
  local i=0
  mkdir -p "$program/Zarn/$genre"
  for entry in "$@"; do
    local name=${entry%%|*} icon=${entry##*|}
    lines+=("$(printf '[Title%03d]' $i)" "$name" "/opt/games/$icon/game.exe" "$program/icons/$icon.ico" '1' '0' '')
    : >"$program/Zarn/$genre/$name.Log"
    i=$((i + 1))
  done
  put "$program/Zarn/$genre.Zarn" "${lines[@]}"
}

genre_file "ロールプレイング" 1 "竜の伝説 III|ryu" "星海の旅人|hoshi" "魔法学園物語|mahou" "北の王国|kita" \
  "時の迷宮|toki"
genre_file "アクション" 0 "北の王国 外伝|kita"
for genre in "シミュレーション" "パズル" "アドベンチャー" "シューティング"; do
  genre_file "$genre" -1
done

# The current title's play history: eight sessions over four days.
printf '%s\r\n' \
  2009/03/01,20:12:05 5400 2009/03/01,23:40:10 1830 2009/03/03,19:05:44 7260 \
  2009/03/05,21:00:00 3600 2009/03/05,22:30:31 2711 2009/03/07,10:15:00 9000 \
  2009/03/07,14:02:12 4520 2009/03/07,21:05:09 3723 \
  >"$program/Zarn/ロールプレイング/星海の旅人.Log"

mkdir -p docs
xvfb-run -a -s "-screen 0 2000x1400x24 -dpi 96" bash -c "
  set -e
  openbox --sm-disable &
  wm=\$!
  # The window manager is up once it announces what it supports on the root window.
  for _ in \$(seq 50); do xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW && break; sleep 0.2; done
  shoot() {  # window, picture
    sleep 3
    import -frame -window \"\$1\" \"\$2\"
  }
  cd '$program'
  LANG=C.UTF-8 ./Zarn2 &
  pid=\$!
  main=\$(xdotool search --sync --onlyvisible --pid \$pid --name 'The Game Launcher' | head -n 1)
  xdotool windowactivate --sync \$main
  shoot \$main '$root/docs/screenshot.png'
  xdotool key alt+t e
  for _ in \$(seq 50); do [ \"\$(xdotool getactivewindow)\" != \$main ] && break; sleep 0.2; done
  shoot \$(xdotool getactivewindow) '$root/docs/screenshot-dialog.png'
  # The play log editor of the same title (Alt+T, R), its last play chosen.
  xdotool key Escape
  for _ in \$(seq 50); do [ \"\$(xdotool getactivewindow)\" = \$main ] && break; sleep 0.2; done
  xdotool key alt+t r
  for _ in \$(seq 50); do [ \"\$(xdotool getactivewindow)\" != \$main ] && break; sleep 0.2; done
  shoot \$(xdotool getactivewindow) '$root/docs/screenshot-record-editor.png'
  kill \$pid
  wait \$pid || true
  LANG=C.UTF-8 QT_SCALE_FACTOR=2 ./Zarn2 &
  pid=\$!
  main=\$(xdotool search --sync --onlyvisible --pid \$pid --name 'The Game Launcher' | head -n 1)
  shoot \$main '$root/docs/screenshot-2x.png'
  kill \$pid \$wm
  wait \$pid || true
"
echo "docs/screenshot.png, docs/screenshot-dialog.png, docs/screenshot-record-editor.png and docs/screenshot-2x.png written"

# Plays of the last `days` days up to today: most days one or two in the evening.
add_recent() {  # log file, days, seed
  local log=$1 days=$2 i k
  RANDOM=$3
  for ((i = days; i >= 0; i--)); do
    ((RANDOM % 3 == 0)) && continue
    for ((k = RANDOM % 2; k >= 0; k--)); do
      printf '%s,%02d:%02d:%02d\r\n%d\r\n' "$(date -d "-$i days" +%Y/%m/%d)" $((17 + RANDOM % 7)) \
        $((RANDOM % 60)) $((RANDOM % 60)) $((600 + RANDOM % 9000))
    done
  done >>"$log"
}
add_recent "$program/Zarn/ロールプレイング/星海の旅人.Log" 400 1
add_recent "$program/Zarn/ロールプレイング/竜の伝説 III.Log" 200 2
add_recent "$program/Zarn/ロールプレイング/魔法学園物語.Log" 90 3
add_recent "$program/Zarn/ロールプレイング/時の迷宮.Log" 40 4
add_recent "$program/Zarn/アクション/北の王国 外伝.Log" 120 5

# The chart window opens from the 表示 menu (Alt+A, G); Ctrl+Tab goes to the next tab.
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c "
  cd '$program'
  LANG=C.UTF-8 ./Zarn2 &
  pid=\$!
  main=\$(xdotool search --sync --name 'The Game Launcher' | head -n 1)
  sleep 2
  xdotool windowfocus --sync \$main key alt+a sleep 0.5 key g
  chart=\$(xdotool search --sync --name 'プレイ グラフ' | head -n 1)
  for tab in daily ranking hours cumulative; do
    sleep 2
    import -window \$chart '$work/chart-'\$tab.png
    xdotool windowfocus --sync \$chart key ctrl+Tab
  done
  kill \$pid
  wait \$pid || true
"
for tab in daily ranking hours cumulative; do
  convert "$work/chart-$tab.png" -colors 64 "PNG8:docs/chart-$tab.png"
done
echo "docs/chart-*.png written"
