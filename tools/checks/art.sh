#!/usr/bin/env bash
# The committed art is what tools/art/make_art.py draws, byte for byte, and
# has the formats the program reads.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 "$root/tools/art/make_art.py" --out "$tmp" >/dev/null
status=0
for file in "$tmp"/res/bitmap/*.bmp "$tmp"/res/icon/*.bmp "$tmp"/res/desktop/*.png; do
  rel=${file#"$tmp"/}
  if ! cmp -s "$file" "$root/$rel"; then
    echo "$rel differs from what tools/art/make_art.py draws; run it and commit the result"
    status=1
  fi
done
python3 "$root/tools/art/check_art.py" "$root" || status=1
[ "$status" -eq 0 ] && echo "art: all files match and check out"
exit "$status"
