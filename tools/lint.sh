#!/usr/bin/env bash
# Usage: tools/lint.sh [build] [jobs] [--changed]
#   clang-tidy with the checks of .clang-tidy over every C++ source file of
#   the tree, from the build folder's compile database; fails on any warning.
#   A clean whole-tree run records HEAD in tools/lint-base.
#   --changed: only the sources changed since the commit in tools/lint-base
#   (and the sources beside a changed header), for `make test`: the whole
#   tree takes longer than the test suite's budget on two cores.
set -u
build=${1:-build}; jobs=${2:-2}; mode=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
head=$(git rev-parse HEAD)
cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null || exit 1
log=$(mktemp)
files=$(mktemp)
trap 'rm -f "$log" "$files"' EXIT
# Sources the compile database knows: the fuzz targets are built in a
# clang tree of their own and are left out.
git ls-files '*.cpp' | grep -v '^tests/fuzz/' >"$files"
if [ "$mode" = "--changed" ]; then
  base=$(cat tools/lint-base 2>/dev/null)
  if ! git cat-file -e "${base:-none}^{commit}" 2>/dev/null; then
    echo "lint: tools/lint-base names no commit of this history: the whole tree"
    mode=whole
  fi
fi
if [ "$mode" = "--changed" ]; then
  changed=$(git diff --name-only "$base" -- '*.cpp' '*.h' | sed -E 's/\.(cpp|h)$//' | sort -u)
  grep -xF -f <(sed 's/$/.cpp/' <<<"$changed") "$files" >"$files.some" || true
  mv "$files.some" "$files"
  echo "lint: $(wc -l <"$files") sources changed since $(git rev-parse --short "$base")"
fi
[ -s "$files" ] || { echo "lint: clean (nothing to check)"; exit 0; }
xargs -P "$jobs" -n 8 clang-tidy -p "$build" --quiet <"$files" >"$log" 2>/dev/null
if grep -q 'warning:' "$log"; then
  grep -A3 'warning:' "$log"
  echo "lint: $(grep -c 'warning:' "$log") warnings"
  exit 1
fi
if [ "$mode" != "--changed" ]; then
  echo "$head" >tools/lint-base
  echo "lint: clean; tools/lint-base now names ${head:0:7}: commit it"
else
  echo "lint: clean"
fi
