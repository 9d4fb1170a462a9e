#!/usr/bin/env bash
# Rebuilds data/Anniv.DAT (code page 932, CR LF) from its UTF-8 source.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
sed 's/$/\r/' "$here/data/Anniv.DAT.utf8" | iconv -f UTF-8 -t CP932 > "$here/data/Anniv.DAT"
