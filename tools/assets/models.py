"""The game's meshes: the glider's parts, the launch platform, the shore and the inn.

Aircraft parts are in model coordinates (x forward along the flight, y up, z along the
span); scenery is in the local coordinates of the spot the game puts it at.
"""
import math

from xmesh import Mesh, box, cross, ellipsoid, lerp, shade_of, sub, tube

# --- Aircraft --------------------------------------------------------------------

# Covering film shows the sky through it; spars and ribs are solid. The game draws a
# mesh material by material in first-use order, so the film goes last.
SPAR = shade_of((48, 50, 56), name="CarbonSpar", power=20, specular=(0.4, 0.4, 0.4))
RIB = shade_of((222, 206, 170), name="BalsaRib")
LEADING_EDGE = shade_of((120, 178, 236), name="LeadingEdgeFilm", emissive=(0.05, 0.08, 0.12))
FILM = shade_of((244, 248, 255), name="CoveringFilm", alpha=0.72, emissive=(0.18, 0.18, 0.2))
TAIL_EDGE = shade_of((226, 72, 52), name="TailEdge")

WING_LE_X = 0.25          # leading edge ahead of the strip's reference line, in chords
WING_CAMBER = 0.05        # greatest camber, in chords
WING_CAMBER_AT = 0.4      # where along the chord it is
WING_THICKNESS = 0.09     # chords
PROFILE_POINTS = 12       # per surface; spaced closer near the leading edge
LEADING_EDGE_REGION = 0.2 # the coloured nose band covers this much of the chord
WING_RIBS_BETWEEN = 2     # inner ribs per strip, besides the ones at its ends
SPAR_AT = 0.25            # chord fraction of the main spar
SPAR_RADIUS = 0.03        # chords


def half_thickness(t, ratio):
    """Half thickness of a classic four-digit section at chord fraction t, closed at
    the trailing edge."""
    t = max(t, 0.0)
    return 5 * ratio * (0.2969 * math.sqrt(t) - 0.126 * t - 0.3516 * t ** 2 + 0.2843 * t ** 3 - 0.1036 * t ** 4)


def camber_line(t, camber, at):
    """Height of the mean line at chord fraction t (two parabolas meeting at `at`)."""
    if camber == 0:
        return 0.0
    if t < at:
        return camber / at ** 2 * (2 * at * t - t * t)
    return camber / (1 - at) ** 2 * ((1 - 2 * at) + 2 * at * t - t * t)


def profile_loop(ratio, camber=0.0, camber_at=0.4, points=PROFILE_POINTS):
    """A section as (chord fraction, height) pairs in chords: the upper surface from the
    trailing edge to the nose, then the lower one back to the trailing edge."""
    ts = [(1 - math.cos(math.pi * k / points)) / 2 for k in range(points + 1)]  # 0 = nose
    upper = [(t, camber_line(t, camber, camber_at) + half_thickness(t, ratio)) for t in reversed(ts)]
    lower = [(t, camber_line(t, camber, camber_at) - half_thickness(t, ratio)) for t in ts[1:]]
    return upper + lower


def airfoil_loft(mesh, stations, loop, place, material_of_t, outward):
    """A lifting surface through sections of one profile.

    stations: (span position, leading-edge x, chord) from one end to the other.
    place(span, x, thickness): the 3D point of a section point.
    material_of_t(t): the material at chord fraction t.
    """
    rows = [[place(span, le_x - t * chord, h * chord) for span, le_x, chord in stations] for t, h in loop]
    mesh.grid(rows, lambda i, j: material_of_t((loop[i][0] + loop[i + 1][0]) / 2), outward=outward)


def section_polygon(loop, span, le_x, chord, place):
    """One section of a lifting surface as a flat polygon (a rib or an end cap)."""
    return [place(span, le_x - t * chord, h * chord) for t, h in loop]


def wing_material(t):
    """Coloured nose band, clear film behind it."""
    return LEADING_EDGE if t < LEADING_EDGE_REGION else FILM


def make_wing_strip():
    """One unit strip of the right wing, from z = 0 out to z = -1, chord 1.

    The game scales it to each strip's chord and width and chains the strips, so both
    ends are flat; each end carries a rib, which also closes the wing at its tip.
    """
    mesh = Mesh("WingR")
    loop = profile_loop(WING_THICKNESS, WING_CAMBER, WING_CAMBER_AT)

    def place(span, x, h):
        return (x, h, -span)

    spar_height = camber_line(SPAR_AT, WING_CAMBER, WING_CAMBER_AT)
    spar_x = WING_LE_X - SPAR_AT
    tube(mesh, (spar_x, spar_height, 0.0), (spar_x, spar_height, -1.0), SPAR_RADIUS, SPAR, sides=8, caps=False)
    for k in range(WING_RIBS_BETWEEN + 2):
        span = k / (WING_RIBS_BETWEEN + 1)
        facing = (0, 0, 1) if k == 0 else (0, 0, -1)
        inner = 0 < k < WING_RIBS_BETWEEN + 1
        mesh.polygon(section_polygon(loop, span, WING_LE_X, 1.0, place), RIB, facing=facing, two_sided=inner)
    mid_camber = camber_line(0.5, WING_CAMBER, WING_CAMBER_AT)
    airfoil_loft(mesh, [(0.0, WING_LE_X, 1.0), (1.0, WING_LE_X, 1.0)], loop, place, wing_material,
                 outward=lambda p: (p[0] + 0.25, (p[1] - mid_camber) * 10, 0.0))
    return mesh


