"""The game's pictures: lake water, sky, scaffold, trees, mountains, HUD gauge and
digits, and the surface textures the meshes name.

Each make_* function returns (file name under image/, Picture, key colour or None).
Keyed pictures leave everything that is not art uncovered; the writer fills it with
the key colour, which the game turns transparent.
"""
import math
import random

from raster import (Picture, clamp01, fractal_noise, mix, rgb, scale, smoothstep)

# Colour keys the game tests for (exact matches become transparent).
POLE_KEY = rgb(0xFFFFFF)
TREE_KEY = rgb(0x779944)
MOUNTAIN_KEY = rgb(0x6699FF)
HUD_KEY = rgb(0x00FF00)


def wrapped_offset(d, period):
    """Signed offset d folded into [-period/2, period/2): distances across a seam."""
    return (d + period / 2) % period - period / 2


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from a point to a line segment, and the side it lies on (signed
    perpendicular offset)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = clamp01(((px - ax) * dx + (py - ay) * dy) / length2) if length2 else 0.0
    cx, cy = ax + t * dx, ay + t * dy
    side = ((px - ax) * dy - (py - ay) * dx) / math.sqrt(length2) if length2 else 0.0
    return math.hypot(px - cx, py - cy), side


# --- Lake water ------------------------------------------------------------------

WATER_SIZE = 128                # px; one picture spans 12.5 m of lake
WATER_FRAMES = 5                # wave.bmp, wave1.bmp ... wave4.bmp
WATER_BODY = (30, 84, 104)      # blue-green of the water itself, seen in the troughs
WATER_SKY = (104, 156, 186)     # sky mirrored in wave faces tilted towards the eye
WATER_GLINT = (200, 224, 234)   # sun sparkle on the steepest faces
WIND_ANGLE = 1.1                # rad; the ripples mostly run one way, as under a breeze
WIND_SPREAD = 0.6               # rad; how far the trains stray from it
WAVE_TRAINS = 16
PHASE_STEP = 0.6                # rad per picture for the longest train; shorter ones move faster


def wave_trains(seed=7):
    """Sine trains with whole numbers of cycles across the tile, so every frame tiles.

    Each is (cycles in u, cycles in v, amplitude, phase, phase step per frame).
    Shorter waves are weaker and travel faster, as deep-water ripples do.
    """
    rng = random.Random(seed)
    trains = []
    while len(trains) < WAVE_TRAINS:
        wavenumber = rng.uniform(2.0, 11.0)
        angle = WIND_ANGLE + rng.gauss(0.0, WIND_SPREAD)
        ku, kv = round(wavenumber * math.cos(angle)), round(wavenumber * math.sin(angle))
        if (ku, kv) == (0, 0) or any((ku, kv) == (t[0], t[1]) for t in trains):
            continue
        k = math.hypot(ku, kv)
        trains.append((ku, kv, 1.0 / k ** 1.9, rng.uniform(0, 2 * math.pi), PHASE_STEP * math.sqrt(k / 3)))
    return trains


def water_frame(frame, trains):
    """One picture of the ripple sequence; frame n is n phase steps on from frame 0."""
    pic = Picture(WATER_SIZE, WATER_SIZE)
    # A slope that the trains rarely exceed, to put the shading on a fixed scale (the
    # same for every frame, so the pictures do not pulse in brightness).
    slope_scale = 1.6 * math.sqrt(sum((a * 2 * math.pi * math.hypot(ku, kv)) ** 2 for ku, kv, a, _, _ in trains))
    light_u, light_v = math.cos(WIND_ANGLE + 0.3), math.sin(WIND_ANGLE + 0.3)

    def shade(x, y):
        u, v = x / WATER_SIZE, y / WATER_SIZE
        du = dv = 0.0
        for ku, kv, a, phase, step in trains:
            c = a * 2 * math.pi * math.cos(2 * math.pi * (ku * u + kv * v) + phase + step * frame)
            du += c * ku
            dv += c * kv
        slope = (du * light_u + dv * light_v) / slope_scale
        tone = fractal_noise(u, v, 2, 2, 2, 57) - 0.5  # broad patches hide the tiling
        facing = clamp01(0.47 + 0.85 * slope + 0.25 * tone)
        # Kept gentle: with no mipmaps, strong ripples would sparkle in the distance.
        colour = mix(WATER_BODY, WATER_SKY, 0.15 + 0.6 * smoothstep(0.25, 0.95, facing))
        return mix(colour, WATER_GLINT, 0.4 * smoothstep(0.8, 1.0, facing))

    pic.paint(shade)
    return pic


