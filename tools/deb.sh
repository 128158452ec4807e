#!/usr/bin/env bash
# make deb: builds lumivex_<version>_<arch>.deb with debhelper (debian/)
# from a copy of the sources in BUILD/deb, and puts the package in BUILD.
#
#   tools/deb.sh BUILD
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: deb.sh BUILD}
mkdir -p "$build"
build=$(cd "$build" && pwd)
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
work="$build/deb"
src="$work/lumivex-$version"
rm -rf "$work"
mkdir -p "$src"
(cd "$root" && tar -cf - CMakeLists.txt cmake src res po docs tools debian) | tar -xf - -C "$src"
echo "deb: building the package in $work (log: $work/build.log)"
if ! (cd "$src" && DEB_BUILD_OPTIONS="noddebs nocheck parallel=${JOBS:-2} ${DEB_BUILD_OPTIONS:-}" \
      dpkg-buildpackage -b -us -uc) >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log"
  echo "deb: dpkg-buildpackage failed"
  exit 1
fi
mv "$work/lumivex_${version}_$arch.deb" "$build/"
echo "deb: $build/lumivex_${version}_$arch.deb"