def mirror_span(mesh, name):
    """The mesh mirrored across the aircraft's centre plane (z to -z)."""
    out = mesh.transformed(lambda p: (p[0], p[1], -p[2]))
    out.name = name
    return out


TAIL_HALF_SPAN = 1.5
TAIL_LE_X = 0.15
TAIL_CHORD = 0.6
TAIL_THICKNESS = 0.04 / TAIL_CHORD
TAIL_TIP_ROUNDING = 0.18  # m of span over which the tip rounds off


def tip_stations(half_span, le_x, chord, rounding, steps=4):
    """Stations of a straight panel whose tips round off in plan (the leading edge
    sweeps back into the tip); from -half_span to +half_span."""
    def station(span):
        inset = max(0.0, abs(span) - (half_span - rounding)) / rounding  # 0..1 into the tip
        c = chord * max(0.08, math.sqrt(max(0.0, 1 - inset * inset)))
        return (span, le_x - (chord - c) * 0.6, c)

    outer = [half_span - rounding * (1 - math.cos(math.pi / 2 * k / steps)) for k in range(steps + 1)]
    spans = [-s for s in outer] + list(reversed(outer))
    return [station(s) for s in spans]


def make_tail():
    """The all-moving horizontal tail, hinged at the origin."""
    mesh = Mesh("Tail")
    loop = profile_loop(TAIL_THICKNESS, points=8)
    stations = tip_stations(TAIL_HALF_SPAN, TAIL_LE_X, TAIL_CHORD, TAIL_TIP_ROUNDING)

    def place(span, x, h):
        return (x, h, span)

    tube(mesh, (0.0, 0.0, -0.08), (0.0, 0.0, 0.08), 0.025, SPAR, sides=8)  # hinge fitting
    for span, le_x, chord in (stations[0], stations[-1]):
        mesh.polygon(section_polygon(loop, span, le_x, chord, place), TAIL_EDGE, facing=(0, 0, span))
    airfoil_loft(mesh, stations, loop, place, lambda t: TAIL_EDGE if t < 0.12 else FILM,
                 outward=lambda p: (p[0] + 0.15, p[1] * 20, 0.0))
    return mesh


FIN_HEIGHT = 1.2
FIN_ROOT_LE_X = 0.3
FIN_TIP_LE_X = 0.05
FIN_TE_X = -0.3
FIN_THICKNESS = 0.04 / 0.6


def make_fin():
    """The vertical fin: swept leading edge, straight trailing edge, thin in z."""
    mesh = Mesh("Fin")
    loop = profile_loop(FIN_THICKNESS, points=8)
    steps = 6
    stations = []
    for k in range(steps + 1):
        y = FIN_HEIGHT * k / steps
        le = FIN_ROOT_LE_X + (FIN_TIP_LE_X - FIN_ROOT_LE_X) * (k / steps) ** 1.3
        stations.append((y, le, le - FIN_TE_X))

    def place(span, x, h):
        return (x, span, h)

    for span, le_x, chord in (stations[0], stations[-1]):
        mesh.polygon(section_polygon(loop, span, le_x, chord, place), TAIL_EDGE, facing=(0, span - 0.5, 0))
    airfoil_loft(mesh, stations, loop, place, lambda t: TAIL_EDGE if t < 0.12 else FILM,
                 outward=lambda p: (p[0] + 0.1, 0.0, p[2] * 20))
    return mesh


BOOM_FROM_X, BOOM_TO_X = -1.0, 0.1   # the game stretches it back to the tail
BOOM_RADIUS = 0.05


def make_boom():
    """A carbon tube; the game stretches it along x to reach the tail."""
    mesh = Mesh("Boom")
    tube(mesh, (BOOM_FROM_X, 0.0, 0.0), (BOOM_TO_X, 0.0, 0.0), BOOM_RADIUS, SPAR, sides=10)
    return mesh


# Pilot and pod. The pod is a teardrop below the wing; its upper front is a clear
# canopy with the pilot, reclined as on a recumbent bicycle, visible through it. It is
# no deeper than the drop from the glider's reference point to the deck at the start,
# so it rides in the deck's groove and never dips into the scaffold below.
POD_LENGTH = 1.8
POD_NOSE_X = 0.9
POD_HALF_HEIGHT = 0.4
POD_HALF_WIDTH = 0.3
POD_CENTRE_Y = -0.42      # at the nose; the tail rises a little
POD_TAIL_RISE = 0.06
POD_STATIONS = 14
POD_SIDES = 16
CANOPY_REACH = 0.72       # canopy runs from the nose over this fraction of the pod

