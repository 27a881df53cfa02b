#!/usr/bin/env bash
# Runs the loaders' fuzz targets of a fuzz build, each for a while, over its seed corpus and a
# working corpus that grows in the build (BUILD/fuzz/corpus/<loader>). Inputs that crash, leak,
# run out of memory or hang land in BUILD/fuzz/findings/ and fail the run.
#
#   fuzz/run.sh SECONDS [LOADER...]        every loader by default
#   BUILD=build-fuzz FUZZ_FLAGS="-workers=2 -jobs=2" fuzz/run.sh 600 stagemap
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${BUILD:-build-fuzz}")"
seconds="${1:?usage: fuzz/run.sh SECONDS [LOADER...]}"
shift
loaders=("$@")
if [ ${#loaders[@]} -eq 0 ]; then
  # Every target the build made (fuzz/CMakeLists.txt lists the loaders).
  for target in "$build"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] && loaders+=("${target##*/fuzz_}")
  done
  if [ ${#loaders[@]} -eq 0 ]; then
    echo "no fuzz targets in $build/fuzz: build them first (see README.md)" >&2
    exit 1
  fi
fi
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy VELUNNA_HEADLESS=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
findings="$build/fuzz/findings"
mkdir -p "$findings"
status=0
for loader in "${loaders[@]}"; do
  corpus="$build/fuzz/corpus/$loader"
  mkdir -p "$corpus"
  echo "== fuzz_$loader: $seconds s"
  log="$build/fuzz/$loader.log"
  # The game's own output is dropped (its notes about the missing files of the scratch game
  # would only slow the runs down); libFuzzer and the sanitizers still report.
  if "$build/fuzz/fuzz_$loader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
      -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$findings/$loader-" ${FUZZ_FLAGS:-} \
      "$corpus" "$build/fuzz/seeds/$loader" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" | tr '\n' ' '
    echo
  else
    tail -n 60 "$log"
    echo "fuzz_$loader found a fault: the input is in $findings, the whole output in $log"
    status=1
  fi
done
exit $status
