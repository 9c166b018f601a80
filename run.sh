#!/usr/bin/env bash
# Installs what is missing, builds Zarn2 in Release, lays out the program folder and
# starts the launcher from there. The program folder (program/) keeps the user's data
# (Zarn2.ini, Zarn2.Grp, Zarn/, Temp/) across rebuilds.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zarn2_install_deps

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target Zarn2

mkdir -p program/Help
cp -f build/release/src/Zarn2 program/Zarn2.new && mv -f program/Zarn2.new program/Zarn2
cp -rf res/help/. program/Help/
exec ./program/Zarn2 "$@"
