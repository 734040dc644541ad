#!/usr/bin/env bash
# The peers toolkit_bench measures skarrow2-dat against (7zz, unzip, zip, bsdtar).
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh 7zip unzip zip libarchive-tools
