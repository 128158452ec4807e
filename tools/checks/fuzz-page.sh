#!/usr/bin/env bash
# Fuzzes what the web panel does to a page's bytes (character set, the
# markup cut at the nesting limit, which the layout engine then parses,
# builds and lays out, addresses) and the picture decoder, for about half a
# minute: a libFuzzer target with AddressSanitizer and
# UndefinedBehaviorSanitizer, built by CMake like the other fuzzers so that
# it links what the panel links, run on the kept seed corpus. New inputs go
# to a scratch folder. Fails on any crash, leak, sanitizer report, element
# nested past the limit or time-out.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${LV_FUZZ_SECONDS:-${FUZZ_SECONDS:-30}}
source "$root/tools/checks/lib/fuzz.sh"
fuzzer=$(fuzz_build fuzz_page "$build")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  "$scratch" "$root/tests/fuzz/page/corpus" 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
