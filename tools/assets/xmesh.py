"""Triangle and quad meshes built in Python and written as text X files.

Orientation: a face's corners run counter-clockwise when seen from its front, so
the right-hand normal points out of the solid. The game culls faces that appear
clockwise on screen, which leaves exactly the fronts.
"""
import math

# --- Small vector helpers --------------------------------------------------------


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def mul(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def length(a):
    return math.sqrt(dot(a, a))


def normalise(a):
    n = length(a)
    return (a[0] / n, a[1] / n, a[2] / n) if n > 1e-12 else (0.0, 1.0, 0.0)


def lerp(a, b, t):
    return add(a, mul(sub(b, a), t))


def newell_normal(points):
    """Unnormalised normal of a polygon (its length is twice the area), robust for
    polygons that are not quite flat."""
    nx = ny = nz = 0.0
    for i, p in enumerate(points):
        q = points[(i + 1) % len(points)]
        nx += (p[1] - q[1]) * (p[2] + q[2])
        ny += (p[2] - q[2]) * (p[0] + q[0])
        nz += (p[0] - q[0]) * (p[1] + q[1])
    return (nx, ny, nz)


def centroid(points):
    n = len(points)
    return (sum(p[0] for p in points) / n, sum(p[1] for p in points) / n, sum(p[2] for p in points) / n)


# --- Materials and meshes --------------------------------------------------------


class Material:
    """One X Material: diffuse colour with alpha, specular power and colour, emissive
    colour, and an optional texture file (a game path such as image\\wood.bmp)."""

    def __init__(self, name, colour, alpha=1.0, power=8.0, specular=(0.1, 0.1, 0.1), emissive=(0, 0, 0),
                 texture=None):
        self.name = name
        self.colour = colour
        self.alpha = alpha
        self.power = power
        self.specular = specular
        self.emissive = emissive
        self.texture = texture


def shade_of(rgb255, **kwargs):
    """A material from 0-255 colour components."""
    name = kwargs.pop("name")
    return Material(name, tuple(c / 255.0 for c in rgb255), **kwargs)


class Mesh:
    """Vertices (position, normal, texture coordinate) and faces, each with a material.

    The game draws a mesh's faces material by material in the order the materials were
    first used, so see-through materials are used last.
    """

    def __init__(self, name, decimals=4):
        self.name = name
        self.decimals = decimals  # places written for positions and texture coordinates
        self.positions, self.normals, self.uvs = [], [], []
        self.faces, self.face_materials = [], []
        self.materials = []

    def material_index(self, material):
        for i, known in enumerate(self.materials):
            if known is material:
                return i
        self.materials.append(material)
        return len(self.materials) - 1

    def vertex(self, position, normal, uv=(0.0, 0.0)):
        self.positions.append(tuple(position))
        self.normals.append(normalise(normal))
        self.uvs.append(tuple(uv))
        return len(self.positions) - 1

    def face(self, indices, material):
        # Corners on the same spot (a pole of a sphere) would make a sliver: drop them.
        kept = []
        for i in indices:
            if not kept or length(sub(self.positions[i], self.positions[kept[-1]])) > 1e-9:
                kept.append(i)
        while len(kept) > 1 and length(sub(self.positions[kept[0]], self.positions[kept[-1]])) <= 1e-9:
            kept.pop()
        if len(kept) >= 3:
            self.faces.append(tuple(kept))
            self.face_materials.append(self.material_index(material))

    def polygon(self, points, material, uvs=None, facing=None, two_sided=False):
        """A flat polygon with one normal. facing: a direction the front should turn
        to (the corners are reversed if it does not); two_sided adds the back too."""
        points = list(points)
        uvs = list(uvs) if uvs else [(0.0, 0.0)] * len(points)
        normal = newell_normal(points)
        if facing is not None and dot(normal, facing) < 0:
            points.reverse()
            uvs.reverse()
            normal = mul(normal, -1)
        self.face([self.vertex(p, normal, uv) for p, uv in zip(points, uvs)], material)
        if two_sided:
            back = mul(normal, -1)
            self.face([self.vertex(p, back, uv) for p, uv in zip(reversed(points), reversed(uvs))], material)

    def grid(self, rows, material_of, uv_of=None, wrap=False, outward=None, two_sided=False):
        """A smooth surface through a grid of points (rows of equal length).

        material_of(i, j): the material of the quad whose first corner is rows[i][j].
        uv_of(i, j): the texture coordinate of a grid point.
        wrap: the last column joins the first (a closed loop round the surface).
        outward(point): a rough direction the front should face; the whole grid is
        turned over if most faces point the other way.
        """
        n_rows, n_cols = len(rows), len(rows[0])
        col_pairs = [(j, (j + 1) % n_cols) for j in range(n_cols if wrap else n_cols - 1)]
        quads = []
        for i in range(n_rows - 1):
            for j, k in col_pairs:
                quads.append(((i, j), (i + 1, j), (i + 1, k), (i, k)))
        if outward is not None:
            agreement = 0.0
            for quad in quads:
                pts = [rows[a][b] for a, b in quad]
                agreement += dot(newell_normal(pts), outward(centroid(pts)))
            if agreement < 0:
                quads = [tuple(reversed(q)) for q in quads]
        # Vertex normals: the area-weighted sum of the faces around each grid point.
        sums = {}
        for quad in quads:
            n = newell_normal([rows[a][b] for a, b in quad])
            for corner in quad:
                sums[corner] = add(sums.get(corner, (0.0, 0.0, 0.0)), n)
        sides = [1, -1] if two_sided else [1]
        for side in sides:
            index = {}
            for (i, j), n in sums.items():
                uv = uv_of(i, j) if uv_of else (0.0, 0.0)
                index[(i, j)] = self.vertex(rows[i][j], mul(n, side), uv)
            for quad in quads:
                corners = quad if side == 1 else tuple(reversed(quad))
                self.face([index[c] for c in corners], material_of(quad[0][0], quad[0][1]))

    def transformed(self, move):
        """A copy with every position passed through move(p); normals follow by finite
        differences, so any smooth bend or mirror keeps them right."""
        out = Mesh(self.name)
        mirrored = _flips_orientation(move)
        for p, n, uv in zip(self.positions, self.normals, self.uvs):
            q = move(p)
            tip = move(add(p, mul(n, 1e-3)))
            out.positions.append(q)
            out.normals.append(normalise(sub(tip, q)))
            out.uvs.append(uv)
        for face, m in zip(self.faces, self.face_materials):
            out.faces.append(tuple(reversed(face)) if mirrored else face)
            out.face_materials.append(out.material_index(self.materials[m]))
        return out


def _flips_orientation(move):
    """True when the map mirrors space (its Jacobian determinant is negative)."""
    o = move((0.0, 0.0, 0.0))
    ex, ey, ez = (sub(move(e), o) for e in ((1.0, 0, 0), (0, 1.0, 0), (0, 0, 1.0)))
    return dot(ex, cross(ey, ez)) < 0


# --- Shapes ----------------------------------------------------------------------


def planar_uv(point, normal, metres_per_tile):
    """Texture coordinate from the axis plane the face lies closest to; walls get
    their texture upright."""
    ax, ay, az = (abs(c) for c in normal)
    x, y, z = point
    if ay >= ax and ay >= az:
        return (x / metres_per_tile, z / metres_per_tile)
    if ax >= az:
        return (z / metres_per_tile, -y / metres_per_tile)
    return (x / metres_per_tile, -y / metres_per_tile)


def box(mesh, lo, hi, material, metres_per_tile=None, skip=()):
    """An axis-aligned box between two corners. skip: faces to leave out, named by
    their outward direction such as "-y" (a face nobody can see)."""
    (x0, y0, z0), (x1, y1, z1) = lo, hi
    faces = {
        "+x": [(x1, y0, z0), (x1, y1, z0), (x1, y1, z1), (x1, y0, z1)],
        "-x": [(x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0)],
        "+y": [(x0, y1, z0), (x0, y1, z1), (x1, y1, z1), (x1, y1, z0)],
        "-y": [(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)],
        "+z": [(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)],
        "-z": [(x0, y0, z0), (x0, y1, z0), (x1, y1, z0), (x1, y0, z0)],
    }
    axes = {"x": (1, 0, 0), "y": (0, 1, 0), "z": (0, 0, 1)}
    for name, corners in faces.items():
        if name in skip:
            continue
        outward = mul(axes[name[1]], 1 if name[0] == "+" else -1)
        uvs = [planar_uv(p, outward, metres_per_tile) for p in corners] if metres_per_tile else None
        mesh.polygon(corners, material, uvs, facing=outward)


def axis_frame(direction):
    """Two unit vectors square to a direction and to each other."""
    d = normalise(direction)
    helper = (0.0, 1.0, 0.0) if abs(d[1]) < 0.9 else (1.0, 0.0, 0.0)
    u = normalise(cross(d, helper))
    return u, cross(d, u)


def tube(mesh, start, end, radius, material, sides=10, end_radius=None, caps=True):
    """A round tube (or cone when end_radius differs) between two points."""
    u, v = axis_frame(sub(end, start))
    radii = (radius, radius if end_radius is None else end_radius)
    rows = []
    for centre, r in zip((start, end), radii):
        rows.append([add(centre, add(mul(u, r * math.cos(2 * math.pi * k / sides)),
                                     mul(v, r * math.sin(2 * math.pi * k / sides)))) for k in range(sides)])
    axis = sub(end, start)

    def away_from_axis(p):
        t = dot(sub(p, start), axis) / dot(axis, axis)
        return sub(p, add(start, mul(axis, t)))

    mesh.grid(rows, lambda i, j: material, wrap=True, outward=away_from_axis)
    if caps:
        mesh.polygon(rows[0], material, facing=mul(axis, -1))
        mesh.polygon(rows[1], material, facing=axis)


def ellipsoid(mesh, centre, radii, material, rings=8, segments=12, up=(0.0, 1.0, 0.0)):
    """An ellipsoid with smooth normals. radii are along (forward, up, side); up tilts
    the body in the x-y plane (a leaning torso), the side axis stays z."""
    up = normalise(up)
    side = (0.0, 0.0, 1.0)
    forward = normalise(cross(up, side))
    rows = []
    for i in range(rings + 1):
        polar = math.pi * i / rings
        row = []
        for k in range(segments):
            a = 2 * math.pi * k / segments
            local = (radii[0] * math.sin(polar) * math.cos(a), radii[1] * math.cos(polar),
                     radii[2] * math.sin(polar) * math.sin(a))
            row.append(add(centre, add(mul(forward, local[0]), add(mul(up, local[1]), mul(side, local[2])))))
        rows.append(row)
    mesh.grid(rows, lambda i, j: material, wrap=True, outward=lambda p: sub(p, centre))


# --- X text output ---------------------------------------------------------------


NORMAL_DECIMALS = 3


def number(value, decimals=4):
    """A compact decimal: trailing zeros dropped, never "-0"."""
    text = ("%.*f" % (decimals, value)).rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def _list(lines, last=";;", between=";,"):
    """X list items: each ends "…;," and the last "…;;"."""
    return [line + (last if k == len(lines) - 1 else between) for k, line in enumerate(lines)]


def _faces(faces):
    return _list(["%d;%s" % (len(f), ",".join(str(i) for i in f)) for f in faces])


def _material_text(material, indent):
    pad = " " * indent
    r, g, b = material.colour
    lines = [
        pad + "Material %s {" % material.name,
        pad + " %s;%s;%s;%s;;" % (number(r), number(g), number(b), number(material.alpha)),
        pad + " %s;" % number(material.power),
        pad + " %s;%s;%s;;" % tuple(number(c) for c in material.specular),
        pad + " %s;%s;%s;;" % tuple(number(c) for c in material.emissive),
    ]
    if material.texture:
        # X strings escape the backslash of the game's path.
        lines.append(pad + ' TextureFilename { "%s"; }' % material.texture.replace("\\", "\\\\"))
    lines.append(pad + "}")
    return lines


def x_text(mesh):
    """The mesh as a text X file: positions, faces, normals, texture coordinates (when
    any material has a texture) and the material list."""
    out = ["xof 0302txt 0032", "", "Mesh %s {" % mesh.name, " %d;" % len(mesh.positions)]
    places = mesh.decimals
    out += [" " + s for s in _list(["%s;%s;%s" % tuple(number(c, places) for c in p) for p in mesh.positions])]
    out += [" %d;" % len(mesh.faces)]
    out += [" " + s for s in _faces(mesh.faces)]
    out += ["", " MeshNormals {", "  %d;" % len(mesh.normals)]
    out += ["  " + s for s in _list(["%s;%s;%s" % tuple(number(c, NORMAL_DECIMALS) for c in n)
                                     for n in mesh.normals])]
    out += ["  %d;" % len(mesh.faces)]
    out += ["  " + s for s in _faces(mesh.faces)]
    out += [" }"]
    if any(m.texture for m in mesh.materials):
        out += ["", " MeshTextureCoords {", "  %d;" % len(mesh.uvs)]
        out += ["  " + s for s in _list(["%s;%s" % (number(u, places), number(v, places)) for u, v in mesh.uvs])]
        out += [" }"]
    out += ["", " MeshMaterialList {", "  %d;" % len(mesh.materials), "  %d;" % len(mesh.faces)]
    out += ["  " + s for s in _list([str(m) for m in mesh.face_materials], last=";", between=",")]
    for material in mesh.materials:
        out += _material_text(material, 2)
    out += [" }", "}", ""]
    return "\n".join(out)
