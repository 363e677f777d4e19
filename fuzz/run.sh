#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz, clang) and runs each for SECONDS
# (default 60), starting from the committed seeds. New inputs go to
# build/fuzz/corpus/TARGET, findings to build/fuzz/findings/; the committed
# corpus is never changed. Fails if any target finds a fault.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]   targets: args file block
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(args file block)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
root=$PWD
mkdir -p build/fuzz/findings
for t in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$t"
  echo "== fuzz_$t for ${seconds}s"
  # The targets work in a scratch folder of their own, so every path is absolute.
  log=build/fuzz/fuzz_$t.log
  status=0
  "$root/build/fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -close_fd_mask=3 \
    -print_final_stats=1 -artifact_prefix="$root/build/fuzz/findings/$t-" \
    "$root/build/fuzz/corpus/$t" "$root/fuzz/corpus/$t" >"$log" 2>&1 || status=$?
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$log" || true
  if (( status != 0 )); then
    tail -40 "$log" >&2
    echo "fuzz_$t found a fault (status $status); see build/fuzz/findings/" >&2
    exit 1
  fi
done
