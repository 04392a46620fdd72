#!/usr/bin/env python3
"""Draws the macro editor's pictures: the three 16 x 16 image buttons of the editor (add and remove a
module, zoom) into res/module/bitmaps/macro/, and the 24 x 24 pictures of the macro commands into the
installation's icons/ folder ("Parallel.bmp" ... "CoordSys.bmp"). Magenta is the transparent colour:
the button face shows through it.

    scripts/editor_pictures.py [ICONS_FOLDER]      (default: res/icons beside this script's folder)
"""
import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)
INK = (24, 24, 32)
BLUE = (0, 70, 160)
RED = (190, 20, 20)
GREEN = (0, 130, 40)
GREY = (120, 120, 128)


class Picture:
    def __init__(self, size):
        self.size = size
        self.pixels = [[MAGENTA] * size for _ in range(size)]

    def dot(self, x, y, colour):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour, dashed=False):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) * 2 + 1
        for i in range(steps + 1):
            if dashed and (i // 4) % 2:
                continue
            t = i / steps
            self.dot(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, colour)

    def circle(self, cx, cy, r, colour, start=0.0, end=360.0):
        n = max(16, int(r * 12))
        for i in range(n + 1):
            a = math.radians(start + (end - start) * i / n)
            self.dot(cx + r * math.cos(a), cy - r * math.sin(a), colour)

    def box(self, x0, y0, x1, y1, colour, fill=None):
        if fill:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    self.dot(x, y, fill)
        self.line(x0, y0, x1, y0, colour)
        self.line(x1, y0, x1, y1, colour)
        self.line(x1, y1, x0, y1, colour)
        self.line(x0, y1, x0, y0, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.dot(x, y, colour)

    def arrow(self, x0, y0, x1, y1, colour):
        self.line(x0, y0, x1, y1, colour)
        a = math.atan2(y1 - y0, x1 - x0)
        for side in (-1, 1):
            b = a + math.pi + side * 0.5
            self.line(x1, y1, x1 + 4 * math.cos(b), y1 + 4 * math.sin(b), colour)

    def save(self, path):
        row = self.size * 3
        pad = (4 - row % 4) % 4
        data = b""
        for y in reversed(range(self.size)):
            for r, g, b in self.pixels[y]:
                data += bytes((b, g, r))
            data += b"\0" * pad
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.size, self.size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, "wb") as out:
            out.write(header + info + data)


def buttons(folder):
    add = Picture(16)
    add.box(1, 3, 10, 12, INK, fill=(230, 230, 236))
    add.line(12, 3, 12, 9, GREEN)
    add.line(11, 3, 11, 9, GREEN)
    add.line(8, 6, 15, 6, GREEN)
    add.line(8, 5, 15, 5, GREEN)
    add.save(os.path.join(folder, "add_module.bmp"))

    remove = Picture(16)
    remove.box(1, 3, 10, 12, INK, fill=(230, 230, 236))
    for d in (0, 1):
        remove.line(9 + d, 2, 14 + d, 7, RED)
        remove.line(14 + d, 2, 9 + d, 7, RED)
    remove.save(os.path.join(folder, "remove_module.bmp"))

    zoom = Picture(16)
    zoom.disc(6, 6, 4.5, (200, 225, 250))
    zoom.circle(6, 6, 4.5, INK)
    for d in (0, 1):
        zoom.line(9 + d, 10, 13 + d, 14, INK)
    zoom.save(os.path.join(folder, "zoom.bmp"))


def commands(folder):
    pictures = {}

    p = Picture(24)
    p.line(4, 18, 16, 4, BLUE)
    p.line(9, 20, 21, 6, BLUE)
    pictures["Parallel.bmp"] = p

    p = Picture(24)
    p.line(3, 20, 21, 20, BLUE)
    p.line(12, 20, 12, 3, BLUE)
    p.box(12, 16, 16, 20, INK)
    pictures["Perpendicular.bmp"] = p

    p = Picture(24)
    p.line(3, 19, 12, 10, BLUE)
    p.line(12, 10, 21, 15, BLUE)
    p.disc(12, 10, 2.2, RED)
    pictures["Coincident.bmp"] = p

    p = Picture(24)
    p.line(12, 2, 12, 22, GREY, dashed=True)
    p.disc(6, 12, 2.2, BLUE)
    p.disc(18, 12, 2.2, BLUE)
    p.arrow(9, 12, 10, 12, INK)
    p.arrow(15, 12, 14, 12, INK)
    pictures["Symmetric.bmp"] = p

    p = Picture(24)
    p.circle(12, 13, 7, BLUE)
    p.line(2, 6, 22, 6, INK)
    pictures["Tangent.bmp"] = p

    p = Picture(24)
    p.circle(12, 12, 9, BLUE)
    p.circle(12, 12, 4.5, BLUE)
    p.disc(12, 12, 1, INK)
    pictures["Concentric.bmp"] = p

    p = Picture(24)
    p.circle(7, 8, 5, BLUE)
    p.circle(16, 16, 5, BLUE)
    p.line(15, 4, 21, 4, INK)
    p.line(15, 7, 21, 7, INK)
    pictures["EqualRadius.bmp"] = p

    p = Picture(24)
    p.line(3, 5, 3, 19, BLUE)
    p.line(20, 5, 20, 19, BLUE)
    p.arrow(11, 12, 4, 12, INK)
    p.arrow(12, 12, 19, 12, INK)
    pictures["Distance.bmp"] = p

    p = Picture(24)
    p.line(3, 20, 21, 20, BLUE)
    p.line(3, 20, 17, 5, BLUE)
    p.circle(3, 20, 11, INK, 2, 44)
    pictures["Angle.bmp"] = p

    p = Picture(24)
    p.circle(12, 12, 9, BLUE)
    p.disc(12, 12, 1, INK)
    p.arrow(12, 12, 18, 6, INK)
    pictures["Radius.bmp"] = p

    p = Picture(24)
    p.box(2, 6, 14, 20, INK, fill=(230, 230, 236))
    for d in (0, 1):
        p.line(17 + d, 2, 17 + d, 12, GREEN)
        p.line(12, 7 + d, 22, 7 + d, GREEN)
    pictures["AddModule.bmp"] = p

    p = Picture(24)
    p.box(2, 4, 21, 19, GREY)
    for x in (6, 12, 18):
        for y in (8, 15):
            p.circle(x, y, 2, INK)
    pictures["BoltPattern.bmp"] = p

    p = Picture(24)
    p.arrow(5, 19, 20, 19, RED)
    p.arrow(5, 19, 5, 4, GREEN)
    p.arrow(5, 19, 14, 10, BLUE)
    pictures["CoordSys.bmp"] = p

    for name, picture in pictures.items():
        picture.save(os.path.join(folder, name))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "icons")
    bitmaps = os.path.join(here, "..", "res", "module", "bitmaps", "macro")
    os.makedirs(icons, exist_ok=True)
    buttons(bitmaps)
    commands(icons)


if __name__ == "__main__":
    main()
