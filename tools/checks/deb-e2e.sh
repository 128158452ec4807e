#!/usr/bin/env bash
# The Debian package, where installing packages is allowed (as root, as in
# CI): make deb builds lumivex_<version>_<arch>.deb holding the listed
# files, lintian reports no error, dpkg -i installs it, /usr/bin/lumivex
# --version answers with the package's version, the installed program
# starts under Xvfb (as root it can make data\ in its folder), and dpkg -r
# leaves none of the package's files, nor the program folder, behind.
set -u
build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$(dirname "$0")/lib/xvfb.sh"
fail() { echo "deb-e2e: FAIL: $*"; exit 1; }

if [ "$(id -u)" -ne 0 ]; then
  echo "deb-e2e: not run: installing a package needs root"
  exit 0
fi
if dpkg-query -W -f='${Status}' lumivex 2>/dev/null | grep -q 'install ok installed'; then
  echo "deb-e2e: not run: lumivex is installed on this machine, and the check would remove it"
  exit 0
fi
e2e_require deb-e2e dpkg-buildpackage lintian Xvfb xdotool xdpyinfo
e2e_begin deb-e2e
installed=""
trap '[ -n "$installed" ] && dpkg -r lumivex >/dev/null 2>&1; dpkg -P lumivex >/dev/null 2>&1; e2e_cleanup' EXIT

make -s -C "$root" -o deps BUILD="$build" deb >"$work/make.log" 2>&1 || { tail -n 30 "$work/make.log"; fail "make deb failed"; }
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
deb="$(cd "$build" && pwd)/lumivex_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
[ -f "$deb" ] || fail "make deb made no $deb"

{
  printf '%s\n' usr/bin/lumivex usr/lib/lumivex/lv.exe usr/lib/lumivex/nplv.exe \
    usr/share/applications/lumivex.desktop usr/share/metainfo/example.brindle.Lumivex.metainfo.xml \
    usr/share/locale/en/LC_MESSAGES/lumivex.mo usr/share/man/man1/lumivex.1.gz \
    usr/share/doc/lumivex/copyright usr/share/doc/lumivex/changelog.gz
  for s in 16 24 32 48 64 128 256; do echo "usr/share/icons/hicolor/${s}x$s/apps/lumivex.png"; done
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/found"
diff "$work/expected" "$work/found" || fail "the package does not hold exactly the listed files"

lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || { cat "$work/lintian"; fail "lintian reports errors"; }

dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; }
installed=1
dpkg -L lumivex >"$work/files"
grep -qx 'Exec="/usr/bin/lumivex"' /usr/share/applications/lumivex.desktop || fail "the menu entry does not start /usr/bin/lumivex"
answer=$(cd "$work" && timeout 10 /usr/bin/lumivex --version </dev/null 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "lumivex --version ended with status $status: $answer"
grep -qF "$version" <<<"$answer" || fail "lumivex --version answered '$answer', without $version"

(cd "$work" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 exec /usr/bin/lumivex >"$work/lv.log" 2>&1) & app=$!
[ -n "$(find_window '^Lumivex ')" ] || fail "the installed program showed no window"
kill "$app"; wait "$app" 2>/dev/null; app=""

dpkg -r lumivex >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r failed"; }
installed=""
while IFS= read -r path; do
  [ -d "$path" ] && continue
  [ -e "$path" ] || [ -L "$path" ] && fail "dpkg -r left $path"
done <"$work/files"
[ -e /usr/lib/lumivex ] && fail "dpkg -r left /usr/lib/lumivex: $(find /usr/lib/lumivex | head -n 3)"
echo "deb-e2e: $deb holds the listed files, passes lintian, installs, answers --version, starts and leaves nothing"
