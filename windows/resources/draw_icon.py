#!/usr/bin/env python3
"""Draws Brindleway's icon: a 32 x 32, 256-colour picture of a city block
seen from above (two streets crossing, lane marks, a red map pin), written
as a Windows .ico file. Usage: draw_icon.py OUTPUT.ico"""

import struct
import sys

SIZE = 32

PALETTE = {
    "clear": (0, 0, 0),
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
NAMES = list(PALETTE)


def draw():
    px = [["grass"] * SIZE for _ in range(SIZE)]
    # Buildings in the four blocks.
    for (x0, y0) in ((3, 3), (20, 3), (3, 20), (20, 20)):
        for y in range(y0, y0 + 9):
            for x in range(x0, x0 + 9):
                px[y][x] = "roof_light" if (x == x0 or y == y0) else "roof"
    # Two streets crossing, with kerbs and dashed lane marks.
    for i in range(SIZE):
        for j in range(13, 19):
            px[j][i] = "road"
            px[i][j] = "road"
        px[12][i] = px[19][i] = "kerb"
        px[i][12] = px[i][19] = "kerb"
    for i in range(SIZE):
        if 12 <= i <= 19:
            continue
        if (i // 2) % 2 == 0:
            px[15][i] = px[16][i] = "lane"
            px[i][15] = px[i][16] = "lane"
    for j in range(13, 19):
        for i in range(13, 19):
            px[j][i] = "road"
    # The map pin over the crossing, pointing at it.
    cx, cy, r = 22, 9, 6
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= r * r:
                px[y][x] = "pin_dark" if d2 > (r - 1) ** 2 else "pin"
            if d2 <= 4:
                px[y][x] = "pin_hole"
    for k, y in enumerate(range(cy + r - 1, cy + r + 6)):
        half = max(0, 3 - k // 2)
        for x in range(cx - half, cx + half + 1):
            px[y][x] = "pin" if abs(x - cx) < half else "pin_dark"
    # A dark edge frames the picture.
    for i in range(SIZE):
        px[0][i] = px[SIZE - 1][i] = px[i][0] = px[i][SIZE - 1] = "edge"
    return px


def transparent(x, y):
    # Rounded corners.
    for cx, cy in ((1, 1), (SIZE - 2, 1), (1, SIZE - 2), (SIZE - 2, SIZE - 2)):
        if abs(x - cx) + abs(y - cy) <= 1 and (x in (0, SIZE - 1)) and (y in (0, SIZE - 1)):
            return True
    return False


def ico(px):
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE.values())
    palette += b"\0" * (256 * 4 - len(palette))
    # Transparent pixels must be black in the colour plane, or the screen
    # would be inverted there instead of showing through.
    xor = b"".join(
        bytes(0 if transparent(x, y) else NAMES.index(px[y][x]) for x in range(SIZE)) for y in reversed(range(SIZE))
    )
    mask_rows = []
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if transparent(x, y):
                bits |= 1 << (31 - x)
        mask_rows.append(struct.pack(">I", bits))
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(ico(draw()))
