#!/usr/bin/env bash
# `make dist`: packs the release zip dist/Horalune-<version>-win64.zip from the
# Windows build. The zip holds one folder with the program, the bundled skin in
# its own subfolder (the skin dialog opens in the program folder, so a new user
# sees it at once), the two command-line tools, the sample anniversary file,
# the help page, the skin guide and a short README.txt. Horalune.DAT is left
# out: the program makes it at exit.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${HORALUNE_BUILD:-$here/build/win64}
out=${HORALUNE_DIST:-$here/dist}

version=$(sed -n 's/^project(Horalune VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no project version in CMakeLists.txt" >&2; exit 1; }
[ -f "$build/Horalune.exe" ] || { echo "dist: no $build/Horalune.exe; run 'make win64' first" >&2; exit 1; }
[ -f "$here/skins/standard/Standard.HRL" ] || { echo "dist: no bundled skin in skins/standard" >&2; exit 1; }

name=Horalune-$version-win64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/$name
mkdir -p "$root/standard"

cp "$build/Horalune.exe" "$root/"
# The command-line tools for skin makers and for checking anniversary files.
for tool in horalune-days horalune-frame; do
  [ -f "$build/tools/$tool.exe" ] || { echo "dist: no $build/tools/$tool.exe" >&2; exit 1; }
  cp "$build/tools/$tool.exe" "$root/"
done
# Only what the skin uses and documents; no generator leftovers.
cp "$here"/skins/standard/*.HRL "$here"/skins/standard/*.bmp "$root/standard/"
for extra in "$here"/skins/standard/*.txt "$here"/skins/standard/*.wav; do
  [ -f "$extra" ] && cp "$extra" "$root/standard/"
done
cp "$here/data/Anniv.DAT" "$root/"
cp "$here/docs/help/Horalune-help.html" "$root/"
[ -f "$here/docs/skin-guide.md" ] && cp "$here/docs/skin-guide.md" "$root/skin-guide.md"
python3 "$here/scripts/dist-readme.py" "$version" "$root/README.txt"

mkdir -p "$out"
zip_path=$out/$name.zip
rm -f "$zip_path"
# Fixed order and times keep the zip the same from one build to the next.
find "$work/$name" -exec touch -h -d '2026-01-01 00:00:00' {} +
(cd "$work" && find "$name" | LC_ALL=C sort | zip -q -X -D "$zip_path" -@)
echo "dist: $zip_path"
