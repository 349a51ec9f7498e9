#!/usr/bin/env python3
"""Draws the program's artwork: the icon group (a treasure chest of archives, 32-bit images of 16, 32,
48, 64 and 128 pixels) and the About picture (127 x 113, 24-bit). Pure Python, no imaging library,
so that a fresh build machine needs nothing beyond python3.

    make_art.py icon OUT.ico
    make_art.py about OUT.bmp
    make_art.py toolbar FOLDER        one 16 x 16 icon per toolbar button, FOLDER/btnNew.ico and so on
"""
import math
import os
import struct
import sys

SUPERSAMPLE = 4


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


class Canvas:
    """A straight-alpha RGBA canvas drawn at SUPERSAMPLE x resolution and averaged down."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.w, self.h = width * SUPERSAMPLE, height * SUPERSAMPLE
        self.width, self.height = width, height
        self.px = [list(background) for _ in range(self.w * self.h)]

    def _blend(self, i, colour):
        r, g, b, a = colour
        if a == 255:
            self.px[i] = [r, g, b, 255]
            return
        dst = self.px[i]
        out_a = a + dst[3] * (255 - a) / 255
        if out_a == 0:
            return
        for c in range(3):
            dst[c] = (colour[c] * a + dst[c] * dst[3] * (255 - a) / 255) / out_a
        dst[3] = out_a

    def fill(self, inside, shade):
        """Paints every sample (in unit coordinates 0..1) where inside(x, y) holds with shade(x, y)."""
        for sy in range(self.h):
            y = (sy + 0.5) / self.h
            row = sy * self.w
            for sx in range(self.w):
                x = (sx + 0.5) / self.w
                if inside(x, y):
                    self._blend(row + sx, shade(x, y))

    def pixels(self):
        """Averaged RGBA rows, top row first."""
        n = SUPERSAMPLE * SUPERSAMPLE
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for dy in range(SUPERSAMPLE):
                    for dx in range(SUPERSAMPLE):
                        p = self.px[(y * SUPERSAMPLE + dy) * self.w + x * SUPERSAMPLE + dx]
                        for c in range(3):
                            acc[c] += p[c] * p[3]
                        acc[3] += p[3]
                a = acc[3] / n
                if acc[3] > 0:
                    row.append(tuple(int(round(acc[c] / acc[3])) for c in range(3)) + (int(round(a)),))
                else:
                    row.append((0, 0, 0, 0))
            rows.append(row)
        return rows


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def vertical(top, bottom, y0, y1):
    return lambda x, y: lerp(top, bottom, min(max((y - y0) / (y1 - y0), 0.0), 1.0)) + (255,)


def solid(colour):
    return lambda x, y: tuple(colour) + (255,)


def draw_chest(canvas):
    wood_light, wood_dark = (196, 120, 52), (110, 56, 22)
    gold_light, gold_dark = (255, 226, 120), (190, 130, 20)
    seal = (200, 30, 36)
    # Shadow, body, lid.
    canvas.fill(rounded_rect(0.08, 0.18, 0.96, 0.96, 0.10), lambda x, y: (0, 0, 0, 60))
    canvas.fill(rounded_rect(0.05, 0.40, 0.93, 0.92, 0.07), vertical(wood_light, wood_dark, 0.40, 0.92))
    canvas.fill(rounded_rect(0.05, 0.12, 0.93, 0.44, 0.12), vertical((222, 150, 70), wood_light, 0.12, 0.44))
    # Gold bands and rim.
    for x0 in (0.20, 0.70):
        canvas.fill(lambda x, y, x0=x0: x0 <= x <= x0 + 0.09 and 0.13 <= y <= 0.91,
                    vertical(gold_light, gold_dark, 0.13, 0.91))
    canvas.fill(lambda x, y: 0.05 <= x <= 0.93 and 0.40 <= y <= 0.47, vertical(gold_light, gold_dark, 0.40, 0.47))
    # The red seal with its keyhole.
    canvas.fill(circle(0.49, 0.56, 0.135), vertical((236, 70, 60), seal, 0.42, 0.70))
    canvas.fill(circle(0.49, 0.53, 0.035), solid((255, 236, 180)))
    canvas.fill(lambda x, y: abs(x - 0.49) <= 0.018 and 0.53 <= y <= 0.63, solid((255, 236, 180)))


def icon_image(size, draw=draw_chest):
    canvas = Canvas(size, size)
    draw(canvas)
    rows = canvas.pixels()
    # BITMAPINFOHEADER with doubled height (colour + mask), 32 bpp, bottom-up BGRA, then the AND mask.
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + mask


def write_icon(path, sizes=(16, 32, 48, 64, 128), draw=draw_chest):
    images = [icon_image(s, draw) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


def write_about(path):
    width, height = 127, 113
    canvas = Canvas(width, height, (0, 0, 0, 255))
    canvas.fill(lambda x, y: True, vertical((250, 226, 170), (214, 120, 60), 0.0, 0.75))
    canvas.fill(circle(0.70, 0.40, 0.13), solid((255, 244, 214)))
    # Three ridges of mountains, farthest first.
    ridges = [((120, 96, 120), 0.55, 9.0, 0.05), ((84, 60, 84), 0.64, 6.0, 0.07), ((44, 30, 46), 0.76, 4.0, 0.06)]
    for colour, base, freq, amp in ridges:
        canvas.fill(lambda x, y, b=base, f=freq, a=amp: y >= b - a * abs(math.sin(x * f + b * 7)) - a * 0.4 * math.sin(x * 23),
                    solid(colour))
    # The chest stands in front, scaled into the lower middle.
    chest = Canvas(64, 64)
    draw_chest(chest)
    rows = chest.pixels()
    image = canvas.pixels()
    ox, oy = (width - 64) // 2, height - 64 - 4
    for y in range(64):
        for x in range(64):
            r, g, b, a = rows[y][x]
            if a:
                br, bg, bb, _ = image[oy + y][ox + x]
                t = a / 255
                image[oy + y][ox + x] = (int(round(br + (r - br) * t)), int(round(bg + (g - bg) * t)),
                                         int(round(bb + (b - bb) * t)), 255)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


# The toolbar pictures: small, plain shapes that read at 16 pixels, in the chest's colours.

def segment(x0, y0, x1, y1, half_width):
    """A thick line with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = min(max(((x - x0) * dx + (y - y0) * dy) / length2, 0.0), 1.0)
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half_width * half_width
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def ring(cx, cy, outer, inner, keep=lambda x, y: True):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer and keep(x, y)


