#!/usr/bin/env bash
# Idle cost of the running clock under Wine: starts Horalune.exe with the
# bundled skin on a virtual display, lets it settle, and reports the CPU time
# that it and the Wine server used over SECONDS (default 600) as a share of
# one core. Ends only the processes it started.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${HORALUNE_BUILD:-$here/build/win64}
seconds=${1:-600}
stage=$(mktemp -d)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$here/scripts/wine-prefix.sh"
cp "$build/Horalune.exe" "$stage/"
cp -r "$here/skins/standard" "$stage/standard"
printf '[Default]\r\nDataDir=non\r\n' > "$stage/Horalune.DAT"

fd_file=$(mktemp)
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$fd_file" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$fd_file")"
cd "$stage"
wine "$stage/Horalune.exe" "Z:${stage//\//\\}\\standard\\Standard.HRL" >/dev/null 2>&1 &
launcher=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$stage" "$fd_file"
}
trap cleanup EXIT
sleep 20

# CPU ticks (user + system) of one process.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The wine launcher becomes the Windows process itself: same id.
clock_pid=$launcher
# The Wine server of this prefix (other prefixes may have their own).
server_pid=""
for p in $(pgrep -x 'wineserver|wineserver64' || true); do
  tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && server_pid=$p
done
[ -d "/proc/$clock_pid" ] || { echo "measure-idle: the clock did not start" >&2; exit 1; }
echo "measure-idle: clock $clock_pid ($(tr '\0' ' ' < /proc/$clock_pid/cmdline | cut -c1-80)), wineserver $server_pid"
hz=$(getconf CLK_TCK)
c0=$(ticks "$clock_pid"); s0=$(ticks "$server_pid")
sleep "$seconds"
c1=$(ticks "$clock_pid"); s1=$(ticks "$server_pid")
awk -v c="$((c1 - c0))" -v s="$((s1 - s0))" -v hz="$hz" -v t="$seconds" 'BEGIN {
  printf "over %d s: Horalune.exe %.2f s CPU (%.3f %% of a core), wineserver %.2f s (%.3f %%)\n",
         t, c / hz, 100 * c / hz / t, s / hz, 100 * s / hz / t }'
