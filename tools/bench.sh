#!/usr/bin/env bash
# Runs every benchmark binary of the build; each prints its floors and peers
# side by side with the program's own figures and the ratios between them.
set -u
build=${1:-build}
for b in "$build"/bin/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
