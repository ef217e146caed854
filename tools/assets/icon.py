#!/usr/bin/env python3
"""Draws the program's icon: the glider seen from above, over the sky and the lake,
in a rounded square. Writes the scalable SVG and the PNG sizes of the hicolor theme.

Usage: icon.py ICON_DIR   (writes ICON_DIR/hicolor/...)

Standard library only; the output is byte for byte the same on every run.
"""
import os
import struct
import sys
import zlib

PNG_SIZES = (16, 24, 32, 48, 64, 128, 256)  # px, the hicolor theme's usual app sizes
SUPERSAMPLE = 4        # samples per pixel along each axis, for smooth edges
INSET = 0.03           # of the icon's side: the margin around the rounded square
CORNER = 0.18          # of the icon's side: the rounded square's corner radius
WATER_TOP = 0.80       # of the icon's side: where the lake begins
SHADOW_OFFSET = (0.03, 0.04)  # the glider's shadow on the sky, down and to the right

SKY_TOP = (43, 108, 176)
SKY_BOTTOM = (144, 205, 244)
WATER = (24, 78, 119)
WAVE = (99, 162, 206)
SHADOW = (20, 60, 100, 90)
GLIDER = (255, 248, 225)
PILOT = (237, 137, 54)

# The glider from above, nose up, in units of the icon's side.
WING = [(0.05, 0.42), (0.10, 0.36), (0.90, 0.36), (0.95, 0.42), (0.95, 0.45), (0.05, 0.45)]
FUSELAGE = [(0.50, 0.14), (0.535, 0.24), (0.515, 0.82), (0.485, 0.82), (0.465, 0.24)]
TAIL = [(0.36, 0.76), (0.64, 0.76), (0.66, 0.81), (0.34, 0.81)]
PILOT_POD = [(0.50, 0.22), (0.522, 0.27), (0.50, 0.32), (0.478, 0.27)]
WAVES = [[(0.12, 0.86), (0.40, 0.86), (0.40, 0.875), (0.12, 0.875)],
         [(0.55, 0.91), (0.85, 0.91), (0.85, 0.925), (0.55, 0.925)]]


def inside_rounded_square(x, y):
    lo, hi = INSET, 1 - INSET
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + CORNER), hi - CORNER)
    cy = min(max(y, lo + CORNER), hi - CORNER)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER ** 2


def inside_polygon(points, x, y):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def glider_parts():
    return (WING, FUSELAGE, TAIL)


def sample(x, y):
    """The colour (r, g, b, a) of one point of the icon."""
    if not inside_rounded_square(x, y):
        return (0, 0, 0, 0)
    if y >= WATER_TOP:
        colour = WAVE if any(inside_polygon(w, x, y) for w in WAVES) else WATER
        return colour + (255,)
    t = (y - INSET) / (WATER_TOP - INSET)
    colour = tuple(round(a + (b - a) * t) for a, b in zip(SKY_TOP, SKY_BOTTOM)) + (255,)
    sx, sy = x - SHADOW_OFFSET[0], y - SHADOW_OFFSET[1]
    if any(inside_polygon(p, sx, sy) for p in glider_parts()):
        a = SHADOW[3] / 255
        colour = tuple(round(c * (1 - a) + s * a) for c, s in zip(colour[:3], SHADOW[:3])) + (255,)
    if inside_polygon(PILOT_POD, x, y):
        return PILOT + (255,)
    if any(inside_polygon(p, x, y) for p in glider_parts()):
        return GLIDER + (255,)
    return colour


def raster(size):
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = bytearray([0])  # PNG filter type: none
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    cr, cg, cb, ca = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a:
                row += bytes((round(r / a), round(g / a), round(b / a), round(a / (n * n))))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def png_bytes(size, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(pixels, 9)) +
            chunk(b"IEND", b""))


def svg_text():
    side = 256  # the SVG's own units

    def path(points, dx=0.0, dy=0.0):
        return "M" + " L".join(f"{(x + dx) * side:.1f},{(y + dy) * side:.1f}" for x, y in points) + " Z"

    def rgb(c):
        return "#%02x%02x%02x" % c[:3]

    lo, extent, radius = INSET * side, (1 - 2 * INSET) * side, CORNER * side
    water_y = WATER_TOP * side
    shadow = " ".join(path(p, *SHADOW_OFFSET) for p in glider_parts())
    glider = " ".join(path(p) for p in glider_parts())
    waves = " ".join(path(w) for w in WAVES)
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{side}" height="{side}" viewBox="0 0 {side} {side}">
  <defs>
    <linearGradient id="sky" x1="0" y1="{lo:.1f}" x2="0" y2="{water_y:.1f}" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{rgb(SKY_TOP)}"/>
      <stop offset="1" stop-color="{rgb(SKY_BOTTOM)}"/>
    </linearGradient>
    <clipPath id="square">
      <rect x="{lo:.1f}" y="{lo:.1f}" width="{extent:.1f}" height="{extent:.1f}" rx="{radius:.1f}"/>
    </clipPath>
  </defs>
  <g clip-path="url(#square)">
    <rect x="0" y="0" width="{side}" height="{side}" fill="url(#sky)"/>
    <rect x="0" y="{water_y:.1f}" width="{side}" height="{side - water_y:.1f}" fill="{rgb(WATER)}"/>
    <path d="{waves}" fill="{rgb(WAVE)}"/>
    <path d="{shadow}" fill="{rgb(SHADOW)}" fill-opacity="{SHADOW[3] / 255:.2f}"/>
    <path d="{glider}" fill="{rgb(GLIDER)}"/>
    <path d="{path(PILOT_POD)}" fill="{rgb(PILOT)}"/>
  </g>
</svg>
'''


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = os.path.join(sys.argv[1], "hicolor")
    write(os.path.join(root, "scalable", "apps", "velkaro.svg"), svg_text().encode("ascii"))
    for size in PNG_SIZES:
        write(os.path.join(root, f"{size}x{size}", "apps", "velkaro.png"), png_bytes(size, raster(size)))


if __name__ == "__main__":
    main()