FAIRING = shade_of((232, 64, 44), name="PodFairing", power=30, specular=(0.5, 0.5, 0.5))
CANOPY = shade_of((170, 214, 240), name="Canopy", alpha=0.38, power=40, specular=(0.8, 0.8, 0.8),
                  emissive=(0.06, 0.1, 0.14))
HELMET = shade_of((250, 250, 245), name="Helmet", power=30, specular=(0.5, 0.5, 0.5))
SKIN = shade_of((232, 184, 150), name="Skin")
SHIRT = shade_of((36, 90, 190), name="Shirt")
TROUSERS = shade_of((44, 46, 58), name="Trousers")
SHOES = shade_of((240, 240, 240), name="Shoes")


def pod_section(s):
    """Centre height, half height and half width of the pod at s (0 nose, 1 tail)."""
    peak = half_thickness(0.3, 1.0)
    f = half_thickness(s, 1.0) / peak
    return POD_CENTRE_Y + POD_TAIL_RISE * s, POD_HALF_HEIGHT * f, POD_HALF_WIDTH * f


def make_pod(mesh):
    rows, stations = [], []
    for i in range(POD_STATIONS + 1):
        s = (1 - math.cos(math.pi * i / POD_STATIONS)) / 2  # closer together at the ends
        x = POD_NOSE_X - POD_LENGTH * s
        yc, b, c = pod_section(s)
        stations.append(s)
        rows.append([(x, yc + b * math.cos(2 * math.pi * k / POD_SIDES), c * math.sin(2 * math.pi * k / POD_SIDES))
                     for k in range(POD_SIDES)])

    def material(i, j):
        upper = math.cos(2 * math.pi * (j + 0.5) / POD_SIDES) > 0.05
        return CANOPY if upper and stations[i] < CANOPY_REACH else FAIRING

    def away_from_centre_line(p):
        s = (POD_NOSE_X - p[0]) / POD_LENGTH
        return (0.0, p[1] - pod_section(s)[0], p[2])

    mesh.grid(rows, material, wrap=True, outward=away_from_centre_line)


def make_reclined_pilot(mesh):
    """Lying back with legs forward to the pedals, hands on the stick."""
    hips, shoulders, head = (0.1, -0.6, 0.0), (-0.14, -0.3, 0.0), (-0.2, -0.2, 0.0)
    ellipsoid(mesh, lerp(hips, shoulders, 0.5), (0.12, 0.23, 0.17), SHIRT, up=sub(shoulders, hips))
    tube(mesh, shoulders, lerp(shoulders, head, 0.7), 0.045, SKIN, sides=8)                  # neck
    ellipsoid(mesh, head, (0.11, 0.1, 0.1), HELMET, rings=6, segments=10)
    ellipsoid(mesh, (-0.13, -0.215, 0.0), (0.055, 0.07, 0.07), SKIN, rings=6, segments=10)  # face
    for side in (-1, 1):
        hip, knee, ankle = (0.1, -0.6, 0.09 * side), (0.45, -0.42, 0.1 * side), (0.7, -0.6, 0.09 * side)
        tube(mesh, hip, knee, 0.075, TROUSERS, sides=8)
        tube(mesh, knee, ankle, 0.06, TROUSERS, sides=8)
        ellipsoid(mesh, (0.74, -0.62, 0.09 * side), (0.08, 0.04, 0.04), SHOES, rings=4, segments=8)
        shoulder, elbow, hand = (-0.13, -0.3, 0.16 * side), (0.05, -0.45, 0.19 * side), (0.22, -0.4, 0.06 * side)
        tube(mesh, shoulder, elbow, 0.045, SHIRT, sides=8)
        tube(mesh, elbow, hand, 0.04, SKIN, sides=8)
    tube(mesh, (0.24, -0.7, 0.0), (0.24, -0.38, 0.0), 0.015, SPAR, sides=6)                  # stick


def make_pilot():
    """The pilot in the pod, with a short mast up to the wing."""
    mesh = Mesh("PilotPod")
    make_reclined_pilot(mesh)
    box(mesh, (0.0, -0.06, -0.02), (0.22, 0.2, 0.02), FAIRING)  # mast up to the wing
    make_pod(mesh)  # last: its canopy is see-through
    return mesh


# --- Launch platform (placed at (0, 10, 0)) --------------------------------------

