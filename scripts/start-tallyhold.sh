#!/usr/bin/env bash
# Installs what is missing, builds the programs and starts Tallyhold. Only the
# programs are built, not the tests and benchmarks; the folder and its
# configuration are those of scripts/build.sh, so that scripts/test.sh later
# reuses what was built here instead of configuring again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARROW_WERROR="${SKARROW_WERROR:-OFF}"
cmake --build build -j "$(nproc)" --target Tallyhold Ledgerlamp Gulpwell skarrow2-dat
exec build/bin/Tallyhold
