#!/bin/bash
# run-fuzzer.sh FUZZER WORK-CORPUS START-CORPUS: runs a libFuzzer target for
# QOR32_FUZZ_SECONDS (default 60) over the starting inputs, keeping what it finds in
# the work corpus, and prints the run's figures.
set -euo pipefail
fuzzer="$1" work="$2" start="$3"
seconds="${QOR32_FUZZ_SECONDS:-60}"
mkdir -p "$work"
"$fuzzer" -max_total_time="$seconds" -max_len=1200 -print_final_stats=1 -timeout=10 \
  -artifact_prefix="$work/" "$work" "$start" 2>&1 | grep -E 'stat::number_of_executed_units|stat::peak_rss|ERROR|SUMMARY|Done' || true
# A crash leaves an artifact and a non-zero status behind.
if ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* >/dev/null 2>&1; then
  echo "fuzzer found a failing input:"; ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* 2>/dev/null
  exit 1
fi
echo "corpus: $(ls "$work" | wc -l) inputs"