def make_water():
    """Five pictures of one ripple field, each a small phase step on from the last; the
    game steps back and forth through them, so the lake seems to move."""
    trains = wave_trains()
    names = ["wave.bmp"] + ["wave%d.bmp" % n for n in range(1, WATER_FRAMES)]
    return [(name, water_frame(n, trains), None) for n, name in enumerate(names)]


# --- Sky band with clouds --------------------------------------------------------

SKY_WIDTH, SKY_HEIGHT = 512, 128  # one of three repeats round the sky; bottom row = horizon
# A pixel spans 120/512 degrees across but only 18/128 degrees up, so the game shows
# the picture this much wider than it is drawn: puffs are drawn narrow to look round.
SKY_PIXEL_ASPECT = (120 / SKY_WIDTH) / (18 / SKY_HEIGHT)
# The sky dome's own vertex colours at the horizon and at the band's top (18 degrees):
# the picture is added to them, so a cloud adds what lifts that blue to its colour.
DOME_HORIZON = (90, 160, 255)
DOME_BAND_TOP = (75, 130, 230)
CLOUD_LIT = (255, 255, 255)
CLOUD_SHADE = (178, 188, 206)
HAZE = (206, 220, 236)
HAZE_ROWS = 26                    # rows above the horizon that turn pale
CLEAR_TOP_ROWS = 14               # the top rows stay black: above 18 degrees the dome
                                  # stretches the top row over the whole upper sky
# The dome samples the very top and bottom edges, where filtering mixes in the other
# edge (the texture repeats): the upper sky gets half the bottom row added. So the
# bottom rows fade back to black too, or the sky would step at 18 degrees.
HORIZON_EDGE_ROWS = 2


def dome_colour(y):
    """The blue the dome itself has at row y of the band."""
    return mix(DOME_BAND_TOP, DOME_HORIZON, y / (SKY_HEIGHT - 1))


def cumulus_puffs(rng, centre, base, width, height):
    """Round puffs of one cumulus: a flat base and a cauliflower dome, highest in the
    middle, with smaller puffs crowding its outline.

    width and the puffs' radii are in rows (the picture's vertical pixels), so they
    look round in the game; centres are in columns.
    """
    puffs = []
    for _ in range(int(3 * width / height) + 3):
        t = rng.uniform(-1.0, 1.0)
        top = height * (1 - t * t) ** 0.6 * rng.uniform(0.8, 1.05)  # the dome's height here
        radius = max(2.0, height * rng.uniform(0.28, 0.42))
        x = centre + t * (width / 2 - radius) / SKY_PIXEL_ASPECT
        puffs.append((x, min(base - top + radius, base), radius))
    # A body of bigger puffs fills the dome below its outline.
    for _ in range(int(width / height) + 1):
        t = rng.uniform(-0.7, 0.7)
        radius = height * rng.uniform(0.5, 0.62)
        puffs.append((centre + t * (width / 2 - radius) / SKY_PIXEL_ASPECT, base - radius * 0.75, radius))
    return puffs


def cloud_field(seed=11):
    """Clouds as (puffs, base row): small and flat near the horizon, larger higher up,
    as the same clouds look at growing distance."""
    rng = random.Random(seed)
    clouds = []
    # (count, base row range, width range in rows, height range in rows): far, middle, near.
    layers = [(11, (117, 124), (30, 80), (5, 9)),
              (7, (103, 113), (45, 95), (14, 24)),
              (3, (86, 96), (90, 140), (34, 46))]
    for count, bases, widths, heights in layers:
        for _ in range(count):
            base = rng.uniform(*bases)
            puffs = cumulus_puffs(rng, rng.uniform(0, SKY_WIDTH), base, rng.uniform(*widths), rng.uniform(*heights))
            clouds.append((puffs, base))
    return clouds


