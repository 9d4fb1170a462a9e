#!/usr/bin/env bash
# Makes the project's Wine prefix once: initialised, no Mono/Gecko prompts, and
# the fonts as installed (a Japanese font such as IPAGothic, under its own name).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
stamp="$WINEPREFIX/.horalune-ready-3"
[ -f "$stamp" ] && exit 0

mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$stamp" ] && exit 0

wineboot -i >/dev/null 2>&1 || true
wineserver -w || true

# No font stands in for another: the program finds an installed Japanese face
# itself. Prefixes made before this rule lose their old replacements.
# Tests run in Xvfb, which has no window manager, and Wine waits two seconds
# for one to take back every window it hides or destroys unless it manages its
# windows itself. A prefix for a desktop (HORALUNE_WINE_DESKTOP=1, `make run`)
# leaves its windows to the desktop's window manager.
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[-HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n\r\n'
  if [ -z "${HORALUNE_WINE_DESKTOP:-}" ]; then
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
  fi
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w || true
rm -f "$reg"
touch "$stamp"
