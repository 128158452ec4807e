"""Writers for the image files the art tools produce: Windows BMP (24-bit and
32-bit with alpha) and PNG. Pixel rows are given top row first, each pixel an
(r, g, b) or (r, g, b, a) tuple of ints 0..255."""

import struct
import zlib

_PELS_PER_METRE = 2835  # 72 dpi


def _bmp(width, height, bits, pixel_rows):
    stride = (width * bits // 8 + 3) & ~3
    image = bytearray()
    for row in reversed(pixel_rows):  # bottom-up
        line = bytearray()
        for p in row:
            line += bytes((p[2], p[1], p[0])) if bits == 24 else bytes((p[2], p[1], p[0], p[3]))
        line += b"\0" * (stride - len(line))
        image += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(image),
                       _PELS_PER_METRE, _PELS_PER_METRE, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return header + info + bytes(image)


def bmp24(width, height, pixel_rows):
    """BITMAPINFOHEADER, BI_RGB, 24 bits, bottom-up, rows padded to 4 bytes."""
    return _bmp(width, height, 24, pixel_rows)


def bmp32(width, height, pixel_rows):
    """BITMAPINFOHEADER, BI_RGB, 32 bits, bottom-up; bytes B, G, R, A with
    straight (not premultiplied) alpha."""
    return _bmp(width, height, 32, pixel_rows)


def png(width, height, pixel_rows):
    """8-bit RGB or RGBA PNG, chosen by the length of the first pixel."""
    channels = len(pixel_rows[0][0])
    raw = bytearray()
    for row in pixel_rows:
        raw.append(0)
        for p in row:
            raw += bytes(p)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    colour_type = 6 if channels == 4 else 2
    ihdr = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
