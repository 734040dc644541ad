#!/usr/bin/env bash
# The peers toolkit_bench measures skarrow2-dat against (7zz, unzip, zip, bsdtar),
# and time, which tells the peak memory of each command.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh 7zip unzip zip libarchive-tools time