def cloud_density(clouds):
    """Per pixel: the summed weight of the puffs over it (puffs melt into one another
    rather than showing their outlines) and how much they face up there (-1 down ..
    1 up), for shading."""
    density = [[0.0] * SKY_WIDTH for _ in range(SKY_HEIGHT)]
    upward = [[0.0] * SKY_WIDTH for _ in range(SKY_HEIGHT)]
    for puffs, base in clouds:
        for cx, cy, r in puffs:
            half_width = r / SKY_PIXEL_ASPECT
            for y in range(max(0, int(cy - r)), min(SKY_HEIGHT, int(base) + 2)):
                # Flat bottoms: the puff is cut off at the cloud's base.
                cut = smoothstep(base + 1.0, base - 1.5, y)
                for xi in range(int(cx - half_width), int(cx + half_width) + 2):
                    x = xi % SKY_WIDTH
                    across = wrapped_offset(x - cx, SKY_WIDTH) * SKY_PIXEL_ASPECT / r
                    d2 = across * across + ((y - cy) / r) ** 2
                    if d2 < 1:
                        weight = (1 - d2) ** 2 * cut
                        density[y][x] += weight
                        upward[y][x] += weight * (cy - y) / r
    facing = [[upward[y][x] / density[y][x] if density[y][x] > 0 else 0.0 for x in range(SKY_WIDTH)]
              for y in range(SKY_HEIGHT)]
    return density, facing


def make_sky():
    """The band from the horizon (bottom row) to 18 degrees: what must be added to the
    dome's blue to show haze and summer cumulus; black where the sky is clear."""
    density, facing = cloud_density(cloud_field())
    pic = Picture(SKY_WIDTH, SKY_HEIGHT)

    def shade(x, y):
        sky = dome_colour(y)
        u, v = x / SKY_WIDTH, y / SKY_HEIGHT
        # Haze first, then clouds over it: the colour the pixel should end up with.
        haze = 0.6 * smoothstep(SKY_HEIGHT - HAZE_ROWS, SKY_HEIGHT - HORIZON_EDGE_ROWS, y) ** 1.5
        target = mix(sky, HAZE, haze)
        puff = density[y][x]
        if puff > 0:
            billow = fractal_noise(u, v, 48, 12, 3, 5) - 0.5
            coverage = smoothstep(0.15, 0.6, puff + 0.22 * billow)
            # Lit from above: puff tops white, their undersides and the base grey.
            light = clamp01(0.55 + 0.5 * facing[y][x] + 0.4 * billow)
            colour = mix(CLOUD_SHADE, CLOUD_LIT, light)
            target = mix(target, colour, coverage)
        fade = (smoothstep(CLEAR_TOP_ROWS, CLEAR_TOP_ROWS + 20, y) *
                smoothstep(SKY_HEIGHT, SKY_HEIGHT - HORIZON_EDGE_ROWS, y + 1))
        return tuple(max(0.0, (t - s) * fade) for t, s in zip(target, sky))

    pic.paint(shade)
    return [("cloud2.bmp", pic, None)]


# --- Scaffold poles --------------------------------------------------------------

POLE_SIZE = 128                # px; one tile is one bay of the scaffold (about 1.35 x 1.7 m)
POLE_DARK = (88, 94, 102)      # the shadowed side of a galvanised tube
POLE_LIGHT = (226, 229, 233)   # the lit side; never pure white, which is the key
CLAMP_COLOUR = (70, 72, 76)
# Tube centre lines (from, to, radius in px); ends that leave the tile continue in the
# next one, so the lattice runs on without seams.
POLE_TUBES = [
    ((0, -8), (0, POLE_SIZE + 8), 4.5),                  # standard (vertical)
    ((-8, 0), (POLE_SIZE + 8, 0), 4.0),                  # ledger (horizontal)
    ((0, POLE_SIZE), (POLE_SIZE, 0), 3.2),               # diagonal brace
    ((-8, POLE_SIZE * 0.5), (POLE_SIZE + 8, POLE_SIZE * 0.5), 2.6),  # light mid rail
]
CLAMP_HALF = 6                 # px; couplers where the tubes meet


def tube_shade(side, radius):
    """Colour across a lit tube: side is the offset from its centre line."""
    s = max(-1.0, min(1.0, side / radius))
    lit = clamp01(0.55 - 0.55 * s)                    # light falls from the upper left
    glint = math.exp(-((s + 0.35) / 0.18) ** 2) * 0.5
    return mix(POLE_DARK, POLE_LIGHT, clamp01(lit + glint))


