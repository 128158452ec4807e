"""The window icon: a monitor showing colour bars over a grey ramp, on a
stand. Drawn with transparency around the shape."""

from raster import Canvas, Polygon, Rect, RoundRect, fading, linear

BARS = ((244, 244, 244), (244, 228, 40), (40, 220, 230), (40, 200, 60),
        (220, 50, 210), (230, 40, 40), (40, 70, 230), (24, 24, 28))


def monitor():
    cv = Canvas(32, 32)
    line = (28, 32, 40)
    # stand: neck and foot
    cv.fill(Rect(12, 24, 20, 29), line)
    cv.fill(Rect(13, 24, 19, 29), linear((13, 0), (19, 0), (176, 182, 192), (104, 110, 122)))
    foot = RoundRect(7, 27, 25, 31, 1.5)
    cv.fill(foot, line)
    cv.fill(foot.grow(-1), linear((0, 28), (0, 30), (200, 206, 214), (120, 126, 138)))
    # bezel with a lit top edge
    bezel = RoundRect(1, 3, 31, 25, 2.5)
    cv.fill(bezel, line)
    cv.fill(bezel.grow(-1), linear((0, 4), (0, 24), (104, 110, 124), (52, 56, 66)))
    cv.fill(Rect(3, 4, 29, 5), (132, 138, 152))
    # screen: eight colour bars, a grey ramp below them
    cv.fill(Rect(3, 5, 29, 22), (10, 12, 16))
    for k, colour in enumerate(BARS):
        x = 4 + 3 * k
        cv.fill(Rect(x, 6, x + 3, 17), colour)
    cv.fill(Rect(4, 17, 28, 21), linear((4, 0), (28, 0), (8, 8, 10), (246, 246, 246)))
    # glass reflection across the upper left of the screen
    cv.fill(Polygon([(4, 6), (22, 6), (4, 17)]), (255, 255, 255), fading((4, 6), (11, 12), 0.35, 0.04))
    # power light on the chin
    cv.fill(Rect(26, 22, 28, 23), (90, 230, 110))
    return cv