DECK_TOP = 0.5
DECK_BACK_X = -20.6
DECK_HALF_WIDTH = 5.0
RUN_START_X = -10.0       # where the glider waits; it runs from here to the edge
# The glider's reference point falls 0.5 m over the run while the deck is flat, so
# the pod runs in a groove whose floor falls with it: flush with the deck at the start,
# just above the scaffold's top (the deck's underside) at the edge.
GROOVE_HALF_WIDTH = 0.45
GROOVE_FLOOR_AT_EDGE = 0.02
START_LINE = (-10.75, -10.55)  # painted across the deck behind the waiting pod
RAIL_HEIGHT = 1.0
RAIL_END_X = -11.6        # railings stop short of where the wings sweep past
HUT_X = (-20.2, -16.0)
HUT_Z = (-4.7, -1.8)      # beside the run line: tails up to 3.6 m wide pass it
HUT_WALL_TOP = 2.9
DECK_TILE = 2.0           # m of deck per repeat of the plank picture

DECK_WOOD = shade_of((236, 232, 224), name="DeckWood", texture="image\\wood.bmp")
DECK_EDGE = shade_of((214, 50, 40), name="DeckEdge")
STEEL = shade_of((170, 176, 184), name="Steel", power=30, specular=(0.5, 0.5, 0.5))
GROOVE = shade_of((150, 156, 166), name="Groove")
PAINT = shade_of((250, 250, 250), name="LinePaint")
HUT_WALL = shade_of((236, 226, 196), name="HutWall")
HUT_ROOF = shade_of((62, 78, 100), name="HutRoof")
HUT_DOOR = shade_of((120, 80, 52), name="HutDoor")
WINDOW = shade_of((60, 90, 130), name="Window", power=60, specular=(0.9, 0.9, 0.9), emissive=(0.05, 0.08, 0.12))
FLAG = shade_of((255, 150, 30), name="Flag", emissive=(0.15, 0.08, 0.0))


def groove_floor(x):
    """Height of the groove's floor at x (deck top behind the start)."""
    if x <= RUN_START_X:
        return DECK_TOP
    return DECK_TOP + (GROOVE_FLOOR_AT_EDGE - DECK_TOP) * (x - RUN_START_X) / -RUN_START_X


def make_deck(mesh):
    w, c = DECK_HALF_WIDTH, GROOVE_HALF_WIDTH
    for z0, z1 in ((-w, -c), (c, w)):
        box(mesh, (DECK_BACK_X, 0.0, z0), (0.0, DECK_TOP, z1), DECK_WOOD, DECK_TILE)
        box(mesh, (0.0, DECK_TOP - 0.3, z0), (0.05, DECK_TOP + 0.03, z1), DECK_EDGE)  # painted front board
    box(mesh, (DECK_BACK_X, 0.0, -c), (RUN_START_X, DECK_TOP, c), DECK_WOOD, DECK_TILE, skip=("+x",))
    box(mesh, (START_LINE[0], DECK_TOP, -w + 0.2), (START_LINE[1], DECK_TOP + 0.01, w - 0.2), PAINT, skip=("-y",))


def make_groove(mesh):
    """The groove down the middle from the start to the edge: a sloping floor on a
    wedge that fills it to the deck's underside, and the two walls (the wedge's own
    sides are hidden in the deck)."""
    c = GROOVE_HALF_WIDTH - 0.01  # just inside the deck's own sides
    x0, x1 = RUN_START_X, 0.0
    f0, f1 = groove_floor(x0), groove_floor(x1)
    mesh.polygon([(x0, f0, -c), (x1, f1, -c), (x1, f1, c), (x0, f0, c)], GROOVE, facing=(0, 1, 0))
    mesh.polygon([(x0, 0.0, -c), (x1, 0.0, -c), (x1, 0.0, c), (x0, 0.0, c)], GROOVE, facing=(0, -1, 0))
    mesh.polygon([(x1, 0.0, -c), (x1, 0.0, c), (x1, f1, c), (x1, f1, -c)], DECK_EDGE, facing=(1, 0, 0))
    for z in (-c, c):
        mesh.polygon([(x0, f0, z), (x1, f1, z), (x1, DECK_TOP, z)], GROOVE, facing=(0, 0, -z))


def railing(mesh, start, end, posts):
    """Posts with a top rail and a knee rail, from start to end along the deck."""
    top, knee = DECK_TOP + RAIL_HEIGHT, DECK_TOP + RAIL_HEIGHT / 2
    for k in range(posts + 1):
        p = lerp(start, end, k / posts)
        tube(mesh, (p[0], DECK_TOP, p[2]), (p[0], top, p[2]), 0.03, STEEL, sides=6)
    for y in (top, knee):
        tube(mesh, (start[0], y, start[2]), (end[0], y, end[2]), 0.025, STEEL, sides=6)


