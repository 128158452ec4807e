#!/usr/bin/env bash
# Usage: tools/format.sh [check|fix]
#   check  every C++ file the tree tracks is as clang-format (.clang-format)
#          writes it; lists those that are not and fails
#   fix    rewrites them in place
set -u
mode=${1:-check}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
case "$mode" in
  fix) clang-format -i "${files[@]}" ;;
  check)
    bad=0
    for f in "${files[@]}"; do
      if ! clang-format --style=file "$f" | cmp -s - "$f"; then
        echo "format: $f differs from clang-format's layout (tools/format.sh fix)"
        bad=$((bad + 1))
      fi
    done
    [ "$bad" -eq 0 ] && echo "format: clean"
    [ "$bad" -eq 0 ] ;;
  *) echo "usage: $0 [check|fix]"; exit 2 ;;
esac
