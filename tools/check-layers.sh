#!/usr/bin/env bash
# Checks that the folders keep their layers: only src/core/platform includes system
# headers (unistd.h, fcntl.h, dirent.h, sys/..., linux/...), no file under src/core
# includes a Qt Widgets header or a header that is not itself under src/core, and each
# folder of src/core includes only the folders below it.
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

# The core's folders are layers too: each includes only the folders below it, so the code
# that ties two of them together sits above both.
declare -A below=(
  [platform]=""
  [app]="platform"
  [history]="platform app"
  [library]="platform app history"
  [launch]="platform app history library"
  [stats]="platform app history library"
  [import]="platform app history library"
  [sync]="platform app history library launch"
  [commands]="platform app history library launch stats import sync"
)
while IFS=: read -r file line text; do
  folder=${file#"$src"/core/}
  folder=${folder%%/*}
  target=$(sed -E 's/.*"([a-z]+)\/.*/\1/' <<<"$text")
  [ "$target" = "$folder" ] && continue
  [ -n "${below[$folder]+set}" ] || continue
  case " ${below[$folder]} " in
    *" $target "*) ;;
    *) offend "$file:$line" "core/$folder includes core/$target, which is not below it" ;;
  esac
done < <(hits '"[a-z]+/' "$src/core")

exit $status
