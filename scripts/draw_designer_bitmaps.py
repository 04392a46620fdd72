#!/usr/bin/env python3
"""Draws the dialog designer's pictures: the tool-button icons of the designer window
(res/module/bitmaps/designer_*.bmp) and the bundled dialog templates with their bitmaps
(examples/library/Dialog Templates/Dialog Design/). The template drawings are to scale from the
example macros' values, so a change of a value here is a change of the picture.

Run from anywhere: python3 scripts/draw_designer_bitmaps.py
"""
import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICONS = os.path.join(ROOT, "res", "module", "bitmaps")
TEMPLATES = os.path.join(ROOT, "examples", "library", "Dialog Templates", "Dialog Design")

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
LIGHT = (192, 192, 192)
STEEL = (206, 216, 228)
DIM = (0, 0, 160)
MAGENTA = (255, 0, 255)  # transparent colour of the icons (their bottom-left pixel)


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(int(round(top)), int(round(bottom))):
            for x in range(int(round(left)), int(round(right))):
                self.set(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, dash=0):
        x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        error, step = dx + dy, 0
        while True:
            if not dash or (step // dash) % 2 == 0:
                self.set(x0, y0, colour)
            step += 1
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * error
            if e2 >= dy:
                error += dy
                x0 += sx
            if e2 <= dx:
                error += dx
                y0 += sy

    def frame(self, left, top, right, bottom, colour, dash=0):
        r, b = right - 1, bottom - 1
        self.line(left, top, r, top, colour, dash)
        self.line(r, top, r, b, colour, dash)
        self.line(r, b, left, b, colour, dash)
        self.line(left, b, left, top, colour, dash)

    def disc(self, cx, cy, radius, colour):
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.set(x, y, colour)

    def circle(self, cx, cy, radius, colour):
        steps = max(16, int(radius * 8))
        for i in range(steps):
            a = 2 * math.pi * i / steps
            self.set(cx + radius * math.cos(a) - 0.5, cy + radius * math.sin(a) - 0.5, colour)

    def arrow(self, x, y, dx, dy, colour, size=5):
        """An arrowhead with its tip at (x, y) pointing along (dx, dy)."""
        for i in range(size):
            half = i * 0.45
            bx, by = x - dx * i, y - dy * i
            self.line(bx - dy * half, by - dx * half, bx + dy * half, by + dx * half, colour)

    def save(self, path):
        colours = sorted({colour for row in self.pixels for colour in row})
        if len(colours) <= 256 and self.width * self.height > 1024:
            self.save_paletted(path, colours)
            return
        row_bytes = (self.width * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for (r, g, b) in self.pixels[y]:
                row += bytes((b, g, r))
            row += b"\0" * (row_bytes - len(row))
            data += row
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + data)


    def save_paletted(self, path, colours):
        """8 bits per pixel: the pictures hold a handful of colours."""
        index = {colour: i for i, colour in enumerate(colours)}
        row_bytes = (self.width + 3) & ~3
        data = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray(index[colour] for colour in self.pixels[y])
            row += b"\0" * (row_bytes - len(row))
            data += row
        palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
        offset = 54 + len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, len(data), 2835, 2835,
                           len(colours), 0)
        with open(path, "wb") as f:
            f.write(header + info + palette + data)


def horizontal_dimension(c, x0, x1, y, from_y):
    """A dimension line at height y between x0 and x1, with extension lines from from_y."""
    for x in (x0, x1):
        c.line(x, from_y, x, y + (3 if y > from_y else -3), DIM)
    c.line(x0, y, x1, y, DIM)
    c.arrow(x0, y, -1, 0, DIM)
    c.arrow(x1, y, 1, 0, DIM)


def vertical_dimension(c, y0, y1, x, from_x):
    for y in (y0, y1):
        c.line(from_x, y, x + (3 if x > from_x else -3), y, DIM)
    c.line(x, y0, x, y1, DIM)
    c.arrow(x, y0, 0, -1, DIM)
    c.arrow(x, y1, 0, 1, DIM)


# ---------------------------------------------------------------------------------------------- icons

def icon(draw):
    c = Canvas(16, 16, MAGENTA)
    draw(c)
    return c


def draw_dialog(c):
    c.fill(1, 2, 15, 14, (236, 233, 216))
    c.fill(1, 2, 15, 5, (10, 36, 106))
    c.frame(1, 2, 15, 14, BLACK)
    c.fill(3, 7, 9, 10, WHITE)
    c.frame(3, 7, 9, 10, GREY)
    c.fill(10, 11, 14, 13, LIGHT)


