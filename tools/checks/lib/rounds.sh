# Rounds of a person testing a monitor (sourced after lib/pixels.sh, with
# the main window's client area at $wx, $wy of size $ww x $wh, and the
# check's fail):
#
#   click_rounds N WHAT   N rounds of: launch the block-fill test, k left
#                         clicks 0.2 s apart (k = 0, 1, ... 9, 0, ...), a
#                         right click at the same place; two busy loops load
#                         the machine meanwhile. Each launch must show the
#                         test's first step (blue) in the screen's far
#                         corner, and each right click the main window again.

click_rounds() {
  local rounds=$1 what=$2 round k busy="" corner
  corner=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] - 1 "," d[2] - 1 }')
  local face="$((wx + ww - 4)),$((wy + wh - 4))"
  for _ in 1 2; do (while :; do :; done) & busy="$busy $!"; done
  e2e_pids="$e2e_pids $busy"
  xdotool mousemove --sync $((wx + 213)) $((wy + 199))
  for round in $(seq "$rounds"); do
    k=$(((round - 1) % 10))
    xdotool click 1
    expect_screen 0000FF "$what, round $round: the launch opens the test on its first step" "$corner"
    [ "$k" -gt 0 ] && xdotool click --repeat "$k" --delay 200 1
    xdotool click 3
    expect_screen F0F0F0 "$what, round $round: the right click after $k left clicks ends the test" "$face"
  done
  kill $busy 2>/dev/null
  wait $busy 2>/dev/null
  return 0
}