OUTLINE = (60, 64, 92)


def draw_page(canvas, x0=0.16, x1=0.78):
    fold = 0.22
    canvas.fill(polygon([(x0, 0.04), (x1 - fold, 0.04), (x1, 0.04 + fold), (x1, 0.96), (x0, 0.96)]), solid(OUTLINE))
    canvas.fill(polygon([(x0 + 0.06, 0.10), (x1 - fold - 0.02, 0.10), (x1 - 0.06, 0.06 + fold), (x1 - 0.06, 0.90),
                         (x0 + 0.06, 0.90)]), vertical((255, 255, 255), (226, 232, 244), 0.1, 0.9))
    canvas.fill(polygon([(x1 - fold, 0.04), (x1, 0.04 + fold), (x1 - fold, 0.04 + fold)]), solid((200, 206, 224)))
    for y in (0.40, 0.56, 0.72):
        canvas.fill(lambda x, yy, y=y: x0 + 0.14 <= x <= x1 - 0.14 and y <= yy <= y + 0.06, solid((120, 150, 210)))


def draw_folder(canvas, open_front=False):
    canvas.fill(polygon([(0.04, 0.16), (0.38, 0.16), (0.46, 0.26), (0.96, 0.26), (0.96, 0.88), (0.04, 0.88)]),
                solid((150, 104, 20)))
    canvas.fill(polygon([(0.10, 0.22), (0.35, 0.22), (0.43, 0.32), (0.90, 0.32), (0.90, 0.82), (0.10, 0.82)]),
                vertical((255, 226, 130), (240, 190, 60), 0.2, 0.85))
    if open_front:
        canvas.fill(polygon([(0.20, 0.46), (1.0, 0.46), (0.84, 0.88), (0.04, 0.88)]), solid((150, 104, 20)))
        canvas.fill(polygon([(0.25, 0.52), (0.92, 0.52), (0.80, 0.82), (0.12, 0.82)]),
                    vertical((255, 236, 160), (246, 204, 80), 0.5, 0.85))


def draw_badge_plus(canvas, cx=0.74, cy=0.74):
    canvas.fill(circle(cx, cy, 0.26), solid((255, 255, 255)))
    canvas.fill(circle(cx, cy, 0.22), vertical((90, 200, 90), (30, 130, 40), cy - 0.22, cy + 0.22))
    canvas.fill(lambda x, y: abs(x - cx) <= 0.045 and abs(y - cy) <= 0.14, solid((255, 255, 255)))
    canvas.fill(lambda x, y: abs(y - cy) <= 0.045 and abs(x - cx) <= 0.14, solid((255, 255, 255)))


def draw_arrow(canvas, down, colour_top, colour_bottom):
    tip, tail = (0.62, 0.08) if down else (0.08, 0.62)
    head_base = 0.34 if down else 0.36
    shaft = segment(0.5, tail, 0.5, head_base, 0.11)
    head = polygon([(0.22, head_base), (0.78, head_base), (0.5, tip)])
    shade = vertical(colour_top, colour_bottom, 0.0, 0.65)
    canvas.fill(segment(0.5, tail, 0.5, head_base, 0.16), solid((255, 255, 255)))
    canvas.fill(polygon([(0.14, head_base - 0.04), (0.86, head_base - 0.04), (0.5, tip + (0.06 if down else -0.06))]),
                solid((255, 255, 255)))
    canvas.fill(shaft, shade)
    canvas.fill(head, shade)


