#!/usr/bin/env bash
# Measures one whole run of distag against the floor (bench/floor.c, the same
# system calls' worth of work in plain C) on the same fixture: instructions
# (callgrind), system calls (strace -c -f) and wall time (interleaved runs),
# then the tool alone on a 1 KiB file and on a 4 GiB sparse file.
# Usage: bench/run.sh [RUNS]   (RUNS >= 500, default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000}
(( runs >= 500 )) || { echo "RUNS must be at least 500" >&2; exit 2; }
for cmd in valgrind strace cc; do
  command -v "$cmd" >/dev/null || { echo "bench needs $cmd" >&2; exit 1; }
done

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
out=build/bench
mkdir -p "$out"
cc -O2 -o "$out/floor" bench/floor.c
cc -O2 -o "$out/spawn_timer" bench/spawn_timer.c
tool=$PWD/build/release/distag
floor=$PWD/$out/floor

# Fixtures: the 1 KiB sample, and a 4 GiB sparse file with the same block
# copied to 0xffffff00.
small=$out/small.bin
big=$out/big.bin
cp build/release/sample.bin "$small"
rm -f "$big"
truncate -s 4G "$big"
truncate -s +4096 "$big"
dd if="$small" of="$big" bs=32 skip=$((0x360 / 32)) seek=$((0xffffff00 / 32)) count=2 \
  conv=notrunc status=none

# One run edits a word (the same value each time, so the block stays valid).
tool_args() { echo "$tool -m 0x0505 -i 5 -o $1 $2"; }
floor_args() { echo "$floor $1 $2"; }

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    awk '/Collected/ { print $4 }'
}
syscalls() {
  strace -c -f -o "$out/strace.txt" "$@" >/dev/null
  awk '$NF == "total" { print $4 }' "$out/strace.txt"
}
# Median and mean wall time of each of two commands, run interleaved.
walls() {
  local a=() b=() seen=0
  for word in "$@"; do
    if [[ $word == -- ]]; then seen=1; elif (( seen )); then b+=("$word"); else a+=("$word"); fi
  done
  "$out/spawn_timer" "$runs" "${a[@]}" -- "${b[@]}" | awk '{ printf "%s %s ", $2, $3 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# shellcheck disable=SC2046
{
  for cmd in "$(tool_args 0x360 "$small")" "$(floor_args 0x360 "$small")" \
    "$(tool_args 0xffffff00 "$big")"; do
    $cmd >/dev/null || { echo "bench: '$cmd' failed" >&2; exit 1; }
  done
  ti=$(instructions $(tool_args 0x360 "$small"))
  fi=$(instructions $(floor_args 0x360 "$small"))
  ts=$(syscalls $(tool_args 0x360 "$small"))
  fs=$(syscalls $(floor_args 0x360 "$small"))
  read -r tw_med tw_mean fw_med fw_mean <<<"$(walls $(tool_args 0x360 "$small") -- $(floor_args 0x360 "$small"))"
  bi=$(instructions $(tool_args 0xffffff00 "$big"))
  bs=$(syscalls $(tool_args 0xffffff00 "$big"))
  # The two file sizes interleaved in one loop too, so that they compare.
  read -r sw_med _ bw_med _ <<<"$(walls $(tool_args 0x360 "$small") -- $(tool_args 0xffffff00 "$big"))"
}

printf '%-28s %14s %14s %8s\n' "per run" "distag" "floor" "ratio"
printf '%-28s %14s %14s %8s\n' "instructions (callgrind)" "$ti" "$fi" "$(ratio "$ti" "$fi")"
printf '%-28s %14s %14s %8s\n' "system calls (strace)" "$ts" "$fs" "$(ratio "$ts" "$fs")"
printf '%-28s %14s %14s %8s\n' "wall, median of $runs (us)" "$tw_med" "$fw_med" "$(ratio "$tw_med" "$fw_med")"
printf '%-28s %14s %14s\n' "wall, mean of $runs (us)" "$tw_mean" "$fw_mean"
echo
printf '%-28s %14s %14s\n' "distag alone" "1 KiB file" "4 GiB file"
printf '%-28s %14s %14s\n' "instructions (callgrind)" "$ti" "$bi"
printf '%-28s %14s %14s\n' "system calls (strace)" "$ts" "$bs"
printf '%-28s %14s %14s\n' "wall, median of $runs (us)" "$sw_med" "$bw_med"
rm -f "$big"
