#!/usr/bin/env python3
"""Writes the small BMP files the GDI tests read. Every file shows the same 3 x 2 picture:
top row red, green, blue; bottom row white, black, yellow (1-bit files: the colours map to black and
white by the picture's own palette). Run it here to regenerate; the outputs are committed."""
import struct

PIXELS = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)],
          [(255, 255, 255), (0, 0, 0), (255, 255, 0)]]
W, H = 3, 2


def file_header(offset, size):
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset)


def info_header(width, height, bits, compression=0, colors=0, size=40):
    head = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, 0, 2835, 2835, colors, 0)
    return head + b"\0" * (size - 40)


def rows(top_down, encode_row, bits):
    stride = ((W * bits + 31) // 32) * 4
    order = range(H) if top_down else reversed(range(H))
    out = b""
    for y in order:
        row = encode_row(PIXELS[y])
        out += row + b"\0" * (stride - len(row))
    return out


def write(name, header, palette, data):
    offset = 14 + len(header) + len(palette)
    with open(name, "wb") as f:
        f.write(file_header(offset, offset + len(data)) + header + palette + data)


def rgb24(row):
    return b"".join(bytes((b, g, r)) for r, g, b in row)


def rgb32(row):
    return b"".join(bytes((b, g, r, 0xFF)) for r, g, b in row)


write("rgb24.bmp", info_header(W, H, 24), b"", rows(False, rgb24, 24))
write("rgb24_topdown.bmp", info_header(W, -H, 24), b"", rows(True, rgb24, 24))
write("rgb32.bmp", info_header(W, H, 32), b"", rows(False, rgb32, 32))
write("rgb32_v5.bmp", info_header(W, H, 32, size=124), b"", rows(False, rgb32, 32))

# 16 bits, 5-6-5 bit fields.
def rgb565(row):
    return b"".join(struct.pack("<H", ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)) for r, g, b in row)
masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
write("rgb16_565.bmp", info_header(W, H, 16, compression=3), masks, rows(False, rgb565, 16))

COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0), (255, 255, 0)]
palette = b"".join(bytes((b, g, r, 0)) for r, g, b in COLOURS)

def pal8(row):
    return bytes(COLOURS.index(p) for p in row)
write("pal8.bmp", info_header(W, H, 8, colors=len(COLOURS)), palette, rows(False, pal8, 8))

def pal4(row):
    idx = [COLOURS.index(p) for p in row] + [0]
    return bytes((idx[0] << 4 | idx[1], idx[2] << 4))
write("pal4.bmp", info_header(W, H, 4, colors=len(COLOURS)), palette, rows(False, pal4, 4))

# 8-bit with the old 12-byte core header and 3-byte palette entries.
core = struct.pack("<IHHHH", 12, W, H, 1, 8)
core_palette = b"".join(bytes((b, g, r)) for r, g, b in COLOURS) + b"\0\0\0" * (256 - len(COLOURS))
write("pal8_core.bmp", core, core_palette, rows(False, pal8, 8))

# 1 bit: palette entry 0 is black, 1 is white; every non-black pixel is white.
def mono(row):
    bits = 0
    for i, p in enumerate(row):
        if p != (0, 0, 0):
            bits |= 0x80 >> i
    return bytes((bits,))
write("mono1.bmp", info_header(W, H, 1, colors=2), bytes((0, 0, 0, 0, 255, 255, 255, 0)), rows(False, mono, 1))
