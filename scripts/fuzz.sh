#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of
# seconds (default 30), starting from seeds written by the tests' archive writer.
# Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKARROW_FUZZ=ON -DSKARROW_BUILD_TESTS=OFF -DSKARROW_BUILD_BENCH=OFF >/dev/null
targets=("$@")
# Every target, as fuzz/CMakeLists.txt lists them, when none is named.
[ ${#targets[@]} -gt 0 ] || mapfile -t targets <build-fuzz/fuzz-targets.txt
cmake --build build-fuzz -j "$(nproc)" --target fuzz_seeds "${targets[@]}"

work=build-fuzz/corpus
rm -rf "$work/seeds"
build-fuzz/bin/fuzz_seeds "$work/seeds"
for target in "${targets[@]}"; do
  mkdir -p "$work/$target" "$work/crashes"
  echo "== $target for ${seconds}s"
  # 64 MiB a single allocation (the largest buffer is an 8 MiB piece), 2 GiB in all
  # and 10 s per input at most: more is a finding, not a slow run.
  build-fuzz/bin/"$target" "$work/$target" "$work/seeds/$target" \
    -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=64 -timeout=10 \
    -artifact_prefix="$work/crashes/$target-" -print_final_stats=1 2>&1 \
    | grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|property violated)' \
    || true
  # libFuzzer exits non-zero on a finding; the artifact is the proof.
  if ls "$work/crashes/$target-"* >/dev/null 2>&1; then
    echo "$target: finding in $work/crashes" >&2
    exit 1
  fi
done
echo "fuzzing: no findings"
