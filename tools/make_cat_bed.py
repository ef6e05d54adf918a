#!/usr/bin/env python3
"""Draws mewt's cat-bed sprite sheet: eight beds of 54 x 24 pixels side by side, in the order of
the bed list (sofa, basket, cloud, lounger, classic, donut, wingback, nest).

Every bed is built from a few filled shapes on a pixel grid (no antialiasing). Each shape has a
four-step colour ramp; a pixel whose upper neighbour is not of its shape gets the light step, one
whose lower neighbour is not gets the dark step, and the silhouette gets the outline step, so the
shading follows the shapes by itself. The output is deterministic.

    python3 tools/make_cat_bed.py [output file, default resources/images/cat-bed.png]
    python3 tools/make_cat_bed.py --check FILE   # fails when FILE differs from what this draws
"""

import random
import struct
import sys
import zlib

CELL_W, CELL_H = 54, 24
BEDS = ["sofa", "basket", "cloud", "lounger", "classic", "donut", "wingback", "nest"]


def ramp(outline, dark, base, light):
    return [tuple(int(c[i:i + 2], 16) for i in (1, 3, 5)) for c in (outline, dark, base, light)]


TEAL = ramp("#1d3b40", "#2f6b70", "#3f8f8f", "#6cbcb2")
WOOD = ramp("#3a2412", "#6b4423", "#8d5a2f", "#b07a45")
WICKER = ramp("#4a3214", "#9a6b2e", "#c4924a", "#e2b774")
CLOUD = ramp("#6f88a6", "#b9cbe0", "#e9f1fa", "#ffffff")
CANVAS = ramp("#6e2d22", "#b8493a", "#d9664f", "#f08a6c")
STRIPE = ramp("#7d6f5c", "#d8cdb8", "#f1e8d6", "#fffaf0")
PLUM = ramp("#3b1e3a", "#6e3a6a", "#8c4d86", "#b277a9")
CREAM = ramp("#7b6650", "#d2bfa2", "#eadbc2", "#fbf2e2")
PINK = ramp("#7a3550", "#c66b8d", "#e58faa", "#f7bccd")
BERRY = ramp("#3c1010", "#6e1f22", "#93302f", "#bd5149")
TWIG = ramp("#2e1f0f", "#5c4124", "#7a5a34", "#9c7a4c")
STRAW = ramp("#6b5420", "#b8954a", "#d6b466", "#efd68e")


class Cell:
    def __init__(self):
        self.shape = [[None] * CELL_W for _ in range(CELL_H)]
        self.colour = [[None] * CELL_W for _ in range(CELL_H)]
        self.ramps = []

    def _put(self, shape_id, x, y):
        if 0 <= x < CELL_W and 0 <= y < CELL_H:
            self.shape[y][x] = shape_id

    def new_shape(self, colours):
        self.ramps.append(colours)
        return len(self.ramps) - 1

    def fill(self, colours, inside):
        """Fills every pixel whose centre satisfies inside(x, y); later shapes cover earlier ones."""
        shape_id = self.new_shape(colours)
        for y in range(CELL_H):
            for x in range(CELL_W):
                if inside(x + 0.5, y + 0.5):
                    self._put(shape_id, x, y)
        return shape_id

    def rect(self, colours, x0, y0, x1, y1, radius=0):
        """Pixels x0..x1-1, y0..y1-1, with corners cut to the given radius."""
        def inside(px, py):
            if not (x0 <= px < x1 and y0 <= py < y1):
                return False
            cx = min(max(px, x0 + radius), x1 - radius)
            cy = min(max(py, y0 + radius), y1 - radius)
            return (px - cx) ** 2 + (py - cy) ** 2 <= radius ** 2 + 0.25
        return self.fill(colours, inside)

    def ellipse(self, colours, cx, cy, rx, ry):
        return self.fill(colours, lambda px, py: ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0)

    def blobs(self, colours, circles):
        return self.fill(colours, lambda px, py: any((px - x) ** 2 + (py - y) ** 2 <= r * r for x, y, r in circles))

    def polygon(self, colours, points):
        def inside(px, py):
            hit = False
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit
        return self.fill(colours, inside)

    def mark(self, x, y, step):
        """Overrides one pixel's colour with a step of its own shape's ramp (seams, buttons)."""
        if 0 <= x < CELL_W and 0 <= y < CELL_H and self.shape[y][x] is not None:
            self.colour[y][x] = self.ramps[self.shape[y][x]][step]

    def pixels(self):
        out = []
        for y in range(CELL_H):
            row = []
            for x in range(CELL_W):
                shape_id = self.shape[y][x]
                if shape_id is None:
                    row.append((0, 0, 0, 0))
                    continue
                if self.colour[y][x] is not None:
                    row.append(self.colour[y][x] + (255,))
                    continue

                def other(dx, dy):
                    nx, ny = x + dx, y + dy
                    if not (0 <= nx < CELL_W and 0 <= ny < CELL_H):
                        return None
                    return self.shape[ny][nx]

                neighbours = [other(-1, 0), other(1, 0), other(0, -1), other(0, 1)]
                colours = self.ramps[shape_id]
                if None in neighbours:
                    step = 0
                elif other(0, -1) != shape_id:
                    step = 3
                elif other(0, 1) != shape_id or other(0, 2) != shape_id:
                    step = 1
                else:
                    step = 2
                row.append(colours[step] + (255,))
            out.append(row)
        return out


