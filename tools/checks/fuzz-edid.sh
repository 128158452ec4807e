#!/usr/bin/env bash
# Fuzzes the EDID parser with libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer on) for a bounded time, from a valid base block
# and a truncated one; any crash, leak or broken invariant fails the check.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${LV_FUZZ_SECONDS:-20}
source "$root/tools/checks/lib/fuzz.sh"
fuzzer=$(fuzz_build fuzz_edid "$build")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$fuzzer" "$tmp/fuzz"
mkdir "$tmp/corpus"
python3 "$root/tools/checks/lib/edid.py" "$tmp/corpus/valid"
head -c 100 "$tmp/corpus/valid" >"$tmp/corpus/short"
(cd "$tmp" && ./fuzz -max_total_time="$seconds" -max_len=512 -timeout=10 corpus >fuzz.log 2>&1) || {
  tail -n 40 "$tmp/fuzz.log"; echo "EDID fuzzing found a failure"; exit 1; }
echo "fuzz-edid: fuzzed $(grep -Eo '#[0-9]+' "$tmp/fuzz.log" | tail -n 1 | tr -d '#') inputs in ${seconds}s, no failure"