def make_pole():
    """Galvanised scaffold tubes on white (transparent): one bay of the lattice."""
    pic = Picture(POLE_SIZE, POLE_SIZE)
    for y in range(POLE_SIZE):
        for x in range(POLE_SIZE):
            for (ax, ay), (bx, by), radius in POLE_TUBES:
                # Try the pixel in this tile and its wrapped twins in the neighbours.
                for ox in (-POLE_SIZE, 0, POLE_SIZE):
                    for oy in (-POLE_SIZE, 0, POLE_SIZE):
                        d, side = segment_distance(x + ox, y + oy, ax, ay, bx, by)
                        if d <= radius:
                            pic.put(x, y, tube_shade(side, radius))
    # Couplers over the joints at the tile corners and where the brace meets the rail.
    for cx, cy in ((0, 0), (POLE_SIZE // 2, POLE_SIZE // 2), (0, POLE_SIZE // 2)):
        for y in range(cy - CLAMP_HALF, cy + CLAMP_HALF + 1):
            for x in range(cx - CLAMP_HALF, cx + CLAMP_HALF + 1):
                edge = max(abs(x - cx), abs(y - cy)) == CLAMP_HALF
                pic.put(x % POLE_SIZE, y % POLE_SIZE, scale(CLAMP_COLOUR, 0.7 if edge else 1.15))
    return [("pole.bmp", pic, POLE_KEY)]


# --- Tree line -------------------------------------------------------------------

TREE_WIDTH, TREE_HEIGHT = 512, 128     # one repeat: about 46 m of shore, 11 m high
PX_PER_METRE = TREE_HEIGHT / 11.0
TRUNK = (74, 62, 50)
UNDERGROWTH = (30, 58, 26)
BACK_GREEN = (38, 74, 34)              # trees further back are darker and bluer
FRONT_GREEN = (62, 112, 42)
LEAF_LIGHT = (-0.55, -0.65, 0.52)      # sun from the upper left, towards the viewer
UNDERGROWTH_METRES = (1.4, 2.6)        # top of the bushes along the bottom


def crown_puffs(rng, x, top, radius):
    """Leaf clumps of one broadleaf crown: a rounded, slightly ragged dome."""
    puffs = [(x, top + radius, radius)]
    for _ in range(rng.randint(5, 9)):
        angle = rng.uniform(-math.pi, 0.15)  # mostly on the upper half
        reach = radius * rng.uniform(0.35, 0.75)
        puffs.append((x + reach * math.cos(angle), top + radius + reach * math.sin(angle),
                      radius * rng.uniform(0.35, 0.6)))
    return puffs


def paint_crown(pic, puffs, green, leaves):
    """Lays one crown over the picture, leaf-textured and lit like a ball of leaves."""
    lx, ly, lz = LEAF_LIGHT
    norm = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / norm, ly / norm, lz / norm
    left = min(p[0] - p[2] for p in puffs) - 2
    right = max(p[0] + p[2] for p in puffs) + 2
    top = max(0, int(min(p[1] - p[2] for p in puffs)) - 2)
    bottom = min(TREE_HEIGHT - 1, int(max(p[1] + p[2] for p in puffs)) + 2)
    for y in range(top, bottom + 1):
        for xi in range(int(left), int(right) + 1):
            x = xi % TREE_WIDTH
            best, normal = -1e9, (0.0, 0.0)
            for px, py, r in puffs:
                dx, dy = wrapped_offset(x - px, TREE_WIDTH) / r, (y - py) / r
                inside = 1 - math.hypot(dx, dy)
                if inside > best:
                    best, normal = inside, (dx, dy)
            leaf = leaves[y][x]
            if best + 0.35 * (leaf - 0.5) <= 0.02:
                continue
            nx, ny = normal
            rim = math.hypot(nx, ny)
            if rim > 1:  # a leaf just past the puff's edge: lit like its rim
                nx, ny = nx / rim, ny / rim
            nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
            light = 0.35 + 0.75 * max(0.0, nx * lx + ny * ly + nz * lz)
            pic.put(x, y, scale(green, light * (0.7 + 0.6 * leaf)))


def paint_trunk(pic, x, crown_bottom, width):
    """A trunk from the ground up into the crown, lit on its left."""
    for y in range(int(crown_bottom), TREE_HEIGHT):
        for xi in range(int(x - width / 2), int(x + width / 2) + 1):
            s = (xi - x) / (width / 2)
            pic.put(xi % TREE_WIDTH, y, scale(TRUNK, 1.15 - 0.45 * clamp01((s + 1) / 2)))


def make_tree(seed=23):
    """A band of broadleaf trees with a ragged top, on the transparent olive key; it
    repeats along the shore, so it wraps round left to right."""
    rng = random.Random(seed)
    pic = Picture(TREE_WIDTH, TREE_HEIGHT)
    leaves = [[fractal_noise(x / TREE_WIDTH, y / TREE_HEIGHT, 96, 24, 3, 41) for x in range(TREE_WIDTH)]
              for y in range(TREE_HEIGHT)]
    ground = TREE_HEIGHT - 1

    def tint(green):
        k = rng.uniform(0.85, 1.12)
        return (green[0] * k * rng.uniform(0.9, 1.15), green[1] * k, green[2] * k * rng.uniform(0.85, 1.1))

    # Back row: tall, close together, so the band has no holes below the tops.
    for i in range(20):
        x = (i + rng.uniform(-0.3, 0.3)) * TREE_WIDTH / 20
        radius = rng.uniform(2.3, 3.6) * PX_PER_METRE
        top = ground - rng.uniform(8.0, 10.6) * PX_PER_METRE
        paint_crown(pic, crown_puffs(rng, x, top, radius), tint(BACK_GREEN), leaves)
    # Front row: smaller trees with their trunks showing.
    for i in range(13):
        x = (i + rng.uniform(-0.35, 0.35)) * TREE_WIDTH / 13
        radius = rng.uniform(1.7, 2.8) * PX_PER_METRE
        top = ground - rng.uniform(5.5, 8.5) * PX_PER_METRE
        paint_trunk(pic, x, top + radius * 1.6, rng.uniform(0.3, 0.5) * PX_PER_METRE)
        paint_crown(pic, crown_puffs(rng, x, top, radius), tint(FRONT_GREEN), leaves)
    # Bushes along the bottom close the band, so it sits on the shore.
    for x in range(TREE_WIDTH):
        rise = UNDERGROWTH_METRES[0] + (UNDERGROWTH_METRES[1] - UNDERGROWTH_METRES[0]) * fractal_noise(
            x / TREE_WIDTH, 0.5, 24, 1, 3, 77)
        for y in range(int(ground - rise * PX_PER_METRE), TREE_HEIGHT):
            depth = (y - (ground - rise * PX_PER_METRE)) / (rise * PX_PER_METRE)
            pic.put(x, y, scale(UNDERGROWTH, (1.25 - 0.5 * depth) * (0.7 + 0.6 * leaves[y][x])))
    # Any holes left in the lower half would show the sky through the wood.
    fill_gaps_below(pic, TREE_HEIGHT // 2, scale(BACK_GREEN, 0.55), leaves)
    return [("tree.bmp", pic, TREE_KEY)]


def fill_gaps_below(pic, first_row, colour, leaves):
    """Covers every uncovered pixel from first_row down with shadowy foliage."""
    for y in range(first_row, pic.height):
        for x in range(pic.width):
            if not pic.covered[y][x]:
                pic.put(x, y, scale(colour, 0.8 + 0.4 * leaves[y][x]))


# --- Mountains -------------------------------------------------------------------

MOUNTAIN_SIZE = 256
HIDDEN_TOP_ROWS = 39               # the slopes start at v = 0.15: rows above never show
FAR_RIDGE = (44, 66, 70)           # hazy range behind, nearly the colour of the air
NEAR_FOREST_DARK = (14, 40, 24)
NEAR_FOREST_LIGHT = (44, 78, 46)


def ridge_line(seed, highest, lowest, mountains, roughness):
    """Row of the skyline in each column: peaks and saddles all along it, since the game
    may show any part of the picture's width on a slope several kilometres long."""
    raw = []
    for x in range(MOUNTAIN_SIZE):
        u = x / MOUNTAIN_SIZE
        broad = fractal_noise(u, 0.5, mountains, 1, 2, seed)
        ragged = fractal_noise(u, 0.5, 16, 1, 3, seed + 7)   # shoulders and notches
        raw.append(broad + roughness * ragged)
    low, high = min(raw), max(raw)
    # Stretched to use the whole range, then eased so peaks are sharper than valleys.
    return [lowest - (lowest - highest) * ((h - low) / (high - low)) ** 1.3 for h in raw]


def make_mountains(seed=5):
    """A hazy far range above a forested near one, on the transparent blue key. The game
    adds dark blue to it, so the colours stay dark; the result reads blue-green."""
    pic = Picture(MOUNTAIN_SIZE, MOUNTAIN_SIZE)
    far = ridge_line(seed, HIDDEN_TOP_ROWS + 4, 125, mountains=5, roughness=0.15)
    near = ridge_line(seed + 50, 95, 170, mountains=3, roughness=0.05)
    for y in range(HIDDEN_TOP_ROWS, MOUNTAIN_SIZE):
        for x in range(MOUNTAIN_SIZE):
            u, v = x / MOUNTAIN_SIZE, y / MOUNTAIN_SIZE
            if y >= near[x]:
                # Forest: slopes lit from the left are lighter; valleys darker.
                relief = fractal_noise(u, v, 6, 6, 4, 13)
                east = fractal_noise(u + 1 / MOUNTAIN_SIZE, v, 6, 6, 4, 13)
                lit = clamp01(0.5 + 18 * (relief - east) + 0.3 * (fractal_noise(u, v, 48, 48, 2, 3) - 0.5))
                below_ridge = smoothstep(0, 60, y - near[x])
                colour = mix(NEAR_FOREST_LIGHT, NEAR_FOREST_DARK, 0.35 + 0.5 * below_ridge - 0.4 * (lit - 0.5))
                pic.put(x, y, colour)
            elif y >= far[x]:
                grain = fractal_noise(u, v, 16, 16, 3, 29) - 0.5
                pic.put(x, y, scale(FAR_RIDGE, 0.9 + 0.3 * grain + 0.15 * smoothstep(far[x], far[x] + 50, y)))
    return [("mount2.bmp", pic, MOUNTAIN_KEY)]


# --- Tail-setting gauge ----------------------------------------------------------

GAUGE_WIDTH, GAUGE_HEIGHT = 32, 256
PX_PER_DEGREE = 20           # the game moves the marker 20 px per degree
ZERO_ROW = 6                 # the marker's point sits 6 px below its picture's top
SPINE_COLUMNS = (17, 18)
TICK_LEFT = {"major": 9, "whole": 12, "half": 14}   # where each kind of tick starts
LABEL_LEFT = 1
SCALE_WHITE = (236, 236, 236)
OUTLINE = (24, 24, 28)
ZERO_YELLOW = (255, 214, 40)
MARKER_RED = (238, 64, 30)
MAJOR_EVERY = 5              # degrees between labelled ticks

# 3 x 5 digits for the labels: rows of '#' and '.'.
TINY_DIGITS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#", "##", ".#", ".#", ".#"],
    "5": ["###", "#..", "###", "..#", "###"],
}


def outlined_rect(pic, left, top, right, bottom, colour):
    """A filled rectangle (inclusive bounds) with a one-pixel dark border."""
    for y in range(top - 1, bottom + 2):
        for x in range(left - 1, right + 2):
            if 0 <= x < pic.width and 0 <= y < pic.height:
                inner = left <= x <= right and top <= y <= bottom
                if inner:
                    pic.put(x, y, colour)
                elif not pic.covered[y][x]:
                    pic.put(x, y, OUTLINE)


def tiny_text(pic, text, left, top, colour):
    """Draws text in the 3 x 5 digits, each dot outlined so it reads on sky and water."""
    x0 = left
    for char in text:
        glyph = TINY_DIGITS[char]
        for gy, line in enumerate(glyph):
            for gx, dot in enumerate(line):
                if dot == "#":
                    outlined_rect(pic, x0 + gx, top + gy, x0 + gx, top + gy, colour)
        x0 += len(glyph[0]) + 1


def make_tail_gauge():
    """The tail-setting scale: a tick every half degree, labels every five, and the
    zero line in yellow where the marker's point rests at zero."""
    pic = Picture(GAUGE_WIDTH, GAUGE_HEIGHT)
    outlined_rect(pic, SPINE_COLUMNS[0], ZERO_ROW, SPINE_COLUMNS[1], GAUGE_HEIGHT - 3, SCALE_WHITE)
    step = PX_PER_DEGREE // 2
    for k, row in enumerate(range(ZERO_ROW + step, GAUGE_HEIGHT - 3, step)):
        half_degrees = k + 1
        if half_degrees % (2 * MAJOR_EVERY) == 0:
            outlined_rect(pic, TICK_LEFT["major"], row - 1, SPINE_COLUMNS[0] - 1, row + 1, SCALE_WHITE)
            tiny_text(pic, str(half_degrees // 2), LABEL_LEFT, row - 2, SCALE_WHITE)
        elif half_degrees % 2 == 0:
            outlined_rect(pic, TICK_LEFT["whole"], row, SPINE_COLUMNS[0] - 1, row, SCALE_WHITE)
        else:
            outlined_rect(pic, TICK_LEFT["half"], row, SPINE_COLUMNS[0] - 1, row, SCALE_WHITE)
    # The zero line goes right across, in yellow, over the spine.
    for x in range(1, GAUGE_WIDTH - 1):
        for y in range(ZERO_ROW - 2, ZERO_ROW + 3):
            pic.put(x, y, ZERO_YELLOW if abs(y - ZERO_ROW) <= 1 and 1 < x < GAUGE_WIDTH - 2 else OUTLINE)
    return [("tailgraph.bmp", pic, HUD_KEY)]


def make_tail_marker():
    """A red wedge on the right pointing at the scale, with a hairline across it."""
    pic = Picture(GAUGE_WIDTH, GAUGE_HEIGHT)
    tip, half_height = SPINE_COLUMNS[1] + 2, 6
    for y in range(ZERO_ROW - half_height, ZERO_ROW + half_height + 1):
        reach = tip + abs(y - ZERO_ROW) * (GAUGE_WIDTH - 1 - tip) / half_height
        for x in range(int(reach), GAUGE_WIDTH):
            on_edge = x == int(reach) or x == GAUGE_WIDTH - 1 or abs(y - ZERO_ROW) == half_height
            pic.put(x, y, OUTLINE if on_edge else MARKER_RED)
    for x in range(2, tip):
        pic.put(x, ZERO_ROW - 1, OUTLINE)
        pic.put(x, ZERO_ROW, MARKER_RED)
        pic.put(x, ZERO_ROW + 1, OUTLINE)
    return [("tailpoint.bmp", pic, HUD_KEY)]


# --- Result digits ---------------------------------------------------------------

DIGIT_WIDTH, DIGIT_HEIGHT = 64, 128
STROKE = 7.0                 # px, half the width of a digit's stroke
OUTLINE_WIDTH = 4.0          # px of dark rim round it
DIGIT_TOP = (255, 242, 110)
DIGIT_BOTTOM = (255, 150, 24)
DIGIT_RIM = (36, 20, 8)
ARC_STEPS = 24
BLANK_DIGIT = 10             # resultnum10 is never shown: left empty
POINT_DIGIT = 11             # resultnum11 is the decimal point


def arc(cx, cy, rx, ry, start, end):
    """Points of an elliptical arc; angles in degrees, 0 = right, 90 = up."""
    points = []
    for i in range(ARC_STEPS + 1):
        a = math.radians(start + (end - start) * i / ARC_STEPS)
        points.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
    return points


def curve(p0, p1, p2):
    """Points of a quadratic Bezier curve."""
    points = []
    for i in range(ARC_STEPS + 1):
        t = i / ARC_STEPS
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t * t
        points.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return points


# Each digit as polylines in a 64 x 128 cell (y down), drawn with round pens.
DIGIT_STROKES = {
    0: [arc(32, 64, 17, 47, 0, 360)],
    1: [[(22, 30), (35, 16), (35, 112)], [(21, 112), (49, 112)]],
    2: [arc(32, 40, 17, 22, 160, -20) + [(14, 111), (51, 111)]],
    3: [arc(31, 38, 17, 21, 155, -90), arc(31, 86, 19, 25, 90, -160)],
    4: [[(41, 113), (41, 16), (12, 84), (53, 84)]],
    5: [[(49, 17), (20, 17), (17, 58)] + arc(31, 83, 19, 27, 140, -145)],
    6: [arc(32, 86, 18, 25, 0, 360), curve((47, 20), (16, 26), (14, 84))],
    7: [[(13, 17), (51, 17), (26, 112)]],
    8: [arc(32, 38, 15, 21, 0, 360), arc(32, 87, 18, 25, 0, 360)],
    9: [arc(32, 42, 18, 25, 0, 360), curve((50, 44), (48, 106), (17, 108))],
}
POINT_CENTRE, POINT_RADIUS = (32, 104), 9


def distance_to_strokes(x, y, strokes):
    best = 1e9
    for line in strokes:
        for (ax, ay), (bx, by) in zip(line, line[1:]):
            best = min(best, segment_distance(x, y, ax, ay, bx, by)[0])
    return best


def digit_picture(strokes):
    """Bold rounded digit, yellow to orange, in a hard-edged dark rim (no pixel is a blend
    with the key green, which would leave a green fringe)."""
    pic = Picture(DIGIT_WIDTH, DIGIT_HEIGHT)
    for y in range(DIGIT_HEIGHT):
        body = mix(DIGIT_TOP, DIGIT_BOTTOM, smoothstep(20, 110, y))
        for x in range(DIGIT_WIDTH):
            cx, cy = x + 0.5, y + 0.5
            if strokes == "point":
                d = math.hypot(cx - POINT_CENTRE[0], cy - POINT_CENTRE[1]) - POINT_RADIUS + STROKE
            else:
                d = distance_to_strokes(cx, cy, strokes)
            if d > STROKE + OUTLINE_WIDTH:
                continue
            inner = clamp01(STROKE + 0.5 - d)  # antialiased only against the rim
            pic.put(x, y, mix(DIGIT_RIM, body, inner))
    return pic


def make_digits():
    """resultnum0..9 are the digits, 10 is empty and 11 the decimal point."""
    pictures = []
    for n in range(12):
        if n == BLANK_DIGIT:
            pic = Picture(DIGIT_WIDTH, DIGIT_HEIGHT)
        elif n == POINT_DIGIT:
            pic = digit_picture("point")
        else:
            pic = digit_picture(DIGIT_STROKES[n])
        pictures.append(("resultnum%d.bmp" % n, pic, HUD_KEY))
    return pictures


# --- Surface textures for the meshes ---------------------------------------------

SURFACE_SIZE = 128
GRASS_DARK = (62, 104, 36)
GRASS_LIGHT = (112, 146, 58)
DIRT = (150, 132, 104)
STONE = (150, 148, 138)
MORTAR = (92, 90, 84)
PLANK = (160, 128, 92)
PLANK_SEAM = (70, 54, 40)
PLANKS_PER_TILE = 8
STONE_COURSES = 4


def make_grass():
    """Summer meadow: broad patches more than fine grain, as there are no mipmaps to
    tame fine detail in the distance."""
    pic = Picture(SURFACE_SIZE, SURFACE_SIZE)

    def shade(x, y):
        u, v = x / SURFACE_SIZE, y / SURFACE_SIZE
        patches = fractal_noise(u, v, 4, 4, 3, 3)
        grain = fractal_noise(u, v, 32, 32, 2, 9) - 0.5
        return mix(GRASS_DARK, GRASS_LIGHT, clamp01(patches + 0.25 * grain))

    pic.paint(shade)
    return [("grass.bmp", pic, None)]


def make_dirt():
    """Trodden gravel and earth under the launch ramp."""
    pic = Picture(SURFACE_SIZE, SURFACE_SIZE)

    def shade(x, y):
        u, v = x / SURFACE_SIZE, y / SURFACE_SIZE
        k = 0.82 + 0.3 * fractal_noise(u, v, 8, 8, 3, 17) + 0.12 * (fractal_noise(u, v, 64, 64, 1, 19) - 0.5)
        return scale(DIRT, k)

    pic.paint(shade)
    return [("dirt.bmp", pic, None)]


def make_stone():
    """Dressed stone blocks of the lake embankment, courses offset by half a block."""
    pic = Picture(SURFACE_SIZE, SURFACE_SIZE)
    course = SURFACE_SIZE // STONE_COURSES
    block = SURFACE_SIZE // 2

    def shade(x, y):
        row = y // course
        offset = (x + (block // 2) * (row % 2)) % block
        if y % course < 2 or offset < 2:
            return MORTAR
        u, v = x / SURFACE_SIZE, y / SURFACE_SIZE
        k = 0.85 + 0.3 * fractal_noise(u, v, 16, 16, 2, 23) + 0.08 * ((row * 7 + x // block) % 3 - 1)
        return scale(STONE, k)

    pic.paint(shade)
    return [("stone.bmp", pic, None)]


def make_planks():
    """Weathered deck boards running along u, with staggered butt joints."""
    pic = Picture(SURFACE_SIZE, SURFACE_SIZE)
    board = SURFACE_SIZE // PLANKS_PER_TILE

    def shade(x, y):
        plank = y // board
        joint = (plank * 37) % SURFACE_SIZE
        if y % board == 0 or x == joint:
            return PLANK_SEAM
        u, v = x / SURFACE_SIZE, y / SURFACE_SIZE
        grain = fractal_noise(u, v, 4, 32, 3, 61 + plank) - 0.5
        tone = 0.9 + 0.12 * ((plank * 5) % 3 - 1)  # boards differ a little in shade
        return scale(PLANK, tone + 0.35 * grain)

    pic.paint(shade)
    return [("wood.bmp", pic, None)]


def all_pictures():
    """Every picture the game loads, as (file name, Picture, key or None)."""
    makers = [make_water, make_sky, make_pole, make_tree, make_mountains, make_tail_gauge, make_tail_marker,
              make_digits, make_grass, make_dirt, make_stone, make_planks]
    pictures = []
    for maker in makers:
        pictures.extend(maker())
    return pictures
