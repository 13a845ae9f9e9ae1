#!/usr/bin/env python3
"""Draws the editor's program icon and writes it as a Windows icon file.

The icon is a violet tile with a note above a line of lyrics whose first
half is coloured as already sung, the way the karaoke display shows it.
It holds 32 x 32, 20 x 20 (the caption's small icon) and 16 x 16
pictures, each drawn for its size, 32-bit with alpha (and the 1-bit mask
that older readers want).

  make_icon.py OUT.ico            writes the icon
  make_icon.py --check FILE.ico   exits 1 unless FILE.ico is what this
                                  script writes (the build checks that
                                  the committed editor/kmedit.ico is current)
"""

import math
import struct
import sys

SUB_ROWS = 16  # samples per pixel row; columns are covered exactly


# ---- a small anti-aliasing rasteriser ----------------------------------------

def signed_area(points):
    return sum(a[0] * b[1] - b[0] * a[1]
               for a, b in zip(points, points[1:] + points[:1])) / 2


def oriented(points, outline=True):
    """Outlines all turn one way so that they unite; holes turn the other."""
    return points if (signed_area(points) > 0) == outline else points[::-1]


def snap(x, y):
    """Rounds a point computed with the math library to 1/256 pixel, so that
    the rest is plain arithmetic and every machine draws the same bytes."""
    return (round(x * 256) / 256, round(y * 256) / 256)


def rect(left, top, right, bottom):
    return [(left, top), (right, top), (right, bottom), (left, bottom)]


