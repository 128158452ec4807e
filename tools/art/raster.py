"""Supersampled RGBA canvas and signed-distance shapes.

Coordinates are in output pixels: pixel (i, j) covers [i, i+1) x [j, j+1), so
a shape whose edges lie on whole numbers is crisp after down-sampling. Every
pixel holds ss x ss samples of premultiplied colour; `resolve` box-filters
them into one premultiplied RGBA value per pixel.
"""

import math


def _clamp(v, lo, hi):
    return lo if v < lo else hi if v > hi else v


# ---------------------------------------------------------------- shapes --
# A shape answers sdf(x, y): negative inside, positive outside, and never
# more than the true distance to its edge, so a pixel whose centre lies more
# than a pixel's half-diagonal away from the edge is wholly in or out.

class Shape:
    def __or__(self, other):
        return Union(self, other)

    def __and__(self, other):
        return Intersect(self, other)

    def __sub__(self, other):
        return Subtract(self, other)

    def grow(self, k):
        return Offset(self, k)

    def moved(self, dx, dy):
        return Moved(self, dx, dy)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2, (y1 - y0) / 2
        self.box = (x0, y0, x1, y1)

    def sdf(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0)

    def bounds(self):
        return self.box


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
        self.r = r
        self.box = (x0, y0, x1, y1)

    def sdf(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - self.r

    def bounds(self):
        return self.box


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry=None):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, rx if ry is None else ry

    def sdf(self, x, y):
        px, py = x - self.cx, y - self.cy
        if self.rx == self.ry:
            return math.hypot(px, py) - self.rx
        k0 = math.hypot(px / self.rx, py / self.ry)
        k1 = math.hypot(px / (self.rx * self.rx), py / (self.ry * self.ry))
        if k1 == 0.0:
            return -min(self.rx, self.ry)
        return k0 * (k0 - 1.0) / k1

    def bounds(self):
        return (self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry)


class Polygon(Shape):
    def __init__(self, points):
        self.pts = [(float(x), float(y)) for x, y in points]
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def sdf(self, x, y):
        pts = self.pts
        d = float("inf")
        inside = False
        jx, jy = pts[-1]
        for ix, iy in pts:
            ex, ey = jx - ix, jy - iy
            wx, wy = x - ix, y - iy
            ee = ex * ex + ey * ey
            t = _clamp((wx * ex + wy * ey) / ee, 0.0, 1.0) if ee else 0.0
            bx, by = wx - ex * t, wy - ey * t
            dd = bx * bx + by * by
            if dd < d:
                d = dd
            if (iy > y) != (jy > y) and x < ix + (y - iy) * ex / ey:
                inside = not inside
            jx, jy = ix, iy
        d = math.sqrt(d)
        return -d if inside else d

    def bounds(self):
        return self.box


class Capsule(Shape):
    """A line from p to q, r thick on each side, with round ends."""

    def __init__(self, p, q, r):
        self.p, self.q, self.r = p, q, r

    def sdf(self, x, y):
        (ax, ay), (bx, by) = self.p, self.q
        ex, ey = bx - ax, by - ay
        wx, wy = x - ax, y - ay
        ee = ex * ex + ey * ey
        t = _clamp((wx * ex + wy * ey) / ee, 0.0, 1.0) if ee else 0.0
        return math.hypot(wx - ex * t, wy - ey * t) - self.r

    def bounds(self):
        (ax, ay), (bx, by) = self.p, self.q
        r = self.r
        return (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)


class Union(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return min(self.a.sdf(x, y), self.b.sdf(x, y))

    def bounds(self):
        a, b = self.a.bounds(), self.b.bounds()
        return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), self.b.sdf(x, y))

    def bounds(self):
        a, b = self.a.bounds(), self.b.bounds()
        return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


class Subtract(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), -self.b.sdf(x, y))

    def bounds(self):
        return self.a.bounds()


class Offset(Shape):
    """The shape grown by k (shrunk when k is negative)."""

    def __init__(self, s, k):
        self.s, self.k = s, k

    def sdf(self, x, y):
        return self.s.sdf(x, y) - self.k

    def bounds(self):
        x0, y0, x1, y1 = self.s.bounds()
        k = max(self.k, 0.0)
        return (x0 - k, y0 - k, x1 + k, y1 + k)


class Moved(Shape):
    def __init__(self, s, dx, dy):
        self.s, self.dx, self.dy = s, dx, dy

    def sdf(self, x, y):
        return self.s.sdf(x - self.dx, y - self.dy)

    def bounds(self):
        x0, y0, x1, y1 = self.s.bounds()
        return (x0 + self.dx, y0 + self.dy, x1 + self.dx, y1 + self.dy)


