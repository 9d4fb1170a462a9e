#!/usr/bin/env bash
# Installs, through apt-get, whatever the builds and tests need and the machine
# lacks. Quiet and quick when everything is there.
set -euo pipefail

packages=(
  cmake make g++ python3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-apps xdotool imagemagick
  fonts-ipafont-gothic
  googletest libgtest-dev libbenchmark-dev libpng-dev
  libmpfr-dev
  clang libclang-rt-14-dev
  zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
