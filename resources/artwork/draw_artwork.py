#!/usr/bin/env python3
"""Draws the plug-in's cursors and logo and writes them as Windows resource files.

    draw_artwork.py OUTPUT_DIR

writes hand_open.cur (cursor 109), hand_closed.cur (110), hand_pointing.cur (111),
each 32x32 with 16 colours, and logo.bmp (bitmap 114, 70x40, 24 bits per pixel).
The committed files in this folder are this program's output; the test suite runs
it again and compares, so change the drawing here and commit what it writes.
Only the standard library is used, and nothing depends on the time or on chance.
"""

import math
import struct
import sys
from pathlib import Path

# ---- Shapes ------------------------------------------------------------------
# A shape answers whether the centre of pixel (x, y) lies inside it.


def capsule(x0, y0, x1, y1, radius):
    """The points within radius of the segment (x0, y0)-(x1, y1): a finger."""

    def inside(px, py):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else ((px - x0) * dx + (py - y0) * dy) / length2
        t = min(1.0, max(0.0, t))
        cx, cy = x0 + t * dx, y0 + t * dy
        return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius

    return inside


def rounded_rect(left, top, right, bottom, radius):
    def inside(px, py):
        cx = min(max(px, left + radius), right - radius)
        cy = min(max(py, top + radius), bottom - radius)
        return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius

    return inside


# ---- Cursors -----------------------------------------------------------------

CURSOR_SIZE = 32
TRANSPARENT, OUTLINE, FILL = ".", "#", "o"

# The standard 16-colour palette; the cursors use black and white.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
PALETTE_INDEX = {OUTLINE: 0, FILL: 15}


