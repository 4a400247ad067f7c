#!/usr/bin/env python3
"""Draws the chooser's icon, app/zulchooser.ico: a list box in the chooser's colours (yellow
on green, a white list with black names), two names marked with a tick. One picture
at 16 and 32 pixels, 32-bit with alpha. Run it again only to change the icon:
    python3 app/make_icon.py app/zulchooser.ico
"""
import struct
import sys

GREEN = (0x00, 0x80, 0x00, 0xFF)  # console colour 2
YELLOW = (0xFF, 0xFF, 0x00, 0xFF)  # console colour 14
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
BLACK = (0x00, 0x00, 0x00, 0xFF)
CLEAR = (0x00, 0x00, 0x00, 0x00)


def picture(size):
    """The icon's pixels, rows from the top, as (red, green, blue, alpha)."""
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):  # in 32-pixel units, right and bottom excluded
        for y in range(round(y0 * s), round(y1 * s)):
            for x in range(round(x0 * s), round(x1 * s)):
                pixels[y][x] = colour

    box(1, 2, 31, 30, GREEN)      # the window
    box(1, 2, 31, 3, YELLOW)      # its frame's top edge
    box(5, 7, 27, 26, WHITE)      # the list
    for row, marked in ((0, True), (1, False), (2, True)):
        top = 9 + row * 6
        if marked:                # a tick: a short stroke down, a long one up
            box(7, top + 2, 9, top + 4, GREEN)
            box(9, top + 3, 11, top + 4, GREEN)
            box(10, top, 12, top + 3, GREEN)
        box(14, top + 1, 25, top + 3, BLACK)  # the name
    return pixels


def image(size):
    """One picture as an icon stores it: a bitmap header, the colours from the bottom
    row up (blue, green, red, alpha), then an all-clear mask, each row padded to 4 bytes."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(picture(size)) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + colours + bytes(mask_row * size)


def icon(sizes):
    images = [image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "zulchooser.ico", "wb") as f:
        f.write(icon([16, 32]))
