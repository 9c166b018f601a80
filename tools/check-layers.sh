#!/usr/bin/env bash
# Checks that the folders keep their layers: only src/core/platform includes system
# headers (unistd.h, fcntl.h, dirent.h, sys/..., linux/...), and no file under src/core
# includes a Qt Widgets header or a header that is not itself under src/core.
# Usage: check-layers.sh SRC_DIR [QT_WIDGETS_INCLUDE_DIR]. Prints every offending line;
# exits 1 when there is one.
set -euo pipefail
src=${1:?usage: check-layers.sh SRC_DIR [QT_WIDGETS_INCLUDE_DIR]}
src=${src%/}
widgets=${2:-}
status=0

offend() {
  echo "$1: $2"
  status=1
}

system='<(unistd\.h|fcntl\.h|dirent\.h|(sys|linux|asm)/[^>]*)>'
widget='<QtWidgets[/>]'
if [ -d "$widgets" ]; then
  names=$(find "$widgets" -maxdepth 1 -type f -printf '%f\n' | sed 's/\./\\./g' | paste -sd '|')
  widget="<(QtWidgets/)?(${names})>"
fi

hits() { grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*$1" "$2" || true; }

while IFS= read -r hit; do
  case "$hit" in "$src"/core/platform/*) ;; *) offend "$hit" "system header outside core/platform" ;; esac
done < <(hits "$system" "$src")

while IFS= read -r hit; do
  offend "$hit" "widget header in core"
done < <(hits "$widget" "$src/core")

while IFS=: read -r file line text; do
  header=$(sed -E 's/.*"([^"]+)".*/\1/' <<<"$text")
  if [ ! -f "$src/core/$header" ] && [ ! -f "$(dirname "$file")/$header" ]; then
    offend "$file:$line" "header from outside core: $header"
  fi
done < <(hits '"' "$src/core")

exit $status
