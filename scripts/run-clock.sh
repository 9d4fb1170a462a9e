#!/usr/bin/env bash
# `make run`: stages Horalune.exe with the bundled skin in build/stage/ and runs
# it under Wine. With a display it runs until the clock is closed (Esc); without
# one it runs in a virtual display for a few seconds, saves a screenshot to
# out/clock.png and ends the clock cleanly.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${HORALUNE_BUILD:-$here/build/win64}
stage=$here/build/stage
# A prefix of its own: the tests' prefix keeps windows away from a window
# manager (scripts/wine-prefix.sh).
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix-run}
export HORALUNE_WINE_DESKTOP=1
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

[ -f "$build/Horalune.exe" ] || { echo "run: no $build/Horalune.exe; run 'make win64' first" >&2; exit 1; }
"$here/scripts/wine-prefix.sh"

rm -rf "$stage"
mkdir -p "$stage"
cp "$build/Horalune.exe" "$stage/"
if [ -f "$here/skins/standard/Standard.HRL" ]; then
  cp -r "$here/skins/standard" "$stage/standard"
  skin="$stage/standard/Standard.HRL"
else
  # No bundled skin yet: a small round-cornered one of our own.
  PYTHONPATH="$here/tests/e2e" python3 - "$stage" <<'PY'
import os, sys
from harness import bmp24, ini_text
stage = sys.argv[1]
os.makedirs(os.path.join(stage, "standard"), exist_ok=True)
def body(x, y):
    d = (x - 99.5) ** 2 + (y - 99.5) ** 2
    if d > 99 ** 2:
        return 0xFF00FF
    return 0xF4F0E6 if d < 92 ** 2 else 0x404858
with open(os.path.join(stage, "standard", "body.bmp"), "wb") as f:
    f.write(bmp24(200, 200, body))
with open(os.path.join(stage, "standard", "Standard.HRL"), "wb") as f:
    f.write(ini_text([("Initialize", [("Title", "ほらるね 簡易"), ("TransparentColor", 0xFF00FF),
                                      ("PosX", 540), ("PosY", 412)]),
                      ("Body", [("Graph", "body.bmp")])]))
PY
  skin="$stage/standard/Standard.HRL"
fi
[ -f "$here/data/Anniv.DAT" ] && cp "$here/data/Anniv.DAT" "$stage/"
# An empty configuration file: the clock starts without the first-run notice.
printf '[Default]\r\nDataDir=non\r\n' > "$stage/Horalune.DAT"

winskin="Z:${skin//\//\\}"
cd "$stage"
if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting the clock on $DISPLAY (Esc closes it)"
  exec wine "$stage/Horalune.exe" "$winskin"
fi

mkdir -p "$here/out"
xvfb_fd_file=$(mktemp)
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$xvfb_fd_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$xvfb_fd_file"' EXIT
for _ in $(seq 100); do [ -s "$xvfb_fd_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$xvfb_fd_file")"
wineserver -k 2>/dev/null || true
echo "run: no display; running the clock on a virtual display $DISPLAY for a few seconds"
wine "$stage/Horalune.exe" "$winskin" >/dev/null 2>&1 &
clock=$!
sleep 5
xwd -root -silent -display "$DISPLAY" | /usr/bin/convert xwd:- "$here/out/clock.png"
echo "run: screenshot written to out/clock.png"
# End it as a user would: Esc on the clock window, which saves and exits.
probe="$build/tests/e2e/horalune_probe.exe"
if [ -f "$probe" ]; then
  hwnd=$(wine "$probe" find Horalune Horalune 2>/dev/null | awk -F'\t' '$1 == "window" {print $2; exit}')
  [ -n "$hwnd" ] && wine "$probe" key "$hwnd" 27 >/dev/null 2>&1 || true
fi
for _ in $(seq 50); do kill -0 $clock 2>/dev/null || break; sleep 0.2; done
if kill -0 $clock 2>/dev/null; then
  wineserver -k 2>/dev/null || true
  wait $clock 2>/dev/null || true
  echo "run: the clock did not close by itself; ended it"
else
  wait $clock && echo "run: the clock closed cleanly" || echo "run: the clock ended with status $?"
fi
wineserver -k 2>/dev/null || true
