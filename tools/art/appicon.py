"""The program's icon for the desktop's menus at each size it is installed
in. 32 px is the window icon itself; every other size is the same monitor
laid out again on that size's pixel grid, with detail only where it fits:
no glass reflection below 32 px, no power light or grey ramp at 16 px."""

import math

import icon
from raster import Canvas, Polygon, Rect, RoundRect, fading, linear

SIZES = (16, 24, 32, 48, 64, 128, 256)


def monitor(size):
    if size == 32:
        return icon.monitor()
    k = size / 32

    def y(v):
        return math.floor(v * k + 0.5)

    def x(v):
        # Snapped from the nearer side, so the picture stays symmetric.
        return math.floor(v * k + 0.5) if v <= 16 else size - math.floor((32 - v) * k + 0.5)

    lw = max(1, math.floor(0.75 * k + 0.5))
    cv = Canvas(size, size, ss=8 if size <= 64 else 4)
    line = (28, 32, 40)
    # stand: neck and foot
    cv.fill(Rect(x(12), y(24), x(20), y(29)), line)
    cv.fill(Rect(x(12) + lw, y(24), x(20) - lw, y(29)),
            linear((x(13), 0), (x(19), 0), (176, 182, 192), (104, 110, 122)))
    foot = RoundRect(x(7), y(27), x(25), y(31), 1.5 * k)
    cv.fill(foot, line)
    if y(31) - y(27) > 2 * lw:
        cv.fill(foot.grow(-lw), linear((0, 28 * k), (0, 30 * k), (200, 206, 214), (120, 126, 138)))
    # bezel with a lit top edge
    bezel = RoundRect(x(1), y(3), x(31), y(25), 2.5 * k)
    cv.fill(bezel, line)
    cv.fill(bezel.grow(-lw), linear((0, 4 * k), (0, 24 * k), (104, 110, 124), (52, 56, 66)))
    screen_top = y(5)
    cv.fill(Rect(x(3), screen_top - lw, x(29), screen_top), (132, 138, 152))
    # screen: eight colour bars, a grey ramp below them from 24 px up
    cv.fill(Rect(x(3), screen_top, x(29), y(22)), (10, 12, 16))
    left, right = x(4), x(28)
    bars_bottom = y(17) if size >= 24 else y(21)
    for n, colour in enumerate(icon.BARS):
        x0 = left + math.floor(n * (right - left) / 8 + 0.5)
        x1 = left + math.floor((n + 1) * (right - left) / 8 + 0.5)
        cv.fill(Rect(x0, y(6), x1, bars_bottom), colour)
    if size >= 24:
        cv.fill(Rect(left, y(17), right, y(21)), linear((left, 0), (right, 0), (8, 8, 10), (246, 246, 246)))
        # power light on the chin
        light_top = y(22)
        cv.fill(Rect(x(26), light_top, x(28), max(light_top + 1, y(23))), (90, 230, 110))
    if size > 32:
        # glass reflection across the upper left of the screen
        cv.fill(Polygon([(left, y(6)), (x(22), y(6)), (left, y(17))]), (255, 255, 255),
                fading((left, y(6)), (11 * k, 12 * k), 0.35, 0.04))
    return cv
