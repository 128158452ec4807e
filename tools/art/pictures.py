"""The screen-test pictures: dead pixels, colour grids, gradient stripes.

Each function returns a 32 x 32 Canvas; light comes from the top left.
"""

from raster import Canvas, Polygon, Rect, RoundRect, linear, mix

WHITE = (252, 252, 252)


def outlined(cv, shape, fill, line, width=1.0):
    cv.fill(shape, line)
    cv.fill(shape.grow(-width), fill)


def shadow(cv, shape, dx=1.0, dy=1.0, opacity=0.22):
    cv.fill(shape.grow(0.3).moved(dx, dy), (20, 30, 50), opacity)


def dead_pixels():
    cv = Canvas(32, 32)
    back = RoundRect(1, 2, 20, 21, 1.5)
    front = RoundRect(12, 11, 31, 30, 1.5)
    shadow(cv, back)
    outlined(cv, back, linear((2, 3), (19, 20), (58, 60, 66), (14, 14, 16)), (6, 6, 8))
    cv.fill(Rect(2, 3, 19, 4), (84, 86, 92))
    for x, y in ((4, 6), (9, 5), (15, 7), (6, 10), (11, 12), (3, 16), (8, 17), (15, 4)):
        cv.fill(Rect(x, y, x + 1, y + 1), WHITE)
    shadow(cv, front, opacity=0.3)
    outlined(cv, front, linear((13, 12), (30, 29), (196, 198, 202), (138, 140, 146)),
             (78, 80, 86))
    cv.fill(Rect(13, 12, 30, 13), (222, 224, 228))
    for x, y in ((16, 15), (22, 14), (27, 17), (19, 20), (25, 22), (15, 25), (21, 27),
                 (28, 26)):
        cv.fill(Rect(x, y, x + 1, y + 1), (16, 16, 18))
    return cv


GRID_ROWS = (
    ((236, 236, 238), (184, 186, 190), (128, 130, 136), (70, 72, 78)),    # grey
    ((164, 232, 132), (92, 200, 70), (46, 156, 44), (22, 104, 32)),       # green
    ((255, 160, 150), (240, 86, 72), (198, 32, 30), (136, 16, 22)),       # red
    ((150, 196, 255), (74, 144, 240), (32, 92, 212), (20, 50, 150)),      # blue
)


def colour_grid(cv, x0, y0, cell=6):
    """4 x 4 blocks of `cell` pixels with 1-pixel dark lines between them."""
    size = 4 * cell + 5
    frame = RoundRect(x0, y0, x0 + size, y0 + size, 1.2)
    shadow(cv, frame)
    cv.fill(frame, (44, 48, 58))
    for r, shades in enumerate(GRID_ROWS):
        for c, colour in enumerate(shades):
            x = x0 + 1 + c * (cell + 1)
            y = y0 + 1 + r * (cell + 1)
            cv.fill(Rect(x, y, x + cell, y + cell), colour)
            cv.fill(Rect(x, y, x + cell, y + 1), mix(colour, (255, 255, 255), 0.45))
            cv.fill(Rect(x, y + 1, x + 1, y + cell), mix(colour, (255, 255, 255), 0.2))


def colour_grid_only():
    cv = Canvas(32, 32)
    colour_grid(cv, 1, 1)
    return cv


ARROW_FILL = ((255, 220, 90), (246, 150, 20))
ARROW_LINE = (150, 70, 0)


def arrow_right(tail, mid, tip, shaft=3, head=8):
    """A bold arrow along y = mid from x = tail to x = tip, with a 45-degree
    head `head` pixels to each side and a shaft `shaft` pixels to each side."""
    base = tip - head
    return Polygon([(tail, mid - shaft), (base, mid - shaft), (base, mid - head), (tip, mid),
                    (base, mid + head), (base, mid + shaft), (tail, mid + shaft)])


def arrow_down(tail, mid, tip, shaft=3, head=8):
    return Polygon([(y, x) for x, y in arrow_right(tail, mid, tip, shaft, head).pts])


def grid_with_arrow(direction):
    cv = Canvas(32, 32)
    colour_grid(cv, 1, 1)
    if direction == "right":
        arrow = arrow_right(9, 23, 31)
        paint = linear((0, 16), (0, 30), *ARROW_FILL)
    else:
        arrow = arrow_down(9, 23, 31)
        paint = linear((16, 0), (30, 0), *ARROW_FILL)
    shadow(cv, arrow, opacity=0.3)
    outlined(cv, arrow, paint, ARROW_LINE)
    return cv


def _ramp_colour(t):
    """Blue towards white as t goes from 0 to 1."""
    return mix((16, 64, 196), (236, 244, 255), t)


def stripes(horizontal):
    cv = Canvas(32, 32)
    frame = RoundRect(2, 2, 30, 30, 1.5)
    shadow(cv, frame)
    cv.fill(frame, (16, 40, 104))
    bands = 13
    for k in range(bands):
        t = 1.0 - abs(k - 6) / 6.0
        colour = _ramp_colour(t)
        a = 3 + 2 * k
        band = Rect(3, a, 29, a + 2) if horizontal else Rect(a, 3, a + 2, 29)
        cv.fill(band, colour)
    return cv


def horizontal_stripes():
    return stripes(True)


def vertical_stripes():
    return stripes(False)
