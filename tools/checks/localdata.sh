#!/usr/bin/env bash
# Fuzzes the tagged text file reader and the code page 936 conversion with
# libFuzzer (AddressSanitizer and UndefinedBehaviorSanitizer on) for a bounded
# time; any crash, leak or broken invariant fails the check.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${LV_FUZZ_SECONDS:-20}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root/src" \
  "$root/tests/localdata/fuzz/TaggedFileFuzz.cpp" \
  "$root"/src/localdata/{TextLines,TaggedFile,FieldList}.cpp \
  "$root"/src/platform/fs/{PathMap,StagedFile,WholeFile}.cpp \
  "$root"/src/platform/text/{Cp936,Utf8}.cpp \
  -o "$tmp/fuzz"
mkdir "$tmp/corpus"
printf '[MAIN_URL]\r\nhttp://a/\r\n[TAMREL_BEGIN]\r\na,b,c\r\n// x\r\n[TAMREL_END]\r\n' >"$tmp/corpus/main.htm"
printf '\xbc\xec\xb2\xe2\xb8\xfc\xd0\xc2\r\n\x81\n\xff' >"$tmp/corpus/cp936"
(cd "$tmp" && ./fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 corpus >fuzz.log 2>&1) || {
  tail -n 40 "$tmp/fuzz.log"; echo "localdata fuzzing found a failure"; exit 1; }
echo "localdata: fuzzed $(grep -Eo '#[0-9]+' "$tmp/fuzz.log" | tail -n 1 | tr -d '#') inputs in ${seconds}s, no failure"
