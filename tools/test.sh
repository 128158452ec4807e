#!/usr/bin/env bash
# Usage: tools/test.sh [all|unit|asan] [build] [build-asan] [jobs]
#   unit  the packages the tree builds with against the package list
#         (tools/checks/deps.sh, before the build, so a missing package is
#         named rather than met as a compiler error), the build, the layout
#         of every C++ file (clang-format), then every unit and UI test
#         (CTest label "unit", headless), a minute or two
#   asan  the same tests built and run under AddressSanitizer and
#         UndefinedBehaviorSanitizer in their own build folder
#   all   unit, then asan, then the checks of tools/checks/ (labels "e2e",
#         "fuzz", "tsan": end-to-end runs under Xvfb, fuzzing, thread
#         sanitizer), then clang-tidy over the sources changed since the last
#         clean whole-tree `make lint` (tools/lint-base)
# Extra CMake flags for the sanitizer build come from $CMAKE_FLAGS.
# Prints one closing line "N passed, M failed" and fails when anything failed.
set -u
tier=${1:-all}; build=${2:-build}; build_asan=${3:-build-asan}; jobs=${4:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
passed=0; failed=0
log=$(mktemp)
trap 'rm -f "$log" "$log.build"' EXIT

count() { # add the counts of a ctest log to the totals
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  [ -n "$line" ] || { failed=$((failed + 1)); return; }
  fails=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - fails)); failed=$((failed + fails))
}

packages() {
  echo "== packages (tools/debian-packages.txt, debian/control)"
  if tools/checks/deps.sh "$build"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

compile() { # the build folder is configured; nothing after a failed build runs
  echo "== build ($build)"
  cmake --build "$build" -j "$jobs" && return
  echo "$passed passed, $((failed + 1)) failed"
  exit 1
}

layout() {
  echo "== layout (clang-format)"
  if tools/format.sh check; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

unit() {
  echo "== unit and UI tests ($build)"
  ctest --test-dir "$build" -L unit -j "$jobs" --output-on-failure --timeout 300 2>&1 | tee "$log"
  count "$log"
}

asan() {
  echo "== the unit tests under AddressSanitizer ($build_asan)"
  # shellcheck disable=SC2086 # the flags are separate words
  cmake -S . -B "$build_asan" -DCMAKE_BUILD_TYPE=Debug -DLV_SANITIZE=ON -DLV_BENCH=OFF ${CMAKE_FLAGS:-} >/dev/null
  if cmake --build "$build_asan" -j "$jobs" >"$log.build" 2>&1; then
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      ctest --test-dir "$build_asan" -L unit -j "$jobs" --output-on-failure --timeout 600 2>&1 | tee "$log"
    count "$log"
  else
    tail -n 50 "$log.build"; echo "AddressSanitizer build failed"; failed=$((failed + 1))
  fi
}

checks() {
  echo "== checks: end to end, fuzzing, thread sanitizer ($build)"
  ctest --test-dir "$build" -L 'e2e|fuzz|tsan' --output-on-failure 2>&1 | tee "$log"
  count "$log"
}

lint() {
  echo "== clang-tidy on what changed since the last whole-tree lint"
  if tools/lint.sh "$build" "$jobs" --changed; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

case "$tier" in
  unit) packages; compile; layout; unit ;;
  asan) asan ;;
  all) packages; compile; layout; unit; asan; checks; lint ;;
  *) echo "usage: $0 [all|unit|asan] [build] [build-asan] [jobs]"; exit 2 ;;
esac
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
