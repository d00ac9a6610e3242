#!/usr/bin/env python3
"""Draws Brindleway's icon: a city block seen from above (two streets
crossing, lane marks, a red map pin), written as a Windows .ico file with
one image for each size that Windows asks for at 100 to 250 per cent and for
Explorer's large views. Usage: draw_icon.py OUTPUT.ico

The picture is laid out on a 32-unit grid and drawn anew at each size: the
straight lines (frame, streets, kerbs, lane marks, roofs) are snapped to
whole pixels, so that they stay sharp however small the image, and the
round parts (corners, pin) are sampled many times a pixel, for soft edges.
Everything is plain arithmetic on floats and integers, so the same script
writes the same bytes every time and on every machine."""

import math
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# From this size on, Windows stores the image as PNG, which is far smaller.
PNG_FROM = 256
UNITS = 32

COLOURS = {
    "grass": (46, 125, 50),
    "roof": (96, 110, 128),
    "roof_light": (140, 152, 168),
    "road": (58, 58, 62),
    "kerb": (200, 200, 200),
    "lane": (250, 210, 40),
    "pin": (210, 30, 35),
    "pin_dark": (120, 10, 15),
    "pin_hole": (255, 255, 255),
    "edge": (20, 40, 25),
}


class Canvas:
    """Premultiplied RGBA pixels in 0..1, painted back to front."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def paint(self, x, y, colour, cover):
        if cover <= 0.0:
            return
        r, g, b = COLOURS[colour]
        p = self.pixels[y * self.size + x]
        keep = 1.0 - cover
        p[0] = r / 255.0 * cover + p[0] * keep
        p[1] = g / 255.0 * cover + p[1] * keep
        p[2] = b / 255.0 * cover + p[2] * keep
        p[3] = cover + p[3] * keep

    def rect(self, x0, y0, x1, y1, colour):
        """Whole pixels x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.size, y1)):
            for x in range(max(0, x0), min(self.size, x1)):
                self.paint(x, y, colour, 1.0)

    def shape(self, inside, box, colour, samples):
        """`inside(x, y)` in pixel coordinates, sampled samples x samples
        times in each pixel of `box` (x0, y0, x1, y1, in pixels)."""
        x0, y0, x1, y1 = box
        step = 1.0 / samples
        offsets = [(i + 0.5) * step for i in range(samples)]
        total = samples * samples
        for y in range(max(0, int(math.floor(y0))), min(self.size, int(math.ceil(y1)))):
            for x in range(max(0, int(math.floor(x0))), min(self.size, int(math.ceil(x1)))):
                hits = sum(1 for oy in offsets for ox in offsets if inside(x + ox, y + oy))
                self.paint(x, y, colour, hits / total)

    def clip(self, inside, border, samples):
        """Keeps only what lies inside; `border` pixels from each side are
        sampled, the rest of the picture lies wholly inside."""
        step = 1.0 / samples
        offsets = [(i + 0.5) * step for i in range(samples)]
        total = samples * samples
        n = self.size
        for y in range(n):
            for x in range(n):
                if border <= x < n - border and border <= y < n - border:
                    continue
                cover = sum(1 for oy in offsets for ox in offsets if inside(x + ox, y + oy)) / total
                self.pixels[y * n + x] = [c * cover for c in self.pixels[y * n + x]]


def rounded_square(size, inset, radius):
    """Whether a point lies in the square [inset, size - inset] with
    corners rounded at `radius`."""
    lo, hi = inset + radius, size - inset - radius

    def inside(x, y):
        cx = min(max(x, lo), hi)
        cy = min(max(y, lo), hi)
        if x < inset or x > size - inset or y < inset or y > size - inset:
            return False
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return inside


def pin_shape(cx, cy, r, tip_y, grow):
    """The pin's outline (a disc and the two tangents to its point) grown by
    `grow` pixels: negative shrinks it."""
    # The tangent from the tip touches the circle where it meets the radius
    # at a right angle: the angle below the centre follows from r / distance.
    d = tip_y - cy
    half = math.asin(r / d)
    # Growing the outline moves its sides outwards by `grow` each, which
    # moves the tip down by grow / sin(half).
    tip = tip_y + grow / math.sin(half)
    radius = r + grow
    slope = math.tan(half)

    def inside(x, y):
        if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
            return True
        if y < cy or y > tip:
            return False
        return abs(x - cx) <= (tip - y) * slope

    return inside


