#!/usr/bin/env bash
# lv.exe starts without libcurl: the internet session loads it at first use
# (src/platform/net/CurlLibrary.h), so nothing linked into the program may
# pull it in at start, where it and its dependencies cost start-up time.
set -u
build=${1:-build}
exe="$build/bin/lv.exe"
[ -x "$exe" ] || { echo "no-libcurl-at-start: no program at $exe"; exit 1; }
if ldd "$exe" | grep -q 'libcurl\.so'; then
  echo "no-libcurl-at-start: $exe links libcurl at start:"
  ldd "$exe" | grep 'libcurl\.so'
  exit 1
fi
echo "no-libcurl-at-start: lv.exe does not link libcurl"
