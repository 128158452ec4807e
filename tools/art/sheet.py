"""Contact sheet of the program's art: every picture at 1x and 4x with its
resource number. The 32 x 32 pictures are shown as the program shows them,
white made transparent on a picture button's face; the strips whole and as a
70 x 22 button joined from their two ends; the icon over a checkerboard."""

from raster import Canvas, RoundRect

BACK = (240, 240, 240)
KEY = (255, 255, 255)

# 5 x 7 digits, one string of five bits per row.
DIGITS = {
    "0": "01110 10001 10011 10101 11001 10001 01110",
    "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00010 00100 01000 11111",
    "3": "11110 00001 00001 01110 00001 00001 11110",
    "4": "00010 00110 01010 10010 11111 00010 00010",
    "5": "11111 10000 11110 00001 00001 10001 01110",
    "6": "00110 01000 10000 11110 10001 10001 01110",
    "7": "11111 00001 00010 00100 01000 01000 01000",
    "8": "01110 10001 10001 01110 10001 10001 01110",
    "9": "01110 10001 10001 01111 00001 00010 01100",
}


class Sheet:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.rows = [[BACK] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = colour

    def image(self, x, y, pixels, scale=1, key=None, under=None):
        """Copies pixel rows scaled by `scale`; pixels equal to `key` are
        skipped, RGBA pixels are blended over `under(x, y)`."""
        for j, row in enumerate(pixels):
            for i, p in enumerate(row):
                if key is not None and p == key:
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        px, py = x + i * scale + dx, y + j * scale + dy
                        c = p
                        if len(p) == 4:
                            a = p[3] / 255
                            b = under(px, py)
                            c = tuple(int(p[k] * a + b[k] * (1 - a) + 0.5) for k in range(3))
                        self.put(px, py, c)

    def fill(self, x, y, w, h, colour):
        for py in range(y, y + h):
            for px in range(x, x + w):
                self.put(px, py, colour)

    def label(self, x, y, text, scale=2, colour=(40, 40, 40)):
        for n, ch in enumerate(text):
            for j, bits in enumerate(DIGITS[ch].split()):
                for i, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + (n * 6 + i) * scale, y + j * scale, scale, scale, colour)


def _button_face():
    """A 75 x 75 picture button face (outline and face colours of the normal look)."""
    cv = Canvas(75, 75, ss=4)
    cv.fill(RoundRect(0, 0, 75, 75, 0), BACK)
    outer = RoundRect(0, 0, 75, 75, 4.5)
    cv.fill(outer, (21, 92, 147))
    cv.fill(outer.grow(-1), (220, 237, 250))
    return [[tuple(int(c + 0.5) for c in p[:3]) for p in row] for row in cv.resolve()]


def _checker(x, y):
    return (204, 204, 204) if (x // 8 + y // 8) % 2 else (250, 250, 250)


def contact_sheet(pictures, icon, strips):
    """pictures: [(number, 32x32 RGB rows)], icon: (number, RGBA rows),
    strips: [(number, 300x22 RGB rows)]. Returns (width, height, rows)."""
    cell_w, cell_h, per_row = 220, 160, 6
    cells = len(pictures) + 1
    grid_h = ((cells + per_row - 1) // per_row) * cell_h
    strip_h = 22 + 8 + 4 * 22 + 24
    sheet = Sheet(cell_w * per_row + 20, 20 + grid_h + len(strips) * strip_h)
    face = _button_face()
    face_colour = (220, 237, 250)

    for k, (number, pixels) in enumerate(pictures + [icon]):
        x = 20 + (k % per_row) * cell_w
        y = 20 + (k // per_row) * cell_h
        sheet.label(x, y, str(number))
        if k < len(pictures):
            sheet.image(x, y + 24, face)
            sheet.image(x + 21, y + 24 + 8, pixels, key=KEY)
            sheet.fill(x + 83, y + 24, 128, 128, face_colour)
            sheet.image(x + 83, y + 24, pixels, 4, key=KEY)
        else:
            sheet.image(x, y + 24, pixels, 1, under=_checker)
            sheet.image(x + 40, y + 24, pixels, 1, under=lambda px, py: (58, 62, 70))
            sheet.image(x + 83, y + 24, pixels, 4, under=_checker)

    y = 20 + grid_h
    for number, pixels in strips:
        sheet.label(20, y, str(number))
        sheet.image(70, y, pixels)
        sheet.image(400, y, [row[:35] + row[-35:] for row in pixels])
        sheet.image(20, y + 30, pixels, 4)
        y += strip_h
    return sheet.w, sheet.h, sheet.rows
