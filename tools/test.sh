#!/usr/bin/env bash
# The whole test suite: every unit and UI test (headless), the same tests again
# under AddressSanitizer/UndefinedBehaviorSanitizer, then each extra check in
# tools/checks/ (end-to-end runs under Xvfb, fuzzing, thread sanitizer).
# Prints one closing line "N passed, M failed" and fails when anything failed.
set -u
build=${1:-build}; build_asan=${2:-build-asan}; jobs=${3:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
passed=0; failed=0

count() { # add the counts of a ctest log to the totals
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  [ -n "$line" ] || { failed=$((failed + 1)); return; }
  fails=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - fails)); failed=$((failed + fails))
}

log=$(mktemp)
echo "== unit and UI tests ($build)"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 2>&1 | tee "$log"
count "$log"

echo "== the same tests under AddressSanitizer ($build_asan)"
cmake -S . -B "$build_asan" -DCMAKE_BUILD_TYPE=Debug -DLV_SANITIZE=ON -DLV_BENCH=OFF >/dev/null
if cmake --build "$build_asan" -j "$jobs" >"$log.build" 2>&1; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$build_asan" -j "$jobs" --output-on-failure --timeout 600 2>&1 | tee "$log"
  count "$log"
else
  tail -n 50 "$log.build"; echo "AddressSanitizer build failed"; failed=$((failed + 1))
fi

for check in tools/checks/*.sh; do
  [ -e "$check" ] || continue
  echo "== $(basename "$check")"
  if bash "$check" "$build"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $check"; fi
done
rm -f "$log" "$log.build"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
