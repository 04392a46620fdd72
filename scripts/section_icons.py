#!/usr/bin/env python3
"""Draws the section pictures of the installation's icons/ folder: one outline per standard section
type, in a big (48 x 48) and a small (16 x 16) size, as 24-bit BMP files named as the program looks them
up ("ProfSectionI-big.bmp"), and the "Unknown" picture shown for anything else.

Each section is a set of closed outlines in a unit square (y downwards); a pixel is inside when its
centre lies inside an odd number of outlines, so a tube is its outer outline plus its inner one. The
inside is filled steel grey and its edge pixels drawn dark, on white.

    scripts/section_icons.py [FOLDER]      (default: res/icons beside this script's folder)
"""
import math
import os
import struct
import sys

WHITE = (255, 255, 255)
FILL = (160, 164, 170)
EDGE = (32, 32, 40)


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def circle(cx, cy, r, n=64):
    return [(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n)) for i in range(n)]


def i_shape(flange=0.5, web=0.12, tf=0.13, height=0.8):
    # A rolled I: two flanges joined by a web, symmetric about both axes.
    l, r = 0.5 - flange / 2, 0.5 + flange / 2
    wl, wr = 0.5 - web / 2, 0.5 + web / 2
    top, bottom = 0.5 - height / 2, 0.5 + height / 2
    return [[(l, top), (r, top), (r, top + tf), (wr, top + tf), (wr, bottom - tf), (r, bottom - tf),
             (r, bottom), (l, bottom), (l, bottom - tf), (wl, bottom - tf), (wl, top + tf), (l, top + tf)]]


def u_shape():
    # A channel opening to the right: the web on the left, two flanges.
    l, r, top, bottom, t, tf = 0.22, 0.78, 0.1, 0.9, 0.13, 0.13
    return [[(l, top), (r, top), (r, top + tf), (l + t, top + tf), (l + t, bottom - tf), (r, bottom - tf),
             (r, bottom), (l, bottom)]]


def c_shape():
    # A cold-formed C: a channel with lips turned in at the flange tips.
    l, r, top, bottom, t, lip = 0.22, 0.78, 0.1, 0.9, 0.1, 0.2
    return [[(l, top), (r, top), (r, top + lip), (r - t, top + lip), (r - t, top + t), (l + t, top + t),
             (l + t, bottom - t), (r - t, bottom - t), (r - t, bottom - lip), (r, bottom - lip), (r, bottom),
             (l, bottom)]]


def l_shape():
    # An angle: a vertical and a horizontal leg meeting at the bottom left.
    l, r, top, bottom, t = 0.15, 0.85, 0.1, 0.9, 0.15
    return [[(l, top), (l + t, top), (l + t, bottom - t), (r, bottom - t), (r, bottom), (l, bottom)]]


def t_shape():
    # A tee: a flange on top, the stem down the middle.
    l, r, top, bottom, tf, web = 0.12, 0.88, 0.1, 0.9, 0.15, 0.15
    wl, wr = 0.5 - web / 2, 0.5 + web / 2
    return [[(l, top), (r, top), (r, top + tf), (wr, top + tf), (wr, bottom), (wl, bottom), (wl, top + tf),
             (l, top + tf)]]


def z_shape():
    l, r, top, bottom, t = 0.15, 0.85, 0.1, 0.9, 0.13
    wl, wr = 0.5 - t / 2, 0.5 + t / 2
    return [[(wl, top), (r, top), (r, top + t), (wr, top + t), (wr, bottom), (l, bottom), (l, bottom - t),
             (wl, bottom - t)]]


SECTIONS = {
    "ProfSectionI": i_shape(),                                      # I beam
    "ProfSectionHL": i_shape(flange=0.8, web=0.12, tf=0.14, height=0.76),  # H: flanges as wide as it is high
    "ProfSectionCL": l_shape(),                                     # L angle
    "ProfSectionCU": u_shape(),                                     # U channel
    "ProfSectionC": c_shape(),                                      # lipped C
    "ProfSectionT": t_shape(),                                      # T
    "ProfSectionZ": z_shape(),                                      # Z
    "ProfSectionRect": [rect(0.1, 0.36, 0.9, 0.64)],                # flat bar
    "ProfSectionRound": [circle(0.5, 0.5, 0.4)],                    # round bar
    "ProfSectionRectTube": [rect(0.15, 0.1, 0.85, 0.9), rect(0.27, 0.22, 0.73, 0.78)],  # tube
    "ProfSectionRoundTube": [circle(0.5, 0.5, 0.42), circle(0.5, 0.5, 0.3)],             # pipe
    # Unknown: a hollow square with a bar across, plainly no section.
    "Unknown": [rect(0.15, 0.15, 0.85, 0.85), rect(0.25, 0.25, 0.75, 0.75), rect(0.25, 0.46, 0.75, 0.54)],
}


def inside(polygons, x, y):
    crossings = 0
    for poly in polygons:
        n = len(poly)
        for i in range(n):
            (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                crossings += 1
    return crossings % 2 == 1


def draw(polygons, size):
    filled = [[inside(polygons, (x + 0.5) / size, (y + 0.5) / size) for x in range(size)] for y in range(size)]
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            if not filled[y][x]:
                row.append(WHITE)
                continue
            edge = any(not (0 <= x + dx < size and 0 <= y + dy < size and filled[y + dy][x + dx])
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            row.append(EDGE if edge else FILL)
        pixels.append(row)
    return pixels


def bmp(pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "icons")
    os.makedirs(folder, exist_ok=True)
    for name, polygons in sorted(SECTIONS.items()):
        for suffix, size in (("big", 48), ("small", 16)):
            path = os.path.join(folder, f"{name}-{suffix}.bmp")
            with open(path + ".tmp", "wb") as out:
                out.write(bmp(draw(polygons, size)))
            os.replace(path + ".tmp", path)
    print(f"{2 * len(SECTIONS)} pictures written to {folder}")


if __name__ == "__main__":
    main()
