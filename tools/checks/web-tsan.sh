#!/usr/bin/env bash
# The web panel under ThreadSanitizer: the page loader's thread handing
# pages and pictures to the user-interface thread, and views closed while
# their loader is still waiting on a loopback server.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
# The update check's tree: the same configuration, so the platform
# libraries are built once for both.
tsan="$root/${build%/}-tsan-update"
cmake -S "$root" -B "$tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLV_TSAN=ON -DLV_BENCH=OFF >/dev/null
cmake --build "$tsan" -j2 --target test_platform_web >/dev/null
SDL_VIDEODRIVER=offscreen TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  "$tsan/bin/test_platform_web" --gtest_filter='WebPanelTest.*' --gtest_brief=1
echo "web-tsan: no data races"