def draw_small_chest(canvas):
    # The lower part of the picture: y from 0.44 to 1.
    canvas.fill(rounded_rect(0.08, 0.60, 0.92, 0.98, 0.06), vertical((196, 120, 52), (110, 56, 22), 0.6, 0.98))
    canvas.fill(rounded_rect(0.08, 0.44, 0.92, 0.64, 0.08), vertical((222, 150, 70), (196, 120, 52), 0.44, 0.64))
    canvas.fill(lambda x, y: 0.08 <= x <= 0.92 and 0.61 <= y <= 0.67, solid((230, 180, 60)))
    canvas.fill(circle(0.5, 0.74, 0.09), solid((200, 30, 36)))


def draw_new(canvas):
    draw_page(canvas)
    star = [(0.80 + 0.20 * math.cos(a) * (1 if i % 2 == 0 else 0.4), 0.22 + 0.20 * math.sin(a) * (1 if i % 2 == 0 else 0.4))
            for i, a in enumerate(k * math.pi / 4 - math.pi / 2 for k in range(8))]
    canvas.fill(polygon(star), solid((255, 196, 0)))


def draw_open(canvas):
    draw_folder(canvas, open_front=True)


def draw_pack(canvas):
    draw_small_chest(canvas)
    draw_arrow(canvas, True, (90, 200, 90), (30, 130, 40))


def draw_extract(canvas):
    draw_small_chest(canvas)
    draw_arrow(canvas, False, (110, 170, 250), (30, 90, 200))


def draw_help(canvas):
    canvas.fill(circle(0.5, 0.5, 0.46), vertical((110, 170, 250), (30, 90, 200), 0.04, 0.96))
    white = solid((255, 255, 255))
    canvas.fill(ring(0.5, 0.38, 0.20, 0.10, keep=lambda x, y: y < 0.40 or x > 0.5), white)
    canvas.fill(segment(0.56, 0.50, 0.5, 0.58, 0.05), white)
    canvas.fill(lambda x, y: abs(x - 0.5) <= 0.05 and 0.56 <= y <= 0.64, white)
    canvas.fill(circle(0.5, 0.78, 0.065), white)


def draw_about(canvas):
    canvas.fill(circle(0.5, 0.5, 0.46), vertical((110, 170, 250), (30, 90, 200), 0.04, 0.96))
    white = solid((255, 255, 255))
    canvas.fill(circle(0.5, 0.27, 0.075), white)
    canvas.fill(lambda x, y: abs(x - 0.5) <= 0.07 and 0.41 <= y <= 0.78, white)


def draw_add_file(canvas):
    draw_page(canvas, 0.06, 0.68)
    draw_badge_plus(canvas)


def draw_add_folder(canvas):
    draw_folder(canvas)
    draw_badge_plus(canvas)


def draw_add_content(canvas):
    draw_small_chest(canvas)
    draw_badge_plus(canvas, 0.70, 0.28)


def draw_delete(canvas):
    draw_page(canvas, 0.06, 0.68)
    red = vertical((240, 80, 70), (180, 20, 20), 0.45, 1.0)
    canvas.fill(segment(0.52, 0.52, 0.92, 0.92, 0.11), solid((255, 255, 255)))
    canvas.fill(segment(0.92, 0.52, 0.52, 0.92, 0.11), solid((255, 255, 255)))
    canvas.fill(segment(0.52, 0.52, 0.92, 0.92, 0.075), red)
    canvas.fill(segment(0.92, 0.52, 0.52, 0.92, 0.075), red)


TOOLBAR = {
    'btnNew': draw_new,
    'btnOpen': draw_open,
    'btnSave': draw_pack,
    'btnExtract': draw_extract,
    'btnHelp': draw_help,
    'btnAbout': draw_about,
    'btnAddFile': draw_add_file,
    'btnAddFolder': draw_add_folder,
    'btnAddContent': draw_add_content,
    'btnDel': draw_delete,
}


def write_toolbar(folder):
    os.makedirs(folder, exist_ok=True)
    for name, draw in TOOLBAR.items():
        write_icon(os.path.join(folder, name + '.ico'), (16,), draw)


if __name__ == '__main__':
    commands = {'icon': write_icon, 'about': write_about, 'toolbar': write_toolbar}
    if len(sys.argv) != 3 or sys.argv[1] not in commands:
        sys.exit(__doc__)
    commands[sys.argv[1]](sys.argv[2])
