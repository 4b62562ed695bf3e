#!/usr/bin/env bash
# Runs the fuzz targets of a libFuzzer build (cmake -DVARNEL_LIBFUZZER=ON, see the README) for a
# bounded time each, starting from their corpora in fuzz/corpus/. Inputs found on the way go to a
# scratch folder, not into the repository; a crash, a leak, undefined behaviour or a time-out fails
# the run and leaves the input in BUILD_DIR/fuzz-crashes/.
#
# Usage: scripts/run_fuzzers.sh BUILD_DIR [SECONDS_PER_TARGET [TARGET...]]
#        (default 5 seconds, every target that has a corpus)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
seconds="${2:-5}"
shift $(($# < 2 ? $# : 2))
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for dir in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# The file targets write their input to a scratch folder and the programs flush what they save:
# on a memory file system that costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/fuzz-crashes"
failed=()
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  log="$work/$target.log"
  dict=()
  if [ -f "$root/fuzz/dict/$target.dict" ]; then dict=(-dict="$root/fuzz/dict/$target.dict"); fi
  if "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/fuzz-crashes/$target-" -print_final_stats=1 \
      "${dict[@]}" "$work/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    echo "fuzz_$target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" |
      grep -o '[0-9]*$') runs, no fault"
  else
    echo "fuzz_$target: FAILED"
    tail -n 60 "$log"
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "faults found by: ${failed[*]}; the inputs are in $build/fuzz-crashes/"
  exit 1
fi
