"""Pictures in memory, the noise they are painted with, and 24-bit BMP output.

Everything here is deterministic: the same script run twice writes the same bytes,
so regenerated art only shows up in a diff when a painter really changed.
"""
import math
import struct

# --- Noise -----------------------------------------------------------------------

_MASK32 = 0xFFFFFFFF


def _hash(ix, iy, seed):
    """A well-mixed 32-bit integer of a lattice point, as a float in [0, 1)."""
    h = (ix * 374761393 + iy * 668265263 + seed * 2246822519) & _MASK32
    h = ((h ^ (h >> 13)) * 1274126177) & _MASK32
    h ^= h >> 16
    return h / 4294967296.0


def _smooth(t):
    """Quintic fade: the noise has no visible creases at lattice lines."""
    return t * t * t * (t * (t * 6 - 15) + 10)


def value_noise(x, y, period_x, period_y, seed):
    """Smooth noise in [0, 1) on a unit lattice, repeating every period cells.

    The periods make a picture painted with it tile without seams.
    """
    x0, y0 = math.floor(x), math.floor(y)
    fx, fy = _smooth(x - x0), _smooth(y - y0)
    ax, bx = x0 % period_x, (x0 + 1) % period_x
    ay, by = y0 % period_y, (y0 + 1) % period_y
    top = _hash(ax, ay, seed) + (_hash(bx, ay, seed) - _hash(ax, ay, seed)) * fx
    bottom = _hash(ax, by, seed) + (_hash(bx, by, seed) - _hash(ax, by, seed)) * fx
    return top + (bottom - top) * fy


def fractal_noise(u, v, cells_x, cells_y, octaves, seed, gain=0.5):
    """Octaves of value noise over a picture's (u, v) in [0, 1), tiling in both.

    cells_x, cells_y: lattice cells across the picture at the coarsest octave.
    Returns roughly [0, 1), centred on 0.5.
    """
    total, weight, amplitude = 0.0, 0.0, 1.0
    for octave in range(octaves):
        scale = 1 << octave
        total += amplitude * value_noise(u * cells_x * scale, v * cells_y * scale, cells_x * scale,
                                         cells_y * scale, seed + 101 * octave)
        weight += amplitude
        amplitude *= gain
    return total / weight


# --- Colour helpers --------------------------------------------------------------


def mix(a, b, t):
    """Linear blend of two colours (t = 0 gives a)."""
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def scale(colour, k):
    return tuple(c * k for c in colour)


def clamp01(t):
    return 0.0 if t < 0 else 1.0 if t > 1 else t


def smoothstep(edge0, edge1, x):
    t = clamp01((x - edge0) / (edge1 - edge0))
    return t * t * (3 - 2 * t)


def rgb(hex_colour):
    """(r, g, b) of a 0xRRGGBB number."""
    return ((hex_colour >> 16) & 0xFF, (hex_colour >> 8) & 0xFF, hex_colour & 0xFF)


# --- Pictures --------------------------------------------------------------------


class Picture:
    """An RGB picture, top row first, with a coverage mask for colour-keyed art.

    Pixels hold floats so painters can layer and blend freely; they are rounded
    only when the picture is written.  `covered` marks pixels that belong to the
    art; in a keyed picture every uncovered pixel is written as the key colour.
    """

    def __init__(self, width, height, background=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[tuple(background)] * width for _ in range(height)]
        self.covered = [[False] * width for _ in range(height)]

    def put(self, x, y, colour):
        """Sets a pixel and marks it as part of the art."""
        self.pixels[y][x] = colour
        self.covered[y][x] = True

    def paint(self, shader):
        """Sets every pixel to shader(x, y), which returns a colour."""
        for y in range(self.height):
            row = self.pixels[y]
            for x in range(self.width):
                row[x] = shader(x, y)
        self.covered = [[True] * self.width for _ in range(self.height)]

    def quantised_rows(self, key=None):
        """Rows of (r, g, b) bytes, top row first.

        With a key colour, uncovered pixels become the key and covered ones never
        equal it: a drawn pixel that rounds onto the key is nudged one step in green,
        otherwise it would turn transparent in the game.
        """
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                if key is not None and not self.covered[y][x]:
                    row.append(key)
                    continue
                r, g, b = (max(0, min(255, int(round(c)))) for c in self.pixels[y][x])
                if key is not None and (r, g, b) == key:
                    g = g - 1 if g > 0 else g + 1
                row.append((r, g, b))
            rows.append(row)
        return rows


# --- BMP output ------------------------------------------------------------------

_FILE_HEADER = "<2sIHHI"        # "BM", file size, two reserved words, pixel data offset
_INFO_HEADER = "<IiiHHIIiiII"   # BITMAPINFOHEADER
_PIXELS_PER_METRE = 2835        # 72 dpi, what paint programs write
_BITS_PER_PIXEL = 24


def bmp_bytes(picture, key=None):
    """The picture as an uncompressed 24-bit BMP: bottom row first, BGR, rows padded
    to four bytes."""
    row_bytes = (picture.width * 3 + 3) & ~3
    padding = b"\0" * (row_bytes - picture.width * 3)
    pixel_bytes = row_bytes * picture.height
    header_size = struct.calcsize(_FILE_HEADER) + struct.calcsize(_INFO_HEADER)
    out = bytearray()
    out += struct.pack(_FILE_HEADER, b"BM", header_size + pixel_bytes, 0, 0, header_size)
    out += struct.pack(_INFO_HEADER, struct.calcsize(_INFO_HEADER), picture.width, picture.height, 1,
                       _BITS_PER_PIXEL, 0, pixel_bytes, _PIXELS_PER_METRE, _PIXELS_PER_METRE, 0, 0)
    for row in reversed(picture.quantised_rows(key)):
        for r, g, b in row:
            out += bytes((b, g, r))
        out += padding
    return bytes(out)
