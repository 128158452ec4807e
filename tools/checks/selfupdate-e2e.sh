#!/usr/bin/env bash
# The self-update end to end under Xvfb: the update server publishes a new
# data\lv.exe (this build's lv.exe with another version number); the
# program downloads it, exits and nplv.exe puts it in place of lv.exe; the
# next start shows the new version in the About dialog and hands nothing
# over at its exit. Then nplv.exe in a program folder on a full and on a
# read-only file system: lv.exe stays whole and nothing is left half-written.
# The About dialogs are kept in $LUMIVEX_SHOT_DIR when that is set.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
. "$root/tools/checks/lib/xvfb.sh"
. "$root/tools/checks/lib/pixels.sh"
e2e_program selfupdate-e2e "$build"
nplv="$build/bin/nplv.exe"
[ -x "$nplv" ] || cmake --build "$build" -j2 --target nplv >/dev/null
e2e_require selfupdate-e2e xdotool import convert compare iconv
e2e_begin selfupdate-e2e
export XDG_CONFIG_HOME="$work/config"
fail() { echo "selfupdate-e2e: FAIL: $*"; exit 1; }

# The new version: the version text "1.66" is in the program once.
python3 - "$exe" "$work/new-lv.exe" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
old, new = b"\x001.66\x00", b"\x001.67\x00"
if data.count(old) != 1:
    sys.exit("selfupdate-e2e: FAIL: the version text is not in lv.exe exactly once")
open(sys.argv[2], "wb").write(data.replace(old, new))
PY
chmod 755 "$work/new-lv.exe"

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/site/data" "$work/second"
cp "$work/new-lv.exe" "$work/site/data/lv.exe"
printf '[MAIN_URL]\nabout:blank\n' >"$work/head.txt"
# An empty second list: the second stage then writes its log, the update's
# last file, so its end can be waited for.
python3 "$root/tools/publish/publish.py" "$work/site" --base-url "http://127.0.0.1:$port/files" \
  --out "$work/www" --head "$work/head.txt" --second "$work/second" >/dev/null
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/www" >"$work/server.log" 2>&1 &
e2e_pids=$!
export LUMIVEX_UPDATE_SERVER="http://127.0.0.1:$port"

app_dir="$work/app"
mkdir -p "$app_dir"
cp "$exe" "$app_dir/lv.exe"
cp "$nplv" "$app_dir/nplv.exe"

# Starts the program, shows its About dialog, saves the dialog's picture as
# $1, waits for the update thread to finish and closes the program.
run_once() {
  rm -f "$app_dir/data/update.txt" "$app_dir/data/update2.txt"
  (cd "$work" && exec "$app_dir/lv.exe") & app=$!
  local win about menu
  win=$(find_window '^Lumivex ')
  [ -n "$win" ] || fail "no window appeared"
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key alt+space
  menu=$(find_window_menu)
  [ -n "$menu" ] || fail "Alt+Space opened no window menu"
  eval "$(xdotool getwindowgeometry --shell "$menu")"
  xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT - 12)) click 1
  about=$(find_window 'Lumivex [^(]*$')
  [ -n "$about" ] || fail "no About dialog"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$about")"
  shot
  convert "$work/shot.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$1"
  xdotool windowfocus --sync "$about" 2>/dev/null; xdotool key Escape
  for _ in $(seq 200); do [ -e "$app_dir/data/update2.txt" ] && break; sleep 0.1; done
  [ -e "$app_dir/data/update2.txt" ] || fail "the update did not finish within 20 seconds"
  xdotool windowfocus --sync "$win" 2>/dev/null; xdotool key Escape
  wait_exit "$app" || fail "the program did not end"
  wait "$app" || fail "the program ended with status $?"
  app=""
}

log_lines() { [ -e "$app_dir/data/nplv.log" ] && iconv -f GBK -t UTF-8 "$app_dir/data/nplv.log" | cut -c21- | tr -d '\r'; }

run_once "$work/about-old.png"
for _ in $(seq 100); do [ -n "$(log_lines)" ] && break; sleep 0.1; done
[ "$(log_lines)" = 'lv.exe 已更新为 data\lv.exe,原来的保存为 lv.exe.old' ] \
  || fail "nplv.exe logged \"$(log_lines)\" instead of the replacement"
