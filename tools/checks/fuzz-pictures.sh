#!/usr/bin/env bash
# Fuzzes each picture decoder (PNG, JPEG, GIF, BMP) for 20 s each
# (LV_FUZZ_SECONDS): the libFuzzer targets run on their kept seed corpora
# in tests/fuzz/picture/; new inputs go to a scratch folder. No single
# allocation may pass 64 MB (a 2048 x 2048 picture takes 16 MB). Fails on
# any crash, leak, sanitizer report, time-out or broken invariant.
set -eu
build=${1:-build}
seconds=${LV_FUZZ_SECONDS:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/checks/lib/fuzz.sh"

status=0
for format in png jpeg gif bmp; do
  fuzzer=$(fuzz_build "fuzz_$format" "$build")
  scratch=$(mktemp -d)
  log="$(dirname "$fuzzer")/fuzz_$format.log"
  if (cd "$(dirname "$fuzzer")" && "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -malloc_limit_mb=64 -print_final_stats=1 "$scratch" "$root/tests/fuzz/picture/$format") >"$log" 2>&1; then
    echo "fuzz-pictures: $format: $(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$') inputs in ${seconds}s, no failure"
  else
    tail -n 40 "$log"
    echo "fuzz-pictures: $format: failure"
    status=1
  fi
  rm -rf "$scratch"
done
exit "$status"
