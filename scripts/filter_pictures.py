#!/usr/bin/env python3
"""Draws the pictures of the macro filter kinds that the macro settings dialog shows, into the
installation's icons/ folder: "MacroFilterAngle180.bmp" (two members in line), "MacroFilterAngle90.bmp"
(two members at right angles), "MacroFilterSectionAngle.bmp" (a section and its rotation),
"MacroFilterPathDistance.bmp" (the distance between two members) and "MacroFilterSectionSize.bmp" (a
section's height). 112 x 88 pixels, 24-bit BMP: members steel grey with dark edges, dimensions in blue,
on white.

    scripts/filter_pictures.py [FOLDER]      (default: res/icons beside this script's folder)
"""
import math
import os
import struct
import sys

W, H = 112, 88
WHITE = (255, 255, 255)
FILL = (160, 164, 170)
EDGE = (32, 32, 40)
DIMENSION = (0, 70, 170)


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def rotate(points, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


def i_section(cx, cy, h, b, t):
    top, bottom, l, r = cy - h / 2, cy + h / 2, cx - b / 2, cx + b / 2
    return [(l, top), (r, top), (r, top + t), (cx + t / 2, top + t), (cx + t / 2, bottom - t), (r, bottom - t),
            (r, bottom), (l, bottom), (l, bottom - t), (cx - t / 2, bottom - t), (cx - t / 2, top + t),
            (l, top + t)]


class Picture:
    def __init__(self):
        self.pixels = [[WHITE] * W for _ in range(H)]

    def polygon(self, points):
        inside = [[False] * W for _ in range(H)]
        for y in range(H):
            for x in range(W):
                px, py, odd = x + 0.5, y + 0.5, False
                for i in range(len(points)):
                    (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
                    if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                        odd = not odd
                inside[y][x] = odd
        for y in range(H):
            for x in range(W):
                if inside[y][x]:
                    edge = any(not (0 <= y + dy < H and 0 <= x + dx < W and inside[y + dy][x + dx])
                               for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                    self.pixels[y][x] = EDGE if edge else FILL

    def line(self, x0, y0, x1, y1, colour=DIMENSION, dashed=False):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            if dashed and (i // 4) % 2:
                continue
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            if 0 <= x < W and 0 <= y < H:
                self.pixels[y][x] = colour

    def arrow(self, x0, y0, x1, y1):
        # A dimension line with a head at both ends.
        self.line(x0, y0, x1, y1)
        length = math.hypot(x1 - x0, y1 - y0)
        ux, uy = (x1 - x0) / length, (y1 - y0) / length
        for (px, py, sx) in ((x0, y0, 1), (x1, y1, -1)):
            for side in (-1, 1):
                self.line(px, py, px + sx * 5 * ux - side * 3 * uy, py + sx * 5 * uy + side * 3 * ux)

    def arc(self, cx, cy, r, start, end):
        for i in range(int(abs(end - start)) * 2 + 1):
            a = math.radians(start + (end - start) * i / (abs(end - start) * 2))
            x, y = round(cx + r * math.cos(a)), round(cy + r * math.sin(a))
            if 0 <= x < W and 0 <= y < H:
                self.pixels[y][x] = DIMENSION

    def bmp(self):
        row_bytes = (W * 3 + 3) & ~3
        data = b""
        for y in reversed(range(H)):
            row = b"".join(struct.pack("BBB", b, g, r) for r, g, b in self.pixels[y])
            data += row + b"\0" * (row_bytes - W * 3)
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + data


def angle180():
    p = Picture()
    p.polygon(rect(6, 36, 52, 50))
    p.polygon(rect(60, 36, 106, 50))
    p.line(2, 43, 110, 43, dashed=True)
    p.arc(56, 43, 20, 180, 360)
    return p


def angle90():
    p = Picture()
    p.polygon(rect(10, 58, 96, 72))
    p.polygon(rect(26, 8, 40, 58))
    p.line(33, 4, 33, 84, dashed=True)
    p.line(4, 65, 108, 65, dashed=True)
    p.line(46, 58, 46, 52)
    p.line(46, 52, 40, 52)
    return p


def section_angle():
    p = Picture()
    p.polygon(rotate(i_section(56, 44, 50, 36, 8), 56, 44, 30))
    p.arc(56, 44, 38, 200, 320)
    p.line(56, 4, 56, 84, dashed=True)
    return p


def path_distance():
    p = Picture()
    p.polygon(rect(8, 10, 22, 78))
    p.polygon(rect(90, 10, 104, 78))
    p.line(22, 44, 90, 44, dashed=True)
    p.arrow(23, 30, 89, 30)
    return p


def section_size():
    p = Picture()
    p.polygon(i_section(46, 44, 64, 44, 9))
    p.line(70, 12, 96, 12)
    p.line(70, 76, 96, 76)
    p.arrow(90, 13, 90, 75)
    return p


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "icons")
    os.makedirs(folder, exist_ok=True)
    for name, make in (("MacroFilterAngle180", angle180), ("MacroFilterAngle90", angle90),
                       ("MacroFilterSectionAngle", section_angle), ("MacroFilterPathDistance", path_distance),
                       ("MacroFilterSectionSize", section_size)):
        with open(os.path.join(folder, name + ".bmp"), "wb") as out:
            out.write(make().bmp())


if __name__ == "__main__":
    main()
