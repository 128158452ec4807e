#!/usr/bin/env python3
"""Draws the program's pictures and writes them into res/ (Python 3, standard
library only). Run from anywhere:

    python3 tools/art/make_art.py              # writes res/ and docs/art.png
    python3 tools/art/make_art.py --out DIR    # the same files under DIR

Every run writes the same bytes. Shapes are sampled 8 x 8 per pixel (4 x 4
for the strips) and box-filtered down.

Files written:
- res/bitmap/130, 132-136, 149, 227-229.bmp: 32 x 32 pictures;
  res/bitmap/224-226.bmp: 300 x 22 button strips. All are 24-bit Windows
  bitmaps: BITMAPFILEHEADER + BITMAPINFOHEADER (40 bytes), BI_RGB, bottom-up,
  bytes B, G, R, rows padded to 4 bytes. The pictures' background is white
  RGB(255,255,255), the transparent colour; no pixel inside a picture is
  pure white, and edges are blended towards the picture button's face
  RGB(220,237,250). The strips are opaque, RGB(240,240,240) outside the
  rounded ends.
- res/icon/128.bmp: the 32 x 32 window icon, BITMAPFILEHEADER +
  BITMAPINFOHEADER (40 bytes), 32 bits, BI_RGB, bottom-up, bytes B, G, R, A
  where A is straight (not premultiplied) alpha, 0 fully transparent.
- res/desktop/lumivex-16.png ... lumivex-256.png: the icon the desktop's
  menus show, drawn for each of its sizes (appicon.py), 8-bit RGBA PNG with
  straight alpha.
- docs/art.png: contact sheet of all of them.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import appicon  # noqa: E402
import icon  # noqa: E402
import imagefile  # noqa: E402
import objects  # noqa: E402
import pictures  # noqa: E402
import sheet  # noqa: E402
import strips  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

FACE = (220, 237, 250)
KEY = (255, 255, 255)
OFF_WHITE = (254, 254, 254)

PICTURES = (
    (130, pictures.dead_pixels),
    (132, pictures.colour_grid_only),
    (133, lambda: pictures.grid_with_arrow("right")),
    (134, lambda: pictures.grid_with_arrow("down")),
    (135, pictures.horizontal_stripes),
    (136, pictures.vertical_stripes),
    (149, objects.star),
    (227, objects.recycle_bin),
    (228, objects.solids),
    (229, objects.ladybird),
)

STRIPS = ((224, strips.normal), (225, strips.highlighted), (226, strips.disabled))

ICON = 128


def _byte(v):
    return max(0, min(255, int(v + 0.5)))


def keyed(resolved):
    """Pixels the program draws with white transparent: uncovered pixels
    become the key; partly covered ones are blended over the button face."""
    rows = []
    for row in resolved:
        out = []
        for r, g, b, a in row:
            if a < 1 / 64:
                out.append(KEY)
                continue
            p = tuple(_byte(c + f * (1 - a)) for c, f in zip((r, g, b), FACE))
            out.append(OFF_WHITE if p == KEY else p)
        rows.append(out)
    return rows


def opaque(resolved):
    return [[(_byte(r), _byte(g), _byte(b)) for r, g, b, _ in row] for row in resolved]


def straight_alpha(resolved):
    rows = []
    for row in resolved:
        out = []
        for r, g, b, a in row:
            alpha = _byte(a * 255)
            out.append((_byte(r / a), _byte(g / a), _byte(b / a), alpha) if alpha else (0, 0, 0, 0))
        rows.append(out)
    return rows


def _write(root, path, data):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    print(path)


def main():
    parser = argparse.ArgumentParser(description="Draws the program's art into res/.")
    parser.add_argument("--out", default=ROOT, help="root of the tree to write (default: the repository)")
    root = parser.parse_args().out
    drawn = []
    for number, draw in PICTURES:
        rows = keyed(draw().resolve())
        _write(root, f"res/bitmap/{number}.bmp", imagefile.bmp24(32, 32, rows))
        drawn.append((number, rows))
    strip_rows = []
    for number, draw in STRIPS:
        rows = opaque(draw().resolve())
        data = imagefile.bmp24(strips.WIDTH, strips.HEIGHT, rows)
        _write(root, f"res/bitmap/{number}.bmp", data)
        strip_rows.append((number, rows))
    icon_rows = straight_alpha(icon.monitor().resolve())
    _write(root, f"res/icon/{ICON}.bmp", imagefile.bmp32(32, 32, icon_rows))
    for size in appicon.SIZES:
        rows = straight_alpha(appicon.monitor(size).resolve())
        _write(root, f"res/desktop/lumivex-{size}.png", imagefile.png(size, size, rows))
    w, h, rows = sheet.contact_sheet(drawn, (ICON, icon_rows), strip_rows)
    _write(root, "docs/art.png", imagefile.png(w, h, rows))


if __name__ == "__main__":
    main()
