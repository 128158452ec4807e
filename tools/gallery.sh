#!/usr/bin/env bash
# Draws docs/patterns.png: every step of every test pattern as a thumbnail,
# one row per pattern in the order of `lv.exe --list`, each shot taken from
# the real program started with --test NAME --step K on an Xvfb of its own.
# A pattern's steps end where --step is refused (status 2, nothing shown).
#
#   tools/gallery.sh [BUILD] [OUT.png]     (defaults: build, docs/patterns.png)
set -u
build=${1:-build}
out=$(realpath -m "${2:-docs/patterns.png}")
. "$(dirname "$0")/checks/lib/xvfb.sh"
. "$(dirname "$0")/checks/lib/pixels.sh"
e2e_program gallery "$build"
e2e_require gallery Xvfb xdotool import montage xdpyinfo
e2e_begin gallery 1280x720x24

fail() { echo "gallery: FAIL: $*"; exit 1; }
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
columns=8
tiles=()
while read -r name _; do
  step=0
  while :; do
    "$exe" --test "$name" --step "$step" >"$work/lv.log" 2>&1 & app=$!
    # A refused step ends the program at once, before any window.
    sleep 1.5
    if ! kill -0 "$app" 2>/dev/null; then
      wait "$app"; status=$?; app=""
      [ "$status" -eq 2 ] && [ "$step" -gt 0 ] || fail "$name step $step: status $status: $(cat "$work/lv.log")"
      break
    fi
    shot
    cp "$work/shot.png" "$work/$name-$step.png"
    tiles+=(-label "$name $step" "$work/$name-$step.png")
    xdotool key Escape
    wait_exit "$app" || fail "$name step $step: Escape did not end the program"
    app=""
    step=$((step + 1))
  done
  # Each pattern starts a row of its own.
  for _ in $(seq $(( (columns - step % columns) % columns ))); do tiles+=(-label "" null:); done
done < <("$exe" --list)

montage -font "$font" -pointsize 11 -fill '#DDDDDD' -background '#303030' -geometry 192x108+4+4 \
  -tile "${columns}x" "${tiles[@]}" "$out" || fail "montage failed"
echo "gallery: saved $out"
