#!/usr/bin/env bash
# Installs what is missing, builds Zarn2 in Release, lays out the program folder (the binary
# with its wait helper and its chart module beside it) and starts the launcher from there.
# The program folder (program/) keeps the user's data (Zarn2.ini, Zarn2.Grp, Zarn/, Temp/)
# across rebuilds.
# Without a display it says so after installing what is missing (xvfb among it) and ends.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zarn2_install_deps

# The launcher is a window: without a display it could only abort in Qt's platform plugin.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run it in a virtual X server: xvfb-run ./run.sh" >&2
  exit 1
fi

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target Zarn2

mkdir -p program/Help
for file in Zarn2 zarn2-wait libzarn2-charts.so; do
  cp -f "build/release/src/$file" "program/$file.new" && mv -f "program/$file.new" "program/$file"
done
cp -rf res/help/. program/Help/
exec ./program/Zarn2 "$@"