def draw_open(c):
    c.fill(1, 5, 14, 14, (255, 214, 90))
    c.fill(1, 3, 6, 5, (255, 214, 90))
    c.frame(1, 3, 6, 6, (128, 96, 0))
    c.frame(1, 5, 14, 14, (128, 96, 0))
    c.fill(3, 8, 16, 14, (255, 236, 150))
    c.line(3, 8, 15, 8, (128, 96, 0))
    c.line(3, 8, 1, 13, (128, 96, 0))


def draw_save(c):
    c.fill(1, 1, 15, 15, (40, 60, 140))
    c.fill(4, 1, 12, 6, WHITE)
    c.fill(4, 9, 12, 15, LIGHT)
    c.fill(9, 10, 11, 14, (40, 60, 140))
    c.frame(1, 1, 15, 15, BLACK)


def draw_add(c):
    c.fill(1, 5, 12, 12, WHITE)
    c.frame(1, 5, 12, 12, GREY)
    c.line(3, 7, 3, 9, BLACK)
    c.fill(11, 1, 13, 8, (0, 128, 0))
    c.fill(9, 3, 16, 6, (0, 128, 0))
    c.fill(11, 3, 13, 6, (0, 160, 0))


def draw_remove(c):
    red = (200, 0, 0)
    for i in range(11):
        c.fill(2 + i, 2 + i, 5 + i, 3 + i, red)
        c.fill(11 - i, 2 + i, 14 - i, 3 + i, red)


def draw_bitmap(c):
    c.fill(1, 2, 15, 14, (170, 210, 255))
    c.disc(11, 5.5, 2, (255, 200, 0))
    for x in range(1, 15):
        top = 13 - min(abs(x - 5), 6) if x < 10 else 13 - min(abs(x - 12), 3) - 2
        c.fill(x, max(top, 6), x + 1, 14, (60, 140, 60))
    c.frame(1, 2, 15, 14, BLACK)


def draw_width(c):
    c.line(1, 3, 1, 12, BLACK)
    c.line(14, 3, 14, 12, BLACK)
    c.line(2, 8, 13, 8, BLACK)
    c.arrow(2, 8, -1, 0, BLACK, 4)
    c.arrow(13, 8, 1, 0, BLACK, 4)


def draw_height(c):
    c.line(3, 1, 12, 1, BLACK)
    c.line(3, 14, 12, 14, BLACK)
    c.line(8, 2, 8, 13, BLACK)
    c.arrow(8, 2, 0, -1, BLACK, 4)
    c.arrow(8, 13, 0, 1, BLACK, 4)


def draw_copy(c):
    for (x, y) in ((1, 1), (6, 5)):
        c.fill(x, y, x + 9, y + 10, WHITE)
        c.frame(x, y, x + 9, y + 10, BLACK)
        for row in range(y + 3, y + 9, 2):
            c.line(x + 2, row, x + 6, row, GREY)


def draw_flex(c):
    # A bolt seen from its end: hexagon head with the shank's circle.
    cx, cy = 7.5, 8
    points = [(cx + 6.5 * math.cos(math.pi / 3 * i), cy + 6.5 * math.sin(math.pi / 3 * i)) for i in range(6)]
    for y in range(16):
        for x in range(16):
            inside = all(((points[(i + 1) % 6][0] - points[i][0]) * (y + 0.5 - points[i][1]) -
                          (points[(i + 1) % 6][1] - points[i][1]) * (x + 0.5 - points[i][0])) >= 0
                         for i in range(6))
            if inside:
                c.set(x, y, STEEL)
    for i in range(6):
        c.line(*points[i], *points[(i + 1) % 6], (60, 60, 60))
    c.circle(cx + 0.5, cy + 0.5, 3.2, (60, 60, 60))


ICON_FILES = {
    "designer_dialog.bmp": draw_dialog,
    "designer_open.bmp": draw_open,
    "designer_save.bmp": draw_save,
    "designer_add.bmp": draw_add,
    "designer_remove.bmp": draw_remove,
    "designer_bitmap.bmp": draw_bitmap,
    "designer_width.bmp": draw_width,
    "designer_height.bmp": draw_height,
    "designer_copy.bmp": draw_copy,
    "designer_flex.bmp": draw_flex,
}

