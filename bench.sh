#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all: start-up and peak memory against a
# bare Qt window, the statistics refresh, the launcher's CPU time while a title plays (also
# with the window open on an X server, under Xvfb), reordering with long histories, the play
# chart window, the folder watch, the look for a handed-off game and the import dialog.
# Every figure is printed beside its target with PASS or MISS; the script ends with 0 even
# when a figure misses (it says so at the end).
#
#   ./bench.sh              everything (the play lasts 30 s, twice)
#   PLAY_SECONDS=5 ./bench.sh    shorter plays while developing
#   START_RUNS=21 ./bench.sh     more start-up runs (default 15)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zarn2_install_deps

play_seconds=${PLAY_SECONDS:-30}
start_runs=${START_RUNS:-15}
build=build/bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARN2_BENCH=ON >/dev/null
cmake --build "$build" --target zarn2_bench_start_app zarn2_bench_start_bare zarn2_bench_startup \
  zarn2_bench_stats zarn2_bench_play zarn2_bench_reorder zarn2_bench_charts zarn2_bench_watch zarn2_bench_handoff zarn2_bench_import

export QT_QPA_PLATFORM=offscreen
export LANG=C.UTF-8
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

bin=$build/bench
log=$(mktemp)
status=0
run() {
  echo
  echo "== $*"
  # Google Benchmark's colours are left out so the log reads plainly.
  "$@" 2>&1 | grep -v '^QStandardPaths' | tee -a "$log" || status=1
}

run "$bin/zarn2_bench_startup" "$bin/zarn2_bench_start_app" "$bin/zarn2_bench_start_bare" "$start_runs"
run "$bin/zarn2_bench_stats" --benchmark_color=false
run "$bin/zarn2_bench_play" "$play_seconds"
run "$bin/zarn2_bench_play" "$play_seconds" open
run "$bin/zarn2_bench_play" "$play_seconds" handoff
# The same with the window open on a real X server, where each repaint also talks to it.
run xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$bin/zarn2_bench_play" "$play_seconds" open
run "$bin/zarn2_bench_reorder" --benchmark_color=false
run "$bin/zarn2_bench_charts"
run "$bin/zarn2_bench_watch"
run "$bin/zarn2_bench_handoff" --benchmark_color=false
run "$bin/zarn2_bench_import"

echo
echo "== Summary"
misses=0
while IFS='|' read -r _ name measured target verdict; do
  printf '%-58s %-30s target %-20s %s\n' "$name" "$measured" "$target" "$verdict"
  [ "$verdict" = "MISS" ] && misses=$((misses + 1))
done < <(grep '^FIGURE|' "$log")
figures=$(grep -c '^FIGURE|' "$log" || true)
rm -f "$log"
if [ "$status" -ne 0 ]; then
  echo "A benchmark program failed: see its output above."
fi
if [ "$misses" -gt 0 ]; then
  echo "$misses of $figures figures MISS their targets."
else
  echo "All $figures figures meet their targets."
fi
exit 0
