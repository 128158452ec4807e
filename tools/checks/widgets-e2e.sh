#!/usr/bin/env bash
# End to end under Xvfb: the real lv.exe's main window compared with the
# reference screenshot tests/widgets/main-window.png, then the hover looks
# of a picture button and a link button under a real pointer, and that
# they clear soon after the pointer leaves (the buttons poll the pointer on
# their timers, so this needs the pointer as the X server knows it).
#
# The comparison is exact except inside the caption areas of the buttons and
# of the check box (where another font would draw other pixels; those areas
# must still hold text in the caption colour) and inside the web panel,
# whose content comes from the network.
#
#   tools/checks/widgets-e2e.sh BUILD                      run the check
#   tools/checks/widgets-e2e.sh BUILD --update-reference   rewrite the reference
set -u
build=${1:-build}
mode=${2:-}
root=$(cd "$(dirname "$0")/../.." && pwd)
reference="$root/tests/widgets/main-window.png"
. "$(dirname "$0")/lib/xvfb.sh"
e2e_program widgets-e2e "$build"
e2e_require widgets-e2e Xvfb xdotool import convert compare xdpyinfo
e2e_begin widgets-e2e

fail() { echo "widgets-e2e: FAIL: $*"; exit 1; }

# The program runs from a folder of its own (it creates data\ beside
# itself); the update server is a closed port, the registry a scratch file.
mkdir -p "$work/lv"
cp "$exe" "$work/lv/lv.exe"
(cd "$work/lv" && LUMIVEX_UPDATE_SERVER=http://127.0.0.1:9 LUMIVEX_REGISTRY="$work/registry.reg" exec ./lv.exe) \
  >"$work/lv.log" 2>&1 & app=$!
xdotool mousemove 0 0
win=$(find_window '^Lumivex')
[ -n "$win" ] || fail "no window titled Lumivex appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X; wy=$Y
[ "$WIDTH" -eq 594 ] && [ "$HEIGHT" -eq 472 ] || fail "client area is ${WIDTH}x$HEIGHT, expected 594x472"

shot() { import -window root "$work/root.png" && convert "$work/root.png" -crop "594x472+$wx+$wy" +repage "$work/$1"; }
# The colour (RRGGBB) at client (x, y) of a screenshot.
pixel() { convert "$work/$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
# Polls until the pixel at client (x, y) has the colour.
expect_pixel() {
  local got=""
  for _ in $(seq 40); do
    shot now.png; got=$(pixel now.png "$1" "$2")
    [ "$got" = "$3" ] && return 0
    sleep 0.05
  done
  fail "pixel ($1, $2) is $got, expected $3 ($4)"
}
# The colour at client (x, y) on screen now, read alone (much quicker than
# a whole screenshot, so it can time how soon a look changes).
probe() {
  import -window root -crop "1x1+$((wx + $1))+$((wy + $2))" +repage -depth 8 -format "%[hex:p{0,0}]" info: | cut -c1-6
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Polls the pixel at client (x, y) until it has the colour; fails unless it
# got there within `limit` ms of $moved (when the pointer last moved).
expect_pixel_by() {
  local got="" t
  while :; do
    got=$(probe "$1" "$2")
    t=$(($(now_ms) - moved))
    if [ "$got" = "$3" ]; then
      [ "$t" -le "$5" ] || fail "$4 after $t ms, expected within $5 ms"
      echo "widgets-e2e: $4 after $t ms"
      return 0
    fi
    [ "$t" -le 3000 ] || fail "pixel ($1, $2) is $got $t ms after the move, expected $3 ($4)"
    sleep 0.02
  done
}
# Moves the pointer to client (x, y) and notes when.
move_to() { xdotool mousemove --sync $((wx + $1)) $((wy + $2)); moved=$(now_ms); }
strip() { convert "$root/res/bitmap/$1.bmp" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }

# Layout of the main window (client pixels): seven 70 x 22 link buttons at
# (5 + 75k, 5); eight 75 x 75 picture buttons at x 30, 176, 322, 468 and
# y 162, 304; the check box at (5, 122); the web panel at (5, 32), 584 x 80.
link_x() { echo $((5 + 75 * $1)); }
picture_x=(30 176 322 468)
picture_y=(162 304)

# Rectangles "x0,y0 x1,y1" (inclusive) where fonts may draw differently.
font_areas=()
for k in 0 1 2 3 4 5 6; do
  x=$(link_x $k); font_areas+=("$((x + 4)),7 $((x + 65)),24")
done
for y in "${picture_y[@]}"; do
  for x in "${picture_x[@]}"; do font_areas+=("$((x + 2)),$((y + 46)) $((x + 72)),$((y + 72))"); done
done
font_areas+=("20,122 154,141")
web_area="6,33 587,110"

masked() { # masked.png from a screenshot
  local args=(-fill "#FF00FF")
  for r in "${font_areas[@]}" "$web_area"; do args+=(-draw "rectangle $r"); done
  convert "$work/$1" "${args[@]}" "$work/$2"
}
# Pixels of exactly `colour` inside rectangle "x0,y0 x1,y1" of a screenshot.
count_colour() {
  local x0 y0 x1 y1
  IFS=', ' read -r x0 y0 x1 y1 <<<"$2"
  convert "$work/$1" -crop "$((x1 - x0 + 1))x$((y1 - y0 + 1))+$x0+$y0" +repage -alpha off \
    -fill "#FF00FF" -opaque "#$3" -fill black +opaque "#FF00FF" -fill white -opaque "#FF00FF" \
    -format "%[fx:round(w*h*mean)]" info:
}

# Everything drawn: the last picture button's outline and the last link
# button's caption are there.
expect_pixel 468 $((304 + 30)) 155C93 "outline of the last picture button"
sleep 0.3

if [ "$mode" = "--update-reference" ]; then
  shot main.png
  cp "$work/main.png" "$reference"
  echo "widgets-e2e: reference written to $reference"
  exit 0
fi
[ -f "$reference" ] || fail "no reference image $reference"

# Compare, retrying briefly in case a repaint is still on its way.
cp "$reference" "$work/reference.png"
masked reference.png reference-masked.png
diff=""
for _ in $(seq 10); do
  shot main.png
  masked main.png main-masked.png
  diff=$(compare -metric AE "$work/main-masked.png" "$work/reference-masked.png" null: 2>&1)
  [ "$diff" = "0" ] && break
  sleep 0.2
done
if [ "$diff" != "0" ]; then
  out="${TMPDIR:-/tmp}/widgets-e2e-main.png"
  cp "$work/main.png" "$out"
  fail "$diff pixels differ from the reference outside the font areas (screenshot kept as $out)"
fi
# Every caption area holds text in its caption colour.
for k in 0 1 2 3 4 5 6; do
  n=$(count_colour main.png "${font_areas[$k]}" 101010)
  [ "$n" -ge 20 ] || fail "link button $k shows $n caption pixels"
done
for k in $(seq 7 14); do
  n=$(count_colour main.png "${font_areas[$k]}" 000000)
  [ "$n" -ge 20 ] || fail "picture button $((k - 7)) shows $n caption pixels"
done

# Hover over the second picture button (块填充): hot outline and caption.
bx=${picture_x[1]}; by=${picture_y[0]}
xdotool mousemove --sync $((wx + bx + 37)) $((wy + by + 20))
expect_pixel $bx $((by + 30)) 578EB8 "hot outline"
n=$(count_colour now.png "${font_areas[8]}" 1267A8)
[ "$n" -ge 20 ] || fail "hot caption shows $n pixels"

# Leaving clears the hot look. The picture buttons check the pointer every
# 200 ms, the link buttons every 100 ms; the limits below add 400 ms for a
# loaded machine and for reading the pixel back (the exact ticks are checked
# headless by the widget tests).
normal_outline=155C93; hot_outline=578EB8
background_x=100; background_y=270 # between the rows of picture buttons
# Straight onto the third picture button: the second turns normal at its
# next tick, the third turns hot and stays hot while the pointer rests.
cx=${picture_x[2]}
move_to $((cx + 37)) $((by + 20))
expect_pixel_by $cx $((by + 30)) $hot_outline "the picture button under the pointer turns hot" 600
expect_pixel_by $bx $((by + 30)) $normal_outline "the picture button left behind turns normal" 600
sleep 0.5
[ "$(probe $cx $((by + 30)))" = $hot_outline ] || fail "the picture button under the pointer lost its hot look"
# Off the buttons onto the window's background.
move_to $background_x $background_y
expect_pixel_by $cx $((by + 30)) $normal_outline "the picture button turns normal on the background" 600

# Hover over the first link button: the highlighted strip, kept while the
# pointer rests on it, cleared once the pointer is on the background.
lx=$(link_x 0)
xdotool mousemove --sync $((wx + lx + 35)) $((wy + 5 + 11))
expect_pixel $((lx + 35)) 5 "$(strip 225 35 0)" "highlighted strip"
sleep 0.4
[ "$(probe $((lx + 35)) 5)" = "$(strip 225 35 0)" ] || fail "the link button under the pointer lost its highlight"
move_to $background_x $background_y
expect_pixel_by $((lx + 35)) 5 "$(strip 224 35 0)" "the link button's highlight clears" 500
shot after.png
masked after.png after-masked.png
diff=$(compare -metric AE "$work/after-masked.png" "$work/reference-masked.png" null: 2>&1)
[ "$diff" = "0" ] || fail "$diff pixels differ from the reference after the pointer left every button"

echo "widgets-e2e: main window matches the reference; hover looks show and clear when the pointer leaves"
