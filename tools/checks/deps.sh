#!/usr/bin/env bash
# Usage: tools/checks/deps.sh [build]
#   Fails when a system header, pkg-config module or CMake find result the
#   tree uses comes from a package that tools/debian-packages.txt neither
#   lists nor pulls in, or when debian/control's Build-Depends and the list
#   disagree on what the package build needs. Run by `make test` first:
#   a dropped package stays installed where it was dropped, so only this
#   check, not the build, tells there.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
[ -f "$build/CMakeCache.txt" ] || { echo "deps: $build is not a configured build folder"; exit 2; }
exec python3 "$root/tools/checks/lib/deps.py" "$root" "$build"
