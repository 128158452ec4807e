#!/usr/bin/env bash
# Prints a report page as a browser would on paper and shows it as a
# picture: headless chromium prints PAGE.html to PDF on A4 (the page's own
# print style sheet decides the layout), pdftoppm turns each sheet into a
# picture, and OUT.png holds the sheets side by side. Prints the number of
# sheets, so a check can hold a report to its page count.
#
#   render-page.sh PAGE.html OUT.png [DPI]     (DPI 100 unless given)
set -eu
[ $# -ge 2 ] || { echo "usage: $0 PAGE.html OUT.png [DPI]" >&2; exit 2; }
for tool in chromium pdftoppm pdfinfo convert python3; do
  command -v "$tool" >/dev/null || { echo "render-page: $tool is missing" >&2; exit 1; }
done
[ -f "$1" ] || { echo "render-page: there is no page $1" >&2; exit 1; }
page=$(python3 -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).resolve().as_uri())' "$1")
out=$2
dpi=${3:-100}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A profile of its own, no sandbox (it refuses to start as root with one),
# no GPU; its chatter goes to a log, shown without the complaints about
# the D-Bus a check's session does not have.
if ! HOME="$scratch" timeout 60 chromium --headless --no-sandbox --disable-gpu --no-first-run \
     --user-data-dir="$scratch/profile" --no-pdf-header-footer --print-to-pdf="$scratch/page.pdf" \
     "$page" >"$scratch/chromium.log" 2>&1 || [ ! -s "$scratch/page.pdf" ]; then
  echo "render-page: chromium printed no PDF of $1" >&2
  grep -v 'dbus/' "$scratch/chromium.log" >&2
  exit 1
fi
pages=$(pdfinfo "$scratch/page.pdf" | sed -n 's/^Pages: *//p')
pdftoppm -r "$dpi" -png "$scratch/page.pdf" "$scratch/sheet"
# A grey gap between the sheets shows where one ends.
convert "$scratch"/sheet-*.png -bordercolor '#999999' -border 4 +append "$out"
echo "$pages"
