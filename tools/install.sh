#!/usr/bin/env bash
# Installs or removes Lumivex (make install / make uninstall):
#
#   tools/install.sh install BUILD DESTDIR PREFIX
#   tools/install.sh uninstall BUILD DESTDIR PREFIX
#
# The program folder is PREFIX/lib/lumivex (lv.exe and nplv.exe; the program
# makes its data folder there at its first start), PREFIX/bin/lumivex links
# to lv.exe, and the desktop entry, icons, AppStream metadata, the English
# catalogue and the manual page go under PREFIX/share. DESTDIR, when given,
# is put in front of every path written, not of the paths the installed
# files name. Uninstalling removes the whole program folder, its data
# included, and of the other folders only those the installation made
# (recorded in the program folder), once they are empty.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
action=$1 build=$2 destdir=$3 prefix=$4
absolute() { case "$1" in /*) printf '%s' "$1" ;; '') ;; *) printf '%s/%s' "$PWD" "$1" ;; esac; }
[ -n "$prefix" ] || { echo "install: PREFIX is empty"; exit 1; }
prefix=$(absolute "${prefix%/}")
destdir=$(absolute "${destdir%/}")
top="$destdir$prefix"
sizes="16 24 32 48 64 128 256"
metainfo=example.brindle.Lumivex.metainfo.xml
catalogue=locale/en/LC_MESSAGES/lumivex.mo
# Every folder an installation may make under $top, each after its parent;
# "." is $top itself.
folders=". lib lib/lumivex bin share share/applications share/icons share/icons/hicolor"
for s in $sizes; do folders="$folders share/icons/hicolor/${s}x$s share/icons/hicolor/${s}x$s/apps"; done
folders="$folders share/metainfo share/locale share/locale/en share/locale/en/LC_MESSAGES share/man share/man/man1"
# The folders this installation made, one per line; read back at uninstall.
made_list="$top/lib/lumivex/.installed-folders"

# An argument of the desktop entry's Exec key: always quoted; inside the
# quotes \, ", ` and $ take a backslash, and the value's own escaping then
# doubles every backslash; % is doubled so it is no field code.
desktop_exec_argument() {
  local s=$1 out='' c i
  for ((i = 0; i < ${#s}; i++)); do
    c=${s:i:1}
    case "$c" in
      '\') out+='\\\\' ;;
      '"' | '`' | '$') out+='\\'"$c" ;;
      %) out+='%%' ;;
      *) out+=$c ;;
    esac
  done
  printf '"%s"' "$out"
}

case "$action" in
install)
  for f in lv.exe nplv.exe; do
    [ -x "$build/bin/$f" ] || { echo "install: $build/bin/$f is missing; run make build first"; exit 1; }
  done
  case "$prefix" in *[[:cntrl:]]*) echo "install: PREFIX holds a control character"; exit 1 ;; esac
  made=""
  for d in $folders; do [ -d "$top/$d" ] || made="$made$d
"; done
  [ -f "$build/bin/$catalogue" ] || { echo "install: $build/bin/$catalogue is missing; run make build first"; exit 1; }
  install -d "$top/lib/lumivex" "$top/bin"
  install -m 755 "$build/bin/lv.exe" "$build/bin/nplv.exe" "$top/lib/lumivex/"
  ln -sfn ../lib/lumivex/lv.exe "$top/bin/lumivex"
  # The entry starts the program by its full path: PREFIX/bin need not be
  # on the desktop's search path.
  exec_argument=$(desktop_exec_argument "$prefix/bin/lumivex")
  install -d "$top/share/applications"
  while IFS= read -r line; do
    case "$line" in Exec=*) line="Exec=$exec_argument" ;; esac
    printf '%s\n' "$line"
  done <"$root/res/desktop/lumivex.desktop" >"$top/share/applications/lumivex.desktop"
  chmod 644 "$top/share/applications/lumivex.desktop"
  for s in $sizes; do
    install -D -m 644 "$root/res/desktop/lumivex-$s.png" "$top/share/icons/hicolor/${s}x$s/apps/lumivex.png"
  done
  install -D -m 644 "$root/res/desktop/$metainfo" "$top/share/metainfo/$metainfo"
  # The program finds its catalogue in ../../share/locale from its folder.
  install -D -m 644 "$build/bin/$catalogue" "$top/share/$catalogue"
  install -d "$top/share/man/man1"
  gzip -9n <"$root/docs/lumivex.1" >"$top/share/man/man1/lumivex.1.gz"
  chmod 644 "$top/share/man/man1/lumivex.1.gz"
  # A reinstallation keeps what the first one made.
  { [ -f "$made_list" ] && cat "$made_list"; printf '%s' "$made"; } | sort -u >"$made_list.new"
  mv "$made_list.new" "$made_list"
  chmod 644 "$made_list"
  echo "install: Lumivex is in $top/lib/lumivex; start it with $prefix/bin/lumivex or from the desktop's menu"
  ;;
uninstall)
  made=""
  [ -f "$made_list" ] && made=$(cat "$made_list")
  rm -f "$top/bin/lumivex" "$top/share/applications/lumivex.desktop" "$top/share/metainfo/$metainfo"
  rm -f "$top/share/$catalogue" "$top/share/man/man1/lumivex.1.gz"
  for s in $sizes; do rm -f "$top/share/icons/hicolor/${s}x$s/apps/lumivex.png"; done
  rm -rf "$top/lib/lumivex"
  # The folders the installation made, deepest first, while empty. Only
  # names of our own list count, whatever else the record holds.
  for d in $(printf '%s\n' $folders | tac); do
    printf '%s\n' "$made" | grep -qxF -- "$d" || continue
    if [ "$d" = . ]; then rmdir "$top" 2>/dev/null || true; else rmdir "$top/$d" 2>/dev/null || true; fi
  done
  echo "uninstall: Lumivex removed from $top"
  ;;
*)
  echo "usage: $0 install|uninstall BUILD DESTDIR PREFIX"; exit 1 ;;
esac
