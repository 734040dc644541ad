#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need,
# and those named as arguments (the fuzz and lint scripts' tools), skipping
# those already present.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev zlib1g-dev libisal-dev libdeflate-dev libgtest-dev
          libgmock-dev fonts-dejavu-core fonts-wine "$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
