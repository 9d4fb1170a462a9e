#!/usr/bin/env bash
# Installs, through apt-get, whatever the builds and tests need and the machine
# lacks. Quiet and quick when everything is there.
set -euo pipefail

packages=(
  cmake make g++ python3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-apps xdotool imagemagick
  fonts-ipafont-gothic
  googletest libgtest-dev libbenchmark-dev libpng-dev libpixman-1-dev pkg-config
  libmpfr-dev libstb-dev
  clang libclang-rt-14-dev
  zip unzip
  locales
  faketime libfaketime
  chromium python3-markdown
)
# Wine takes the Windows code page from LANG and maps non-ASCII file names only
# when that glibc locale exists: the tests run under Western, Korean and
# Japanese code pages.
locales_needed=(en_US.UTF-8 ko_KR.UTF-8 ja_JP.UTF-8)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

generate=0
for l in "${locales_needed[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" && continue
  grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" >> /etc/locale.gen
  generate=1
done
if [ $generate -eq 1 ]; then
  locale-gen
fi