def arc_band(cx, cy, r_in, r_out, a0, a1, steps=48):
    """Polygon of the ring between r_in and r_out from angle a0 to a1 (radians,
    y pointing down, so positive angles turn clockwise on screen)."""
    outer = []
    inner = []
    for i in range(steps + 1):
        a = a0 + (a1 - a0) * i / steps
        c, s = math.cos(a), math.sin(a)
        outer.append((cx + r_out * c, cy + r_out * s))
        inner.append((cx + r_in * c, cy + r_in * s))
    return Polygon(outer + inner[::-1])


# ---------------------------------------------------------------- paints --
# A paint is an (r, g, b) tuple or a function (x, y) -> (r, g, b).

def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def _ramp(stops, t):
    t = _clamp(t, 0.0, 1.0)
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 0.0)
    return stops[-1][1]


def _stops(args):
    if len(args) == 2:
        return [(0.0, args[0]), (1.0, args[1])]
    return list(args[0])


def linear(p0, p1, *colours):
    """Gradient along p0 -> p1; colours are two end colours or one list of
    (position 0..1, colour) stops."""
    stops = _stops(colours)
    ex, ey = p1[0] - p0[0], p1[1] - p0[1]
    ee = ex * ex + ey * ey

    def paint(x, y):
        return _ramp(stops, ((x - p0[0]) * ex + (y - p0[1]) * ey) / ee)
    return paint


def fading(p0, p1, a0, a1):
    """Opacity running from a0 at p0 to a1 at p1."""
    ramp = linear(p0, p1, (a0,), (a1,))
    return lambda x, y: ramp(x, y)[0]


def radial(centre, radius, *colours):
    stops = _stops(colours)

    def paint(x, y):
        return _ramp(stops, math.hypot(x - centre[0], y - centre[1]) / radius)
    return paint


# ---------------------------------------------------------------- canvas --

class Canvas:
    def __init__(self, width, height, ss=8):
        self.w, self.h, self.ss = width, height, ss
        n = width * ss * height * ss
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n
        self.offsets = [(i + 0.5) / ss for i in range(ss)]

    def fill(self, shape, paint, opacity=1.0):
        """Paints `shape` over what is there; `opacity` is a number or a
        function (x, y) -> 0..1."""
        x0, y0, x1, y1 = shape.bounds()
        px0, py0 = max(0, math.floor(x0) - 1), max(0, math.floor(y0) - 1)
        px1, py1 = min(self.w, math.ceil(x1) + 1), min(self.h, math.ceil(y1) + 1)
        solid = paint if isinstance(paint, tuple) else None
        fade = opacity if callable(opacity) else None
        ss, stride = self.ss, self.w * self.ss
        sdf = shape.sdf
        for py in range(py0, py1):
            for px in range(px0, px1):
                d = sdf(px + 0.5, py + 0.5)
                if d > 0.75:
                    continue
                whole = d < -0.75
                centre = solid or (paint(px + 0.5, py + 0.5) if whole else None)
                base = py * ss * stride + px * ss
                for j, oy in enumerate(self.offsets):
                    y = py + oy
                    row = base + j * stride
                    for i, ox in enumerate(self.offsets):
                        x = px + ox
                        if not whole and sdf(x, y) >= 0.0:
                            continue
                        c = centre or paint(x, y)
                        self._over(row + i, c, fade(x, y) if fade else opacity)

    def _over(self, k, c, alpha):
        keep = 1.0 - alpha
        self.r[k] = c[0] * alpha + self.r[k] * keep
        self.g[k] = c[1] * alpha + self.g[k] * keep
        self.b[k] = c[2] * alpha + self.b[k] * keep
        self.a[k] = alpha + self.a[k] * keep

    def resolve(self):
        """Box-filters the samples: rows of (r, g, b, a), premultiplied, a in 0..1."""
        ss, stride = self.ss, self.w * self.ss
        n = ss * ss
        rows = []
        for py in range(self.h):
            row = []
            for px in range(self.w):
                r = g = b = a = 0.0
                base = py * ss * stride + px * ss
                for j in range(ss):
                    k0 = base + j * stride
                    for k in range(k0, k0 + ss):
                        r += self.r[k]
                        g += self.g[k]
                        b += self.b[k]
                        a += self.a[k]
                row.append((r / n, g / n, b / n, a / n))
            rows.append(row)
        return rows