def arc(cx, cy, radius, start, end, steps=None):
    """Points on a circle from `start` to `end` degrees, counter-clockwise
    on the screen."""
    steps = steps or max(2, int(abs(end - start) / 7.5))
    return [snap(cx + radius * math.cos(math.radians(start + (end - start) * i / steps)),
                 cy - radius * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def circle(cx, cy, radius):
    return arc(cx, cy, radius, 0, 360)[:-1]


def ellipse(cx, cy, rx, ry, turn):
    """An ellipse turned by `turn` degrees (a note head)."""
    c, s = math.cos(math.radians(turn)), math.sin(math.radians(turn))
    return [snap(cx + rx * math.cos(t) * c - ry * math.sin(t) * s,
                 cy - rx * math.cos(t) * s - ry * math.sin(t) * c)
            for t in (math.radians(a) for a in range(0, 360, 10))]


def rounded_rect(left, top, right, bottom, radius):
    points = []
    for cx, cy, start in ((right - radius, top + radius, 0), (left + radius, top + radius, 90),
                          (left + radius, bottom - radius, 180), (right - radius, bottom - radius, 270)):
        points += arc(cx, cy, radius, start, start + 90)
    return points


def coverage(size, contours):
    """The share of every pixel that the contours cover (nonzero rule)."""
    cover = [0.0] * (size * size)
    edges = [(a, b) for contour in contours for a, b in zip(contour, contour[1:] + contour[:1])
             if a[1] != b[1]]
    for sub_row in range(size * SUB_ROWS):
        y = (sub_row + 0.5) / SUB_ROWS
        crossings = sorted((a[0] + (y - a[1]) * (b[0] - a[0]) / (b[1] - a[1]), 1 if a[1] < b[1] else -1)
                           for a, b in edges if min(a[1], b[1]) <= y < max(a[1], b[1]))
        row = (sub_row // SUB_ROWS) * size
        winding, start = 0, 0.0
        for x, turn in crossings:
            before, winding = winding, winding + turn
            if before == 0 and winding != 0:
                start = x
            elif before != 0 and winding == 0:
                left, right = max(0.0, start), min(float(size), x)
                for column in range(int(math.floor(left)), size):
                    if column >= right:
                        break
                    part = min(right, column + 1) - max(left, column)
                    if part > 0:
                        cover[row + column] += part / SUB_ROWS
    return cover


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [(0.0, 0.0, 0.0, 0.0)] * (size * size)  # premultiplied r, g, b, a

    def fill(self, contours, colour):
        """Paints the contours in `colour`: (r, g, b, a) in 0..255, or a
        function of the pixel's row giving one (a gradient)."""
        for i, amount in enumerate(coverage(self.size, contours)):
            if amount <= 0:
                continue
            r, g, b, a = colour(i // self.size) if callable(colour) else colour
            a = min(1.0, amount) * a / 255
            pr, pg, pb, pa = self.pixels[i]
            self.pixels[i] = (r / 255 * a + pr * (1 - a), g / 255 * a + pg * (1 - a),
                              b / 255 * a + pb * (1 - a), a + pa * (1 - a))

    def bgra_rows(self):
        """Rows top-down of (blue, green, red, alpha) bytes, not premultiplied."""
        rows = []
        for y in range(self.size):
            row = []
            for r, g, b, a in self.pixels[y * self.size:(y + 1) * self.size]:
                if a <= 0 or round(a * 255) == 0:
                    row.append((0, 0, 0, 0))
                    continue
                channel = lambda v: min(255, round(v / a * 255))
                row.append((channel(b), channel(g), channel(r), round(min(1.0, a) * 255)))
            rows.append(row)
        return rows


# ---- the drawing ---------------------------------------------------------------

TILE_TOP, TILE_BOTTOM, TILE_EDGE = (124, 77, 214), (58, 34, 138), (36, 20, 92)
SUNG, UNSUNG, NOTE = (255, 200, 40, 255), (255, 255, 255, 255), (255, 255, 255, 255)


def gradient(size):
    def colour(row):
        t = row / (size - 1)
        return tuple(round(a + (b - a) * t) for a, b in zip(TILE_TOP, TILE_BOTTOM)) + (255,)
    return colour


def draw(size):
    canvas = Canvas(size)
    # The tile: a dark rim one pixel wide around the gradient.
    margin, radius = {32: (1, 6), 20: (0, 4), 16: (0, 3)}[size]
    canvas.fill([oriented(rounded_rect(margin, margin, size - margin, size - margin, radius))],
                TILE_EDGE + (255,))
    canvas.fill([oriented(rounded_rect(margin + 1, margin + 1, size - margin - 1, size - margin - 1,
                                       radius - 1))], gradient(size))
    if size == 32:
        # Two beamed notes.
        canvas.fill([oriented(ellipse(10.5, 14, 3, 2.2, 20)), oriented(ellipse(21.5, 12, 3, 2.2, 20)),
                     oriented(rect(12.5, 5.5, 14, 14)), oriented(rect(23.5, 3.5, 25, 12)),
                     oriented([(12.5, 5.5), (25, 3.5), (25, 6.5), (12.5, 8.5)])], NOTE)
        # A line of lyrics, sung up to its middle, and the next line.
        canvas.fill([oriented(rect(6, 19, 16, 22))], SUNG)
        canvas.fill([oriented(rect(17, 19, 26, 22))], UNSUNG)
        canvas.fill([oriented(rect(6, 24, 13, 27)), oriented(rect(14, 24, 22, 27))],
                    (255, 255, 255, 170))
    elif size == 20:
        # One note and one line: the caption's small icon.
        canvas.fill([oriented(ellipse(8, 10, 2.6, 1.9, 20)), oriented(rect(9.5, 2.5, 11, 10)),
                     oriented([(9.5, 2.5), (11, 2.5), (14.5, 6), (14.5, 8.5), (11, 5.5)])], NOTE)
        canvas.fill([oriented(rect(4, 13, 10, 15))], SUNG)
        canvas.fill([oriented(rect(10, 13, 16, 15))], UNSUNG)
    else:
        canvas.fill([oriented(ellipse(6.5, 7.5, 2, 1.5, 20)), oriented(rect(7.5, 2, 9, 7.5)),
                     oriented([(7.5, 2), (9, 2), (11.5, 4.5), (11.5, 6.5), (9, 4.5)])], NOTE)
        canvas.fill([oriented(rect(3, 10, 8, 12))], SUNG)
        canvas.fill([oriented(rect(8, 10, 13, 12))], UNSUNG)
    return canvas


# ---- the icon file ---------------------------------------------------------------

def icon_image(canvas):
    """BITMAPINFOHEADER, the colour rows bottom-up and the 1-bit mask."""
    size = canvas.size
    rows = canvas.bgra_rows()
    colour = b"".join(bytes(channel for pixel in row for channel in pixel) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask),
                         0, 0, 0, 0)
    return header + colour + bytes(mask)


def icon_file(sizes=(32, 20, 16)):
    images = [icon_image(draw(size)) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return data + b"".join(images)


def main(argv):
    if len(argv) == 3 and argv[1] == "--check":
        with open(argv[2], "rb") as existing:
            if existing.read() != icon_file():
                print(f"{argv[2]} is not what {argv[0]} draws; run: {argv[0]} {argv[2]}")
                return 1
        return 0
    if len(argv) != 2:
        print(__doc__)
        return 2
    with open(argv[1], "wb") as out:
        out.write(icon_file())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