def draw_hand(palm, fingers):
    """A white hand with a black outline: the palm and fingers are filled, the
    edge of their union is outlined, and a line separates touching fingers down
    to where each finger ends (fingers lie over the palm)."""
    size = CURSOR_SIZE

    def centre(x, y):
        return x + 0.5, y + 0.5

    def owner(x, y):
        """Index of the finger holding the pixel, -1 for the palm, None outside."""
        if not (0 <= x < size and 0 <= y < size):
            return None
        px, py = centre(x, y)
        for index, finger in enumerate(fingers):
            if finger(px, py):
                return index
        return -1 if palm(px, py) else None

    grid = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            mine = owner(x, y)
            if mine is None:
                continue
            neighbours = [owner(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
            on_edge = any(n is None for n in neighbours)
            # Each seam is drawn once, on the finger with the lower index.
            on_seam = mine >= 0 and any(n is not None and n >= 0 and n > mine for n in neighbours)
            grid[y][x] = OUTLINE if on_edge or on_seam else FILL
    return ["".join(row) for row in grid]


def open_hand():
    palm = rounded_rect(6.0, 13.0, 24.0, 28.0, 4.0)
    fingers = [
        capsule(2.8, 13.5, 7.0, 21.0, 2.3),    # thumb
        capsule(9.0, 15.0, 8.8, 6.5, 2.3),     # index
        capsule(13.5, 15.0, 13.5, 4.6, 2.4),   # middle: its tip is the hot spot
        capsule(18.0, 15.0, 18.2, 6.0, 2.3),   # ring
        capsule(22.0, 17.0, 22.8, 10.0, 2.1),  # little
    ]
    return draw_hand(palm, fingers)


def closed_hand():
    palm = rounded_rect(5.0, 6.0, 25.0, 27.0, 4.0)
    fingers = [
        capsule(3.5, 13.0, 6.0, 21.0, 2.4),    # thumb, folded along the side
        capsule(8.5, 5.0, 8.5, 11.0, 2.4),     # knuckles, from the index finger
        capsule(12.8, 4.6, 12.8, 11.0, 2.4),
        capsule(17.1, 5.0, 17.1, 11.0, 2.4),
        capsule(21.3, 6.0, 21.3, 11.0, 2.3),
    ]
    return draw_hand(palm, fingers)


def pointing_hand():
    palm = rounded_rect(8.0, 14.0, 26.0, 29.0, 4.0)
    fingers = [
        capsule(5.0, 17.0, 9.0, 23.0, 2.3),    # thumb
        capsule(12.5, 15.0, 12.5, 4.5, 2.4),   # index, pointing up to the hot spot
        capsule(16.8, 14.5, 16.8, 19.0, 2.3),  # the other three, folded
        capsule(20.9, 15.0, 20.9, 19.0, 2.3),
        capsule(24.6, 16.5, 24.6, 19.5, 2.1),
    ]
    return draw_hand(palm, fingers)


def cursor_file(rows, hot_x, hot_y):
    """A .cur file with one 32x32, 4-bit image and its transparency mask."""
    size = CURSOR_SIZE
    xor_row_bytes = size // 2
    and_row_bytes = size // 8
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         (xor_row_bytes + and_row_bytes) * size, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE16)
    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(rows):  # bottom-up
        indices = [PALETTE_INDEX.get(pixel, 0) for pixel in row]
        xor_bits += bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
        mask = 0
        for pixel in row:
            mask = mask << 1 | (pixel == TRANSPARENT)
        and_bits += mask.to_bytes(and_row_bytes, "big")
    image = header + palette + bytes(xor_bits) + bytes(and_bits)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


# ---- Logo --------------------------------------------------------------------

LOGO_WIDTH, LOGO_HEIGHT = 70, 40

# 5x7 capitals for the product name; '#' is ink.
GLYPHS = {
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}


def grain(x, y):
    """Deterministic noise in -1..1 from the pixel position."""
    value = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    value = ((value ^ (value >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((value ^ (value >> 16)) & 0xFFFF) / 32767.5 - 1.0


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def logo_pixels():
    """A lens on a deep-blue field: grainy on its left half, smooth on its
    right, with the product name underneath."""
    top_colour, bottom_colour = (18, 36, 74), (6, 14, 32)
    lens_dark, lens_light = (250, 176, 60), (255, 238, 190)
    centre_x, centre_y, radius = 34.5, 14.5, 11.5
    pixels = []
    for y in range(LOGO_HEIGHT):
        row = []
        for x in range(LOGO_WIDTH):
            colour = mix(top_colour, bottom_colour, y / (LOGO_HEIGHT - 1))
            distance = math.hypot(x + 0.5 - centre_x, y + 0.5 - centre_y)
            if distance <= radius:
                shade = min(1.0, max(0.0, (centre_y + radius - (y + 0.5)) / (2 * radius)))
                lens = mix(lens_dark, lens_light, shade)
                if x + 0.5 < centre_x:
                    lens = tuple(min(255, max(0, round(c + 48 * grain(x, y)))) for c in lens)
                # A soft rim of one pixel.
                colour = mix(colour, lens, min(1.0, radius - distance + 0.5))
            row.append(colour)
        pixels.append(row)

    text = "LUMISTRA"
    advance = [len(GLYPHS[c][0]) + 1 for c in text]
    x = (LOGO_WIDTH - (sum(advance) - 1)) // 2
    text_top = 30
    for character, step in zip(text, advance):
        for dy, line in enumerate(GLYPHS[character]):
            for dx, ink in enumerate(line):
                if ink == "#":
                    pixels[text_top + dy][x + dx] = (236, 240, 248)
        x += step
    return pixels


def bitmap_file(pixels):
    """A bottom-up, 24-bit .bmp file."""
    height, width = len(pixels), len(pixels[0])
    row_bytes = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        data += line + bytes(row_bytes - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return file_header + info + bytes(data)


# ---- Output ------------------------------------------------------------------

OUTPUTS = {
    "hand_open.cur": lambda: cursor_file(open_hand(), 13, 4),
    "hand_closed.cur": lambda: cursor_file(closed_hand(), 12, 2),
    "hand_pointing.cur": lambda: cursor_file(pointing_hand(), 12, 2),
    "logo.bmp": lambda: bitmap_file(logo_pixels()),
}


def main(argv):
    if len(argv) != 2:
        print(f"usage: {argv[0]} OUTPUT_DIR", file=sys.stderr)
        return 2
    directory = Path(argv[1])
    directory.mkdir(parents=True, exist_ok=True)
    for name, draw in OUTPUTS.items():
        (directory / name).write_bytes(draw())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
