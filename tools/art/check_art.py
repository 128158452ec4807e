#!/usr/bin/env python3
"""Checks the art files in res/ for what the program relies on:

    python3 tools/art/check_art.py [ROOT]

- every bitmap is a 24-bit BI_RGB bottom-up BMP of its size, the icon a
  32-bit one, headers consistent with the file, row padding zero;
- each 32 x 32 picture has a white (transparent) background around it;
- each strip's columns between the rounded ends are identical, so a button
  joined from the two ends shows no seam, and its corners are the window
  background;
- the icon is transparent in its corners and opaque in its middle;
- each desktop icon res/desktop/lumivex-<size>.png is an 8-bit RGBA PNG of
  its size, transparent in its corners and opaque in its middle.
Prints one line per fault and exits 1 when there is any."""

import os
import struct
import sys
import zlib

PICTURES = (130, 132, 133, 134, 135, 136, 149, 227, 228, 229)
STRIPS = (224, 225, 226)
KEY = (255, 255, 255)
WINDOW_BACK = (240, 240, 240)
DESKTOP_SIZES = (16, 24, 32, 48, 64, 128, 256)


def read_bmp(path, width, height, bits):
    """Returns rows of pixel tuples, top row first: (r, g, b) or (r, g, b, a)."""
    data = open(path, "rb").read()
    if len(data) < 54:
        raise ValueError("shorter than its headers")
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    info = struct.unpack_from("<IiiHHIIiiII", data, 14)
    stride = (width * bits // 8 + 3) & ~3
    expected = {"magic": b"BM", "declared file size": len(data), "pixel offset": 54,
                "header size": 40, "width": width, "height (bottom-up)": height,
                "planes": 1, "bits": bits, "compression": 0, "image size": stride * height}
    actual = {"magic": magic, "declared file size": size, "pixel offset": offset,
              "header size": info[0], "width": info[1], "height (bottom-up)": info[2],
              "planes": info[3], "bits": info[4], "compression": info[5], "image size": info[6]}
    for field, want in expected.items():
        if actual[field] != want:
            raise ValueError(f"{field}: expected {want!r}, found {actual[field]!r}")
    if len(data) != 54 + stride * height:
        raise ValueError(f"file size: expected {54 + stride * height}, found {len(data)}")
    step = bits // 8
    rows = []
    for y in range(height):
        line = data[54 + (height - 1 - y) * stride:][:stride]
        if any(line[width * step:]):
            raise ValueError(f"row {y}: padding bytes not zero")
        row = []
        for x in range(width):
            p = line[x * step:(x + 1) * step]
            row.append((p[2], p[1], p[0]) + ((p[3],) if step == 4 else ()))
        rows.append(row)
    return rows


def read_png(path, size):
    """Alpha values of an unfiltered 8-bit RGBA PNG, top row first."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    at, chunks = 8, {}
    while at + 12 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8:at + 8 + length]
        if len(body) != length or struct.unpack_from(">I", data, at + 8 + length)[0] != zlib.crc32(kind + body):
            raise ValueError(f"chunk {kind!r} truncated or with a bad CRC")
        chunks[kind] = chunks.get(kind, b"") + body
        at += 12 + length
    header = struct.unpack(">IIBBBBB", chunks.get(b"IHDR", b"\0" * 13))
    if header != (size, size, 8, 6, 0, 0, 0):
        raise ValueError(f"header: expected {size} x {size} 8-bit RGBA, found {header}")
    raw = zlib.decompress(chunks.get(b"IDAT", b""))
    stride = 1 + size * 4
    if len(raw) != stride * size or any(raw[y * stride] for y in range(size)):
        raise ValueError("image data: wrong length or filtered rows")
    return [[raw[y * stride + 1 + x * 4 + 3] for x in range(size)] for y in range(size)]


def check(root):
    faults = []
    for n in PICTURES:
        path = os.path.join(root, "res", "bitmap", f"{n}.bmp")
        try:
            rows = read_bmp(path, 32, 32, 24)
        except (OSError, ValueError) as e:
            faults.append(f"{path}: {e}")
            continue
        if rows[0][0] != KEY:
            faults.append(f"{path}: top-left pixel {rows[0][0]} is not the white background")
        if sum(p == KEY for row in rows for p in row) < 32:
            faults.append(f"{path}: hardly any white background left")
    for n in STRIPS:
        path = os.path.join(root, "res", "bitmap", f"{n}.bmp")
        try:
            rows = read_bmp(path, 300, 22, 24)
        except (OSError, ValueError) as e:
            faults.append(f"{path}: {e}")
            continue
        columns = {tuple(row[x] for row in rows) for x in range(6, 294)}
        if len(columns) != 1:
            faults.append(f"{path}: columns 6..293 differ ({len(columns)} distinct)")
        for x, y in ((0, 0), (299, 0), (0, 21), (299, 21)):
            if rows[y][x] != WINDOW_BACK:
                faults.append(f"{path}: corner ({x},{y}) is {rows[y][x]}, not {WINDOW_BACK}")
    path = os.path.join(root, "res", "icon", "128.bmp")
    try:
        rows = read_bmp(path, 32, 32, 32)
        if any(rows[y][x][3] for x, y in ((0, 0), (31, 0), (0, 31), (31, 31))):
            faults.append(f"{path}: corners are not transparent")
        if rows[16][16][3] != 255:
            faults.append(f"{path}: middle is not opaque (alpha {rows[16][16][3]})")
    except (OSError, ValueError) as e:
        faults.append(f"{path}: {e}")
    for size in DESKTOP_SIZES:
        path = os.path.join(root, "res", "desktop", f"lumivex-{size}.png")
        try:
            alpha = read_png(path, size)
        except (OSError, ValueError, zlib.error) as e:
            faults.append(f"{path}: {e}")
            continue
        last = size - 1
        if any(alpha[y][x] for x, y in ((0, 0), (last, 0), (0, last), (last, last))):
            faults.append(f"{path}: corners are not transparent")
        if alpha[size // 2][size // 2] != 255:
            faults.append(f"{path}: middle is not opaque (alpha {alpha[size // 2][size // 2]})")
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    faults = check(root)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
