#!/usr/bin/env bash
# make install / make uninstall: the installed tree is exactly the listed
# files, the desktop entry (also under a prefix holding $, ' and %) and the
# AppStream metadata validate, the
# installed link starts the program under Xvfb from another working
# directory (data\ appears in the program folder; its window class is the
# entry's StartupWMClass) and takes the options, a program folder the user
# cannot write still runs the program without data\ and without a dialog,
# and uninstalling leaves nothing behind but the folders that were there.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
. "$root/tools/checks/lib/xvfb.sh"
e2e_program install-e2e "$build"
[ -x "$build/bin/nplv.exe" ] || cmake --build "$build" -j2 --target nplv >/dev/null
e2e_require install-e2e desktop-file-validate appstreamcli xdotool xprop
e2e_begin install-e2e
export LUMIVEX_UPDATE_SERVER=http://127.0.0.1:1 XDG_CONFIG_HOME="$work/config"
fail() { echo "install-e2e: FAIL: $*"; exit 1; }

# The Makefile's own targets, without building again.
installing() { make -s -C "$root" -o program -o build -o configure -o deps BUILD="$build" "$@" >/dev/null; }

# Files and links under $1, "path mode", against what an installation under
# prefix $2 (relative to $1, empty or ending in /) must hold; and no empty folder besides.
expect_tree() {
  local top=$1 p=$2 s
  {
    printf '%s\n' "${p}bin/lumivex 777" "${p}lib/lumivex/lv.exe 755" "${p}lib/lumivex/nplv.exe 755" \
      "${p}lib/lumivex/.installed-folders 644" \
      "${p}share/applications/lumivex.desktop 644" "${p}share/metainfo/example.brindle.Lumivex.metainfo.xml 644" \
      "${p}share/locale/en/LC_MESSAGES/lumivex.mo 644" "${p}share/man/man1/lumivex.1.gz 644"
    for s in 16 24 32 48 64 128 256; do echo "${p}share/icons/hicolor/${s}x$s/apps/lumivex.png 644"; done
  } | sort >"$work/expected"
  (cd "$top" && find . \( -type f -o -type l \) -printf '%P %m\n' | sort) >"$work/found"
  diff "$work/expected" "$work/found" >&2 || { echo; fail "the tree under $top is not what was listed"; }
  [ -z "$(find "$top" -type d -empty)" ] || fail "empty folders under $top"
  [ "$(readlink "$top/${p}bin/lumivex")" = ../lib/lumivex/lv.exe ] || fail "bin/lumivex does not link to lv.exe"
  cmp -s "$top/${p}lib/lumivex/lv.exe" "$build/bin/lv.exe" || fail "the installed lv.exe is not the build's"
  desktop-file-validate "$top/${p}share/applications/lumivex.desktop" || fail "the desktop entry does not validate"
  appstreamcli validate --no-net "$top/${p}share/metainfo/example.brindle.Lumivex.metainfo.xml" >/dev/null \
    || fail "the AppStream metadata does not validate"
}

# A system-wide layout staged for packaging.
installing install DESTDIR="$work/stage" PREFIX=/usr
expect_tree "$work/stage" usr/
grep -qx 'Exec="/usr/bin/lumivex"' "$work/stage/usr/share/applications/lumivex.desktop" \
  || fail "the desktop entry does not start /usr/bin/lumivex"
installing uninstall DESTDIR="$work/stage" PREFIX=/usr
[ ! -e "$work/stage/usr" ] || fail "make uninstall left $(cd "$work/stage/usr" && find . | head -n 3)"

# A prefix whose name means something to a shell and to the entry's Exec
# key ($ is written $$ for make).
odd="$work/odd \$dollar 'quote' 100%"
installing install PREFIX="${odd//\$/\$\$}"
expect_tree "$odd" ""
grep -qxF "Exec=\"$work/odd \\\\\$dollar 'quote' 100%%/bin/lumivex\"" "$odd/share/applications/lumivex.desktop" \
  || fail "the desktop entry's Exec is not quoted and escaped: $(grep '^Exec=' "$odd/share/applications/lumivex.desktop")"
