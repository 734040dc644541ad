#!/usr/bin/env bash
# Builds the programs in release mode and packs them, with their launcher
# entries, icons, AppStream metadata, manual pages, copyright and changelog, into
# a Debian package in build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev file
# Debian's hardening flags, as a Debian build of the package gets them:
# fortified functions, a stack protector, relocations read-only and bound at start.
buildflag() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DSKARROW_BUILD_TESTS=OFF -DSKARROW_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(buildflag CPPFLAGS) $(buildflag CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(buildflag LDFLAGS)"
cmake --build build-release -j "$(nproc)"
(cd build-release && cpack)
ls build-release/*.deb
