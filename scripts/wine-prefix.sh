#!/usr/bin/env bash
# Makes the project's Wine prefix once: initialised, no Mono/Gecko prompts, and
# Japanese Gothic fonts standing in for the Windows ones the program asks for.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
stamp="$WINEPREFIX/.horalune-ready"
[ -f "$stamp" ] && exit 0

mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$stamp" ] && exit 0

wineboot -i >/dev/null 2>&1 || true
wineserver -w || true

reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "ＭＳ ＵＩ ゴシック" "Meiryo UI" "メイリオ"; do
    printf '"%s"="IPAPGothic"\r\n' "$face"
  done
  for face in "ＭＳ ゴシック" "MS Gothic"; do
    printf '"%s"="IPAGothic"\r\n' "$face"
  done
  printf '\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w || true
rm -f "$reg"
touch "$stamp"
