#!/usr/bin/env bash
# Fuzzes the message catalogue check with libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer on) for a bounded time, from a catalogue msgfmt
# made and two whose hash tables lie (entries past the last string, no empty
# slot); any crash, leak or accepted catalogue gettext could not search
# fails the check.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${LV_FUZZ_SECONDS:-20}
source "$root/tools/checks/lib/fuzz.sh"
fuzzer=$(fuzz_build fuzz_catalogue "$build")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$fuzzer" "$tmp/fuzz"
mkdir "$tmp/corpus"
printf 'msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\nmsgid "确定"\nmsgstr "OK"\n' >"$tmp/two.po"
msgfmt -o "$tmp/corpus/good" "$tmp/two.po"
python3 - "$tmp/corpus" <<'PY'
import struct, sys
folder = sys.argv[1]
good = bytearray(open(folder + "/good", "rb").read())
count, size, offset = struct.unpack_from("<I", good, 8)[0], *struct.unpack_from("<II", good, 20)
for name, entry in (("past-last-string", lambda e: count + 1 if e else 0), ("no-empty-slot", lambda e: 1)):
    lying = bytearray(good)
    for i in range(size):
        at = offset + 4 * i
        struct.pack_into("<I", lying, at, entry(struct.unpack_from("<I", lying, at)[0]))
    open(folder + "/" + name, "wb").write(lying)
PY
(cd "$tmp" && ./fuzz -max_total_time="$seconds" -max_len=1024 -timeout=10 corpus >fuzz.log 2>&1) || {
  tail -n 40 "$tmp/fuzz.log"; echo "catalogue fuzzing found a failure"; exit 1; }
echo "fuzz-catalogue: fuzzed $(grep -Eo '#[0-9]+' "$tmp/fuzz.log" | tail -n 1 | tr -d '#') inputs in ${seconds}s, no failure"