def make_hut(mesh):
    """The starters' hut, off to one side so a long tail boom clears it."""
    x0, x1 = HUT_X
    z0, z1 = HUT_Z
    mid_z = (z0 + z1) / 2
    box(mesh, (x0, DECK_TOP, z0), (x1, HUT_WALL_TOP, z1), HUT_WALL, skip=("-y",))
    # A lean-to roof, higher over the door, overhanging on every side.
    eave, thickness = 0.3, 0.12
    back, front = HUT_WALL_TOP + 0.05, HUT_WALL_TOP + 0.45
    top = [(x0 - eave, back, z0 - eave), (x0 - eave, back, z1 + eave), (x1 + eave, front, z1 + eave),
           (x1 + eave, front, z0 - eave)]
    mesh.polygon(top, HUT_ROOF, facing=(0, 1, 0))
    mesh.polygon([(x, y - thickness, z) for x, y, z in top], HUT_ROOF, facing=(0, -1, 0))
    for a, b in zip(top, top[1:] + top[:1]):
        mesh.polygon([a, b, (b[0], b[1] - thickness, b[2]), (a[0], a[1] - thickness, a[2])], HUT_ROOF,
                     facing=sub(lerp(a, b, 0.5), ((x0 + x1) / 2, a[1], mid_z)))
    # The wall under the sloping roof, on both ends and at the front.
    for z in (z0, z1):
        mesh.polygon([(x0, HUT_WALL_TOP, z), (x1, HUT_WALL_TOP, z), (x1, front - thickness, z),
                      (x0, back - thickness, z)], HUT_WALL, facing=(0, 0, z - mid_z))
    mesh.polygon([(x1, HUT_WALL_TOP, z0), (x1, HUT_WALL_TOP, z1), (x1, front - thickness, z1),
                  (x1, front - thickness, z0)], HUT_WALL, facing=(1, 0, 0))
    # Door and window facing the lake, a window in each end.
    box(mesh, (x1, DECK_TOP, mid_z + 0.1), (x1 + 0.04, DECK_TOP + 2.0, mid_z + 1.0), HUT_DOOR, skip=("-x",))
    box(mesh, (x1, DECK_TOP + 1.0, mid_z - 1.0), (x1 + 0.03, DECK_TOP + 1.8, mid_z - 0.2), WINDOW, skip=("-x",))
    for z_in, z_out in ((z0, z0 - 0.03), (z1, z1 + 0.03)):
        box(mesh, (x0 + 1.2, DECK_TOP + 1.0, min(z_in, z_out)), (x1 - 1.2, DECK_TOP + 1.8, max(z_in, z_out)),
            WINDOW)
    # Flag on the roof, seen from the lake.
    pole_x, pole_z = x1 - 0.3, z0 + 0.3
    tube(mesh, (pole_x, front - 0.1, pole_z), (pole_x, front + 3.2, pole_z), 0.03, STEEL, sides=6)
    flag_top = front + 3.1
    mesh.polygon([(pole_x, flag_top, pole_z), (pole_x, flag_top - 0.7, pole_z),
                  (pole_x - 1.1, flag_top - 0.75, pole_z - 0.15), (pole_x - 1.1, flag_top - 0.05, pole_z - 0.15)],
                 FLAG, two_sided=True)


def make_home():
    """The deck with its groove, railings at the back half and the starters' hut."""
    mesh = Mesh("LaunchPlatform", decimals=3)
    make_deck(mesh)
    make_groove(mesh)
    w = DECK_HALF_WIDTH - 0.1
    back = DECK_BACK_X + 0.1
    railing(mesh, (back, 0, -w), (RAIL_END_X, 0, -w), 6)
    railing(mesh, (back, 0, w), (RAIL_END_X, 0, w), 6)
    railing(mesh, (back, 0, -w), (back, 0, w), 6)
    make_hut(mesh)
    return mesh


# --- Shore and hills (placed at (-154, 0, 0)) ------------------------------------

LAND_OFFSET_X = -154.0     # where the game puts the mesh; heights are worked out in world x
SHORE_X = -22.0            # world x of the embankment along the lake
LAND_FAR_X = -1200.0
LAND_HALF_DEPTH = 900.0    # z reach either side
MEADOW_HEIGHT = 0.5        # m above the water at the shore
MEADOW_RISE = 0.0015       # m per m inland
# The game stands its long row of trees on a line 15 degrees off the shore with their
# foot 5 m up, so the ground rises to a bank there; the bank falls to the meadow in
# front of it.
TREE_LINE_ANGLE = math.radians(15.0)
TREE_LINE_X_AT_Z0 = -195.0
TREE_LINE_END_Z = 183.0    # the row of trees stops here; the bank fades out past it
TREE_FOOT_HEIGHT = 5.2
BANK_SLOPE = 0.3
WOOD_RISE = 0.02           # the wooded ground behind keeps rising gently
HILL_HEIGHT = 24.0         # rolling hills further inland
HILL_START, HILL_FULL = 150.0, 600.0  # m behind the tree line
EMBANKMENT_FOOT = -0.6     # m; the stone wall goes down into the water
SKIRT_FOOT = -1.0          # outer edges are closed down below the water
PATH_HALF_WIDTH = 8.0      # the trodden path under the launch ramp
GRASS_TILE, DIRT_TILE, STONE_TILE = 20.0, 12.0, 2.5  # m per picture repeat
LAND_ROW_STEP = 40.0       # m between rows along z

