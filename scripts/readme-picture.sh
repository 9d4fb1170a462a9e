#!/usr/bin/env bash
# `make readme-picture`: renders the bundled skin into docs/clock.png and the
# guide's example skins into docs/examples/examples.png, with horalune-frame at
# a fixed time, so the pictures only change when the skins or the drawing do.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
frame=${HORALUNE_FRAME:-$here/build/native/tools/horalune-frame}
convert=/usr/bin/convert  # /usr/local/bin/convert may be a stub
[ -x "$frame" ] || { echo "readme-picture: no $frame; run 'make native' first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$frame" "$here/skins/standard/Standard.HRL" --time 10:08:30 -o "$work/clock.bmp"
# The skin's colour key (magenta) becomes transparent, as on the desktop.
"$convert" "$work/clock.bmp" -transparent "#FF00FF" -strip -define png:exclude-chunk=date,time "$here/docs/clock.png"

pictures=()
for skin in square/Square round/Round blink/Blink; do
  out=$work/$(basename "$skin").bmp
  "$frame" "$here/docs/examples/$skin.HRL" --time 10:08:30 -o "$out"
  pictures+=("$out")
done
"$frame" "$here/docs/examples/blink/Blink.HRL" --time 10:08:30 --dial-frame 1 -o "$work/blink1.bmp"
pictures+=("$work/blink1.bmp")
"$convert" "${pictures[@]}" -transparent "#FF00FF" -bordercolor none -border 4 +append -scale 200% -strip -define png:exclude-chunk=date,time \
  "$here/docs/examples/examples.png"
echo "readme-picture: docs/clock.png, docs/examples/examples.png"
