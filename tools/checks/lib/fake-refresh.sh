# Shared by the presenter's checks (sourced, not run): X servers started one
# after another, each with the options a row needs (a fake refresh rate, an
# extension left out). The check sets $work and `fail NAME WHY`.
#
#   xvfb NAME ARGS...   a fresh Xvfb (1280x1024x24) with ARGS as $DISPLAY,
#                       its pid in $server
#   stop_server         ends it

server=""

xvfb() {
  local name=$1; shift
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$work/display" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || fail "$name" "Xvfb did not start"
  DISPLAY=":$(head -n 1 "$work/display")"
  export DISPLAY
}

stop_server() { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; server=""; }
