#!/usr/bin/env bash
# A tool for developers, not part of CI: puts each single-line fault of
# scripts/mutants.list into the core, one at a time, rebuilds, runs the core
# tests (ctest label "core"), restores the file, and prints the share caught.
# The faults go into a copy of the checkout (its tracked and untracked files)
# that builds into its own build/, so an interrupted run never leaves a
# changed file in the checkout itself.
# Usage: scripts/mutants.sh [copy folder] [list]   (build-mutants, scripts/mutants.list)
set -uo pipefail
cd "$(dirname "$0")/.."
copy=$(realpath -m "${1:-build-mutants}")
list=$(realpath "${2:-scripts/mutants.list}")
build=build
# tar keeps the times of files, so the copy's build redoes only what changed.
mkdir -p "$copy"
git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -C "$copy" -xf - || exit 2
cd "$copy" || exit 2
# A run cut short left a faulty file whose restored copy is older than its
# faulty build: every file of the list is built again.
while IFS= read -r file; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  IFS= read -r _; IFS= read -r _
  touch -- "$file"
done < "$list"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARROW_BUILD_BENCH=OFF >/dev/null || exit 2
cmake --build "$build" -j "$(nproc)" --target core_tests >/dev/null || { echo "the build fails without any fault" >&2; exit 2; }

caught=0 total=0
while IFS= read -r file; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  IFS= read -r from; IFS= read -r to
  total=$((total + 1))
  if [ "$(grep -cF -- "$from" "$file")" != 1 ]; then
    echo "stale: $file: the text is not there exactly once: $from" >&2
    continue
  fi
  cp -- "$file" "$file.unmutated"
  FROM=$from TO=$to perl -0pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' -- "$file"
  if ! cmake --build "$build" -j "$(nproc)" --target core_tests >/dev/null 2>&1; then
    verdict="caught (does not build)"
  # A test that fails and then passes again was disturbed, not the fault's catch.
  elif ctest --test-dir "$build" -L core -j "$(nproc)" >/dev/null 2>&1 ||
       ctest --test-dir "$build" --rerun-failed >/dev/null 2>&1; then
    verdict="MISSED"
  else
    verdict="caught"
  fi
  [ "$verdict" = MISSED ] || caught=$((caught + 1))
  mv -- "$file.unmutated" "$file"
  touch -- "$file"  # newer than the faulty build, so that the next build takes it again
  printf '%-8s %s: %s\n' "$verdict" "$file" "$(echo "$to" | sed 's/^ *//')"
done < "$list"
cmake --build "$build" -j "$(nproc)" --target core_tests >/dev/null
echo "caught $caught of $total faults"
[ "$caught" = "$total" ]