def sofa(c):
    c.rect(TEAL, 7, 4, 47, 15, radius=3)
    c.rect(WOOD, 9, 19, 12, 23)
    c.rect(WOOD, 42, 19, 45, 23)
    c.rect(TEAL, 6, 13, 48, 20, radius=1)
    for x0 in (8, 27):
        c.rect(TEAL, x0, 11, x0 + 19, 16, radius=2)
    c.rect(TEAL, 2, 8, 10, 20, radius=3)
    c.rect(TEAL, 44, 8, 52, 20, radius=3)
    for x in (17, 37):
        c.mark(x, 7, 1)


def basket(c):
    c.polygon(WICKER, [(4, 10), (50, 10), (46, 23), (8, 23)])
    c.ellipse(CREAM, 27, 9.5, 19, 3.5)
    c.ellipse(WICKER, 27, 9.5, 23, 2.5)
    c.ellipse(CREAM, 27, 9.5, 19, 1.6)
    for y in range(13, 22):
        for x in range(6, 49):
            if (x + 3 * (y // 2)) % 6 == 0:
                c.mark(x, y, 1)


def cloud(c):
    c.blobs(CLOUD, [(10, 17, 6), (19, 13, 8), (30, 11, 9), (40, 14, 7), (46, 18, 5), (27, 18, 6)])
    c.rect(CLOUD, 9, 16, 46, 23, radius=3)
    for x in (21, 33):
        c.mark(x, 17, 1)


def lounger(c):
    c.polygon(WOOD, [(5, 22), (7, 22), (14, 15), (12, 15)])
    c.polygon(WOOD, [(40, 22), (42, 22), (38, 15), (36, 15)])
    c.polygon(WOOD, [(47, 22), (49, 22), (46, 15), (44, 15)])
    c.polygon(CANVAS, [(2, 5), (8, 1), (19, 11), (51, 10), (52, 17), (13, 18)])
    for x in range(8, 51, 4):
        for y in range(1, 18):
            c.mark(x, y, 3)
    c.rect(STRIPE, 3, 3, 12, 8, radius=2)


def classic(c):
    c.ellipse(PLUM, 27, 16, 25, 7.5)
    c.ellipse(CREAM, 27, 12.5, 18, 3.5)
    c.ellipse(PLUM, 27, 11, 22, 3)
    c.ellipse(CREAM, 27, 11.5, 17, 2)


def donut(c):
    rng = random.Random(5)
    circles = []
    for i in range(40):
        x = 4 + i * 46 / 39
        y = 15 + 5.5 * ((1 - ((x - 27) / 24) ** 2) ** 0.5) * (1 if i % 2 else 0.8)
        circles.append((x, min(y, 19), 3 + rng.random() * 1.5))
    c.blobs(PINK, circles + [(27, 14, 8), (16, 13, 6), (38, 13, 6)])
    c.ellipse(PINK, 27, 9.5, 22, 5)
    c.ellipse(CREAM, 27, 10, 14, 3)
    for i in range(12):
        c.mark(8 + rng.randrange(38), 13 + rng.randrange(7), 3)


def wingback(c):
    c.rect(WOOD, 11, 19, 14, 24)
    c.rect(WOOD, 40, 19, 43, 24)
    c.rect(BERRY, 14, 1, 40, 17, radius=4)
    c.rect(BERRY, 8, 6, 16, 20, radius=3)
    c.rect(BERRY, 38, 6, 46, 20, radius=3)
    c.rect(BERRY, 14, 14, 40, 20, radius=1)
    for x, y in ((20, 5), (27, 5), (34, 5), (23, 9), (31, 9)):
        c.mark(x, y, 0)


def nest(c):
    rng = random.Random(7)
    c.ellipse(TWIG, 27, 15, 23, 8)
    c.ellipse(STRAW, 27, 11, 18, 3)
    for _ in range(90):
        x, y = 5 + rng.randrange(44), 12 + rng.randrange(11)
        length = 2 + rng.randrange(4)
        for d in range(length):
            c.mark(x + d, y + (d if rng.random() < 0.3 else 0) // 2, rng.choice((1, 3)))
    for x0, y0, dx in ((6, 9, -1), (47, 10, 1), (13, 8, -1), (40, 8, 1)):
        twig = c.new_shape(TWIG)
        for d in range(4):
            c._put(twig, x0 + dx * d, y0 + d // 2)


DRAW = {"sofa": sofa, "basket": basket, "cloud": cloud, "lounger": lounger, "classic": classic,
        "donut": donut, "wingback": wingback, "nest": nest}


def sheet():
    rows = [[] for _ in range(CELL_H)]
    for name in BEDS:
        cell = Cell()
        DRAW[name](cell)
        for y, row in enumerate(cell.pixels()):
            rows[y].extend(row)
    return rows


def scanlines(rows):
    return b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)


def png(rows):
    width, height = len(rows[0]), len(rows)
    raw = scanlines(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def decoded(data):
    """The header and unfiltered scanlines of a PNG this script wrote (filter 0 on every row)."""
    header, idat, at = b"", b"", 8
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        header = body if kind == b"IHDR" else header
        idat += body if kind == b"IDAT" else b""
        at += 12 + length
    return header, zlib.decompress(idat)


def main(argv):
    rows = sheet()
    data = png(rows)
    if len(argv) == 3 and argv[1] == "--check":
        # Pixels are compared, not bytes: another zlib may compress the same pixels differently.
        with open(argv[2], "rb") as existing:
            try:
                same = decoded(existing.read()) == decoded(data)
            except (zlib.error, struct.error):
                same = False
        if not same:
            print(f"{argv[2]} is not what tools/make_cat_bed.py draws; run it again", file=sys.stderr)
            return 1
        return 0
    target = argv[1] if len(argv) > 1 else "resources/images/cat-bed.png"
    with open(target, "wb") as out:
        out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
