#!/usr/bin/env bash
# Fuzzes the tagged text file reader and the code page 936 conversion with
# libFuzzer for 20 seconds (LV_FUZZ_SECONDS); any crash, leak or broken
# invariant fails the check.
set -eu
build=${1:-build}
seconds=${LV_FUZZ_SECONDS:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/checks/lib/fuzz.sh"
fuzzer=$(fuzz_build fuzz_localdata "$build")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/corpus"
printf '[MAIN_URL]\r\nhttp://a/\r\n[TAMREL_BEGIN]\r\na,b,c\r\n// x\r\n[TAMREL_END]\r\n' >"$tmp/corpus/main.htm"
printf '\xbc\xec\xb2\xe2\xb8\xfc\xd0\xc2\r\n\x81\n\xff' >"$tmp/corpus/cp936"
(cd "$tmp" && "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 corpus >fuzz.log 2>&1) || {
  tail -n 40 "$tmp/fuzz.log"; echo "localdata fuzzing found a failure"; exit 1; }
echo "fuzz-localdata: fuzzed $(grep -Eo '#[0-9]+' "$tmp/fuzz.log" | tail -n 1 | tr -d '#') inputs in ${seconds}s, no failure"