cmp -s "$app_dir/lv.exe" "$work/new-lv.exe" || fail "lv.exe is not the new version"
cmp -s "$app_dir/lv.exe.old" "$exe" || fail "lv.exe.old is not the old version"
cmp -s "$app_dir/data/lv.exe" "$work/new-lv.exe" || fail "data\\lv.exe was not kept"

run_once "$work/about-new.png"
# A start at this exit would log beside the one made here, which finds
# nothing to replace.
"$app_dir/nplv.exe" update || fail "nplv.exe with nothing to replace ended with status $?"
[ "$(log_lines | tail -n +2)" = 'data\lv.exe 与 lv.exe 相同,无需更新' ] \
  || fail "nplv.exe was started again: $(log_lines | tail -n +2)"
if [ -n "${LUMIVEX_SHOT_DIR:-}" ]; then
  mkdir -p "$LUMIVEX_SHOT_DIR" && cp "$work/about-old.png" "$work/about-new.png" "$LUMIVEX_SHOT_DIR/"
fi
# Only the version line (control 1012: 60, 10, 297 x 12 pixels) changed.
box=$(convert "$work/about-old.png" "$work/about-new.png" -compose difference -composite -trim -format '%w %h %X %Y' info: 2>/dev/null)
read -r bw bh bx by <<<"${box//+/}"
[ "$bw" -gt 1 ] || fail "the About dialog shows the same version after the update"
[ "$bx" -ge 60 ] && [ "$by" -ge 10 ] && [ $((bx + bw)) -le 357 ] && [ $((by + bh)) -le 22 ] \
  || fail "the About dialog changed outside its version line ($box)"
echo "selfupdate-e2e: the new lv.exe was downloaded, put in place by nplv.exe and shows its version; no second hand-over"

# nplv.exe on file systems that refuse the copy, in a mount namespace of its own.
if [ "$(id -u)" -eq 0 ] && unshare -m true 2>/dev/null; then
  old_size=$(stat -c %s "$exe"); new_size=$(stat -c %s "$work/new-lv.exe"); nplv_size=$(stat -c %s "$nplv")
  mkdir "$work/full" "$work/ro"
  unshare -m bash -eu -c '
    full=$1 ro=$2 exe=$3 new=$4 nplv=$5 kb=$6
    fill() { mkdir -p "$1/data"; cp "$exe" "$1/lv.exe"; cp "$nplv" "$1/nplv.exe"; cp "$new" "$1/data/lv.exe"; }
    mount -t tmpfs -o size=${kb}k tmpfs "$full"; fill "$full"
    mount -t tmpfs tmpfs "$ro"; fill "$ro"; mount -o remount,ro "$ro"
    for dir in "$full" "$ro"; do
      if "$dir/nplv.exe" update; then echo "nplv.exe succeeded on $dir"; exit 1; fi
      cmp -s "$dir/lv.exe" "$exe" || { echo "lv.exe changed on $dir"; exit 1; }
      extra=$(cd "$dir" && ls -A | grep -vx -e lv.exe -e nplv.exe -e data || true)
      [ -z "$extra" ] || { echo "left on $dir: $extra"; exit 1; }
    done
    iconv -f GBK -t UTF-8 "$full/data/nplv.log" | cut -c21- | tr -d "\r"
  ' - "$work/full" "$work/ro" "$exe" "$work/new-lv.exe" "$nplv" \
    $(( (old_size + new_size + nplv_size) / 1024 + new_size / 2048 )) >"$work/fs.txt" 2>&1 \
    || fail "on a full or read-only file system: $(cat "$work/fs.txt")"
  grep -qx 'lv.exe 已更新为.*' "$work/fs.txt" && fail "nplv.exe reported a replacement on a full file system"
  grep -qx '无法写入 lv.exe.new(磁盘已满或不可写?),lv.exe 未改变' "$work/fs.txt" \
    || fail "no clear log line on a full file system: $(cat "$work/fs.txt")"
  echo "selfupdate-e2e: on a full and on a read-only file system lv.exe stayed whole and nothing was left behind"
fi
