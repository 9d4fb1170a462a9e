#!/usr/bin/env bash
# Long fuzzing: every target of build/fuzz (or those named as arguments) for
# FUZZ_SECONDS each, two at a time, at low priority (FUZZ_TIMEOUT seconds an
# input, 10 unless given: more on a loaded machine). New inputs gather in
# build/fuzz/corpus/<name>; crashes in build/fuzz/findings/. Afterwards
# `FUZZ_MERGE=1` folds what was found into the committed seed corpora, keeping
# only inputs that add coverage.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-1200}
parallel=${FUZZ_PARALLEL:-2}
mkdir -p "$here/build/fuzz/findings"
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in "$here"/build/fuzz/fuzz/fuzz_*; do [ -x "$f" ] && targets+=("$(basename "$f")"); done
fi

run_one() {
  local name=$1 work="$here/build/fuzz/corpus/$1" seeds="$here/fuzz/corpus/$1"
  mkdir -p "$work" "$seeds"
  nice -n 10 "$here/build/fuzz/fuzz/$name" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 \
    -artifact_prefix="$here/build/fuzz/findings/$name-" -print_final_stats=1 \
    "$work" "$seeds" >"$here/build/fuzz/$name.long.log" 2>&1
  local rc=$?
  # A sanitizer report is a finding even where the target went on.
  if grep -qE "runtime error:|ERROR: [A-Za-z]+Sanitizer|SUMMARY: [A-Za-z]+Sanitizer" "$here/build/fuzz/$name.long.log"; then
    [ $rc -eq 0 ] && rc=1
  fi
  local stats
  stats=$(grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$here/build/fuzz/$name.long.log" | tr '\n' ' ')
  echo "fuzz-long: $name exit $rc ${stats}"
  if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    local merged="$here/build/fuzz/merged/$name"
    rm -rf "$merged" && mkdir -p "$merged"
    "$here/build/fuzz/fuzz/$name" -set_cover_merge=1 -rss_limit_mb=2048 "$merged" "$seeds" "$work" >/dev/null 2>&1 &&
      [ -n "$(ls -A "$merged")" ] && rm -f "$seeds"/* && cp "$merged"/* "$seeds"/
  fi
  return $rc
}

status=0
pids=()
names=()
for name in "${targets[@]}"; do
  run_one "$name" &
  pids+=($!)
  names+=("$name")
  if [ ${#pids[@]} -ge "$parallel" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
