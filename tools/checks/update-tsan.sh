#!/usr/bin/env bash
# The update stages under ThreadSanitizer: the user interface's lookups of
# data\main.htm racing the update thread's replacement of it, and the stages
# themselves against a loopback server thread.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
tsan="$(cd "$build" && pwd)-tsan-update"
cmake -S "$root" -B "$tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLV_TSAN=ON -DLV_BENCH=OFF >/dev/null
cmake --build "$tsan" -j2 --target test_update >/dev/null
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  "$tsan/bin/test_update" --gtest_filter='UpdateThreadConcurrency.*:FirstStage.*:SecondStage.*' --gtest_brief=1
echo "update-tsan: no data races"
