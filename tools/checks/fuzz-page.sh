#!/usr/bin/env bash
# Fuzzes what the web panel does to a page's bytes before layout (character
# set, nesting limit, addresses) and the picture decoder, for about half a
# minute: a libFuzzer target with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang-14) built into the build folder given as
# $1, run on the kept seed corpus. New inputs go to a scratch folder. Fails
# on any crash, leak, sanitizer report or time-out.
set -eu
build=${1:-build}
seconds=${FUZZ_SECONDS:-30}
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$build/fuzz-page"
build=$(cd "$build" && pwd)
out="$build/fuzz-page"

clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$root/tests/fuzz/page/fuzz_page.cpp" \
  "$root/src/platform/web/PageText.cpp" \
  "$root/src/platform/web/PageImage.cpp" \
  "$root/src/platform/web/WebUrl.cpp" \
  "$root/src/platform/text/Cp936.cpp" \
  "$root/src/platform/text/Utf8.cpp" \
  "$root/src/platform/gfx/Surface.cpp" \
  "$root/src/platform/gfx/BmpDecoder.cpp" \
  "$root"/src/platform/picture/*.cpp \
  -lpng16 -ljpeg -lgif \
  -o "$out/fuzz_page"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$out"
"$out/fuzz_page" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  "$scratch" "$root/tests/fuzz/page/corpus" 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