def draw(size):
    s = size / UNITS

    def snap(units):
        return int(math.floor(units * s + 0.5))

    canvas = Canvas(size)
    line = max(1, snap(1))  # frame, kerbs and roof edges
    half_street = max(3, snap(4))  # from the centre line to a kerb's outer side
    lane = max(1, int(math.floor(s + 0.25)))  # half a lane mark's width
    dash = max(2, snap(2))
    samples = 4 if size > 64 else 8

    canvas.rect(0, 0, size, size, "grass")
    # Buildings in the four blocks, lit from the top left.
    margin = line + max(1, snap(2))
    near, far = size // 2 - half_street, size // 2 + half_street
    for x0, x1 in ((margin, near), (far, size - margin)):
        for y0, y1 in ((margin, near), (far, size - margin)):
            canvas.rect(x0, y0, x1, y1, "roof_light")
            canvas.rect(x0 + line, y0 + line, x1, y1, "roof")
    # Two streets crossing, each between two kerbs.
    canvas.rect(0, near, size, far, "kerb")
    canvas.rect(near, 0, far, size, "kerb")
    canvas.rect(0, near + line, size, far - line, "road")
    canvas.rect(near + line, 0, far - line, size, "road")
    # Dashed lane marks from one gap short of the crossing out to the edge,
    # the same on all four arms.
    mid = size // 2
    start = near - 2 * dash
    while start > 0:
        for a0, a1 in ((start, start + dash), (size - start - dash, size - start)):
            canvas.rect(a0, mid - lane, a1, mid + lane, "lane")
            canvas.rect(mid - lane, a0, mid + lane, a1, "lane")
        start -= 2 * dash
    # The map pin over the top right block, its centre on a pixel corner so
    # that a small hole is a square of whole white pixels, not a grey smudge.
    cx, cy, r, tip = snap(22.5), snap(9.5), 6.0 * s, snap(21)
    rim = max(1.0, s)
    box = (cx - r - 1, cy - r - 1, cx + r + 1, tip + 1)
    canvas.shape(pin_shape(cx, cy, r, tip, 0.0), box, "pin_dark", samples)
    canvas.shape(pin_shape(cx, cy, r, tip, -rim), box, "pin", samples)
    hole = max(1.2, 2.0 * s)
    canvas.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= hole * hole, box, "pin_hole", samples)
    # A dark frame with rounded corners; outside it the icon is clear.
    corner = max(1.5, 2.0 * s)
    outer = rounded_square(size, 0.0, corner)
    inner = rounded_square(size, line, max(0.5, corner - line))
    border = line + int(math.ceil(corner)) + 1
    # Only the band along the sides can meet the frame.
    for box in ((0, 0, size, border), (0, size - border, size, size), (0, border, border, size - border),
                (size - border, border, size, size - border)):
        canvas.shape(lambda x, y: not inner(x, y), box, "edge", samples)
    canvas.clip(outer, border, samples)
    return canvas


def bgra_rows(canvas):
    """Straight (not premultiplied) BGRA bytes, rows top to bottom; a clear
    pixel is all zero."""
    rows = []
    n = canvas.size
    for y in range(n):
        row = bytearray()
        for x in range(n):
            r, g, b, a = canvas.pixels[y * n + x]
            alpha = int(math.floor(a * 255.0 + 0.5))
            if alpha == 0:
                row += b"\0\0\0\0"
                continue
            row += bytes(min(255, int(math.floor(c / a * 255.0 + 0.5))) for c in (b, g, r))
            row.append(alpha)
        rows.append(bytes(row))
    return rows


def dib(canvas):
    """A 32-bit icon image: the header counts the colour rows and the mask
    rows together, rows go bottom up, and the mask marks the clear pixels
    for the old drawing code that ignores alpha."""
    n = canvas.size
    rows = bgra_rows(canvas)
    colour = b"".join(reversed(rows))
    mask_row_bytes = (n + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x in range(n):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def png(canvas):
    """An RGBA PNG with no optional chunks (no time stamp), so its bytes
    depend on the picture alone."""

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    n = canvas.size
    raw = bytearray()
    for row in bgra_rows(canvas):
        raw.append(0)  # no filter
        for x in range(n):
            b, g, r, a = row[4 * x:4 * x + 4]
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def ico(sizes):
    images = [png(draw(n)) if n >= PNG_FROM else dib(draw(n)) for n in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for n, image in zip(sizes, images):
        # A width or height of 256 is written as 0.
        entries += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(ico(SIZES))
