#!/usr/bin/env bash
# Usage: tools/lint.sh [build] [jobs]
#   clang-tidy with the checks of .clang-tidy over every C++ source file of
#   the tree, from the build folder's compile database; fails on any warning.
set -u
build=${1:-build}; jobs=${2:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null || exit 1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Sources the compile database knows: the fuzz targets are built in a
# clang tree of their own and are left out.
git ls-files '*.cpp' | grep -v '^tests/fuzz/' \
  | xargs -P "$jobs" -n 8 clang-tidy -p "$build" --quiet >"$log" 2>/dev/null
if grep -q 'warning:' "$log"; then
  grep -A3 'warning:' "$log"
  echo "lint: $(grep -c 'warning:' "$log") warnings"
  exit 1
fi
echo "lint: clean"
