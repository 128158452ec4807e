# Screenshots for the end-to-end checks (sourced after lib/xvfb.sh, which
# provides $work).
#
#   shot                        a screenshot of the whole screen, $work/shot.png
#   pixel_at X Y                the colour (RRGGBB) at screen (X, Y) of the last shot
#   expect_pixel X Y RGB WHAT   polls until the pixel at ($wx + X, $wy + Y) is RGB,
#                               else calls the check's fail with WHAT
#   expect_screen RGB WHAT P... polls until every screen point "x,y" is RGB,
#                               else calls the check's fail with WHAT

shot() { import -window root "$work/shot.png"; }

pixel_at() { convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }

expect_pixel() {
  local got=""
  for _ in $(seq 50); do
    shot; got=$(pixel_at $((wx + $1)) $((wy + $2)))
    [ "$got" = "$3" ] && return 0
    sleep 0.1
  done
  fail "pixel ($1, $2) is $got, expected $3 ($4)"
}

expect_screen() {
  local colour=$1 what=$2 got="" p ok; shift 2
  for _ in $(seq 50); do
    shot; ok=1
    for p in "$@"; do
      got=$(pixel_at "${p%,*}" "${p#*,}")
      [ "$got" = "$colour" ] || { ok=0; break; }
    done
    [ "$ok" -eq 1 ] && return 0
    sleep 0.1
  done
  fail "$what: pixel ($p) is $got, expected $colour"
}