GRASS = shade_of((255, 255, 255), name="Grass", texture="image\\grass.bmp")
DIRT = shade_of((255, 255, 255), name="Dirt", texture="image\\dirt.bmp")
STONE = shade_of((255, 255, 255), name="Stone", texture="image\\stone.bmp")


def tree_line_x(z):
    """World x of the foot of the tree row at z (held where the row ends)."""
    return TREE_LINE_X_AT_Z0 + min(z, TREE_LINE_END_Z) * math.tan(TREE_LINE_ANGLE)


def ahead_of_tree_line(x, z):
    """Signed distance (m) from the tree row, positive on the lake side."""
    return (x - TREE_LINE_X_AT_Z0) * math.cos(TREE_LINE_ANGLE) - z * math.sin(TREE_LINE_ANGLE)


def terrain_height(x, z):
    """Ground height at world (x, z): meadow by the lake, the bank the trees stand on,
    then wooded hills."""
    inland = max(0.0, SHORE_X - x)
    meadow = MEADOW_HEIGHT + MEADOW_RISE * inland
    d = ahead_of_tree_line(x, z)
    if d > 0:
        bank = TREE_FOOT_HEIGHT - BANK_SLOPE * d
    else:
        behind = -d
        rolling = 0.6 + 0.25 * math.sin(x / 170.0) + 0.15 * math.sin(z / 230.0 + 1.0)
        bank = TREE_FOOT_HEIGHT + WOOD_RISE * behind + HILL_HEIGHT * rolling * (
            min(1.0, max(0.0, (behind - HILL_START) / (HILL_FULL - HILL_START))) ** 2)
    fade = min(1.0, max(0.0, (TREE_LINE_END_Z + 80.0 - z) / 70.0))  # no bank where no trees stand
    return max(meadow, bank * fade)


def land_columns(z):
    """World x of the grid columns in the row at z, from the shore inland: close
    together on the bank so the trees' foot meets the ground."""
    foot = tree_line_x(z)
    bank_toe = foot + (TREE_FOOT_HEIGHT - MEADOW_HEIGHT) / BANK_SLOPE / math.cos(TREE_LINE_ANGLE)
    near = [SHORE_X, SHORE_X - 2.0] + [SHORE_X - 2.0 + (bank_toe - SHORE_X + 2.0) * k / 7 for k in range(1, 8)]
    bank = [bank_toe + (foot - bank_toe) * k / 3 for k in range(1, 4)]
    far = [foot + (LAND_FAR_X - foot) * (k / 12) ** 1.5 for k in range(1, 13)]
    return near + bank + far


def land_rows():
    zs = set()
    z = -LAND_HALF_DEPTH
    while z <= LAND_HALF_DEPTH + 1e-6:
        zs.add(round(z, 3))
        z += LAND_ROW_STEP
    zs.update((-PATH_HALF_WIDTH, PATH_HALF_WIDTH))
    return sorted(zs)


def land_material(x0, x1, z0, z1, column):
    if column == 0:
        return STONE  # the coping along the top of the embankment
    on_path = -PATH_HALF_WIDTH <= z0 and z1 <= PATH_HALF_WIDTH and min(x0, x1) >= tree_line_x(0.0) - 5
    return DIRT if on_path else GRASS


