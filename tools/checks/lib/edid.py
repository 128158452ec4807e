#!/usr/bin/env python3
"""Writes an EDID base block built from the published layout to the file
named first: maker ABC, product 0x1234, serial number 0x01020304, made in
week 12 of 2019, 1920 x 1080 preferred, named "LV Monitor", serial text
"SN-42". Used by the checks' fake DRM folders and fuzzing seeds."""
import sys

b = bytearray(128)
b[0:8] = bytes([0, 255, 255, 255, 255, 255, 255, 0])
maker = ((1) << 10) | ((2) << 5) | 3  # "ABC"
b[8], b[9] = maker >> 8, maker & 0xFF
b[10], b[11] = 0x34, 0x12
b[12:16] = (0x01020304).to_bytes(4, "little")
b[16], b[17], b[18], b[19] = 12, 29, 1, 4
b[54], b[55] = 0x02, 0x3A
b[56], b[58] = 1920 & 0xFF, (1920 >> 8) << 4
b[59], b[61] = 1080 & 0xFF, (1080 >> 8) << 4


def text(at, tag, value):
    b[at + 3] = tag
    field = value.encode() + b"\n"
    b[at + 5:at + 18] = (field + b" " * 13)[:13]


text(72, 0xFC, "LV Monitor")
text(90, 0xFF, "SN-42")
b[127] = (256 - sum(b[:127]) % 256) % 256
with open(sys.argv[1], "wb") as out:
    out.write(b)
