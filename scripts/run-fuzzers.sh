#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for a bounded time over its seed corpus.
# A crash or any sanitizer report fails the run; a crash leaves its input in
# build/fuzz/findings/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-16}  # nine targets: about as long as eight took at 18
status=0
reports='runtime error:|ERROR: (Address|Leak|Undefined|Memory)Sanitizer|SUMMARY: [A-Za-z]+Sanitizer'
mkdir -p "$here/build/fuzz/findings"
for fuzzer in "$here"/build/fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  work="$here/build/fuzz/corpus/$name"
  mkdir -p "$work"
  seeds="$here/fuzz/corpus/$name"
  [ -d "$seeds" ] || seeds=""
  echo "fuzz: $name for ${seconds}s"
  # A sanitizer report fails the run even where the target went on.
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$here/build/fuzz/findings/$name-" -print_final_stats=0 \
       "$work" $seeds >"$here/build/fuzz/$name.log" 2>&1 ||
     grep -qE "$reports" "$here/build/fuzz/$name.log"; then
    echo "fuzz: $name FAILED; see build/fuzz/$name.log"
    tail -n 30 "$here/build/fuzz/$name.log"
    status=1
  fi
done
exit $status
