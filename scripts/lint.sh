#!/usr/bin/env bash
# Checks the habits the tree keeps; any finding fails the run:
#   format    every C++ file as .clang-format lays it out (the differing files listed)
#   tidy      clang-tidy's checks of .clang-tidy over the programs' and the
#             libraries' own translation units (not the tests, benchmarks or
#             Qt's generated files), through build-lint/compile_commands.json
#   subjects  commit subjects of at most 72 characters
# Usage: scripts/lint.sh [format|tidy|subjects...]   (all three when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(format tidy subjects)
scripts/install-deps.sh clang-format clang-tidy

cxx_files() {
  find common engine tallyhold ledgerlamp gulpwell tools tests bench fuzz \
    -type f \( -name '*.cpp' -o -name '*.h' \) | sort
}

check_format() {
  local file differing=0
  while IFS= read -r file; do
    if ! clang-format "$file" | cmp -s - "$file"; then
      echo "$file"
      differing=$((differing + 1))
    fi
  done < <(cxx_files)
  if [ "$differing" -gt 0 ]; then
    echo "format: $differing files differ from .clang-format (clang-format -i FILE lays one out)" >&2
    return 1
  fi
  echo "format: clean"
}

check_tidy() {
  cmake -S . -B build-lint -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DSKARROW_WERROR=OFF >/dev/null
  local units log=build-lint/tidy.log status=0
  units=$(python3 -c 'import json, sys; print("\n".join(e["file"] for e in json.load(open(sys.argv[1]))))' \
            build-lint/compile_commands.json | grep -E "^$PWD/(common|engine|tallyhold|ledgerlamp|gulpwell|tools)/")
  # A finding fails its unit (WarningsAsErrors); clang-tidy's counts of what
  # it hid in Qt's and the system's headers are noise.
  xargs -P "$(nproc)" -n 1 clang-tidy -p build-lint --quiet <<<"$units" >"$log" 2>&1 || status=$?
  grep -vE '^[0-9]+ (warning|error)s? (and [0-9]+ (warning|error)s? )?generated\.$' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "tidy: findings above" >&2
    return 1
  fi
  echo "tidy: clean ($(wc -l <<<"$units") translation units)"
}

# The rule holds from the day it was set; older commits keep their subjects.
check_subjects() {
  if ! git rev-parse --verify -q HEAD >/dev/null 2>&1; then
    echo "subjects: no history in this checkout, skipped"
    return 0
  fi
  local long
  long=$(git log --since=2026-12-08T00:00:00Z --format='%h %s' | awk 'length($0) - index($0, " ") > 72')
  if [ -n "$long" ]; then
    echo "$long"
    echo "subjects: the commits above have subjects of more than 72 characters" >&2
    return 1
  fi
  echo "subjects: at most 72 characters"
}

failed=0
for check in "${checks[@]}"; do
  case "$check" in
    format) check_format || failed=1 ;;
    tidy) check_tidy || failed=1 ;;
    subjects) check_subjects || failed=1 ;;
    *) echo "unknown check: $check (format, tidy or subjects)" >&2; exit 2 ;;
  esac
done
exit "$failed"
