#!/usr/bin/env bash
# The layer check (tools/check-layers.sh) holds for the sources, and catches each kind of
# slip in a small tree. Usage: layers.sh SRC_DIR [QT_WIDGETS_INCLUDE_DIR]
set -uo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/tools/check-layers.sh"
src=${1:?usage: layers.sh SRC_DIR [QT_WIDGETS_INCLUDE_DIR]}
widgets=${2:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0

# expected status | file in the tree | its one line
cases=(
  '0|core/platform/Io.cpp|#include <unistd.h>'
  '1|core/app/A.cpp|#include <sys/stat.h>'
  '1|ui/app/B.cpp|#  include <fcntl.h>'
  '1|main.cpp|#include <linux/cdrom.h>'
  '1|core/app/C.cpp|#include <QtWidgets/QWidget>'
  '0|core/app/D.cpp|#include <QImage>'
  '1|core/app/E.cpp|#include "view/CZarn2View.h"'
  '0|core/app/F.cpp|#include "platform/Io.h"'
  '1|core/library/H.cpp|#include "sync/Io.h"'
  '1|core/app/I.cpp|#include "library/Io.h"'
  '0|core/sync/J.cpp|#include "library/Io.h"'
)
[ -d "$widgets" ] && cases+=('1|core/launch/G.cpp|#include <QMessageBox>')

for row in "${cases[@]}"; do
  IFS='|' read -r want file line <<<"$row"
  tree=$(mktemp -d -p "$tmp")
  mkdir -p "$(dirname "$tree/$file")"
  for folder in platform library sync; do
    mkdir -p "$tree/core/$folder" && touch "$tree/core/$folder/Io.h"
  done
  printf '%s\n' "$line" >"$tree/$file"
  "$check" "$tree" "$widgets" >/dev/null
  got=$?
  if [ "$got" != "$want" ]; then
    echo "FAIL: $file '$line': status $got, expected $want"
    failed=1
  fi
done

"$check" "$src" "$widgets" || failed=1
exit $failed
