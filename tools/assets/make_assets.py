#!/usr/bin/env python3
"""Writes all of the game's art into a data folder: the pictures under image/, the
meshes under model/ and pol/, plane.txt, which lists the glider's part meshes, and
the sounds under sound/.

Usage: make_assets.py DATA_DIR

Everything is drawn by the code beside this script (standard library only) and comes
out byte for byte the same on every run.
"""
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ left beside the script in the work tree

from models import PLANE_PARTS, all_meshes  # noqa: E402 (after the line above on purpose)
from raster import bmp_bytes  # noqa: E402
from sounds import all_sounds, wav_bytes  # noqa: E402
from textures import all_pictures  # noqa: E402
from xmesh import x_text  # noqa: E402

PLANE_FILE = "plane.txt"
PLANE_LINE_LIMIT = 27   # characters the game keeps of a part name


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_pictures(data_dir):
    total = 0
    for name, picture, key in all_pictures():
        data = bmp_bytes(picture, key)
        write(os.path.join(data_dir, "image", name), data)
        total += len(data)
    return total


def write_meshes(data_dir):
    total = 0
    for path, mesh in all_meshes():
        # CR LF, as the rest of the game's text files.
        data = x_text(mesh).replace("\n", "\r\n").encode("ascii")
        write(os.path.join(data_dir, *path.split("/")), data)
        total += len(data)
    return total


def write_sounds(data_dir):
    total = 0
    for name, signal in all_sounds():
        data = wav_bytes(signal)
        write(os.path.join(data_dir, "sound", name), data)
        total += len(data)
    return total


def write_plane_list(data_dir):
    for line in PLANE_PARTS:
        if len(line) > PLANE_LINE_LIMIT:
            sys.exit("part name too long for the game: " + line)
    write(os.path.join(data_dir, PLANE_FILE), "".join(line + "\r\n" for line in PLANE_PARTS).encode("ascii"))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    data_dir = sys.argv[1]
    pictures = write_pictures(data_dir)
    meshes = write_meshes(data_dir)
    write_plane_list(data_dir)
    sounds = write_sounds(data_dir)
    print("pictures %d bytes, meshes %d bytes, sounds %d bytes, in %s" % (pictures, meshes, sounds, data_dir))


if __name__ == "__main__":
    main()
