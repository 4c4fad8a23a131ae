#!/usr/bin/env python3
"""Draws the link window's icon (32 x 32 and 16 x 16) and the browse button's picture (16 x 16),
all in the 16 standard colours, and writes them as excel_link.ico and browse.bmp beside this
script. Run it again after changing a drawing; the files it writes are kept in the tree."""
import os
import struct

# The 16 standard colours, in the order every 4-bit picture indexes them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, DARK_YELLOW, NAVY, SILVER, GREY, YELLOW, WHITE, CYAN = 0, 2, 3, 4, 7, 8, 11, 15, 14
CLEAR = None  # transparent in the icon


class Canvas:
    def __init__(self, size, fill):
        self.size = size
        self.pixels = [[fill] * size for _ in range(size)]

    def rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                if 0 <= x < self.size and 0 <= y < self.size:
                    self.pixels[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        self.rect(left, top, right, top, colour)
        self.rect(left, bottom, right, bottom, colour)
        self.rect(left, top, left, bottom, colour)
        self.rect(right, top, right, bottom, colour)

    def disc(self, cx, cy, radius, colour, ring=None):
        for y in range(self.size):
            for x in range(self.size):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if d <= radius:
                    self.pixels[y][x] = colour if ring is None or d < radius - 1.2 else ring


def sheet_icon(size):
    """A worksheet with green cells and a blue arrow pointing into it from the right."""
    c = Canvas(size, CLEAR)
    s = size / 32
    def p(v):
        return int(round(v * s))
    c.rect(p(2), p(4), p(25), p(29), WHITE)
    c.rect(p(2), p(4), p(25), p(8), DARK_GREEN)
    step = max(2, p(5))
    for x in range(p(2), p(26), step):
        c.rect(x, p(4), x, p(29), GREY)
    for y in range(p(4), p(30), max(2, p(5))):
        c.rect(p(2), y, p(25), y, GREY)
    c.frame(p(2), p(4), p(25), p(29), BLACK)
    c.rect(p(8), p(14), p(13), p(18), YELLOW)
    c.frame(p(8), p(14), p(13), p(18), BLACK)
    # The arrow: a shaft from the right edge and a head pointing left at the yellow cell.
    c.rect(p(18), p(15), p(30), p(17), NAVY)
    for i in range(p(5) + 1):
        c.rect(p(14) + i, p(16) - i, p(14) + i, p(16) + i, NAVY)
    return c


def browse_picture():
    """A yellow folder with a magnifying glass over its lower right corner, on button grey."""
    c = Canvas(16, SILVER)
    c.rect(1, 4, 6, 5, DARK_YELLOW)
    c.rect(1, 5, 12, 13, YELLOW)
    c.frame(1, 5, 12, 13, DARK_YELLOW)
    c.rect(1, 4, 6, 4, DARK_YELLOW)
    c.disc(10, 8, 3.6, CYAN, ring=BLACK)
    c.rect(9, 7, 9, 7, WHITE)
    for i in range(4):
        c.rect(12 + i, 11 + i, 13 + i, 11 + i, BLACK)
    return c


def packed_4bit(canvas, background):
    """Bottom-up rows of 4-bit indexes, each row padded to 4 bytes."""
    rows = []
    for line in reversed(canvas.pixels):
        nibbles = [background if v is None else v for v in line]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        rows.append(data + b"\0" * (-len(data) % 4))
    return b"".join(rows)


def packed_mask(canvas):
    rows = []
    for line in reversed(canvas.pixels):
        bits = 0
        data = bytearray()
        for i, v in enumerate(line):
            bits = (bits << 1) | (1 if v is None else 0)
            if i % 8 == 7:
                data.append(bits)
                bits = 0
        rows.append(bytes(data) + b"\0" * (-len(data) % 4))
    return b"".join(rows)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def info_header(size, height):
    return struct.pack("<IiiHHIIiiII", 40, size, height, 1, 4, 0, 0, 0, 0, 16, 0)


def icon_image(canvas):
    return (info_header(canvas.size, canvas.size * 2) + palette_bytes() +
            packed_4bit(canvas, BLACK) + packed_mask(canvas))


def write_icon(path, canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_bitmap(path, canvas):
    pixels = packed_4bit(canvas, SILVER)
    body = info_header(canvas.size, canvas.size) + palette_bytes() + pixels
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 14 + 40 + 64)
    with open(path, "wb") as f:
        f.write(header + body)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "excel_link.ico"), [sheet_icon(32), sheet_icon(16)])
    write_bitmap(os.path.join(here, "browse.bmp"), browse_picture())
