#!/usr/bin/env bash
# The export of every play through the real program on a virtual X server, read back by
# Python's csv and json modules. The library's names hold commas, double quotes and NEC
# characters; one log holds a damaged record; the plays fall on both sides of New York's
# daylight-saving changes (TZ=America/New_York), so their offsets differ. The export is
# reached as a user would: File menu, "プレイ記録のエクスポート(&E)...", a file name typed into
# the dialog (its name field has the focus), Enter, then OK on the message.
#
# Usage: export_plays.sh <path of the Zarn2 binary>
# Exit: 0 passed, 1 failed, 77 skipped (xvfb-run, xdotool, iconv or python3 missing, outside CI).
set -u

xsession_tools=python3
source "$(dirname "$0")/lib/xsession.sh"
xsession_enter "$@"

program=$work/program
genre1='カンマ, と "引用"'
genre2='ＮＥＣ①㈱'
title1='竜の伝説, III'
title2='"名作" ①Ⅲ髙'
title3='北の王国'
mkdir -p "$program/Zarn/$genre1" "$program/Zarn/$genre2" "$program/Temp"
cp "$binary" "$program/Zarn2"

put "$program/Zarn2.ini" ';;;;;;;;;;;;; Zarn2.Ini For 1.20 ;;;;;;;;;;;;;' '' \
  '[Position]' '20 : 20' '' '[IconSize]' '0' '' '[CD/DVD-ROM]' '0' '' '[LimitMinite]' '0' '' \
  '[HistoryMode]' '0' '' '[Minimize]' '1' '' '[AutoExit]' '0' '' '[Filer]' 'xdg-open' '' '[SUBST]' '' ''
put "$program/Zarn2.Grp" ';;;;;;;;;;;;; Zarn2.Grp For 1.20 ;;;;;;;;;;;;;' '' '[GroupList]' "$genre1" "$genre2" '' \
  '[CurrGroup]' '0' ''
put "$program/Zarn/$genre1.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
  '[Title000]' "$title1" /opt/games/ryu.exe /opt/games/ryu.exe '1' '0' '' \
  '[Title001]' "$title2" '/opt/games/meisaku "1".exe' /opt/games/m.exe '1' '0' ''
put "$program/Zarn/$genre2.Zarn" '[PlayMode]' '0' '' '[CurrMember]' '0' '' \
  '[Title000]' "$title3" /opt/games/kita.exe /opt/games/kita.exe '1' '0' ''
# Before, on the day of and after the March change; a start that lost its duration.
put "$program/Zarn/$genre1/$title1.Log" 2009/01/15,20:00:00 3723 2009/03/08,01:30:00 600 \
  2009/03/08,03:30:00 60 2009/07/04,12:00:00 7200
put "$program/Zarn/$genre1/$title2.Log" 2009/11/01,00:30:00 100 2009/11/02,10:00:00
put "$program/Zarn/$genre2/$title3.Log" 2010/12/31,23:59:59 5

# The file dialog opens in the home folder: the test's own.
mkdir -p "$work/home"
start_program HOME="$work/home" TZ=America/New_York

# File menu, the export command, a file name into the dialog's focused name field, Enter;
# OK on the message that follows. A key lost while a window was still settling is tried
# again.
export_to() {  # file name in the home folder
  local name=$1 attempt
  for attempt in 1 2 3; do
    focus_window
    xdotool key alt+f
    sleep 1
    xdotool key e
    if timeout 15 xdotool search --sync --onlyvisible --name "プレイ記録のエクスポート" >/dev/null; then
      sleep 1
      xdotool type --delay 50 "$name"
      sleep 0.5
      xdotool key Return
      wait_for 20 test -s "$work/home/$name" || fail "no file $name after the dialog"
      sleep 1
      xdotool key Return  # OK on the message
      sleep 1
      return 0
    fi
    echo "no export dialog (attempt $attempt)" >&2
    xdotool key Escape Escape
  done
  fail "the export dialog did not open"
}
export_to export1.csv
export_to data2.json

close_program

python3 - "$work/home/export1.csv" "$work/home/data2.json" "$genre1" "$genre2" "$title1" "$title2" "$title3" <<'PY' ||
import csv, json, sys

csv_path, json_path, g1, g2, t1, t2, t3 = sys.argv[1:]
plays = [
    (g1, t1, "/opt/games/ryu.exe", "2009-01-15T20:00:00-05:00", 3723),
    (g1, t1, "/opt/games/ryu.exe", "2009-03-08T01:30:00-05:00", 600),
    (g1, t1, "/opt/games/ryu.exe", "2009-03-08T03:30:00-04:00", 60),
    (g1, t1, "/opt/games/ryu.exe", "2009-07-04T12:00:00-04:00", 7200),
    (g1, t2, '/opt/games/meisaku "1".exe', "2009-11-01T00:30:00-04:00", 100),
    (g2, t3, "/opt/games/kita.exe", "2010-12-31T23:59:59-05:00", 5),
]
raw = open(csv_path, "rb").read()
assert raw.startswith(b"\xef\xbb\xbf"), "no byte order mark"
assert b"\r\n" in raw and raw.count(b"\n") == raw.count(b"\r\n"), "lines do not end in CR LF"
with open(csv_path, encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f))
assert rows[0] == ["ジャンル", "タイトル", "開始日時", "プレイ時間(秒)"], rows[0]
want = [[g, t, s, str(n)] for g, t, _, s, n in plays]
assert rows[1:] == want, rows[1:]

with open(json_path, encoding="utf-8") as f:
    doc = json.load(f)
got = [(g["name"], t["name"], t["path"], p["start"], p["seconds"])
       for g in doc["genres"] for t in g["titles"] for p in t["plays"]]
assert got == plays, got
titles = [(g["name"], [t["name"] for t in g["titles"]]) for g in doc["genres"]]
assert titles == [(g1, [t1, t2]), (g2, [t3])], titles
PY
  fail "the exported files do not read back as expected"

echo "PASS: CSV and JSON exports read back by Python's csv and json modules"
exit 0
