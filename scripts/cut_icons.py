#!/usr/bin/env python3
"""Draws the cut pictures of the installation's icons/ folder (the six kinds of cut the macro cuts
dialog offers, 16 x 16, 24-bit BMP named as the dialog looks them up).

Each picture is a set of closed outlines in a unit square (y downwards) with a colour; a pixel takes the
colour of the last outline its centre lies in, and the edge pixels of each shape are drawn darker.

    scripts/cut_icons.py [ICONS_FOLDER]
        (default: res/icons beside this script's folder)
"""
import math
import os
import struct
import sys

WHITE = (255, 255, 255)
STEEL = (160, 164, 170)
PLATE = (96, 120, 160)
CUT = (200, 40, 40)
SIZE = 16


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def inside(poly, x, y):
    hit = False
    n = len(poly)
    for i in range(n):
        (ax, ay), (bx, by) = poly[i], poly[(i + 1) % n]
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            hit = not hit
    return hit


def darker(colour):
    return tuple(max(0, c // 2) for c in colour)


def render(shapes, background=WHITE, lines=()):
    pixels = [[background] * SIZE for _ in range(SIZE)]
    owner = [[-1] * SIZE for _ in range(SIZE)]
    for index, (colour, poly) in enumerate(shapes):
        for py in range(SIZE):
            for px in range(SIZE):
                if inside(poly, (px + 0.5) / SIZE, (py + 0.5) / SIZE):
                    pixels[py][px] = colour
                    owner[py][px] = index
    for py in range(SIZE):
        for px in range(SIZE):
            o = owner[py][px]
            if o < 0:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = px + dx, py + dy
                if not (0 <= nx < SIZE and 0 <= ny < SIZE) or owner[ny][nx] != o:
                    pixels[py][px] = darker(shapes[o][0])
                    break
    for colour, points in lines:
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            steps = SIZE * 2
            for s in range(steps + 1):
                t = s / steps
                px = min(SIZE - 1, int((ax + (bx - ax) * t) * SIZE))
                py = min(SIZE - 1, int((ay + (by - ay) * t) * SIZE))
                pixels[py][px] = colour
    return pixels


def write_bmp(path, pixels):
    row_size = (SIZE * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_size - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def beam(x0, x1):
    # A beam seen from the side: its two flanges and the web between them.
    return [(STEEL, rect(x0, 0.25, x1, 0.75))]


def pictures():
    plate = (PLATE, rect(0.68, 0.06, 0.82, 0.94))
    column = (STEEL, rect(0.62, 0.0, 1.0, 1.0))
    yield "CutProfvsPlate.bmp", render(beam(0.0, 0.62) + [plate], lines=[(CUT, [(0.64, 0.1), (0.64, 0.9)])])
    notched = [(STEEL, [(0.0, 0.25), (0.56, 0.25), (0.56, 0.4), (0.6, 0.4), (0.6, 0.75), (0.0, 0.75)])]
    yield "CutProfvsProf.bmp", render([column] + notched, lines=[(CUT, [(0.56, 0.12), (0.56, 0.88)])])
    outer = (STEEL, rect(0.06, 0.06, 0.94, 0.94))
    hole = (WHITE, rect(0.22, 0.22, 0.78, 0.78))
    inner = (PLATE, rect(0.34, 0.34, 0.66, 0.66))
    yield "CutProfinProf.bmp", render([outer, hole, inner])
    stepped = [(STEEL, [(0.0, 0.2), (0.5, 0.2), (0.5, 0.38), (0.62, 0.38), (0.62, 0.62), (0.5, 0.62),
                        (0.5, 0.8), (0.0, 0.8)])]
    yield "CutProfvsProf3Segments.bmp", render([(STEEL, rect(0.7, 0.0, 1.0, 1.0))] + stepped)
    chamfered = [(PLATE, [(0.1, 0.15), (0.55, 0.15), (0.9, 0.5), (0.9, 0.9), (0.1, 0.9)])]
    yield "CutChamfer.bmp", render(chamfered, lines=[(CUT, [(0.6, 0.06), (1.0, 0.46)])])
    arc = [(0.1 + 0.4 + 0.4 * math.sin(a * math.pi / 16), 0.55 - 0.4 * math.cos(a * math.pi / 16))
           for a in range(0, 9)]
    fillet = [(PLATE, [(0.1, 0.15)] + arc + [(0.9, 0.9), (0.1, 0.9)])]
    yield "CutFillet.bmp", render(fillet)



def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "icons")
    os.makedirs(icons, exist_ok=True)
    for name, pixels in pictures():
        write_bmp(os.path.join(icons, name), pixels)


if __name__ == "__main__":
    main()
