#!/usr/bin/env python3
"""Draws the program's artwork: the icon group (a treasure chest of archives, 32-bit images of 16, 32,
48, 64 and 128 pixels) and the About picture (127 x 113, 24-bit). Pure Python, no imaging library,
so that a fresh build machine needs nothing beyond python3.

    make_art.py icon OUT.ico
    make_art.py about OUT.bmp
"""
import math
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


def icon_image(size):
    canvas = Canvas(size, size)
    draw_chest(canvas)
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


def write_icon(path):
    sizes = [16, 32, 48, 64, 128]
    images = [icon_image(s) for s in sizes]
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


if __name__ == '__main__':
    if len(sys.argv) != 3 or sys.argv[1] not in ('icon', 'about'):
        sys.exit(__doc__)
    (write_icon if sys.argv[1] == 'icon' else write_about)(sys.argv[2])
