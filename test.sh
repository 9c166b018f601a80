#!/usr/bin/env bash
# Installs what is missing, builds everything (the benchmarks too, so they cannot rot; running
# them is ./bench.sh's job) and runs every test headless; started as root, it runs the
# whole-program tests as a normal user and the core tests once more as one. Then it builds
# everything again with clang, AddressSanitizer and UndefinedBehaviorSanitizer (and the fuzz
# targets) and runs the core and widget tests and the fuzz smoke runs once more. Exits non-zero
# on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zarn2_install_deps

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN2_WERROR=$werror \
  -DZARN2_BENCH=ON "${launcher[@]}" >/dev/null
cmake --build build/test -j "$jobs"
status=0
if [ "$(id -u)" -eq 0 ]; then
  # Root may write where users may not: the tests labelled asuser (the whole-program scripts,
  # and the core test programs once more) run as a normal user made for them, from a copy of
  # what they need (tests/asuser/run.sh); root's pass runs the rest.
  (cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" -LE asuser) || status=1
  tests/asuser/run.sh build/test -j "$jobs" || status=1
else
  (cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs") || status=1
fi

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN2_CORE_ONLY=OFF -DZARN2_SANITIZE=ON -DZARN2_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DZARN2_WERROR=$werror "${launcher[@]}" >/dev/null
cmake --build build/asan -j "$jobs"
# The whole-program scripts ran above; under the sanitizers the unit, widget and fuzz tests run.
(cd build/asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs" -LE e2e) || status=1

exit $status