# ---------------------------------------------------------------------------------------------- templates


def number(value):
    """A double as the core's properties list writes it (shortest form that reads back the same)."""
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def write_template(name, width, height, controls):
    """controls: (type, (left, top, right, bottom) in pixels, contents, list)."""
    lines = ["Mx_PropertiesList 1", "nrOfControls\tint\t%d" % len(controls)]
    for i, (kind, (left, top, right, bottom), contents, combo_list) in enumerate(controls):
        lines.append("type%d\tint\t%d" % (i, kind))
        lines.append("topLeftX%d\tdouble\t%s" % (i, number(left / width)))
        lines.append("topLeftY%d\tdouble\t%s" % (i, number(top / height)))
        lines.append("bottomRightX%d\tdouble\t%s" % (i, number(right / width)))
        lines.append("bottomRightY%d\tdouble\t%s" % (i, number(bottom / height)))
        lines.append("contents%d\tstring\t%s" % (i, contents))
        lines.append("comboList%d\tstring\t%s" % (i, combo_list))
    with open(os.path.join(TEMPLATES, name + ".txt"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def end_plate():
    """The end plate of EndPlateBeamToColumn: 200 x 380 x 15, bolts 4 x 2 at pitch 90, gauge 120, edge 40."""
    scale = 0.75  # pixels per millimetre
    width_mm, height_mm, thickness_mm = 200, 380, 15
    edge_mm, gauge_mm, pitch_mm, rows, hole_mm = 40, 120, 90, 4, 22
    beam_depth_mm, flange_mm, top_extension_mm = 300, 150, 40
    c = Canvas(420, 370, WHITE)
    left, top = 60, 40
    right, bottom = left + width_mm * scale, top + height_mm * scale
    c.fill(left, top, right, bottom, STEEL)
    # The beam behind the plate, dashed: flanges and web of its section.
    beam_top = top + top_extension_mm * scale
    beam_bottom = beam_top + beam_depth_mm * scale
    centre = (left + right) / 2
    half = flange_mm * scale / 2
    for y in (beam_top, beam_bottom):
        c.line(centre - half, y, centre + half, y, GREY, 3)
    c.line(centre - 3, beam_top, centre - 3, beam_bottom, GREY, 3)
    c.line(centre + 3, beam_top, centre + 3, beam_bottom, GREY, 3)
    c.frame(left, top, right + 1, bottom + 1, BLACK)
    column_x = [left + (width_mm - gauge_mm) / 2 * scale, left + (width_mm + gauge_mm) / 2 * scale]
    row_y = [top + (edge_mm + i * pitch_mm) * scale for i in range(rows)]
    for x in column_x:
        for y in row_y:
            c.disc(x, y, hole_mm * scale / 2, WHITE)
            c.circle(x, y, hole_mm * scale / 2, BLACK)
            c.line(x - 9, y, x + 9, y, GREY, 2)
            c.line(x, y - 9, x, y + 9, GREY, 2)
    # Side view: the plate's thickness with the beam's flanges leaving it.
    side = 330
    c.fill(side, top, side + thickness_mm * scale, bottom, STEEL)
    c.frame(side, top, side + thickness_mm * scale + 1, bottom + 1, BLACK)
    for y in (beam_top, beam_bottom):
        c.line(side + thickness_mm * scale + 1, y, 414, y, BLACK)
    for y in row_y:
        c.line(side - 4, y, side + thickness_mm * scale + 4, y, GREY, 2)
    # Dimensions.
    horizontal_dimension(c, left, right, 350, bottom + 2)
    vertical_dimension(c, top, bottom, 30, left - 2)
    horizontal_dimension(c, column_x[0], column_x[1], 22, row_y[0] - 10)
    vertical_dimension(c, top, row_y[0], 235, right + 2)
    vertical_dimension(c, row_y[0], row_y[1], 235, column_x[1] + 10)
    horizontal_dimension(c, side, side + thickness_mm * scale, 22, top - 2)
    c.save(os.path.join(TEMPLATES, "End Plate.bmp"))
    write_template("End Plate", 420, 370, [
        (0, (4, 2, 70, 16), "End plate", ""),
        (2, (110, 341, 160, 359), "Width", ""),
        (2, (6, 173, 54, 191), "Height", ""),
        (2, (110, 13, 160, 31), "Gauge", ""),
        (2, (241, 46, 315, 64), "EdgeDistance", ""),
        (2, (241, 95, 315, 113), "Pitch", ""),
        (2, (345, 13, 412, 31), "Thickness", ""),
        # The labels of the bolt counts belong to the bolt layout: a page of a tab without its
        # pitch and gauge shows them empty.
        (0, (276, 233, 326, 247), "Rows", "Pitch"),
        (4, (241, 230, 271, 248), "4", ""),
        (0, (276, 259, 326, 273), "Columns", "Gauge"),
        (5, (241, 256, 271, 274), "2", ""),
    ])


def bolt_assembly():
    """An M20 bolt through plates of 15 and 20, side view at 2.5 pixels per millimetre: which washers and
    nuts the bolt gets is chosen with the flex buttons, each tied to its part by a leader line."""
    scale = 2.5
    c = Canvas(420, 260, WHITE)
    axis = 100
    head_mm, across_mm, washer_mm, washer_od_mm, nut_mm, shank_mm = 13, 30, 3, 37, 16, 20
    plates_mm = (15, 20)
    x = 60

    def part(length_mm, height_mm, colour):
        nonlocal x
        left, right = x, x + length_mm * scale
        c.fill(left, axis - height_mm * scale / 2, right, axis + height_mm * scale / 2, colour)
        c.frame(left, axis - height_mm * scale / 2, right + 1, axis + height_mm * scale / 2 + 1, BLACK)
        x = right
        return (left + right) / 2

    head = part(head_mm, across_mm, STEEL)
    under_head = part(washer_mm, washer_od_mm, LIGHT)
    plate_left = x
    for thickness in plates_mm:
        left, right = x, x + thickness * scale
        c.fill(left, 15, right, 185, (232, 232, 232))
        c.frame(left, 15, right + 1, 186, BLACK)
        x = right
    # The shank inside the plates, hidden.
    for y in (axis - shank_mm * scale / 2, axis + shank_mm * scale / 2):
        c.line(plate_left, y, x, y, GREY, 3)
    under_nut = part(washer_mm, washer_od_mm, LIGHT)
    nut = part(nut_mm, across_mm, STEEL)
    second = x + nut_mm * scale / 2
    c.frame(x, axis - across_mm * scale / 2, x + nut_mm * scale + 1, axis + across_mm * scale / 2 + 1, GREY, 2)
    # The shank's end beyond the nut, and the axis.
    end = x + 6 * scale
    c.fill(x, axis - shank_mm * scale / 2, end, axis + shank_mm * scale / 2, STEEL)
    c.frame(x, axis - shank_mm * scale / 2, end + 1, axis + shank_mm * scale / 2 + 1, BLACK)
    c.line(40, axis, 290, axis, DIM, 6)

    # Flex buttons in two rows below the drawing, washers in the lower one, with leaders to their parts.
    rows = (200, 230)

    def button(centre, row, part_height_mm):
        c.line(centre, axis + part_height_mm * scale / 2 + 2, centre, rows[row] - 2, GREY, 2)
        return (int(round(centre - 12)), rows[row], int(round(centre + 12)), rows[row] + 24)

    controls = [
        (0, (4, 2, 90, 16), "Bolt assembly", ""),
        (30, button(head, 0, across_mm), "BoltHead", "BoltParts;Head;;"),
        (30, button(under_head, 1, washer_od_mm), "WasherUnderHead", "BoltParts;Washer;Head;"),
        (30, button(under_nut, 1, washer_od_mm), "WasherUnderNut", "BoltParts;Washer;Nut;"),
        (30, button(nut, 0, across_mm), "Nut", "BoltParts;Nut;;"),
        (30, button(second, 0, across_mm), "SecondNut", "BoltParts;Nut;Second;"),
        (0, (310, 22, 390, 36), "Diameter", ""),
        (2, (310, 40, 390, 58), "BoltDiameter", ""),
        (29, (310, 70, 414, 86), "Pretensioned", "0"),
    ]
    c.save(os.path.join(TEMPLATES, "Bolt Assembly.bmp"))
    write_template("Bolt Assembly", 420, 260, controls)


def main():
    os.makedirs(ICONS, exist_ok=True)
    os.makedirs(TEMPLATES, exist_ok=True)
    for name, draw in ICON_FILES.items():
        icon(draw).save(os.path.join(ICONS, name))
    end_plate()
    bolt_assembly()


if __name__ == "__main__":
    main()