installing uninstall PREFIX="${odd//\$/\$\$}"
[ ! -e "$odd" ] || fail "make uninstall left $(cd "$odd" && find . | head -n 3)"

# Folders that were there before, empty or not, stay; the ones the
# installation made go. A second installation keeps that record.
kept="$work/kept"
mkdir -p "$kept/bin" "$kept/lib" "$kept/share/applications"
installing install PREFIX="$kept"
installing install PREFIX="$kept"
installing uninstall PREFIX="$kept"
[ "$(cd "$kept" && find . -mindepth 1 | sort | tr '\n' ' ')" = "./bin ./lib ./share ./share/applications " ] \
  || fail "uninstalling from a prefix with folders of its own left $(cd "$kept" && find . -mindepth 1 | tr '\n' ' ')"

# The user's own layout: started through the link from elsewhere.
home="$work/home/.local"
installing install PREFIX="$home"
expect_tree "$home" ""
mkdir -p "$work/elsewhere"
(cd "$work/elsewhere" && exec "$home/bin/lumivex") & app=$!
win=$(find_window '^Lumivex ')
[ -n "$win" ] || fail "the installed program showed no window"
# Desktops match the window to its entry by class.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$home/share/applications/lumivex.desktop")
[ "$wm_class" = lumivex ] || fail "the desktop entry's StartupWMClass is \"$wm_class\", not lumivex"
xprop -id "$win" WM_CLASS | grep -q "\"$wm_class\"" || fail "the window's class is $(xprop -id "$win" WM_CLASS), not $wm_class"
for _ in $(seq 50); do [ -d "$home/lib/lumivex/data" ] && break; sleep 0.1; done
[ -d "$home/lib/lumivex/data" ] || fail "data\\ did not appear in the program folder"
[ ! -e "$work/elsewhere/data" ] || fail "data\\ appeared in the working directory"
xdotool windowfocus --sync "$(find_window '^Lumivex ')" 2>/dev/null; xdotool key Escape
wait_exit "$app" || fail "the installed program did not end"
wait "$app" || fail "the installed program ended with status $?"
app=""
"$home/bin/lumivex" --list | grep -q '^grid ' || fail "the installed lumivex does not take the options"
installing uninstall PREFIX="$home"
[ ! -e "$home" ] || fail "make uninstall left $(cd "$home" && find . | head -n 3)"

# A program folder the user cannot write: the program runs on its defaults,
# the update writes nothing and no dialog says so.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  installing install PREFIX="$work/opt/lumivex"
  chmod 755 "$work"
  mkdir -m 777 "$work/nobody"
  (cd / && exec runuser -u nobody -- env HOME="$work/nobody" XDG_CONFIG_HOME="$work/nobody" "$work/opt/lumivex/bin/lumivex") & app=$!
  win=$(find_window '^Lumivex ')
  [ -n "$win" ] || fail "the program did not run from a folder it cannot write"
  sleep 3 # the update thread starts two seconds in
  [ "$(xdotool search --onlyvisible --name '.' | wc -l)" -eq 1 ] || fail "a second window (a dialog?) appeared"
  [ ! -e "$work/opt/lumivex/lib/lumivex/data" ] || fail "data\\ was made in a folder the user cannot write"
  xdotool windowfocus --sync "$win" 2>/dev/null; xdotool key Escape
  wait_exit "$app" || fail "the program in a read-only folder did not end"
  wait "$app" || fail "the program in a read-only folder ended with status $?"
  app=""
  echo "install-e2e: a program folder the user cannot write runs the program without data\\ or a dialog"
fi
echo "install-e2e: installed trees exactly as listed, entry and metadata valid, started through the link, uninstalled without a trace"
