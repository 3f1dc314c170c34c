#!/usr/bin/env python3
"""Draws the window's icon: the syllable 한 in white on a blue tile, with an
orange sound wave. Writes pimoru.svg and pimoru-<size>.png from one list of
shapes, so the two never drift apart. Needs nothing beyond Python.

    src/app/resources/make_icon.py   (run from anywhere; writes beside itself)
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
WHITE = (255, 255, 255)
ORANGE = (255, 166, 43)
TOP = (44, 94, 168)      # the tile's gradient, top to bottom
BOTTOM = (22, 56, 112)

# Shapes on a 256 x 256 canvas: ("rect", x0, y0, x1, y1, colour),
# ("ring", cx, cy, outer, inner, colour),
# ("arc", cx, cy, outer, inner, from_degrees, to_degrees, colour).
TILE = (12, 12, 244, 244, 52)  # x0, y0, x1, y1, corner radius
SHAPES = [
    # ㅎ
    ("rect", 80, 50, 112, 63, WHITE),
    ("rect", 56, 72, 136, 85, WHITE),
    ("ring", 96, 118, 27, 14, WHITE),
    # ㅏ
    ("rect", 152, 46, 166, 152, WHITE),
    ("rect", 166, 92, 192, 105, WHITE),
    # ㄴ
    ("rect", 64, 160, 78, 208, WHITE),
    ("rect", 64, 195, 170, 208, WHITE),
    # the sound wave
    ("ring", 186, 192, 7, 0, ORANGE),
    ("arc", 186, 192, 25, 16, -60, 60, ORANGE),
    ("arc", 186, 192, 43, 34, -60, 60, ORANGE),
]


def in_tile(x, y):
    x0, y0, x1, y1, r = TILE
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def hit(shape, x, y):
    kind = shape[0]
    if kind == "rect":
        _, x0, y0, x1, y1, _ = shape
        return x0 <= x <= x1 and y0 <= y <= y1
    dx, dy = x - shape[1], y - shape[2]
    d = math.hypot(dx, dy)
    if not (shape[4] <= d <= shape[3]):
        return False
    if kind == "ring":
        return True
    angle = math.degrees(math.atan2(dy, dx))
    return shape[5] <= angle <= shape[6]


def colour_at(x, y):
    """The colour and coverage of one sample point, or None outside."""
    if not in_tile(x, y):
        return None
    for shape in SHAPES:
        if hit(shape, x, y):
            return shape[-1]
    t = (y - TILE[1]) / (TILE[3] - TILE[1])
    return tuple(round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM))


def render(size, samples=4):
    scale = 256 / size
    rows = []
    for py in range(size):
        row = bytearray([0])  # no filter
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    c = colour_at(x, y)
                    if c is not None:
                        covered += 1
                        for k in range(3):
                            acc[k] += c[k]
            n = samples * samples
            if covered:
                row += bytes(round(a / covered) for a in acc)
            else:
                row += b"\0\0\0"
            row.append(round(255 * covered / n))
        rows.append(bytes(row))
    return rows


def write_png(path, size, rows):
    def chunk(tag, data):
        body = tag + data
        return (struct.pack(">I", len(data)) + body +
                struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    data = zlib.compress(b"".join(rows), 9)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", data) + chunk(b"IEND", b""))


def hex_colour(c):
    return "#%02x%02x%02x" % c


def write_svg(path):
    x0, y0, x1, y1, r = TILE
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
        'viewBox="0 0 256 256">',
        '<defs><linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{hex_colour(TOP)}"/>'
        f'<stop offset="1" stop-color="{hex_colour(BOTTOM)}"/>'
        '</linearGradient></defs>',
        f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
        f'rx="{r}" fill="url(#tile)"/>',
    ]
    for shape in SHAPES:
        kind, fill = shape[0], hex_colour(shape[-1])
        if kind == "rect":
            _, a, b, c, d, _ = shape
            parts.append(f'<rect x="{a}" y="{b}" width="{c - a}" '
                         f'height="{d - b}" fill="{fill}"/>')
        elif kind == "ring":
            _, cx, cy, outer, inner, _ = shape
            if inner == 0:
                parts.append(f'<circle cx="{cx}" cy="{cy}" r="{outer}" '
                             f'fill="{fill}"/>')
            else:
                width = outer - inner
                parts.append(f'<circle cx="{cx}" cy="{cy}" '
                             f'r="{(outer + inner) / 2}" fill="none" '
                             f'stroke="{fill}" stroke-width="{width}"/>')
        else:
            _, cx, cy, outer, inner, a0, a1, _ = shape
            radius = (outer + inner) / 2
            sx = cx + radius * math.cos(math.radians(a0))
            sy = cy + radius * math.sin(math.radians(a0))
            ex = cx + radius * math.cos(math.radians(a1))
            ey = cy + radius * math.sin(math.radians(a1))
            parts.append(f'<path d="M {sx:.2f} {sy:.2f} A {radius} {radius} '
                         f'0 0 1 {ex:.2f} {ey:.2f}" fill="none" '
                         f'stroke="{fill}" stroke-width="{outer - inner}"/>')
    parts.append("</svg>")
    with open(path, "w") as out:
        out.write("\n".join(parts) + "\n")


def main():
    write_svg(os.path.join(HERE, "pimoru.svg"))
    for size in (48, 256):
        write_png(os.path.join(HERE, f"pimoru-{size}.png"), size,
                  render(size))


if __name__ == "__main__":
    main()
