"""The sibling-program pictures: star, recycle bin, ball-cube-cone, ladybird.

Each function returns a 32 x 32 Canvas; light comes from the top left.
"""

import math

from pictures import WHITE, outlined, shadow
from raster import (Canvas, Capsule, Ellipse, Polygon, Rect, RoundRect, arc_band,
                    linear, radial)


def _star_points(cx, cy, outer, inner):
    pts = []
    for k in range(10):
        a = -math.pi / 2 + k * math.pi / 5
        r = outer if k % 2 == 0 else inner
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def star():
    cv = Canvas(32, 32)
    shape = Polygon(_star_points(16, 17.2, 14.6, 6.4)).grow(0.6)
    shadow(cv, shape, opacity=0.25)
    paint = radial((11.5, 10.5), 17, [(0.0, (255, 252, 200)), (0.35, (255, 222, 40)),
                                      (0.8, (248, 176, 0)), (1.0, (232, 140, 0))])
    outlined(cv, shape, paint, (160, 88, 0))
    return cv


# Recycle bin ---------------------------------------------------------------

BIN_LINE = (70, 80, 96)


def _arrow_arc(cx, cy, r_in, r_out, a0, a1, head):
    """A curved arrow on the ring from angle a0 to a1 ending in a head at a1."""
    band = arc_band(cx, cy, r_in, r_out, a0, a1)
    mid = (r_in + r_out) / 2
    c, s = math.cos(a1), math.sin(a1)
    tx, ty = -s, c  # direction of travel for increasing angle
    bx, by = cx + mid * c, cy + mid * s
    tip = (bx + tx * head * 1.1, by + ty * head * 1.1)
    left = (bx + c * head, by + s * head)
    right = (bx - c * head, by - s * head)
    return band | Polygon([left, tip, right])


def recycle_bin():
    cv = Canvas(32, 32)
    body = Polygon([(6, 9), (26, 9), (24, 31), (8, 31)])
    shadow(cv, body, opacity=0.25)
    outlined(cv, body, linear((7, 0), (25, 0), [(0.0, (238, 242, 246)), (0.45, (208, 216, 226)),
                                                  (1.0, (150, 160, 176))]), BIN_LINE)
    handle = RoundRect(12, 2, 20, 7, 2) - RoundRect(14, 4, 18, 8, 0.5)
    outlined(cv, handle, (190, 198, 210), BIN_LINE)
    lid = RoundRect(4, 6, 28, 10, 1.5)
    outlined(cv, lid, linear((0, 6), (0, 10), (246, 248, 252), (170, 180, 194)), BIN_LINE)

    cx, cy = 16, 20.5
    green = linear((9, 13), (23, 28), (140, 226, 100), (26, 136, 42))
    for a0 in (math.radians(-20), math.radians(160)):
        arrow = _arrow_arc(cx, cy, 5.0, 8.0, a0, a0 + math.radians(112), 4.8)
        outlined(cv, arrow, green, (16, 92, 28))
    return cv


# Ball, cube and cone -------------------------------------------------------

def _cone(cv):
    apex = (8, 1.5)
    cx, cy, rx, ry = 8, 22, 6.5, 2.2
    body = Polygon([apex, (cx + rx, cy), (cx - rx, cy)]) | Ellipse(cx, cy, rx, ry)
    shadow(cv, body, opacity=0.25)
    paint = linear((cx - rx, 0), (cx + rx, 0), [(0.0, (255, 238, 150)), (0.35, (252, 206, 40)),
                                                   (1.0, (196, 128, 0))])
    outlined(cv, body, paint, (130, 80, 0))


def _cube(cv):
    # Isometric cube: top face, lit left face, shaded right face.
    top = [(22, 5), (31, 9.5), (22, 14), (13, 9.5)]
    left = [(13, 9.5), (22, 14), (22, 27), (13, 22.5)]
    right = [(22, 14), (31, 9.5), (31, 22.5), (22, 27)]
    whole = Polygon([(22, 5), (31, 9.5), (31, 22.5), (22, 27), (13, 22.5), (13, 9.5)])
    shadow(cv, whole, opacity=0.25)
    cv.fill(whole, (18, 40, 110))
    inner = whole.grow(-1)
    cv.fill(Polygon(top) & inner, (156, 200, 255))
    cv.fill(Polygon(left) & inner, (70, 134, 228))
    cv.fill(Polygon(right) & inner, (36, 82, 180))
    cv.fill(Capsule((22, 14.3), (22, 26), 0.35), (24, 56, 140))
    cv.fill(Capsule((14, 10), (22, 14), 0.35), (206, 230, 255))
    cv.fill(Capsule((22, 14), (30, 10), 0.35), (116, 156, 224))


def _ball(cv):
    ball = Ellipse(16, 24.5, 6.5)
    shadow(cv, ball, opacity=0.3)
    paint = radial((13.5, 21.5), 10, [(0.0, (255, 214, 200)), (0.3, (244, 70, 50)),
                                       (0.75, (184, 20, 20)), (1.0, (120, 8, 12))])
    outlined(cv, ball, paint, (100, 8, 12))


def solids():
    cv = Canvas(32, 32)
    _cube(cv)
    _cone(cv)
    _ball(cv)
    return cv


# Ladybird ------------------------------------------------------------------

def ladybird():
    cv = Canvas(32, 32)
    black = (22, 20, 22)
    cx = 15.5  # the wing seam runs down pixel column 15
    for side in (-1, 1):
        # three legs each side and an antenna, on pixel centres
        for (x0, y0, x1, y1) in ((9.5, 14.5, 3.5, 10.5), (8.5, 20.5, 1.5, 20.5),
                                 (9.5, 25.5, 3.5, 29.5)):
            cv.fill(Capsule((cx + side * (x0 - cx), y0), (cx + side * (x1 - cx), y1), 0.55), black)
        cv.fill(Capsule((cx + side * 2, 4.5), (cx + side * 5, 1.5), 0.55), black)
    cv.fill(Ellipse(cx, 7.5, 4.5, 4), black)
    body = Ellipse(cx, 19.5, 10.5)
    shadow(cv, body, opacity=0.25)
    cv.fill(body, black)
    shell = Ellipse(cx, 19.5, 9.5) - Rect(15, 0, 16, 32)
    cv.fill(shell, radial((10.5, 13), 17, [(0.0, (255, 150, 120)), (0.3, (236, 40, 24)),
                                            (1.0, (150, 10, 10))]))
    cv.fill(Ellipse(cx, 11, 7, 3.4), black)
    for side in (-1, 1):
        cv.fill(Ellipse(cx + side * 4.2, 11, 1.4, 1.2), WHITE)
    for (dx, y, r) in ((5, 17, 2.1), (6.8, 23, 1.8), (3.2, 26.5, 1.6)):
        for side in (-1, 1):
            cv.fill(Ellipse(cx + side * dx, y, r), black)
    cv.fill(Ellipse(11.5, 14, 1.4, 1.0), (255, 220, 210), 0.8)
    return cv
