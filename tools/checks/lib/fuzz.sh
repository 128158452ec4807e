# Sourced by the fuzzing checks. fuzz_build TARGET BUILD builds a libFuzzer
# target of tests/fuzz/CMakeLists.txt in a clang-14 tree beside BUILD (every
# library it uses compiled with AddressSanitizer, UndefinedBehaviorSanitizer
# and the fuzzer's coverage) and prints the binary's path.
# LV_FUZZ_SECONDS bounds every fuzzing run (default: each check's own).

fuzz_build() {
  local target=$1 build root tree
  build=$(cd "$2" && pwd)
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
  tree="$build-fuzz"
  CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLV_FUZZ=ON -DLV_BENCH=OFF >/dev/null || return 1
  cmake --build "$tree" -j2 --target "$target" >"$tree/$target.build.log" 2>&1 \
    || { tail -n 40 "$tree/$target.build.log"; return 1; }
  echo "$tree/bin/$target"
}