def make_land():
    """Meadow, the wooded bank and hills, all textured (the game draws it unlit), with a
    stone embankment along the lake and skirts that close the other edges."""
    mesh = Mesh("Shore", decimals=2)  # centimetres are plenty for fields and hills
    zs = land_rows()
    # Rows of points along x (shore first) for each z; local x is world x less the offset.
    rows = []
    for z in zs:
        rows.append([(x - LAND_OFFSET_X, terrain_height(x, z), z) for x in land_columns(z)])
    n_cols = len(rows[0])
    # Quads of one material share their corners; the texture follows world position, so
    # tiles line up across quads.
    corners = {}

    def corner(i, j, material):
        key = (i, j, material.name)
        if key not in corners:
            p = rows[i][j]
            tile = {GRASS: GRASS_TILE, DIRT: DIRT_TILE, STONE: STONE_TILE}[material]
            across = sub(rows[min(i + 1, len(zs) - 1)][j], rows[max(i - 1, 0)][j])
            inland = sub(rows[i][max(j - 1, 0)], rows[i][min(j + 1, n_cols - 1)])
            corners[key] = mesh.vertex(p, cross(inland, across), ((p[0] + LAND_OFFSET_X) / tile, p[2] / tile))
        return corners[key]

    for i in range(len(zs) - 1):
        for j in range(n_cols - 1):
            material = land_material(rows[i][j][0] + LAND_OFFSET_X, rows[i][j + 1][0] + LAND_OFFSET_X, zs[i],
                                     zs[i + 1], j)
            # Shore-side corner first, then inland along the row, then back: faces up.
            quad = [(i, j), (i, j + 1), (i + 1, j + 1), (i + 1, j)]
            mesh.face([corner(a, b, material) for a, b in quad], material)
    # Stone embankment facing the lake, and skirts down into the water on the other edges.
    for i in range(len(zs) - 1):
        top0, top1 = rows[i][0], rows[i + 1][0]
        wall = [top0, top1, (top1[0], EMBANKMENT_FOOT, top1[2]), (top0[0], EMBANKMENT_FOOT, top0[2])]
        mesh.polygon(wall, STONE, [(p[2] / STONE_TILE, -p[1] / STONE_TILE) for p in wall], facing=(1, 0, 0))
        back0, back1 = rows[i][-1], rows[i + 1][-1]
        skirt = [back0, back1, (back1[0], SKIRT_FOOT, back1[2]), (back0[0], SKIRT_FOOT, back0[2])]
        mesh.polygon(skirt, GRASS, [(p[2] / GRASS_TILE, -p[1] / GRASS_TILE) for p in skirt], facing=(-1, 0, 0))
    for row, outward in ((rows[0], -1), (rows[-1], 1)):
        for p, q in zip(row, row[1:]):
            skirt = [p, q, (q[0], SKIRT_FOOT, q[2]), (p[0], SKIRT_FOOT, p[2])]
            mesh.polygon(skirt, GRASS, [(s[0] / GRASS_TILE, -s[1] / GRASS_TILE) for s in skirt],
                         facing=(0, 0, outward))
    return mesh


# --- The inn by the lake (placed at (-350, 0, -800)) -----------------------------
# Two storeys of white plaster between dark timber posts, paper screens in the
# windows, a pent roof between the floors and a hipped tile roof, on a stone base
# that lifts it above the rising meadow. It faces the lake (+x).

INN_HALF_DEPTH = 7.5        # x
INN_HALF_LENGTH = 15.0      # z
PLINTH_TOP = 1.5
GROUND_FLOOR_TOP = 4.7
UPPER_FLOOR = 5.3
UPPER_FLOOR_TOP = 8.3
UPPER_INSET = 0.5           # the upper storey sits back from the lower
PENT_REACH = 1.2            # m the pent roof sticks out
EAVES_REACH = 1.5
RIDGE_HEIGHT = 12.0
RIDGE_INSET = 6.0           # the ridge stops this far short of each end (hipped ends)
BAY = 2.5                   # m between posts
SCREEN_MARGIN = 0.25        # m of plaster round each paper screen

PLASTER = shade_of((238, 234, 222), name="Plaster")
TIMBER = shade_of((70, 48, 34), name="Timber")
SCREEN = shade_of((250, 240, 206), name="PaperScreen", emissive=(0.12, 0.1, 0.06))
ROOF_TILE = shade_of((58, 62, 72), name="RoofTile", power=20, specular=(0.3, 0.3, 0.3))
PLINTH_STONE = shade_of((200, 198, 190), name="PlinthStone", texture="image\\stone.bmp")
CURTAIN = shade_of((40, 60, 120), name="Curtain")


