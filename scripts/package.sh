#!/usr/bin/env bash
# Builds the three programs in release mode and packs them, with their launcher
# entries, icons and AppStream metadata, into a Debian package in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev file
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DSKARROW_BUILD_TESTS=OFF -DSKARROW_BUILD_BENCH=OFF
cmake --build build-release -j "$(nproc)"
(cd build-release && cpack)
ls build-release/*.deb
