#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless; then builds
# the core again with AddressSanitizer and UndefinedBehaviorSanitizer (and the fuzz
# targets) and runs the core tests once more. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zarn2_install_deps

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN2_WERROR=$werror >/dev/null
cmake --build build/test -j "$jobs"
status=0
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs") || status=1

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN2_CORE_ONLY=ON -DZARN2_SANITIZE=ON \
  -DZARN2_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DZARN2_WERROR=$werror >/dev/null
cmake --build build/asan -j "$jobs"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs") || status=1

exit $status
