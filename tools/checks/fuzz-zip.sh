#!/usr/bin/env bash
# Fuzzes the zip extraction for a minute (LV_FUZZ_SECONDS): the libFuzzer
# target runs on the kept seed corpus; new inputs go to a scratch folder, so
# the kept corpus is not changed. Fails on any crash, leak, sanitizer report
# or time-out.
set -eu
build=${1:-build}
seconds=${LV_FUZZ_SECONDS:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/checks/lib/fuzz.sh"
fuzzer=$(fuzz_build fuzz_zip "$build")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$(dirname "$fuzzer")" # crash reports stay here
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  "$scratch" "$root/tests/fuzz/zip/corpus" 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
