#!/usr/bin/env bash
# Fuzzes the zip extraction for about a minute: builds the libFuzzer target
# with AddressSanitizer and UndefinedBehaviorSanitizer (clang-14) into the
# build folder given as $1, then runs it on the kept seed corpus. New inputs
# go to a scratch folder, so the kept corpus is not changed. Fails on any
# crash, leak, sanitizer report or time-out.
set -eu
build=${1:-build}
seconds=${FUZZ_SECONDS:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
out="$build/fuzz-zip"
mkdir -p "$out"
build=$(cd "$build" && pwd)
out="$build/fuzz-zip"

clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$root/tests/fuzz/zip/fuzz_zip.cpp" \
  "$root/src/update/ExtractFirstEntry.cpp" \
  "$root/src/update/ZipReader.cpp" \
  "$root/src/update/ZipException.cpp" \
  "$root/src/platform/fs/File.cpp" \
  "$root/src/platform/fs/FileOps.cpp" \
  "$root/src/platform/fs/FileStatus.cpp" \
  "$root/src/platform/fs/PathMap.cpp" \
  "$root/src/platform/fs/StagedFile.cpp" \
  -lz -o "$out/fuzz_zip"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$out"
"$out/fuzz_zip" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  "$scratch" "$root/tests/fuzz/zip/corpus" 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