def storey(mesh, half_depth, half_length, bottom, top, entrance):
    """Plaster walls with timber posts every bay and a paper screen in each bay."""
    box(mesh, (-half_depth, bottom, -half_length), (half_depth, top, half_length), PLASTER, skip=("-y", "+y"))
    proud = 0.08
    bays = int(round(2 * half_length / BAY))
    for x in (-half_depth, half_depth):
        # Timber stands proud of the plaster; faces inside the wall or under the roof
        # are never seen and are left out.
        hidden = ("-y", "+y", "-x" if x > 0 else "+x")
        for k in range(bays + 1):
            z = -half_length + 2 * half_length * k / bays
            box(mesh, (x - proud, bottom, z - 0.12), (x + proud, top, z + 0.12), TIMBER, skip=hidden)
        box(mesh, (x - proud, top - 0.25, -half_length), (x + proud, top, half_length), TIMBER, skip=hidden)
    for k in range(bays):
        z0 = -half_length + 2 * half_length * k / bays + 0.12 + SCREEN_MARGIN
        z1 = -half_length + 2 * half_length * (k + 1) / bays - 0.12 - SCREEN_MARGIN
        for side in (-1, 1):
            x_in, x_out = side * half_depth, side * (half_depth + 0.04)
            door = entrance and side == 1 and k in (bays // 2 - 1, bays // 2)
            lo = bottom + (0.05 if door else 0.9)
            material = CURTAIN if door else SCREEN
            box(mesh, (min(x_in, x_out), lo, z0), (max(x_in, x_out), top - 0.55, z1), material,
                skip=("-x" if side > 0 else "+x",))
    # Ends: posts at the corners are enough; one screen in the middle of each end wall.
    for side in (-1, 1):
        z_in, z_out = side * half_length, side * (half_length + 0.04)
        box(mesh, (-2.0, bottom + 0.9, min(z_in, z_out)), (2.0, top - 0.55, max(z_in, z_out)), SCREEN,
            skip=("-z" if side > 0 else "+z",))


def hipped_roof(mesh, half_depth, half_length, eaves, ridge_y, ridge_half):
    """Four roof planes from an eaves rectangle up to a ridge along z, and the soffit."""
    a, b = (half_depth, eaves, -half_length), (half_depth, eaves, half_length)
    c, d = (-half_depth, eaves, half_length), (-half_depth, eaves, -half_length)
    r0, r1 = (0.0, ridge_y, -ridge_half), (0.0, ridge_y, ridge_half)
    mesh.polygon([a, b, r1, r0], ROOF_TILE, facing=(1, 1, 0))
    mesh.polygon([c, d, r0, r1], ROOF_TILE, facing=(-1, 1, 0))
    mesh.polygon([b, c, r1], ROOF_TILE, facing=(0, 1, 1))
    mesh.polygon([d, a, r0], ROOF_TILE, facing=(0, 1, -1))
    mesh.polygon([a, b, c, d], ROOF_TILE, facing=(0, -1, 0))
    box(mesh, (-half_depth, eaves - 0.25, -half_length), (half_depth, eaves, half_length), TIMBER,
        skip=("+y", "-y"))  # fascia round the eaves


def pent_roof(mesh, half_depth, half_length, wall_top):
    """A short sloping roof all round between the storeys, mitred at the corners."""
    low = wall_top - 0.5
    inner = [(half_depth, -half_length), (half_depth, half_length), (-half_depth, half_length),
             (-half_depth, -half_length)]
    outer = [(x + math.copysign(PENT_REACH, x), z + math.copysign(PENT_REACH, z)) for x, z in inner]
    for k in range(4):
        (ix0, iz0), (ix1, iz1) = inner[k], inner[(k + 1) % 4]
        (ox0, oz0), (ox1, oz1) = outer[k], outer[(k + 1) % 4]
        quad = [(ix0, wall_top, iz0), (ox0, low, oz0), (ox1, low, oz1), (ix1, wall_top, iz1)]
        out_x, out_z = (ox0 + ox1) / 2 - (ix0 + ix1) / 2, (oz0 + oz1) / 2 - (iz0 + iz1) / 2
        mesh.polygon(quad, ROOF_TILE, facing=(out_x, 1, out_z))
        mesh.polygon([(x, y - 0.08, z) for x, y, z in quad], TIMBER, facing=(0, -1, 0))


def make_ryokan():
    """Stone base, two storeys with a pent roof between them, hipped roof."""
    mesh = Mesh("LakesideInn", decimals=3)
    d, l = INN_HALF_DEPTH, INN_HALF_LENGTH
    box(mesh, (-d - 0.8, -0.5, -l - 0.8), (d + 0.8, PLINTH_TOP, l + 0.8), PLINTH_STONE, 2.5, skip=("-y",))
    storey(mesh, d, l, PLINTH_TOP, GROUND_FLOOR_TOP, entrance=True)
    pent_roof(mesh, d, l, UPPER_FLOOR)
    box(mesh, (-d, GROUND_FLOOR_TOP, -l), (d, UPPER_FLOOR, l), PLASTER, skip=("-y", "+y"))
    storey(mesh, d - UPPER_INSET, l - UPPER_INSET, UPPER_FLOOR, UPPER_FLOOR_TOP, entrance=False)
    hipped_roof(mesh, d - UPPER_INSET + EAVES_REACH, l - UPPER_INSET + EAVES_REACH, UPPER_FLOOR_TOP,
                RIDGE_HEIGHT, l - UPPER_INSET - RIDGE_INSET)
    return mesh


# --- Everything ------------------------------------------------------------------

# plane.txt: the part meshes in the order the game attaches them. Lines 3 and 6 are
# loaded but never drawn, so they reuse the boom and the fin.
PLANE_PARTS = ["model\\pilot", "model\\boom", "model\\boom", "model\\tail", "model\\fin", "model\\fin",
               "model\\wingR", "model\\wingL"]


def all_meshes():
    """Every mesh as (path under the data folder, Mesh)."""
    wing = make_wing_strip()
    return [
        ("model/pilot.x", make_pilot()),
        ("model/boom.x", make_boom()),
        ("model/tail.x", make_tail()),
        ("model/fin.x", make_fin()),
        ("model/wingR.x", wing),
        ("model/wingL.x", mirror_span(wing, "WingL")),
        ("pol/home.x", make_home()),
        ("pol/land.x", make_land()),
        ("pol/ryokan.x", make_ryokan()),
    ]
