#!/usr/bin/env python3
"""Draw every Nimbrel icon and image from code.

The build consumes the generated .ico/.bmp files directly, so nobody needs an
image editor: change a shape here, run `python3 resources/art/draw.py`, and all
outputs (plus the contact sheet resources/art/preview.png) are rewritten.
Output is deterministic: no clocks, no randomness, fixed iteration order.

Only the Python standard library is used.

Coordinates are in pixels with y pointing down; pixel (i, j) covers the square
[i, i+1] x [j, j+1], so an edge on an integer coordinate is perfectly crisp.
Shapes are signed distance functions (negative inside).  Coverage is measured
by supersampling each pixel on an 8x8 grid; a pixel whose centre lies further
than half a diagonal from the edge is known to be fully in or out, which keeps
the pure-Python drawing fast.
"""

import math
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent          # resources/art
RES = HERE.parent                               # resources
ICONS = RES / "icons"
IMAGES = RES / "images"

SS = 8                      # supersamples per axis
HALF_DIAG = 0.7072          # a bit more than sqrt(2)/2


# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------

def rgb(hexstr, a=1.0):
    """'#rrggbb' -> (r, g, b, a) floats, straight alpha."""
    h = hexstr.lstrip("#")
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0,
            int(h[4:6], 16) / 255.0, a)


