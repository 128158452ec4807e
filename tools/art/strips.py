"""The 300 x 22 link-button strips: a rounded face on the window background.

The program shows a button's left half from the strip's left end and its
right half from the strip's right end, so every column between the rounded
ends must be identical.
"""

from raster import Canvas, RoundRect, linear

WIDTH, HEIGHT = 300, 22
WINDOW_BACK = (240, 240, 240)

LIGHT_FACE = [(0.0, (255, 255, 255)), (0.45, (242, 246, 251)), (0.55, (232, 239, 247)),
              (1.0, (221, 231, 243))]
GREY_FACE = [(0.0, (246, 246, 246)), (0.5, (238, 238, 238)), (1.0, (228, 228, 228))]


def _strip(border, face, glow=None):
    cv = Canvas(WIDTH, HEIGHT, ss=4)
    cv.fill(RoundRect(0, 0, WIDTH, HEIGHT, 0), WINDOW_BACK)
    outer = RoundRect(0, 0, WIDTH, HEIGHT, 3.5)
    cv.fill(outer, border)
    inner = outer.grow(-1)
    cv.fill(inner, linear((0, 1), (0, HEIGHT - 1), face))
    if glow:
        cv.fill(inner - inner.grow(-1), glow, 0.8)
    return cv


def normal():
    return _strip((118, 144, 176), LIGHT_FACE)


def highlighted():
    return _strip((38, 122, 214), LIGHT_FACE, glow=(170, 210, 248))


def disabled():
    return _strip((184, 184, 184), GREY_FACE)
