#!/usr/bin/env bash
# Fuzzes the registry store's reader with libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer on) for a bounded time; any crash, leak or
# broken invariant fails the check.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${LV_FUZZ_SECONDS:-20}
source "$root/tools/checks/lib/fuzz.sh"
fuzzer=$(fuzz_build fuzz_registry "$build")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$fuzzer" "$tmp/fuzz"
mkdir "$tmp/corpus"
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\software\\brindle\\skiff]\r\n"path"="C:\\\\P\\\\"\r\n"n"=dword:1\r\n"e"=hex(2):41,\\\r\n  00\r\n@=-\r\n[-HKEY_USERS\\x]\r\n' >"$tmp/corpus/export4"
printf 'Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\k]\n"m"=hex(7):41,00,00,00,00,00\n"b"=hex:01,02\n' >"$tmp/corpus/export5"
(cd "$tmp" && ./fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 corpus >fuzz.log 2>&1) || {
  tail -n 40 "$tmp/fuzz.log"; echo "registry fuzzing found a failure"; exit 1; }
echo "fuzz-registry: fuzzed $(grep -Eo '#[0-9]+' "$tmp/fuzz.log" | tail -n 1 | tr -d '#') inputs in ${seconds}s, no failure"