def mix(c1, c2, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def vgradient(top_y, c_top, bot_y, c_bot):
    """Colour function: linear blend from c_top at top_y to c_bot at bot_y."""
    def f(x, y):
        return mix(c_top, c_bot, (y - top_y) / (bot_y - top_y))
    return f


# --------------------------------------------------------------------------
# Shapes (signed distance, bounding box)
# --------------------------------------------------------------------------

INF_BOX = (-1e9, -1e9, 1e9, 1e9)


class Shape:
    box = INF_BOX

    def d(self, x, y):
        raise NotImplementedError

    # Combinators read better than nested constructor calls at the call sites.
    def grow(self, r):
        return Grow(self, r)

    def __or__(self, other):
        return Union(self, other)

    def __and__(self, other):
        return Intersect(self, other)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.box = (cx - r, cy - r, cx + r, cy + r)

    def d(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Box(Shape):
    """Axis-aligned rectangle with optional corner radius."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
        self.r = r
        self.box = (x0, y0, x1, y1)

    def d(self, x, y):
        qx = abs(x - self.cx) - self.hx
        qy = abs(y - self.cy) - self.hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - self.r


class Segment(Shape):
    """A stroke from a to b of the given width with round ends."""

    def __init__(self, ax, ay, bx, by, width):
        self.ax, self.ay, self.bx, self.by = ax, ay, bx, by
        self.hw = width / 2
        self.box = (min(ax, bx) - self.hw, min(ay, by) - self.hw,
                    max(ax, bx) + self.hw, max(ay, by) + self.hw)

    def d(self, x, y):
        px, py = x - self.ax, y - self.ay
        vx, vy = self.bx - self.ax, self.by - self.ay
        ll = vx * vx + vy * vy
        t = 0.0 if ll == 0 else max(0.0, min(1.0, (px * vx + py * vy) / ll))
        return math.hypot(px - vx * t, py - vy * t) - self.hw


class Arc(Shape):
    """A stroked circular arc with round ends.

    Angles are in degrees, counter-clockwise from the +x axis as seen on
    screen (so 90 is straight up); the arc runs from a0 to a1.
    """

    def __init__(self, cx, cy, radius, width, a0, a1):
        self.cx, self.cy, self.R, self.hw = cx, cy, radius, width / 2
        self.a0 = a0
        self.span = 360 if a1 - a0 >= 360 else (a1 - a0) % 360
        self.ends = [(cx + radius * math.cos(math.radians(a)),
                      cy - radius * math.sin(math.radians(a))) for a in (a0, a1)]
        e = radius + self.hw
        self.box = (cx - e, cy - e, cx + e, cy + e)

    def d(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        ang = math.degrees(math.atan2(-dy, dx))
        if (ang - self.a0) % 360 <= self.span:
            return abs(math.hypot(dx, dy) - self.R) - self.hw
        return min(math.hypot(x - ex, y - ey) for ex, ey in self.ends) - self.hw


class Polygon(Shape):
    """Closed polygon (any winding), exact distance to its edges."""

    def __init__(self, pts):
        self.pts = list(pts)
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def d(self, x, y):
        pts = self.pts
        best = 1e18
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            ax, ay = pts[j]
            bx, by = pts[i]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ll = ex * ex + ey * ey
            t = 0.0 if ll == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
            j = i
        dist = math.sqrt(best)
        return -dist if inside else dist


class HalfPlane(Shape):
    """Points where nx*x + ny*y <= c (n is a unit vector)."""

    def __init__(self, nx, ny, c):
        self.nx, self.ny, self.c = nx, ny, c

    def d(self, x, y):
        return self.nx * x + self.ny * y - self.c


class Grow(Shape):
    """Shape expanded (r > 0) or shrunk (r < 0) by r pixels: outlines, halos."""

    def __init__(self, s, r):
        self.s, self.r = s, r
        b = s.box
        self.box = (b[0] - r, b[1] - r, b[2] + r, b[3] + r)

    def d(self, x, y):
        return self.s.d(x, y) - self.r


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        bs = [s.box for s in shapes]
        self.box = (min(b[0] for b in bs), min(b[1] for b in bs),
                    max(b[2] for b in bs), max(b[3] for b in bs))

    def d(self, x, y):
        return min(s.d(x, y) for s in self.shapes)


class Intersect(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        bs = [s.box for s in shapes]
        self.box = (max(b[0] for b in bs), max(b[1] for b in bs),
                    min(b[2] for b in bs), min(b[3] for b in bs))

    def d(self, x, y):
        return max(s.d(x, y) for s in self.shapes)


def union(shapes):
    return Union(*shapes)


def quad_bezier(p0, p1, p2, steps=16):
    """Points along a quadratic Bezier, excluding p0 (for polygon outlines)."""
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        out.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return out


# --------------------------------------------------------------------------
# Canvas: premultiplied float RGBA, "over" compositing
# --------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def _pixels(self, box, pad=0.0):
        x0 = max(0, int(math.floor(box[0] - pad)))
        y0 = max(0, int(math.floor(box[1] - pad)))
        x1 = min(self.w, int(math.ceil(box[2] + pad)))
        y1 = min(self.h, int(math.ceil(box[3] + pad)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                yield x, y

    def _blend(self, x, y, c, k):
        """Composite straight colour c with extra opacity k over pixel."""
        a = c[3] * k
        if a <= 0:
            return
        p = self.px[y * self.w + x]
        inv = 1.0 - a
        p[0] = c[0] * a + p[0] * inv
        p[1] = c[1] * a + p[1] * inv
        p[2] = c[2] * a + p[2] * inv
        p[3] = a + p[3] * inv

    def fill(self, shape, color, opacity=1.0):
        """Fill shape with a colour tuple or a colour function f(x, y)."""
        step = 1.0 / SS
        for x, y in self._pixels(shape.box):
            d = shape.d(x + 0.5, y + 0.5)
            if d > HALF_DIAG:
                continue
            if d < -HALF_DIAG:
                cov = 1.0
            else:
                hits = 0
                for j in range(SS):
                    sy = y + (j + 0.5) * step
                    for i in range(SS):
                        if shape.d(x + (i + 0.5) * step, sy) <= 0:
                            hits += 1
                cov = hits / (SS * SS)
            if cov > 0:
                c = color(x + 0.5, y + 0.5) if callable(color) else color
                self._blend(x, y, c, cov * opacity)

    def glow(self, shape, color, radius, strength):
        """Soft light around a shape, fading to nothing at `radius` pixels."""
        n = 4
        for x, y in self._pixels(shape.box, radius + 1):
            acc = 0.0
            for j in range(n):
                for i in range(n):
                    d = shape.d(x + (i + 0.5) / n, y + (j + 0.5) / n)
                    if d < radius:
                        t = 1.0 - max(d, 0.0) / radius
                        acc += t * t
            if acc > 0:
                self._blend(x, y, color, strength * acc / (n * n))

    # ---- quantised views -------------------------------------------------

    def premul_bytes(self):
        """Rows top-down of (r, g, b, a) premultiplied 8-bit tuples."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                p = self.px[y * self.w + x]
                a = q8(p[3])
                row.append((min(q8(p[0]), a), min(q8(p[1]), a),
                            min(q8(p[2]), a), a))
            rows.append(row)
        return rows

    def straight_bytes(self):
        """Rows top-down of (r, g, b, a) straight-alpha 8-bit tuples."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                p = self.px[y * self.w + x]
                a = q8(p[3])
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((q8(p[0] / p[3]), q8(p[1] / p[3]),
                                q8(p[2] / p[3]), a))
            rows.append(row)
        return rows


def q8(v):
    return max(0, min(255, int(round(v * 255.0))))


# --------------------------------------------------------------------------
# The small antenna (16x16, hand-placed so the mast sits on pixel edges)
# --------------------------------------------------------------------------

ANT_CX, ANT_CY = 8, 6          # emitter: rings are centred here
RING_W16 = 1.4                 # ring stroke width at 16 px
RING_R16 = (3.6, 6.4)          # inner and outer ring radii
RING_SPREAD = 40               # ring half-angle in degrees
DOT_R16 = 1.75                 # emitter ball, wider than the mast


def antenna16_shapes(cy=ANT_CY, radii=RING_R16, ring_w=RING_W16):
    """(mast+foot+emitter, rings) for the 16x16 antenna."""
    mast = Box(7, cy, 9, 13)                     # 2 px wide, on pixel edges
    foot = Box(5, 13, 11, 15, r=0.6)             # small base plate
    dot = Circle(ANT_CX, cy, DOT_R16)
    rings = []
    for r in radii:
        rings.append(Arc(ANT_CX, cy, r, ring_w, -RING_SPREAD, RING_SPREAD))
        rings.append(Arc(ANT_CX, cy, r, ring_w,
                         180 - RING_SPREAD, 180 + RING_SPREAD))
    return union([mast, foot, dot]), union(rings)


def draw_tray_grey():
    """Idle tray icon: light grey antenna with a dark 1-px outline."""
    c = Canvas(16, 16)
    body, rings = antenna16_shapes()
    everything = body | rings
    # The dark halo makes light grey read on white; the light fill reads on
    # dark taskbars.
    c.fill(everything.grow(1.0), rgb("#1d2024", 0.92))
    c.fill(everything, rgb("#c9ccd1"))
    return c


def draw_tray_blue():
    """Active tray icon: neutral mast, bright blue glowing rings."""
    c = Canvas(16, 16)
    body, rings = antenna16_shapes()
    everything = body | rings
    c.glow(rings.grow(1.0), rgb("#3aa8ff"), 2.2, 0.55)
    c.fill(everything.grow(1.0), rgb("#0f1a2a", 0.92))
    c.fill(body, rgb("#c9ccd1"))
    c.fill(Circle(ANT_CX, ANT_CY, DOT_R16), rgb("#9fdcff"))
    c.fill(rings, rgb("#3fb0ff"))
    return c


def draw_status(ring_hex, body_hex):
    """16x16 window status image for a light window background.

    No halo: the window is light, and solid saturated colour reads best.  The
    mast is a shade darker than the rings so the two stay apart.
    """
    c = Canvas(16, 16)
    body, rings = antenna16_shapes(ring_w=1.7)   # no halo, so a bit bolder
    c.fill(body, rgb(body_hex))
    c.fill(rings, rgb(ring_hex))
    return c


# --------------------------------------------------------------------------
# The large logo (designed on a 48-unit grid, scaled, mast snapped to pixels)
# --------------------------------------------------------------------------

NAVY_TOP = rgb("#22385f")
NAVY_BOT = rgb("#0c1630")


def even_px(v):
    """Round a width to an even pixel count so it centres on an even size."""
    return max(2, 2 * int(round(v / 2)))


def draw_logo(size, rings=3, margin=1.0, corner=9.0):
    c = Canvas(size, size)
    k = size / 48.0
    cx = size / 2

    # Dark rounded ground with a faint lighter rim, so the square still has an
    # edge against a near-black taskbar.
    m = margin * k
    ground = Box(m, m, size - m, size - m, r=corner * k)
    c.fill(ground, rgb("#3d5a8c"))
    rim = max(1.0, 1.0 * k)
    c.fill(ground.grow(-rim), vgradient(m, NAVY_TOP, size - m, NAVY_BOT))

    cy = 19 * k
    ring_w = 3.0 * k if rings == 3 else 3.6 * k
    radii = (7.0, 12.5, 18.0) if rings == 3 else (8.0, 14.5)
    arcs = []
    for r in radii:
        arcs.append(Arc(cx, cy, r * k, ring_w, -RING_SPREAD, RING_SPREAD))
        arcs.append(Arc(cx, cy, r * k, ring_w,
                        180 - RING_SPREAD, 180 + RING_SPREAD))
    ring_shape = union(arcs)

    mw = even_px(4.0 * k)                 # mast width, on pixel edges
    foot_y = round(40 * k)
    mast = Box(cx - mw / 2, cy, cx + mw / 2, foot_y)
    leg_w = max(1.4, 2.4 * k)
    legs = [Segment(cx, 27 * k, cx - 7 * k, foot_y, leg_w),
            Segment(cx, 27 * k, cx + 7 * k, foot_y, leg_w)]
    if size >= 48:
        # A cross brace makes it read as a mast rather than an arrow.
        yb = 34 * k
        off = 7 * k * (yb - 27 * k) / (foot_y - 27 * k)
        legs.append(Segment(cx - off, yb, cx + off, yb, leg_w * 0.8))
    fh = max(2, round(3 * k))
    foot = Box(round(cx - 11 * k), foot_y, round(cx + 11 * k), foot_y + fh,
               r=fh / 2)
    body = union([mast, foot] + legs)
    dot = Circle(cx, cy, 3.2 * k)

    metal = vgradient(cy, rgb("#e6eaf0"), foot_y + fh, rgb("#9aa4b4"))
    c.glow(ring_shape, rgb("#2f9bff"), 3.5 * k, 0.45)
    c.fill(body, metal)
    c.glow(dot, rgb("#8fd6ff"), 4.0 * k, 0.6)
    c.fill(dot, rgb("#eaf7ff"))
    # Rings darken outwards, as if the signal fades with distance.
    if rings == 3:
        ring_cols = ["#8bd8ff", "#4fb4ff", "#2f8dff"]
    else:
        ring_cols = ["#8bd8ff", "#2f8dff"]
    for i, col in enumerate(ring_cols):
        c.fill(Union(arcs[2 * i], arcs[2 * i + 1]), rgb(col))
    return c


def draw_logo16():
    """16x16 program icon: the tray antenna on the dark rounded ground."""
    c = Canvas(16, 16)
    ground = Box(0, 0, 16, 16, r=3.0)
    c.fill(ground, rgb("#3d5a8c"))
    c.fill(ground.grow(-1.0), vgradient(0, NAVY_TOP, 16, NAVY_BOT))
    # Slightly smaller rings keep clear of the ground's rim.
    body, rings = antenna16_shapes(radii=(3.4, 5.9), ring_w=1.3)
    c.glow(rings, rgb("#2f9bff"), 1.6, 0.45)
    c.fill(body, rgb("#dfe4ea"))
    c.fill(Circle(ANT_CX, ANT_CY, DOT_R16), rgb("#bfe8ff"))
    c.fill(rings, rgb("#4cb8ff"))
    return c


# --------------------------------------------------------------------------
# Security shield (administrator rights marker)
# --------------------------------------------------------------------------

def draw_uac():
    c = Canvas(16, 16)
    # Straight sides on x = 1 and x = 15 keep the outline crisp; the lower
    # half curves into a point.
    top, side_end, tip = 1.0, 8.5, (8.0, 15.6)
    pts = [(1.0, top + 0.6), (8.0, top), (15.0, top + 0.6), (15.0, side_end)]
    pts += quad_bezier((15.0, side_end), (15.0, 12.6), tip)
    pts += quad_bezier(tip, (1.0, 12.6), (1.0, side_end))
    shield = Polygon(pts)
    c.fill(shield, rgb("#1a2230"))
    inner = shield.grow(-1.0)
    blue = vgradient(1, rgb("#4c93f5"), 15, rgb("#1c56c4"))
    yellow = vgradient(1, rgb("#ffe066"), 15, rgb("#e8a90c"))
    left, right = HalfPlane(1, 0, 8), HalfPlane(-1, 0, -8)
    upper, lower = HalfPlane(0, 1, 8), HalfPlane(0, -1, -8)
    c.fill(inner & left & upper, blue)
    c.fill(inner & right & lower, blue)
    c.fill(inner & right & upper, yellow)
    c.fill(inner & left & lower, yellow)
    return c


# --------------------------------------------------------------------------
# Donation badge: "PayPal" in our own rounded stroke lettering
# --------------------------------------------------------------------------

STROKE = 2.0            # letter stroke width
CAP, XH, BASE, DESC = 5.0, 9.0, 17.0, 21.0   # cap top, x-height, baseline, descender


def glyph_P(x0):
    h = STROKE / 2
    sx = x0 + h                               # stem centre line
    top = CAP + h
    rb = 3.0                                  # bowl radius (centre line)
    bx = x0 + 4.2
    return union([
        Segment(sx, top, sx, BASE - h, STROKE),
        Segment(sx, top, bx, top, STROKE),
        Segment(sx, top + 2 * rb, bx, top + 2 * rb, STROKE),
        Arc(bx, top + rb, rb, STROKE, -90, 90),
    ]), bx + rb + h - x0


def glyph_a(x0):
    h = STROKE / 2
    ra = (BASE - XH) / 2 - h
    cx, cy = x0 + h + ra, (XH + BASE) / 2
    stem_x = cx + ra
    return union([
        Arc(cx, cy, ra, STROKE, 0, 360),
        Segment(stem_x, XH + h, stem_x, BASE - h, STROKE),
    ]), stem_x + h - x0


def glyph_y(x0):
    h = STROKE / 2
    w = 7.0
    return union([
        Segment(x0 + h, XH + h, x0 + w / 2, BASE - 0.6, STROKE),
        Segment(x0 + w - h, XH + h, x0 + w / 2 - 1.4, DESC - h, STROKE),
    ]), w


def glyph_l(x0):
    h = STROKE / 2
    return Segment(x0 + h, CAP - 0.5 + h, x0 + h, BASE - h, STROKE), STROKE


def draw_paypal():
    w, hgt = 80, 24
    c = Canvas(w, hgt)
    pill = Box(0.5, 0.5, w - 0.5, hgt - 0.5, r=11.5)
    c.fill(pill, rgb("#b9c7dd"))
    c.fill(pill.grow(-1.0), vgradient(1, rgb("#ffffff"), 23, rgb("#e9eef6")))

    gap = 1.3
    word = [(glyph_P, 0), (glyph_a, 0), (glyph_y, 0),
            (glyph_P, 1), (glyph_a, 1), (glyph_l, 1)]
    # Measure first so the word can be centred.
    total = sum(g(0)[1] for g, _ in word) + gap * (len(word) - 1)
    x = round((w - total) / 2)
    parts = ([], [])
    for g, tone in word:
        shape, adv = g(x)
        parts[tone].append(shape)
        x += adv + gap
    c.fill(union(parts[0]), rgb("#15336e"))
    c.fill(union(parts[1]), rgb("#1f8ad6"))
    return c


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------

def bitmapinfoheader(w, h, image_size):
    # biSize, biWidth, biHeight, biPlanes, biBitCount, biCompression (BI_RGB),
    # biSizeImage, biXPelsPerMeter, biYPelsPerMeter, biClrUsed, biClrImportant
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, image_size,
                       2835, 2835, 0, 0)


def bgra_bottom_up(rows):
    out = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            out += bytes((b, g, r, a))
    return bytes(out)


def write_bmp(path, canvas):
    """32-bit BI_RGB bottom-up BMP, premultiplied BGRA (for AlphaBlend)."""
    pixels = bgra_bottom_up(canvas.premul_bytes())
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    path.write_bytes(header + bitmapinfoheader(canvas.w, canvas.h, len(pixels))
                     + pixels)


def ico_image(canvas):
    """One icon image: BITMAPINFOHEADER (double height), XOR, AND mask."""
    rows = canvas.straight_bytes()
    xor = bgra_bottom_up(rows)
    stride = ((canvas.w + 31) // 32) * 4          # 1-bpp rows padded to 32 bits
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:                            # 1 = transparent
                line[x >> 3] |= 0x80 >> (x & 7)
        mask += line
    body = xor + bytes(mask)
    return bitmapinfoheader(canvas.w, canvas.h * 2, len(body)) + body


def write_ico(path, canvases):
    images = [ico_image(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32,
                           len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    path.write_bytes(bytes(out))


def write_png(path, w, h, rgb_rows):
    """Plain 8-bit RGB PNG (no filtering) via zlib."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = bytearray()
    for row in rgb_rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    path.write_bytes(png)


# --------------------------------------------------------------------------
# Contact sheet
# --------------------------------------------------------------------------

BACKGROUNDS = [(255, 255, 255), (128, 128, 128), (24, 24, 26)]
ZOOM = 4
PAD = 8


def build_preview(groups):
    """Every image at 1x then 4x, each group a row, one panel per background.

    `groups` is a list of rows; each row is a list of canvases.
    """
    def row_width(row):
        return (sum(c.w for c in row) + PAD * len(row)
                + sum(c.w * ZOOM for c in row) + PAD * len(row))

    panel_w = max(row_width(r) for r in groups) + PAD
    row_h = [max(c.h * ZOOM for c in r) for r in groups]
    panel_h = sum(row_h) + PAD * (len(groups) + 1)
    sheet_w = panel_w * len(BACKGROUNDS)
    sheet = [[(0, 0, 0)] * sheet_w for _ in range(panel_h)]

    def paste(px0, py0, canvas, zoom, bg):
        data = canvas.premul_bytes()
        for y in range(canvas.h * zoom):
            for x in range(canvas.w * zoom):
                r, g, b, a = data[y // zoom][x // zoom]
                inv = 255 - a
                sheet[py0 + y][px0 + x] = (
                    (r * 255 + bg[0] * inv + 127) // 255,
                    (g * 255 + bg[1] * inv + 127) // 255,
                    (b * 255 + bg[2] * inv + 127) // 255)

    for p, bg in enumerate(BACKGROUNDS):
        x_base = p * panel_w
        for y in range(panel_h):
            sheet[y][x_base:x_base + panel_w] = [bg] * panel_w
        y = PAD
        for row, rh in zip(groups, row_h):
            x = x_base + PAD
            for c in row:                          # 1x, vertically centred
                paste(x, y + (rh - c.h) // 2, c, 1, bg)
                x += c.w + PAD
            x += PAD
            for c in row:                          # 4x nearest neighbour
                paste(x, y + (rh - c.h * ZOOM) // 2, c, ZOOM, bg)
                x += c.w * ZOOM + PAD
            y += rh + PAD
    return sheet_w, panel_h, sheet


# --------------------------------------------------------------------------

def main():
    ICONS.mkdir(parents=True, exist_ok=True)
    IMAGES.mkdir(parents=True, exist_ok=True)

    grey16 = draw_tray_grey()
    blue16 = draw_tray_blue()
    uac16 = draw_uac()
    app = [draw_logo(48), draw_logo(32), draw_logo(24, rings=2, corner=8.0),
           draw_logo16()]
    st_grey = draw_status("#7c838e", "#5d636d")
    st_green = draw_status("#2fa84f", "#22813b")
    st_red = draw_status("#dd3b3b", "#aa2828")
    logo = draw_logo(80, margin=1.5, corner=9.5)
    paypal = draw_paypal()

    write_ico(ICONS / "grey16.ico", [grey16])
    write_ico(ICONS / "blue16.ico", [blue16])
    write_ico(ICONS / "uac16.ico", [uac16])
    write_ico(ICONS / "nimbrel.ico", app)
    write_bmp(IMAGES / "grey.bmp", st_grey)
    write_bmp(IMAGES / "green.bmp", st_green)
    write_bmp(IMAGES / "red.bmp", st_red)
    write_bmp(IMAGES / "logo.bmp", logo)
    write_bmp(IMAGES / "paypal.bmp", paypal)

    w, h, sheet = build_preview([
        [grey16, blue16, uac16],
        [st_grey, st_green, st_red],
        list(reversed(app)),
        [logo],
        [paypal],
    ])
    write_png(HERE / "preview.png", w, h, sheet)


if __name__ == "__main__":
    main()
